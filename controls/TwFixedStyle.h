#pragma once

#include <QColor>

#include "controls/TwGridLinesEx.h"
#include "controls/TwTypes.h"

// Look of the fixed (non-scrolling) leading columns and what the user may do
// with them.
class TwFixedStyle
{
public:
    TwCellStyle CellStyle() const { return m_cellStyle; }
    void SetCellStyle(TwCellStyle value) { m_cellStyle = value; }
    QColor Color() const { return m_color; }
    void SetColor(const QColor& value) { m_color = value; }
    TwGridLinesEx& Lines() { return m_lines; }
    TwFixedOptions Options() const { return m_options; }
    void SetOptions(TwFixedOptions value) { m_options = value; }
    QColor SelBgColor() const { return m_selBgColor; }
    void SetSelBgColor(const QColor& value) { m_selBgColor = value; }
    QColor SelFgColor() const { return m_selFgColor; }
    void SetSelFgColor(const QColor& value) { m_selFgColor = value; }

private:
    TwCellStyle m_cellStyle = wcsRaised;
    QColor m_color = TwColors::BtnFace();
    TwGridLinesEx m_lines;
    TwFixedOptions m_options;
    QColor m_selBgColor = TwColors::BtnShadow();
    QColor m_selFgColor = Qt::white;
};
