#pragma once

#include "controls/TwColumnFooter.h"

// The footer of a data-aware grid column: one style per footer row, a digit
// "1" (the cell shows its text) or "0" (it shows nothing) followed by the
// text. There are no aggregates; code sets the texts. The texts become the
// footer values when the grid's loading ends, or at once outside loading.
class TwDBColumnFooter : public TwColumnFooter
{
public:
    explicit TwDBColumnFooter(TwColumn* column);

    const QStringList& Style() const { return m_style; }
    void SetStyle(const QStringList& value);
    QString Style(int row) const;
    void SetStyle(int row, const QString& value);
    // Whether the footer row's cell shows its text.
    bool Shown(int row) const;
    // The style texts become the footer values.
    void ApplyStyles();

    void FooterCountChanged(int count) override;

private:
    void Normalize();

    QStringList m_style;
};
