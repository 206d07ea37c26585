#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// What the SQL trace needs to know about the session. The shell fills it at
// start-up from its session context; common code cannot reach the shell.
struct TTraceSettings
{
    QString AppDir;    // the program folder, where the daily trace files go
    QString ClientIP;  // dotted address, may be empty
    QString EmpNo;     // employee number
    QString ExeName;   // the executable's file name; empty: the running program's
    std::function<QDateTime()> Now; // the clock; empty: the system clock

    static TTraceSettings& Current();
    QDateTime CurrentTime() const;
    QString ExecutableName() const;
};
