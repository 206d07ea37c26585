#pragma once

#include <QDate>
#include <QDateTime>

// The one day the business runs on: SYSDATE of the embedded engine, TodayText,
// the stored procedures' "today" and the demonstration data all read it, so a
// late fee or a closing can be checked on a known day. It is the system's date
// unless fixed: by SELVAR_TODAY=YYYYMMDD in the environment (read at first use)
// or by Set. The time of day always runs with the system clock.
class TBusinessClock
{
public:
    static QDate Today();
    static QDateTime Now();
    static QString TodayText(); // YYYYMMDD
    static QString ThisMonth(); // YYYYMM

    static void Set(const QDate& day); // an invalid date goes back to the system's date
    static void Reset();               // back to SELVAR_TODAY or the system's date

    // Fixes the day for one scope, then puts back what was before.
    class TScoped
    {
    public:
        explicit TScoped(const QDate& day);
        ~TScoped();
        TScoped(const TScoped&) = delete;
        TScoped& operator=(const TScoped&) = delete;

    private:
        QDate m_before;
    };

private:
    static QDate& Fixed();
};
