// The sign-in launcher: asks for the database, employee number and password,
// then starts the client selvar_n beside it and ends when the client ends.
#include <QApplication>
#include <QDir>

#include "common/KoreanFonts.h"
#include "common/KoreanTranslation.h"
#include "shell/TfrmSignIn.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallKoreanFontSubstitutes();
    InstallKoreanTranslation();
    const QString appDir = QDir(app.applicationDirPath()).absolutePath() + QLatin1Char('/');
    TfrmSignIn window(appDir);
    QObject::connect(&window, &TfrmSignIn::ClientFinished, &app,
                     [](int code) { QCoreApplication::exit(code < 0 ? 1 : code); });
    window.show();
    window.activateWindow(); // without a window manager the keyboard goes nowhere otherwise
    return app.exec();
}
