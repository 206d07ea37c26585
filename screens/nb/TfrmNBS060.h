#pragma once

#include "common/TQuery.h"
#include "framework/TfrmZZI070.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TwCustomMaskEdit;
class TwNumEdit;

// Suspense receipts: accounting's suspense-account voucher lines of a period.
// A free line is assigned to a contract and an amount code and booked as a
// receipt carrying the voucher reference; a used line can be cancelled. Both
// go through PR_NBI010_01.
class TfrmNBS060 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNBS060(QWidget* parent = nullptr);

    void FormCreate() override;
    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void rgrGridDblClick();
    void bbt_ContCodeClick();
    void rgrMonthIpgumDblClick();
    void bbt_DeatilSaveClick();
    void bbtExcelClick();
    void LoadMonthIpgum();
    void ClearIpgumInput();

    enum TColumn {
        colSlipNo, colSlipSeq, colMgCode, colSessionId, colSlipName, colPayer, colConfDate, colDAmount, colCAmount,
        colIpYn
    };
    enum TMonthColumn {
        colAmtCode, colAmtCodeName, colNapipAmt, colMinapAmt, colMinapDelayAmt, colTotNapipAmt, colIpgumAmt,
        colRemainAmt
    };

    TwCustomMaskEdit* medSDate;
    TwCustomMaskEdit* medEDate;
    QToolButton* btnMinus;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnPlus;
    QLineEdit* edt_ContCode;
    QPushButton* bbt_ContCode;
    QLineEdit* edt_UpjangCode;
    QLineEdit* edt_UpjangName;
    TwMemGrid* rgrMonthIpgum;
    QLabel* panTitle;
    QLineEdit* edtSlipCode;
    TwCustomMaskEdit* edt_IpgumDate;
    QLineEdit* edt_NapipCode;
    TwNumEdit* edt_IpgumAmt;
    TwNumEdit* edt_RentAmt;
    TwNumEdit* edt_ManagementAmt;
    TwNumEdit* edt_BojungAmt;
    QLineEdit* moRemark;
    QPushButton* bbt_DeatilSave;
    QPushButton* bbtExcel;

    TQuery qryMonthIpgum;

private:
    void BuildSearchBar();
    void BuildDetail();
    // One booking or cancellation in its own transaction; false after a
    // refusal, which has been rolled back and shown.
    bool CallProc(const QString& gubun);
};
