#pragma once

#include "framework/TfrmZZI090.h"

class QLabel;
class QLineEdit;

// The contract lookup: business sites in use with every lease contract of
// theirs, terminated ones included. The caller shows it modally and reads
// PickedSiteCode, PickedSiteName and PickedContractCode, which stay empty
// unless a row was double-clicked.
class TfrmNIH002 : public TfrmZZI090
{
    Q_OBJECT

public:
    explicit TfrmNIH002(QWidget* parent = nullptr);

    QString PickedSiteCode() const { return m_pickedSiteCode; }
    QString PickedSiteName() const { return m_pickedSiteName; }
    QString PickedContractCode() const { return m_pickedContractCode; }

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    // Picks the current row and closes the dialog.
    void rgrGridDblClick();

    QLabel* lbl_Find;
    QLineEdit* edtFindName;

protected:
    virtual void FormShow();
    void showEvent(QShowEvent* e) override;

private:
    QString m_pickedSiteCode;
    QString m_pickedSiteName;
    QString m_pickedContractCode;
    bool m_shown = false;
};
