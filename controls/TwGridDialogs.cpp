#include "controls/TwGridDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {
TwGridDialogs::AskFunction& Ask()
{
    static TwGridDialogs::AskFunction ask;
    return ask;
}

TwGridDialogs::ErrorFunction& Error()
{
    static TwGridDialogs::ErrorFunction error;
    return error;
}

QString BoxText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

bool TwGridDialogs::AskYesNo(const QString& text, const QString& caption)
{
    if (Ask())
        return Ask()(text, caption);
    QMessageBox box(QMessageBox::Question, caption, BoxText(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TwGridDialogs::ShowError(const QString& text)
{
    if (Error()) {
        Error()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), BoxText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void TwGridDialogs::SetAskYesNo(AskFunction ask)
{
    Ask() = std::move(ask);
}

void TwGridDialogs::SetShowError(ErrorFunction show)
{
    Error() = std::move(show);
}
