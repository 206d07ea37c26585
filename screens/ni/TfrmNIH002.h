#pragma once

#include "screens/ni/TLookupDialog.h"

// The contract lookup: business sites in use with every lease contract of
// theirs, terminated ones included. The caller shows it modally and reads
// PickedSiteCode, PickedSiteName and PickedContractCode, which stay empty
// unless a row was double-clicked.
class TfrmNIH002 : public TLookupDialog
{
    Q_OBJECT

public:
    explicit TfrmNIH002(QWidget* parent = nullptr);

    QString PickedSiteCode() const { return m_pickedSiteCode; }
    QString PickedSiteName() const { return m_pickedSiteName; }
    QString PickedContractCode() const { return m_pickedContractCode; }

    void bbtSearchClick() override;

protected:
    void FormShow() override;
    void PickRow(int row) override;

private:
    QString m_pickedSiteCode;
    QString m_pickedSiteName;
    QString m_pickedContractCode;
};
