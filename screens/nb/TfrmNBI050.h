#pragma once

#include "screens/nb/TSheetImportScreen.h"

class QLineEdit;
class QToolButton;
class TwCustomMaskEdit;

// Basic data of a site's contract, billed amounts and receipts per month:
// loaded from a spreadsheet file and registered by PR_NBI050_01 (AGUBUN
// "1") for the contract picked in the site's contract list; "초기화" clears
// that contract's basic data for a month range (AGUBUN "3").
class TfrmNBI050 : public TSheetImportScreen
{
    Q_OBJECT

public:
    explicit TfrmNBI050(QWidget* parent = nullptr);

    void bbtSaveClick() override;
    // Registration or initialisation, by the button that was clicked.
    void bbtSaveClick(QPushButton* Sender);
    void bbt_UpjangCodeClick();
    void edt_UpjangCodeChange();

    // Grid columns; sheet column j is grid column j.
    enum TColumn {
        colNll, colUpjangCode, colAmtCode, colNapipMonth, colNapipAmt, colIpgumMonth, colIpgumDate, colIpgumAmt
    };
    static constexpr int SheetColumns = colIpgumAmt;
    enum TContractColumn { conContCode, conBossName, conEndDate };

    TwCustomMaskEdit* medMonth;
    QToolButton* btnMinus;
    QToolButton* btnPlus;
    TwCustomMaskEdit* medMonth2;
    QToolButton* btnMinus2;
    QToolButton* btnPlus2;
    QLineEdit* edt_UpjangCode;
    QPushButton* bbt_UpjangCode;
    QLineEdit* edt_UpjangCodeName;
    QPushButton* bbtDataInitial;
    TwMemGrid* rgrUpjangList;

protected:
    void FormCreate() override;

private:
    QWidget* BuildInitialGroup(QWidget* parent);
    QWidget* BuildLoadGroup(QWidget* parent);
    void BuildGrid();
    void Initialise(const QString& contract);
    void Register(const QString& contract);
};
