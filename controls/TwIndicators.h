#pragma once

#include <QColor>
#include <QFont>

#include "controls/TwGridLines.h"
#include "controls/TwTypes.h"

// The row-header column on the left: row numbers and state pictures.
class TwIndicators
{
public:
    TwIndicators() : m_font(QStringLiteral("Arial")) {}

    TwCellStyle CellStyle() const { return m_cellStyle; }
    void SetCellStyle(TwCellStyle value) { m_cellStyle = value; }
    QFont Font() const { return m_font; }
    void SetFont(const QFont& value) { m_font = value; }
    TwGridLines& Lines() { return m_lines; }
    QColor SelBgColor() const { return m_selBgColor; }
    void SetSelBgColor(const QColor& value) { m_selBgColor = value; }
    // With a raised style, the current and selected rows' indicators show pressed.
    bool SelDown() const { return m_selDown; }
    void SetSelDown(bool value) { m_selDown = value; }
    QColor SelFgColor() const { return m_selFgColor; }
    void SetSelFgColor(const QColor& value) { m_selFgColor = value; }
    bool ShowRowNo() const { return m_showRowNo; }
    void SetShowRowNo(bool value) { m_showRowNo = value; }
    bool ShowState() const { return m_showState; }
    void SetShowState(bool value) { m_showState = value; }
    bool Sizing() const { return m_sizing; }
    void SetSizing(bool value) { m_sizing = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    int Width() const { return m_width; }
    void SetWidth(int value) { m_width = qMax(0, value); }

private:
    TwCellStyle m_cellStyle = wcsRaised;
    QFont m_font;
    TwGridLines m_lines;
    QColor m_selBgColor = TwColors::BtnFace();
    bool m_selDown = true;
    QColor m_selFgColor = Qt::black;
    bool m_showRowNo = true;
    bool m_showState = true;
    bool m_sizing = false;
    bool m_visible = true;
    int m_width = 21;
};
