#pragma once

#include <QString>

// Values fixed once at start-up from the command line and the host, read by
// every layer afterwards (saves send EmpNo and ClientIP, status bars show
// UserName, INI files and the trace log live in AppDir). It sits in common so
// that screens and services can read it without depending on the shell.
class SessionContext
{
public:
    static QString AppDir();      // executable's folder, ending in a separator
    static QString ExeName();     // executable's file name without extension
    static QString ClientIP();    // dotted IPv4 text, or empty
    static QString EmpNo();       // employee number (argument 3)
    static QString UserName();    // display name (argument 4)

    // The executable's own INI file and the project ID read by the menu.
    static QString ProgramIniPath();
    static QString ProjectId();

    // The last card number read by the RFID reader; set on the GUI thread.
    static QString LastCardNumber();
    static void SetLastCardNumber(const QString& cardNumber);

    // Start-up fills the values; only start-up and tests call these.
    static void SetExecutable(const QString& executablePath);
    static void SetClientIP(const QString& ip);
    static void SetUser(const QString& empNo, const QString& userName);
};
