#pragma once

#include <QCloseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include "common/SessionContext.h"
#include "common/WindowMessage.h"

// A screen as the shell sees it: it refuses a close request and asks the main
// window to close its tab instead, follows page resizes and counts card reads.
class TestScreen : public QWidget
{
public:
    explicit TestScreen(bool refuseClose = false) : m_refuseClose(refuseClose) {}

    int cardReads = 0;
    int closeAsked = 0;

protected:
    bool event(QEvent* e) override
    {
        switch (static_cast<int>(e->type())) {
        case WindowMessage::WM_RFID_READ:
            ++cardReads;
            return true;
        case WindowMessage::WM_PAGE_RESIZE: {
            const auto* message = static_cast<WindowMessage*>(e);
            resize(message->First().toInt(), message->Second().toInt());
            return true;
        }
        default:
            return QWidget::event(e);
        }
    }

    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        ++closeAsked;
        if (!m_refuseClose)
            WindowMessage::Send(window(), WindowMessage::WM_CLOSE_PROGRAM);
    }

private:
    bool m_refuseClose;
};

// A program folder of its own for each test: AppDir, Main.ini, selvar_n.ini.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        SessionContext::SetExecutable(Path("selvar_n"));
        qputenv("XDG_DATA_HOME", Path("data").toUtf8()); // demo databases stay here
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    void SetIni(const QString& file, const QString& key, const QVariant& value) const
    {
        QSettings ini(Path(file), QSettings::IniFormat);
        ini.setValue(key, value);
    }

    QTemporaryDir dir;
};
