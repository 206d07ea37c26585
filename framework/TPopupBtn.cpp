#include "framework/TPopupBtn.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "framework/GeneralErrorHandler.h"
#include "framework/SharedConnection.h"
#include "framework/TfrmPopupWnd.h"

TPopupBtn::TPopupBtn(QWidget* parent) : QToolButton(parent)
{
    setFixedSize(23, 22);
    setText(QStringLiteral("…"));
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { RunCommand([this] { Click(); }); });
}

void TPopupBtn::Click()
{
    Run(false);
}

void TPopupBtn::LinkClick()
{
    Run(true);
}

bool TPopupBtn::LinkText(QString& text) const
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(m_linkControl)) {
        text = edit->text();
        return true;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(m_linkControl)) {
        text = combo->currentText();
        return true;
    }
    return false;
}

void TPopupBtn::Run(bool linked)
{
    TfrmPopupWnd popup(m_connection ? *m_connection : SharedConnection::Database(), window());
    popup.SetBaseStatement(m_sql);
    popup.SetColumnTitles(m_titles);
    popup.SetColumnWidths(m_widths);
    const QStringList& statement = linked ? m_linkSql : m_sql;
    QMap<QString, QString> values = m_params;
    if (linked) {
        popup.qryPopup.SQL() = statement;
        for (int p = 0; p < popup.qryPopup.ParamCount(); ++p) {
            const QString name = popup.qryPopup.Params(p).Name().toUpper();
            if (!values.value(name).isEmpty())
                continue;
            QString text;
            if (!LinkText(text))
                return;
            values[name] = text + QLatin1Char('%');
        }
    }
    popup.SetParamValues(values);
    popup.OpenStatement(statement);
    popup.FitWidth();
    Place(popup);
    const bool picked = linked && popup.cdsPopup.RecordCount() == 1 ? true : popup.exec() == QDialog::Accepted;
    m_returnValue = picked ? popup.CurrentValues() : QStringList();
    m_modalResult = picked ? mrOk : mrCancel;
    if (OnClick)
        OnClick(this);
}

void TPopupBtn::Place(TfrmPopupWnd& window) const
{
    const QWidget* container = parentWidget();
    if (m_align == daCenter || !container) {
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
        }
        return;
    }
    const QPoint topLeft = container->mapToGlobal(QPoint(0, 0));
    if (m_align == daTopLeft)
        window.move(topLeft);
    else
        window.move(topLeft.x() + container->width() - window.width(), topLeft.y());
}
