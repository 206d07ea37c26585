#include "common/TBusinessNumber.h"

QString TBusinessNumber::Digits(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else if (c != QLatin1Char('-') && !c.isSpace())
            return QString();
    }
    return digits;
}

// The first nine digits are weighted 1,3,7,1,3,7,1,3,5; the ninth adds the
// tens of its own product once more; the check digit brings the sum to a
// multiple of ten.
bool TBusinessNumber::IsValid(const QString& digits)
{
    if (digits.size() != 10)
        return false;
    static const int weights[9] = {1, 3, 7, 1, 3, 7, 1, 3, 5};
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        if (digits[i] < QLatin1Char('0') || digits[i] > QLatin1Char('9'))
            return false;
    for (int i = 0; i < 9; ++i)
        sum += digits[i].digitValue() * weights[i];
    sum += digits[8].digitValue() * 5 / 10;
    return (10 - sum % 10) % 10 == digits[9].digitValue();
}

QString TBusinessNumber::Formatted(const QString& digits)
{
    if (digits.size() != 10)
        return digits;
    return digits.left(3) + QLatin1Char('-') + digits.mid(3, 2) + QLatin1Char('-') + digits.mid(5);
}
