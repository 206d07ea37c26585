#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>
#include <functional>

#include "common/TQuery.h"
#include "common/TQueryProvider.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwDataSource.h"

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QToolButton;
class TDatabase;
class TStatusBar;
class TwDBGrid;

// The window "코드검색" of the code search popup: the rows of a statement in
// a list, narrowed by a part of one column's value, one of them picked.
class TfrmPopupWnd : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmPopupWnd(TDatabase& database, QWidget* parent = nullptr);
    ~TfrmPopupWnd() override;

    // The base statement of the refine search, and how the columns show.
    void SetBaseStatement(const QStringList& lines) { m_base = lines; }
    void SetColumnTitles(const QStringList& titles) { m_titles = titles; }
    void SetColumnWidths(const QStringList& widths) { m_widths = widths; }
    // Values of the statements' parameters by name; bound at every open.
    void SetParamValues(const QMap<QString, QString>& values) { m_paramValues = values; }

    // Runs a statement and lists its rows.
    void OpenStatement(const QStringList& lines);
    // The base statement narrowed by the chosen column and the typed text.
    void Refine();
    // The current row's values, one per column in order ("" as " "); empty
    // without rows.
    QStringList CurrentValues() const;
    // Widens the window to show every column and stretches the find text.
    void FitWidth();

    TQuery qryPopup;
    TQueryProvider dspPopup;
    TwClientDataSet cdsPopup;
    TwDataSource dtsPopup;

    QToolButton* NavFirst;
    QToolButton* NavPrior;
    QToolButton* NavNext;
    QToolButton* NavLast;
    QToolButton* SpeedButtonOk;
    QToolButton* SpeedButtonCancel;
    QToolButton* SpeedButtonRetrieve;
    QComboBox* ComboBox;
    QLineEdit* Edit;
    TwDBGrid* DBGrid;
    TStatusBar* StatusBar;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* ToolButton(const QString& name, const QString& text, const QString& hint);
    void BuildToolbar(QHBoxLayout* bar);
    void BindParams();
    void cdsPopupAfterOpen();
    void Pick();
    bool EditKey(int key);
    bool ComboKey(int key);
    bool GridKey(int key);
    void Guard(const std::function<void()>& action);

    QStringList m_base;
    QStringList m_titles;
    QStringList m_widths;
    QMap<QString, QString> m_paramValues;
};
