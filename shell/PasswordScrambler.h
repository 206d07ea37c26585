#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The database password is stored scrambled in RNUpdate.ini (section
// "PROGRAM", key "PASS") as hexadecimal text. The reader and the writing tool
// share the start key and the constants in PasswordScrambler.cpp.

inline constexpr quint16 PasswordStartKey = 0x5A3C;

// Reverses ScramblePassword. Throws EConvertError for a digit pair that is not
// hexadecimal, and ESelvarError when the value is too short to be one this
// program wrote. Passwords travel as UTF-8 bytes.
QString DescramblePassword(const QString& scrambled, quint16 startKey);

// The text written into "PASS" for a password.
QString ScramblePassword(const QString& password, quint16 startKey);

// Writes the scrambled password into the given RNUpdate.ini; false when the
// file cannot be written.
bool WritePasswordFile(const QString& iniPath, const QString& password);

// The password for the connection: the descrambled "PASS" of AppDir's
// RNUpdate.ini, or the database user name when none is stored.
QString ResolvePassword(const QString& appDir, const QString& databaseUser);
