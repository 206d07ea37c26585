#pragma once

#include "screens/nb/TSheetImportScreen.h"

// The monthly management-fee sheet per business site with its utility
// breakdown: loaded from a spreadsheet file, checked row by row by
// PR_NBI040_IM ("데이타 검증 작업") and registered by PR_NBI040_01, each run
// in one transaction. The grid keeps its rows, so a checked sheet can then
// be registered.
class TfrmNBI040 : public TSheetImportScreen
{
    Q_OBJECT

public:
    explicit TfrmNBI040(QWidget* parent = nullptr);

    void BitBtn1Click();
    void bbtSaveClick() override;

    // Grid columns; sheet column j is grid column j.
    enum TColumn {
        colNll, colUpjangCode, colNapipMonth, colUpjangName, colTotMoney, colSupPrice, colSupTax, colSupElec,
        colSupGas, colSupCont, colSupEnvi, colSupWater, colSupTele
    };
    static constexpr int SheetColumns = colSupTele;

    QPushButton* BitBtn1;

private:
    int SendRows(const QString& procedure);
};
