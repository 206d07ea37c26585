#include "controls/TwColumnTitle.h"

#include "controls/TwColumn.h"

TwColumnTitle::TwColumnTitle(TwColumn* column) : TwTitle(column->Grid()), m_column(column) {}

void TwColumnTitle::SetSortMark(TwSortMark value)
{
    m_sortMark = value;
    Changed();
}

QFont TwColumnTitle::DefaultFont() const
{
    return m_column->Font();
}

QMargins TwColumnTitle::DefaultMargins() const
{
    return QMargins(m_column->MarginLeft(), m_column->MarginTop(), m_column->MarginRight(),
                    m_column->MarginBottom());
}
