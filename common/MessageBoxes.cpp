#include "common/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include "common/ApplicationTitle.h"
#include "common/MessageBoxSeam.h"
#include "controls/TwGridDialogs.h"

namespace {
QString DisplayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::StandardButton ShowBox(QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, ApplicationTitle(), DisplayText(text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void ShowInfo(const QString& text)
{
    if (MessageBoxSeam::Active()) {
        MessageBoxSeam::Record(MessageBoxSeam::mbInfo, ApplicationTitle(), text);
        return;
    }
    ShowBox(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowError(const QString& text)
{
    if (MessageBoxSeam::Active()) {
        MessageBoxSeam::Record(MessageBoxSeam::mbError, ApplicationTitle(), text);
        return;
    }
    ShowBox(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskYesNo(const QString& text)
{
    if (MessageBoxSeam::Active())
        return MessageBoxSeam::Record(MessageBoxSeam::mbQuestion, ApplicationTitle(), text);
    return ShowBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes)
           == QMessageBox::Yes;
}

void RouteGridDialogsToMessageBoxes()
{
    // The grid's own questions (deleting rows) keep No as the default answer.
    TwGridDialogs::SetAskYesNo([](const QString& text, const QString&) {
        if (MessageBoxSeam::Active())
            return MessageBoxSeam::Record(MessageBoxSeam::mbQuestion, ApplicationTitle(), text);
        return ShowBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    });
    TwGridDialogs::SetShowError([](const QString& text) { ShowError(text); });
}
