#include "controls/TwMemColumnFooter.h"

#include "controls/TwColumn.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGridFooters.h"

TwMemColumnFooter::TwMemColumnFooter(TwColumn* column) : TwColumnFooter(column)
{
    Normalize();
}

void TwMemColumnFooter::SetStyle(const QStringList& value)
{
    m_style = value;
    Normalize();
    Changed();
}

QString TwMemColumnFooter::Style(int row) const
{
    return row >= 0 && row < m_style.size() ? m_style.at(row) : NoAggregate;
}

void TwMemColumnFooter::SetStyle(int row, const QString& value)
{
    if (row < 0 || row >= m_style.size())
        return;
    m_style[row] = value;
    Changed();
}

int TwMemColumnFooter::Kind(int row) const
{
    const QString style = Style(row);
    return style.isEmpty() ? 0 : qMax(0, style.at(0).digitValue());
}

void TwMemColumnFooter::SetKind(int row, int kind)
{
    if (row < 0 || row >= m_style.size() || kind < 0 || kind > 9)
        return;
    QString style = m_style.at(row);
    if (style.isEmpty())
        style = NoAggregate;
    style[0] = QChar(u'0' + kind);
    m_style[row] = style;
    Changed();
}

void TwMemColumnFooter::FooterCountChanged(int count)
{
    Normalize();
}

// At least one entry per footer row; entries past the rows are reset.
void TwMemColumnFooter::Normalize()
{
    const int rows = Grid() ? Grid()->Footers()->Count() : 0;
    while (m_style.size() < rows)
        m_style.append(NoAggregate);
    for (int i = rows; i < m_style.size(); ++i)
        m_style[i] = NoAggregate;
}
