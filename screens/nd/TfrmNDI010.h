#pragma once

#include "framework/TfrmZZI070.h"

class QToolButton;
class TwCustomMaskEdit;

// Monthly closing with carry-over: previews what each schedule line of a
// month carries into the next (unpaid amount and late fee) and lets
// PR_NDI010_01 close the month, cancel it, or cancel a range of months.
// Only the grid and the search cycle of the base screen are used.
class TfrmNDI010 : public TfrmZZI070
{
    Q_OBJECT

public:
    explicit TfrmNDI010(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtSaleCloseClick(QPushButton* sender);
    void medMonthChange();
    // − stops at the lowest month that may still be worked on.
    void StepBack(TwCustomMaskEdit* month);

    enum TColumn {
        colContCode, colUpjangCode, colUpjangName, colAmtCode, colMonth, colLastMinap, colLastDelay,
        colNextDate, colNapipAmt, colIpgumAmt, colIpgumDelay, colThisMinap, colThisDelay
    };

    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;
    TwCustomMaskEdit* medMonth2;
    QToolButton* btnMinus2;
    QToolButton* btnPlus2;
    TwCustomMaskEdit* medMonth3;
    QToolButton* btnMinus3;
    QToolButton* btnPlus3;
    QPushButton* bbtSaleClose;
    QPushButton* bbtSaleCloseCancel;
    QPushButton* bbtTotalCancel;

protected:
    void FormCreate() override;

private:
    void BuildGrid();
    void BuildMonths();
    void RunClosing(const QString& kind);
};
