#include "shell/PasswordScrambler.h"

#include <QSettings>

#include "common/TConfigFile.h"
#include "controls/EConvertError.h"

namespace {
constexpr quint16 StreamMultiplier = 0xC1A7;
constexpr quint16 StreamIncrement = 0x3E91;
constexpr int TableLength = 32;
constexpr quint8 Table[TableLength] = {
    0x3B, 0xA1, 0x5E, 0x07, 0xC4, 0x92, 0x2D, 0x6F, 0xE8, 0x13, 0x7A, 0xB5, 0x49, 0xD0, 0x86, 0x21,
    0xF3, 0x58, 0x0C, 0x9E, 0x64, 0x3F, 0xAB, 0x17, 0xCD, 0x72, 0x05, 0xE9, 0x4A, 0xB8, 0x91, 0x6D};

QString PasswordTooShortMessage()
{
    return QStringLiteral("RNUpdate.ini에 저장된 데이터베이스 비밀번호가 올바르지 않습니다.\r"
                          "비밀번호를 다시 저장하십시오.");
}

int HexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Two digits per byte, either case; an odd last digit is ignored.
QByteArray DecodeHexPairs(const QString& text)
{
    const qsizetype n = text.size() / 2;
    QByteArray bytes(n, '\0');
    for (qsizetype i = 0; i < n; ++i) {
        const int high = HexDigit(text.at(2 * i));
        const int low = HexDigit(text.at(2 * i + 1));
        if (high < 0 || low < 0)
            throw EConvertError::InvalidInteger(text.mid(2 * i, 2));
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// Removes leading and trailing bytes with a code of 32 or less.
QByteArray TrimControls(const QByteArray& bytes)
{
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && static_cast<quint8>(bytes.at(first)) <= 32)
        ++first;
    while (last > first && static_cast<quint8>(bytes.at(last - 1)) <= 32)
        --last;
    return bytes.mid(first, last - first);
}

// The register runs modulo 65536; unsigned 32-bit arithmetic keeps every step
// defined (in int the product overflows) and gives the same low 16 bits.
quint16 NextKey(quint8 input, quint16 key)
{
    const quint32 sum = quint32(input) + quint32(key);
    return static_cast<quint16>(sum * quint32(StreamMultiplier) + quint32(StreamIncrement));
}
} // namespace

QString DescramblePassword(const QString& scrambled, quint16 startKey)
{
    QByteArray outer = DecodeHexPairs(scrambled);
    if (outer.size() < TableLength)
        throw ESelvarError(PasswordTooShortMessage());
    for (int j = 0; j < TableLength; ++j)
        outer[j] = static_cast<char>(static_cast<quint8>(outer.at(j)) + Table[j]);

    const QByteArray inner = DecodeHexPairs(QString::fromLatin1(TrimControls(outer)));
    QByteArray password(inner.size(), '\0');
    quint16 key = startKey;
    for (qsizetype k = 0; k < inner.size(); ++k) {
        const auto c = static_cast<quint8>(inner.at(k));
        password[k] = static_cast<char>(c ^ (key >> 8));
        key = NextKey(c, key);
    }
    return QString::fromUtf8(password);
}

QString ScramblePassword(const QString& password, quint16 startKey)
{
    const QByteArray plain = password.toUtf8();
    QByteArray inner(plain.size(), '\0');
    quint16 key = startKey;
    for (qsizetype k = 0; k < plain.size(); ++k) {
        const auto c = static_cast<quint8>(static_cast<quint8>(plain.at(k)) ^ (key >> 8));
        inner[k] = static_cast<char>(c);
        key = NextKey(c, key);
    }
    // Blanks pad short values to the table's length; the reader trims them.
    QByteArray outer = inner.toHex().toUpper();
    if (outer.size() < TableLength)
        outer.append(QByteArray(TableLength - outer.size(), ' '));
    for (int j = 0; j < TableLength; ++j)
        outer[j] = static_cast<char>(static_cast<quint8>(outer.at(j)) - Table[j]);
    return QString::fromLatin1(outer.toHex().toUpper());
}

bool WritePasswordFile(const QString& iniPath, const QString& password)
{
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(QStringLiteral("PROGRAM/PASS"), ScramblePassword(password, PasswordStartKey));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString ResolvePassword(const QString& appDir, const QString& databaseUser)
{
    const QString path = appDir + QStringLiteral("RNUpdate.ini");
    const TConfigFile ini(path);
    const QString stored = ini.Settings().value(QStringLiteral("PROGRAM/PASS")).toString();
    if (stored.isEmpty())
        return databaseUser;
    try {
        return DescramblePassword(stored, PasswordStartKey);
    } catch (const EConvertError&) {
        // The conversion error quotes the digits; a password, even scrambled,
        // never reaches the screen.
        throw ESelvarError(QStringLiteral("%1의 [PROGRAM] PASS 값이 16진수가 아니어서 "
                                          "데이터베이스 비밀번호를 읽을 수 없습니다.\r"
                                          "비밀번호를 다시 저장하십시오.").arg(path));
    }
}
