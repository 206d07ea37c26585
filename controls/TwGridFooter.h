#pragma once

#include <QColor>
#include <memory>

#include "controls/TwTypes.h"

class TwCustomGrid;
class TwFooterTitle;

// One footer row of a grid.
class TwGridFooter
{
public:
    explicit TwGridFooter(TwCustomGrid* grid);
    ~TwGridFooter();

    int Index() const { return m_index; }
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value);
    int ColHeight() const { return m_colHeight; }
    void SetColHeight(int value);
    int GrpHeight() const { return m_grpHeight; }
    void SetGrpHeight(int value);
    int Height() const;
    void SetHeight(int value);
    bool Sizing() const { return m_sizing; }
    void SetSizing(bool value) { m_sizing = value; }
    TwFooterTitle* Title() const { return m_title.get(); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

private:
    friend class TwGridFooters;

    TwCustomGrid* m_grid;
    int m_index = -1;
    QColor m_color = TwColors::BtnFace();
    int m_colHeight = 21;
    int m_grpHeight = 42;
    bool m_sizing = false;
    std::unique_ptr<TwFooterTitle> m_title;
    bool m_visible = true;
};
