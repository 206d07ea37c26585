#pragma once

#include <QByteArray>
#include <QString>

// Conversions between the client's texts and the byte encodings of its files.
// Code page 949 is the Korean code page of the client's worksheet files; the
// trace log follows the encoding of the locale the client runs in.

// Text in code page 949; a character it cannot hold becomes "?".
QByteArray ToCp949(const QString& text);
// Bytes in code page 949; an invalid sequence becomes U+FFFD.
QString FromCp949(const QByteArray& bytes);
// True when the bytes are well-formed UTF-8 (an empty array is).
bool IsValidUtf8(const QByteArray& bytes);
// The text of a file as the client takes it: a byte order mark (UTF-8,
// UTF-16 LE or BE) decides the encoding; without one each line is UTF-8 when
// it is valid UTF-8 and code page 949 otherwise, so a file pieced together
// from both reads right. `isText` (when given) becomes false for bytes that
// no encoding explains: NUL bytes without a UTF-16 mark, or sequences invalid
// in the encoding used (those become U+FFFD).
QString DecodeTextFile(const QByteArray& bytes, bool* isText = nullptr);
// Text in the character encoding of the current locale (LC_CTYPE).
QByteArray ToLocaleEncoding(const QString& text);
