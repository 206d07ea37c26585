#pragma once

#include "common/TQuery.h"
#include "framework/TfrmZZI070.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// Closing inquiry: the contracts on the left, the monthly closing rows
// (NB030MS) of the current contract on the right, filtered by amount code.
class TfrmNDS020 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNDS020(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void bbtExcelClick();
    void bbt_UpjangCodeClick();
    void LoadMagamData();
    // "01", "02", "03", or empty for every code.
    QString AmountCode() const;

    enum TColumn { colContCode, colCCode, colCName, colShopCode, colShopName, colStartDate, colEndDate };
    enum TMagamColumn {
        mcUpjangName, mcAmtCode, mcMonth, mcDate, mcLastMinap, mcLastDelay, mcNapipAmt, mcIpgumAmt,
        mcIpgumDelay, mcThisMinap, mcThisDelay
    };

    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QCheckBox* chkYesCont;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    TwMemGrid* rgrMagamData;
    QPushButton* bbtExcel;

    TQuery qryMagam;

private:
    void BuildSearchBar();
    void BuildGrids();
};
