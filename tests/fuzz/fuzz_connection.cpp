// Databases.ini and RNUpdate.ini beside the program: any content resolves
// every database name it lists, the demonstration name and an unknown one to
// a connection or to a refusal with a message, and gives a password or a
// refusal; nothing else escapes.
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "common/TConfigFile.h"
#include "controls/ESelvarError.h"
#include "shell/PasswordScrambler.h"
#include "shell/TConnectionFile.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// A folder of its own for each input: the settings reader caches files by
// name, size and time stamp, which a rewrite within a millisecond can keep.
QString g_appDir;

void Write(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

void Resolve(const QString& name)
{
    try {
        const TConnectionFile::Entry entry = TConnectionFile::Resolve(g_appDir, name);
        if (!entry.settings.Path.isEmpty() && !QDir::isAbsolutePath(entry.settings.Path))
            std::abort(); // a relative path would depend on the working folder
    } catch (const ESelvarError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTemporaryDir dir;
    g_appDir = dir.path() + QLatin1Char('/');
    Write(g_appDir + TConnectionFile::FileName(), data, size);
    Write(g_appDir + QStringLiteral("RNUpdate.ini"), data, size);
    QStringList names{TConnectionFile::DemoName(), QStringLiteral("NOSUCH"), QString()};
    try {
        names << TConfigFile(g_appDir + TConnectionFile::FileName()).Settings().childGroups();
    } catch (const ESelvarError&) {
    }
    for (const QString& name : names)
        Resolve(name);
    try {
        ResolvePassword(g_appDir, QStringLiteral("SELVAR"));
    } catch (const ESelvarError&) {
    }
    return 0;
}
