#pragma once

#include <QString>

// The ten-digit business registration number of a trading partner: stored as
// its digits, shown as 000-00-00000, its last digit a check digit over the
// first nine.
class TBusinessNumber
{
public:
    // The digits of a number typed with or without its hyphens; empty when
    // the text holds anything but digits, hyphens and blanks.
    static QString Digits(const QString& text);
    // Ten digits whose check digit agrees.
    static bool IsValid(const QString& digits);
    // 000-00-00000 for ten digits; anything else unchanged.
    static QString Formatted(const QString& digits);
};
