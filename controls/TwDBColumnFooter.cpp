#include "controls/TwDBColumnFooter.h"

#include "controls/TwCustomGrid.h"
#include "controls/TwGridFooters.h"

namespace {
const QString Hidden = QStringLiteral("0");
}

TwDBColumnFooter::TwDBColumnFooter(TwColumn* column) : TwColumnFooter(column)
{
    Normalize();
}

void TwDBColumnFooter::SetStyle(const QStringList& value)
{
    m_style = value;
    Normalize();
    if (!Grid()->Loading())
        ApplyStyles();
    Changed();
}

QString TwDBColumnFooter::Style(int row) const
{
    return row >= 0 && row < m_style.size() ? m_style.at(row) : Hidden;
}

void TwDBColumnFooter::SetStyle(int row, const QString& value)
{
    if (row < 0 || row >= m_style.size())
        return;
    m_style[row] = value.isEmpty() ? Hidden : value;
    if (!Grid()->Loading())
        ApplyStyles();
    Changed();
}

bool TwDBColumnFooter::Shown(int row) const
{
    return Style(row).startsWith(QLatin1Char('1'));
}

void TwDBColumnFooter::ApplyStyles()
{
    for (int row = 0; row < m_style.size(); ++row)
        SetValues(row, m_style.at(row).mid(1));
}

void TwDBColumnFooter::FooterCountChanged(int count)
{
    Normalize();
}

void TwDBColumnFooter::Normalize()
{
    const int rows = Grid() ? static_cast<TwCustomGrid*>(Grid())->Footers()->Count() : 0;
    while (m_style.size() < rows)
        m_style.append(Hidden);
    while (m_style.size() > rows)
        m_style.removeLast();
}
