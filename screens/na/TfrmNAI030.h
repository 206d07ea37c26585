#pragma once

#include "screens/na/TfrmNAI020.h"

class QToolButton;

// Lease re-contract: an active contract is taken into the panel with its
// period a year on ("임대 재계약"), an additional deposit is added by a rate,
// and the renewal goes to PR_NAI020_01 with edit status "4" in one call.
class TfrmNAI030 : public TfrmNAI020
{
    Q_OBJECT

public:
    explicit TfrmNAI030(QWidget* parent = nullptr);

    // Columns where the re-contract list differs from the contract list.
    enum TRenewalColumn { colRecontDate = colMinapChk, colRecontStartDate, colRecontEndDate };

    void bbtSearchClick() override;
    void bbtSaveClick() override;
    void bbtCancelClick() override;
    void bbtAddClick() override;
    void bbt_InfoUpdateClick();
    void edt_CCodeChange(QObject* Sender) override;
    bool nedDepositKeyPress(QWidget* Sender) override;

    TwNumEdit* edt_AddRate;
    QToolButton* bbt_InfoUpdate;

private:
    // The additional deposit from the rate, the total, and the grid's
    // additional deposit and the deposit held before it.
    void ApplyRate();
    void UpdateTotal();
    void BindRenewal(int row);
    void ForgetPanel();

    // The panel holds the contract of the current row, taken by "임대 재계약".
    bool m_panelLoaded = false;
};
