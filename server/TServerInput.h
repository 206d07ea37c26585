#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Checks of the text values a stored procedure receives. Every check either
// returns the value in its normal form or throws EDatabaseError with a short
// Korean message naming the field, which the client shows after its own
// "could not save" line.
class TServerInput
{
public:
    // Eight digits forming a real calendar date.
    static QString Date(const QString& text, const QString& what);
    // Empty stays empty; anything else must be a date.
    static QString OptionalDate(const QString& text, const QString& what);
    // Six digits YYYYMM with a month 01-12; "YYYYMM01" is accepted and cut to six.
    static QString Month(const QString& text, const QString& what);
    // A non-negative number; empty is 0.
    static double Amount(const QString& text, const QString& what);
    // A number greater than zero.
    static double PositiveAmount(const QString& text, const QString& what);
    // A number from 0 to 100.
    static double Rate(const QString& text, const QString& what);
    // Empty is the given default; otherwise one of the allowed values.
    static QString Choice(const QString& text, const QStringList& allowed,
                          const QString& defaultValue, const QString& what);
    // Not empty after trimming.
    static QString Required(const QString& text, const QString& what);
    // At most maxLength characters.
    static QString Limited(const QString& text, int maxLength, const QString& what);

    // Period check: end must not lie before start (both dates or both months).
    static void Period(const QString& start, const QString& end, const QString& what);

    static QDate ToDate(const QString& dateText);   // yyyyMMdd, already checked
    static QString FromDate(const QDate& date);     // yyyyMMdd
    static QString MonthAfter(const QString& month, int months);

    // The word followed by the subject (이/가) or topic (은/는) particle it takes.
    static QString Subject(const QString& word);
    static QString Topic(const QString& word);
    // "word(value)" followed by the word's topic particle.
    static QString Quoted(const QString& word, const QString& value);
    // "word(value)" followed by the word's subject particle.
    static QString QuotedSubject(const QString& word, const QString& value);

    // An amount of won as messages show it: "1,234,567".
    static QString Won(double amount);
    // An amount code as messages name it: "관리비(03)".
    static QString AmountCode(const QString& amtCode);

    [[noreturn]] static void Refuse(const QString& message);
};
