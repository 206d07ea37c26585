#pragma once

#include "screens/TRegisterScreen.h"

class QComboBox;
class QLineEdit;
class TwCustomMaskEdit;

// Tenant registration: the trading partners (VA050MS) who sign lease
// contracts. A search lists them by name or representative; a new tenant gets
// the next free code on save. The server checks the business registration
// number and refuses one another tenant already has; a tenant with contracts
// can be put out of use but not deleted. Saving sends each changed row
// through PR_NAI060_01.
class TfrmNAI060 : public TRegisterScreen
{
    Q_OBJECT

public:
    explicit TfrmNAI060(QWidget* parent = nullptr);

    // Grid columns, counted from 0, in the order of the search statement's fields.
    enum TColumn { colCode, colName, colBossName, colBizNo, colPhone, colMobile, colAddress, colUseYn };

    QLineEdit* edtFindName;

    QLineEdit* edtCode;
    QLineEdit* edtName;
    QLineEdit* edtBossName;
    TwCustomMaskEdit* medBizNo;
    QLineEdit* edtPhone;
    QLineEdit* edtMobile;
    QLineEdit* edtAddress;
    QComboBox* cmbUseYN;

protected:
    void BindSearch() override;

private:
    void BuildPanel();
    void BuildGrid();
};
