#pragma once

#include "framework/TfrmZZI010.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TwCustomMaskEdit;
class TwMemGrid;

// Billing and arrears inquiry: what was billed to each contract and what is
// still outstanding, for deposit, rent or management fee. Each kind has its
// own statement and grid layout; the grid is rebuilt on every kind change.
class TfrmNBS040 : public TfrmZZI010
{
    Q_OBJECT

public:
    explicit TfrmNBS040(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtExcelClick();
    void cbxGubnChange();
    // The statement a search runs, as text.
    QString SearchStatement() const;

    enum TKind { gkDeposit, gkRent, gkManagementFee };

    QLabel* lblMonth;
    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;
    QLineEdit* edtFindShopName;
    QLineEdit* edtFindBossName;
    QComboBox* cbxGubn;
    TwMemGrid* rgrMain;
    QPushButton* bbtExcel;

protected:
    void FormCreate() override;

private:
    void BuildSearchBar();
    int FieldCount() const;
};
