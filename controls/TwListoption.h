#pragma once

#include <QColor>
#include <QFont>

#include "controls/TwTypes.h"

// Look of a drop-down list: lines, colours, fonts and size.
class TwListoption
{
public:
    virtual ~TwListoption() = default;

    bool AutoDrop() const { return m_autoDrop; } // typing opens the list
    void SetAutoDrop(bool value) { m_autoDrop = value; }
    bool CaseSensitive() const { return m_caseSensitive; } // of the incremental search
    void SetCaseSensitive(bool value) { m_caseSensitive = value; }
    // Character unit of the list columns: > 0 pixels, < 0 the widest
    // character, 0 the average character.
    int CharWidth() const { return m_charWidth; }
    void SetCharWidth(int value) { m_charWidth = value; }
    bool ColLines() const { return m_colLines; }
    void SetColLines(bool value) { m_colLines = value; }
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value) { m_color = value; }
    QFont Font() const { return m_font; }
    void SetFont(const QFont& value) { m_font = value; }
    int ItemCount() const { return m_itemCount; } // visible lines
    void SetItemCount(int value) { m_itemCount = qMax(1, value); }
    QColor LineColor() const { return m_lineColor; }
    void SetLineColor(const QColor& value) { m_lineColor = value; }
    bool RowLines() const { return m_rowLines; }
    void SetRowLines(bool value) { m_rowLines = value; }
    bool ShowTitle() const { return m_showTitle; }
    void SetShowTitle(bool value) { m_showTitle = value; }
    QColor TitleColor() const { return m_titleColor; }
    void SetTitleColor(const QColor& value) { m_titleColor = value; }
    QFont TitleFont() const { return m_titleFont; }
    void SetTitleFont(const QFont& value) { m_titleFont = value; }
    // 0 the editor's width, -1 the natural width, other negative values the
    // larger of both, positive values pixels.
    int Width() const { return m_width; }
    void SetWidth(int value) { m_width = value; }

private:
    bool m_autoDrop = true;
    bool m_caseSensitive = false;
    int m_charWidth = 0;
    bool m_colLines = false;
    QColor m_color = TwColors::BtnFace();
    QFont m_font;
    int m_itemCount = 8;
    QColor m_lineColor = TwColors::Gray();
    bool m_rowLines = false;
    bool m_showTitle = false;
    QColor m_titleColor = TwColors::Gray();
    QFont m_titleFont;
    int m_width = 0;
};
