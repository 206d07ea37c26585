#pragma once

#include "framework/TfrmZZI090.h"

class QLabel;
class QLineEdit;

// The code lookup: a modal dialog that lists arcade codes (mode "1"), lease
// types ("2"), trading partners in use ("3") or leasable business sites
// ("4"). The caller creates it without owner, sets LookupMode, shows it
// modally and then reads PickedCode and PickedName, which stay empty unless
// a row was double-clicked.
class TfrmNIH001 : public TfrmZZI090
{
    Q_OBJECT

public:
    explicit TfrmNIH001(QWidget* parent = nullptr);

    QString LookupMode() const { return m_lookupMode; }
    void SetLookupMode(const QString& mode) { m_lookupMode = mode; }
    QString PickedCode() const { return m_pickedCode; }
    QString PickedName() const { return m_pickedName; }

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    // Picks the current row and closes the dialog.
    void rgrGridDblClick();

    QLabel* lbl_Find;
    QLineEdit* edtFindName;

protected:
    // The first show: the find box, the third column and, for the code
    // lists, the search at once, by mode.
    virtual void FormShow();
    void showEvent(QShowEvent* e) override;

private:
    QString m_lookupMode;
    QString m_pickedCode;
    QString m_pickedName;
    bool m_shown = false;
};
