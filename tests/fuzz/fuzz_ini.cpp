// A configuration file reads or is refused with a message; a UTF-8 file and
// the same text saved as UTF-16 read as the same settings. Each input gets
// file names of its own: the settings reader caches files by name, size and
// time stamp, which a rewrite within the same millisecond can keep equal.
#include <QSettings>
#include <cstdlib>

#include "common/TConfigFile.h"
#include "common/TextEncoding.h"
#include "controls/ESelvarError.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct TRemoved
{
    QString path;
    ~TRemoved() { QFile::remove(path); }
};

// Every key with its value, in the order QSettings lists them.
QStringList Contents(const QString& path)
{
    TConfigFile config(path);
    QSettings& ini = config.Settings();
    QStringList lines;
    for (const QString& key : ini.allKeys())
        lines << key + QLatin1Char('=') + ini.value(key).toString();
    lines << ini.childGroups();
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int run = 0;
    const QByteArray name = QByteArray::number(++run);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TRemoved input{FuzzFile(data, size, name + ".ini")};
    QStringList asRead;
    try {
        asRead = Contents(input.path);
    } catch (const ESelvarError&) {
        return 0;
    }
    if (bytes.contains('\0') || !IsValidUtf8(bytes) || bytes.startsWith("\xEF\xBB\xBF"))
        return 0;
    const QString text = QString::fromUtf8(bytes);
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const TRemoved copy{FuzzFile(reinterpret_cast<const uint8_t*>(utf16.constData()), size_t(utf16.size()),
                                 name + "-utf16.ini")};
    QStringList asUtf16;
    try {
        asUtf16 = Contents(copy.path);
    } catch (const ESelvarError&) {
        std::abort(); // the same text, only saved differently
    }
    if (asUtf16 != asRead)
        std::abort();
    return 0;
}
