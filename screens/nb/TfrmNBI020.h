#pragma once

#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "framework/TfrmZZI070.h"

class QLineEdit;
class QRadioButton;
class QToolButton;
class TwCustomMaskEdit;
class TwNumEdit;

// Payment schedule: the monthly amounts of rent or management fee an active
// contract owes (NB010MS). The search lists the contracts; the schedule of
// the current one shows on the right. One month is registered or deleted
// through PR_NBI020_01, the whole schedule is built again by PR_NBI020_02.
// Nothing is edited in the grids, so the base screen's generic save is not
// used: Save and Delete both run bbtSaveClick's month call.
class TfrmNBI020 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNBI020(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtSaveClick() override;
    void bbtDeleteClick() override;
    void bbtCancelClick() override;
    void bbtSCreateClick();
    void rgrScheduleDblClick();
    void bbt_CCodeClick();
    void bbt_UpjangCodeClick();
    void LoadSchedule();
    // "02" rent or "03" management fee, as the radio buttons choose.
    QString AmountCode() const;

    // Contract grid columns, counted from 0, in the order of the search's fields.
    enum TColumn {
        colContCode, colCCode, colCName, colShopCode, colShopName, colStartDate, colEndDate, colDeposit,
        colLeaseMoney, colManagePay, colDelayRate, colSpare
    };
    enum TScheduleColumn { colMonth, colDate, colAmount, colRate };

    QLineEdit* edtContCode;
    QLineEdit* edt_CCode;
    QPushButton* bbt_CCode;
    QLineEdit* edt_CCodeName;
    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    TwMemGrid* rgrSchedule;
    TwNumEdit* edt_NapipAmt;
    QToolButton* btnMinus;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnPlus;
    QPushButton* bbtSCreate;
    QLineEdit* edtContCodeView;

    TQuery qrySchedule;
    TStoredProc prcCreate;

private:
    void BuildSearchBar();
    void BuildSchedule();
    void SaveMonth(bool deleting);
    // Runs one call in a transaction; a refusal is rolled back and shown.
    void CallInTransaction(TStoredProc& proc, const std::function<void()>& bind,
                           const std::function<void()>& afterCall);
    QString CurrentCell(int column) const;
};
