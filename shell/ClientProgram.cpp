#include "shell/ClientProgram.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "common/KoreanFonts.h"
#include "common/KoreanTranslation.h"
#include "common/MessageBoxes.h"
#include "screens/ScreenRegistry.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"

namespace {
// Ends the event loop right after the window's first paint.
class FirstPaintWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

// Drops the first business menu down, saves the whole screen and ends.
void TakeScreenshot(TfrmN0Main& window, const QString& path)
{
    QTimer::singleShot(400, &window, [&window] {
        const QList<QAction*> menus = window.menuBar()->actions();
        if (!menus.isEmpty() && menus.first()->menu() != window.WindowMenu())
            window.menuBar()->setActiveAction(menus.first());
    });
    QTimer::singleShot(1200, &window, [&window, path] {
        const QPixmap shot = window.screen()->grabWindow(0);
        if (shot.save(path))
            std::printf("screenshot: %s\n", qPrintable(path));
        else
            std::fprintf(stderr, "cannot save the screenshot to %s\n", qPrintable(path));
        QCoreApplication::quit();
    });
}
} // namespace

void ClientProgram::Prepare()
{
    InstallKoreanFontSubstitutes();
    InstallKoreanTranslation();
    RouteGridDialogsToMessageBoxes();
    RegisterScreens();
    RegisterServerProcedures();
}

int ClientProgram::Run(QApplication& app)
{
    Prepare();
    TfrmZZD000 dataModule(app.arguments().mid(1), app.applicationFilePath());
    if (dataModule.TerminationRequested())
        return 1;
    TfrmN0Main window(&dataModule);
    if (!window.CanShow())
        return 1;
    // Without a window manager "maximised" means nothing; fill the screen anyway.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();

    FirstPaintWatch paintWatch;
    if (qEnvironmentVariableIntValue("SELVAR_EXIT_AFTER_PAINT") == 1)
        window.installEventFilter(&paintWatch);
    const QString screenshot = qEnvironmentVariable("SELVAR_SCREENSHOT");
    if (!screenshot.isEmpty())
        TakeScreenshot(window, screenshot);
    return app.exec();
}
