#pragma once

#include <QStringList>

#include "framework/TfrmZZS010.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class TReportViewer;
class TwCustomMaskEdit;

// A report screen: its search conditions above, one report viewer below.
// Searching opens the screen's report definition with the "/rp [..]"
// argument string of its conditions; the screen itself runs no statement.
// Print and preview are the viewer's own, so the base buttons are hidden.
class TReportScreen : public TfrmZZS010
{
    Q_OBJECT

public:
    TReportScreen(const QString& formName, const QString& reportFile, QWidget* parent);

    void bbtSearchClick() override;

    const QString& ReportFile() const { return m_reportFile; }
    // The argument string of the current search conditions.
    QString ReportArguments() const;

    TReportViewer* ReportViewer1;

protected:
    // The conditions' texts in the order the report takes them.
    virtual QStringList ReportValues() const = 0;
    // Runs once, when the screen is first shown.
    virtual void FormShow() {}

    struct TMonthField {
        QToolButton* minus;
        TwCustomMaskEdit* month;
        QToolButton* plus;
    };
    TMonthField AddMonthField(const QString& caption);
    struct TCodeField {
        QLineEdit* code;
        QPushButton* button;
        QLineEdit* name; // nullptr when the field has none
    };
    TCodeField AddCodeField(const QString& caption, const QString& codeName, const QString& buttonName,
                            const QString& nameName);
    // The current month into a month box.
    static void ShowThisMonth(TwCustomMaskEdit* month);

    void showEvent(QShowEvent* event) override;

private:
    QString m_reportFile;
    bool m_shown = false;
};
