#pragma once

#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "framework/TfrmZZI070.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TPanel;
class TwCustomMaskEdit;
class TwNumEdit;

// Receipts: books what a contract pays for one month, against one amount
// code or against the month's total line, and deletes booked receipts. Both
// writes are their own procedure calls (PR_NBI010_01, PR_NBI010_02); the
// generic save of the base screen is not used.
class TfrmNBI010 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNBI010(QWidget* parent = nullptr);

    void FormCreate() override;
    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void rgrGridRowChange();
    void rgrMonthIpgumDblClick();
    void edt_IpgumAmtChange(QObject* sender);
    void bbt_DeatilSaveClick();
    void rgrIpgumProcessDblClick();
    void bbtIpgumDeleteClick();
    void bbtIpgumCancelClick();
    void bbtExcelClick();
    void bbt_CCodeClick();
    void bbt_UpjangCodeClick();
    void LoadMonthIpgum();
    void LoadIpgumProcess();
    void ClearIpgumInput();
    // Lists the contracts of the shop and partner for the month and makes the
    // contract's line current (another screen asked for it); false when the
    // list does not hold it (a contract without arrears management).
    bool ShowContract(const QString& contCode, const QString& shopCode, const QString& cCode,
                      const QString& month);

    enum TColumn { colContCode, colCCode, colCName, colShopCode, colShopName, colStartDate, colEndDate };
    enum TMonthColumn {
        colAmtCode, colAmtCodeName, colNapipAmt, colMinapAmt, colMinapDelayAmt, colTotNapipAmt, colIpgumAmt,
        colRemainAmt, colMonthDelayAmt
    };
    enum THistoryColumn {
        hisContCode, hisAmtCode, hisNapipMonth, hisNapipDate, hisNapipGubun, hisIpgumDate, hisIpgumSeq, hisIpgumAmt,
        hisRemarks, hisSysDate
    };

    QToolButton* btnMinus;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnPlus;
    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QLineEdit* edt_CCode;
    QPushButton* bbt_CCode;
    QLineEdit* edt_CCodeName;

    TwMemGrid* rgrMonthIpgum;
    QLabel* panTitle;
    QLineEdit* edtContCodeView;
    QLineEdit* edt_NapipCode;
    TwNumEdit* edt_NapipAmt;
    TwNumEdit* edt_RentAmt;
    TwNumEdit* edt_ManagementAmt;
    TwNumEdit* edt_BojungAmt;
    QLineEdit* moRemark;
    QLineEdit* edtSlipCode;
    TwCustomMaskEdit* edt_IpgumDate;
    TwNumEdit* edt_IpgumAmt;
    QPushButton* bbt_DeatilSave;
    TwMemGrid* rgrIpgumProcess;
    QWidget* panDelete;
    QPushButton* bbtIpgumDelete;
    QPushButton* bbtIpgumCancel;
    QPushButton* bbtExcel;

    TQuery qryMonthIpgum;
    TQuery qryIpgumProcess;
    TStoredProc prcDelete;

private:
    void BuildSearchBar();
    void BuildDetail();
    void CallInTransaction(TStoredProc& proc, const std::function<void()>& bind);
    // The receipt or its management-fee share exceeds what is open.
    bool AmountTooLarge() const;
    // On leaving an amount: says so in the status bar, without a box.
    void NoteTooMuch();
    QString ContractCell(int column) const;
    double Balance(int row) const;
    void ZeroShares();
    QString SiteName() const;
    QString m_siteName;
};
