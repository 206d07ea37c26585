#pragma once

#include <memory>

#include "controls/TwGridLinesEx.h"

class TwCustomGrid;
class TwHeaderTitle;

// The title band: one height per layout, the corner title, visibility.
class TwGridHeaders
{
public:
    explicit TwGridHeaders(TwCustomGrid* grid);
    ~TwGridHeaders();

    int ColHeight() const { return m_colHeight; }
    void SetColHeight(int value);
    int GrpHeight() const { return m_grpHeight; }
    void SetGrpHeight(int value);
    // The current layout's height; fires OnHeaderHeightChange.
    int Height() const;
    void SetHeight(int value);
    // Cell and level lines of the title band are black.
    TwGridLinesEx& Lines() { return m_lines; }
    bool Sizing() const { return m_sizing; }
    void SetSizing(bool value) { m_sizing = value; }
    TwHeaderTitle* Title() const { return m_title.get(); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

private:
    TwCustomGrid* m_grid;
    int m_colHeight = 21;
    int m_grpHeight = 42;
    TwGridLinesEx m_lines{Qt::black};
    bool m_sizing = false;
    std::unique_ptr<TwHeaderTitle> m_title;
    bool m_visible = true;
};
