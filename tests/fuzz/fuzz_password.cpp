// Any stored value decodes or is refused; any password survives the round trip.
#include <QString>
#include <cstdlib>

#include "controls/ESelvarError.h"
#include "shell/PasswordScrambler.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const quint16 key = quint16(data[0] | (data[1] << 8));
    const QByteArray rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    try {
        DescramblePassword(QString::fromLatin1(rest), key);
    } catch (const ESelvarError&) {
    }
    const QString password = QString::fromUtf8(rest);
    if (password.toUtf8() == rest && DescramblePassword(ScramblePassword(password, key), key) != password)
        std::abort();
    return 0;
}
