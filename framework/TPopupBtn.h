#pragma once

#include <QMap>
#include <QStringList>
#include <QToolButton>
#include <functional>

class TDatabase;
class TfrmPopupWnd;

// The small button beside a search field that opens the code search window
// on its statement; the values of the picked row come back in ReturnValue
// and the button's OnClick fires last, picked or not. LinkClick runs the
// linked variant once: its own statement, empty parameters filled with the
// linked field's text + "%", and a single row picked without showing the
// window.
class TPopupBtn : public QToolButton
{
    Q_OBJECT

public:
    enum TDialogAlign { daCenter, daTopLeft, daTopRight };
    enum TModalResult { mrNone, mrOk, mrCancel };

    explicit TPopupBtn(QWidget* parent = nullptr);

    QStringList& SQL() { return m_sql; }
    QStringList& LinkSQL() { return m_linkSql; }
    // Values for the statements' parameters of the same name.
    QMap<QString, QString>& Params() { return m_params; }
    void SetParam(const QString& name, const QString& value) { m_params[name.toUpper()] = value; }
    // A line edit or a combo box.
    QWidget* LinkControl() const { return m_linkControl; }
    void SetLinkControl(QWidget* value) { m_linkControl = value; }
    QStringList& ColumnTitles() { return m_titles; }
    QStringList& ColumnWidths() { return m_widths; }
    TDialogAlign ReferDialogAlign() const { return m_align; }
    void SetReferDialogAlign(TDialogAlign value) { m_align = value; }
    TDatabase* SQLConnection() const { return m_connection; }
    void SetSQLConnection(TDatabase* value) { m_connection = value; }

    const QStringList& ReturnValue() const { return m_returnValue; }
    TModalResult ModalResult() const { return m_modalResult; }

    // The normal variant (what a click does).
    void Click();
    void LinkClick();

    std::function<void(QObject* Sender)> OnClick;

private:
    void Run(bool linked);
    // The linked field's text; false when the control is of no accepted kind.
    bool LinkText(QString& text) const;
    void Place(TfrmPopupWnd& window) const;

    QStringList m_sql;
    QStringList m_linkSql;
    QMap<QString, QString> m_params;
    QWidget* m_linkControl = nullptr;
    QStringList m_titles;
    QStringList m_widths;
    TDialogAlign m_align = daCenter;
    TDatabase* m_connection = nullptr;
    QStringList m_returnValue;
    TModalResult m_modalResult = mrNone;
};
