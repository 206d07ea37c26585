#include "controls/TwColumnFooter.h"

#include "controls/ESelvarError.h"
#include "controls/TwColumn.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwGridFooters.h"

TwColumnFooter::TwColumnFooter(TwColumn* column) : TwDrawObject(column->Grid()), m_column(column)
{
    m_cellStyle = wcsSunken;
}

QString TwColumnFooter::Values(int row) const
{
    return row >= 0 && row < m_values.size() ? m_values.at(row) : QString();
}

void TwColumnFooter::SetValues(int row, const QString& value)
{
    if (row < 0 || row >= Grid()->Footers()->Count())
        throw ESelvarError(QStringLiteral("Bound Error in TwColumnFooter.SetValues(%1)").arg(row));
    while (m_values.size() <= row)
        m_values.append(QString());
    m_values[row] = value;
    Changed();
}

Qt::Alignment TwColumnFooter::DefaultAlignment() const { return m_column->Alignment(); }
TwFitStyle TwColumnFooter::DefaultFitStyle() const { return m_column->FitStyle(); }
QFont TwColumnFooter::DefaultFont() const { return m_column->Font(); }
TwTextLayout TwColumnFooter::DefaultLayout() const { return m_column->Layout(); }
bool TwColumnFooter::DefaultWordWrap() const { return m_column->WordWrap(); }

QMargins TwColumnFooter::DefaultMargins() const
{
    return QMargins(m_column->MarginLeft(), m_column->MarginTop(), m_column->MarginRight(),
                    m_column->MarginBottom());
}
