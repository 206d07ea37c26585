#pragma once

#include "controls/TwColumnFooter.h"

// The footer of an in-memory grid column: one style string per footer row
// choosing an aggregate. Layout of a style, by position:
//   1      kind: 0 none, 1 custom, 2 count, 3 sum, 4 average, 5 max, 6 min
//   2..5   condition column index, "9999" = this column
//   6      operator: 0 all, 1 ==, 2 >, 3 >=, 4 <, 5 <=, 6 !=
//   7..    operand text
class TwMemColumnFooter : public TwColumnFooter
{
public:
    static inline const QString NoAggregate = QStringLiteral("099990");

    explicit TwMemColumnFooter(TwColumn* column);

    const QStringList& Style() const { return m_style; }
    void SetStyle(const QStringList& value);
    QString Style(int row) const;
    void SetStyle(int row, const QString& value);
    // Design-time handle: always "[Styles]", writes are ignored.
    QString Styles() const { return QStringLiteral("[Styles]"); }
    void SetStyles(const QString&) {}

    // The kind digit of a footer row's style.
    int Kind(int row) const;
    void SetKind(int row, int kind);

    void FooterCountChanged(int count) override;

private:
    void Normalize();

    QStringList m_style;
};
