#pragma once

#include <QStringList>

#include "controls/TwDrawObject.h"

class TwColumn;

// A column's cell in every footer row, with one value text per footer row.
// Its unassigned look follows the column's.
class TwColumnFooter : public TwDrawObject
{
public:
    explicit TwColumnFooter(TwColumn* column);

    TwColumn* Column() const { return m_column; }

    // Empty beyond the stored entries.
    QString Values(int row) const;
    // Requires 0 <= row < the number of footer rows.
    void SetValues(int row, const QString& value);
    const QStringList& ValueList() const { return m_values; }

    // The number of footer rows changed.
    virtual void FooterCountChanged(int count) {}

protected:
    Qt::Alignment DefaultAlignment() const override;
    TwFitStyle DefaultFitStyle() const override;
    QFont DefaultFont() const override;
    TwTextLayout DefaultLayout() const override;
    QMargins DefaultMargins() const override;
    bool DefaultWordWrap() const override;

private:
    TwColumn* m_column;
    QStringList m_values;
};
