#pragma once

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "common/SessionContext.h"
#include "common/WindowMessage.h"

// A program folder of its own (AppDir and the program's INI file) and the
// session values.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        SessionContext::SetExecutable(dir.filePath(QStringLiteral("selvar_n")));
        SessionContext::SetUser(QStringLiteral("10000001"), QStringLiteral("김관리"));
        SessionContext::SetClientIP(QStringLiteral("10.1.2.3"));
    }

    void SetRole(const QVariant& type, const QVariant& name) const
    {
        QSettings ini(SessionContext::ProgramIniPath(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Role/Type"), type);
        ini.setValue(QStringLiteral("Role/Name"), name);
    }

    QTemporaryDir dir;
};

// The main window's side of the screen contract, as the shell keeps it: F12
// asks the hosted screen to close, a screen's close request removes it, open
// requests are recorded.
class ScreenHost : public QMainWindow
{
public:
    ScreenHost()
    {
        auto* close = new QAction(this);
        close->setShortcut(Qt::Key_F12);
        close->setShortcutContext(Qt::WindowShortcut);
        connect(close, &QAction::triggered, this, [this] {
            ++closeKeys;
            if (screen)
                screen->close();
        });
        addAction(close);
        setCentralWidget(new QWidget(this));
        resize(1024, 746);
    }

    // Embeds the screen as the shell does: no border, filling the page.
    template <typename Screen>
    Screen* Embed(Screen* hosted)
    {
        hosted->setParent(centralWidget(), Qt::Widget);
        hosted->setGeometry(QRect(QPoint(0, 0), centralWidget()->size()));
        hosted->show();
        screen = hosted;
        return hosted;
    }

    // Shown and active, so that focus and shortcuts work.
    void ShowActive()
    {
        show();
        activateWindow();
        QTest::qWaitForWindowActive(this);
    }

    int closeKeys = 0;
    int closeRequests = 0;
    QStringList openRequests; // caption + "/" + program ID
    QPointer<QWidget> screen;

protected:
    bool event(QEvent* e) override
    {
        switch (static_cast<int>(e->type())) {
        case WindowMessage::WM_CLOSE_PROGRAM:
            ++closeRequests;
            if (screen)
                screen->deleteLater();
            return true;
        case WindowMessage::WM_OPEN_PROGRAM: {
            const auto* message = static_cast<WindowMessage*>(e);
            openRequests << message->First().toString() + "/" + message->Second().toString();
            return true;
        }
        default:
            return QMainWindow::event(e);
        }
    }
};
