// Writes the scrambled database password into RNUpdate.ini, the file the
// client reads at start-up.
//   selvar_passwd PASSWORD [INI_FILE]
// Without INI_FILE the RNUpdate.ini beside this program is written.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "shell/PasswordScrambler.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3 || args.at(1).isEmpty()) {
        std::fprintf(stderr, "usage: selvar_passwd PASSWORD [INI_FILE]\n");
        return 2;
    }
    const QString iniPath = args.size() == 3
                                ? args.at(2)
                                : QDir(app.applicationDirPath()).filePath(QStringLiteral("RNUpdate.ini"));
    if (!WritePasswordFile(iniPath, args.at(1))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(iniPath));
        return 1;
    }
    std::printf("password stored in %s\n", qPrintable(iniPath));
    return 0;
}
