#include "controls/TwDrawObject.h"

#include "controls/TwCustomGrid.h"

TwDrawObject::TwDrawObject(TwCustomGrid* grid) : m_grid(grid) {}

Qt::Alignment TwDrawObject::Alignment() const
{
    return (m_assigned & aAlignment) ? m_alignment : DefaultAlignment();
}

void TwDrawObject::SetAlignment(Qt::Alignment value)
{
    m_alignment = value;
    m_assigned |= aAlignment;
    Changed();
}

void TwDrawObject::SetCellStyle(TwCellStyle value)
{
    m_cellStyle = value;
    Changed();
}

QColor TwDrawObject::Color() const
{
    return (m_assigned & aColor) ? m_color : DefaultColor();
}

void TwDrawObject::SetColor(const QColor& value)
{
    m_color = value;
    m_assigned |= aColor;
    Changed();
}

TwFitStyle TwDrawObject::FitStyle() const
{
    return (m_assigned & aFitStyle) ? m_fitStyle : DefaultFitStyle();
}

void TwDrawObject::SetFitStyle(TwFitStyle value)
{
    m_fitStyle = value;
    m_assigned |= aFitStyle;
    Changed();
}

QFont TwDrawObject::Font() const
{
    return (m_assigned & aFont) ? m_font : DefaultFont();
}

void TwDrawObject::SetFont(const QFont& value)
{
    m_font = value;
    m_assigned |= aFont;
    Changed();
}

TwTextLayout TwDrawObject::Layout() const
{
    return (m_assigned & aLayout) ? m_layout : DefaultLayout();
}

void TwDrawObject::SetLayout(TwTextLayout value)
{
    m_layout = value;
    m_assigned |= aLayout;
    Changed();
}

QMargins TwDrawObject::Margins() const
{
    return (m_assigned & aMargins) ? m_margins : DefaultMargins();
}

void TwDrawObject::SetMargins(const QMargins& value)
{
    m_margins = value;
    m_assigned |= aMargins;
    Changed();
}

void TwDrawObject::SetMarginLeft(int value)
{
    QMargins m = Margins();
    m.setLeft(value);
    SetMargins(m);
}

void TwDrawObject::SetMarginTop(int value)
{
    QMargins m = Margins();
    m.setTop(value);
    SetMargins(m);
}

void TwDrawObject::SetMarginRight(int value)
{
    QMargins m = Margins();
    m.setRight(value);
    SetMargins(m);
}

void TwDrawObject::SetMarginBottom(int value)
{
    QMargins m = Margins();
    m.setBottom(value);
    SetMargins(m);
}

bool TwDrawObject::WordWrap() const
{
    return (m_assigned & aWordWrap) ? m_wordWrap : DefaultWordWrap();
}

void TwDrawObject::SetWordWrap(bool value)
{
    m_wordWrap = value;
    m_assigned |= aWordWrap;
    Changed();
}

QFont TwDrawObject::DefaultFont() const
{
    return m_grid ? m_grid->font() : QFont();
}

void TwDrawObject::Changed()
{
    if (m_grid)
        m_grid->InvalidateGrid();
}
