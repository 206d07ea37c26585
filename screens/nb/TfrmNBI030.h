#pragma once

#include "common/TQuery.h"
#include "framework/TfrmZZI070.h"

class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TwCustomMaskEdit;
class TwNumEdit;

// Management-fee billing: the bill of one contract for one month with its
// utility charges, kept by PR_NBI030_01. The contracts are listed with the
// chosen month's management-fee line; the base screen's grid shows that
// contract's fee lines up to the month, newest first, with what was received.
// A bill needs the month's line, so a contract without one is refused here.
class TfrmNBI030 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNBI030(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void bbt_DeatilSaveClick();
    void rgrContractRowChange();
    void bbt_CCodeClick();
    void bbt_UpjangCodeClick();
    // Leaving a charge box: the total is their sum.
    void UpdateTotal();
    // The total splits into supply price (÷ 1.1, whole) and tax (the rest).
    void edt_TotAmtChange();
    void ClearPanel();
    void FillPanelHeader();
    void LoadSchedule();

    // Contract grid columns, counted from 0, in the order of qryContract's fields.
    enum TColumn {
        colContCode, colCCode, colCName, colShopCode, colShopName, colStartDate, colEndDate, colDeposit,
        colLeaseMoney, colManagePay, colDelayRate, colNapipDate, colNapipAmt
    };
    enum TScheduleColumn { colSchContCode, colSchMonth, colSchDate, colSchAmount, colSchReceived };

    QLineEdit* edt_CCode;
    QPushButton* bbt_CCode;
    QLineEdit* edt_CCodeName;
    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QToolButton* btnMinus;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnPlus;
    TwMemGrid* rgrContract;

    QLineEdit* edtContCode;
    TwCustomMaskEdit* edt_NapipMonth;
    TwCustomMaskEdit* edt_NapipDate;
    TwCustomMaskEdit* edt_RequestDate;
    TwNumEdit* edt_Elec;
    TwNumEdit* edt_Gas;
    TwNumEdit* edt_Cont;
    TwNumEdit* edt_Envi;
    TwNumEdit* edt_Water;
    TwNumEdit* edt_Tele;
    TwNumEdit* edt_Price;
    TwNumEdit* edt_tax;
    TwNumEdit* edt_TotAmt;
    QPlainTextEdit* moRemark;
    QPushButton* bbt_DeatilSave;

    TQuery qryContract;

protected:
    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildSearchBar();
    void BuildGrids();
    void BuildPanel();
    QList<TwNumEdit*> Charges() const;
};
