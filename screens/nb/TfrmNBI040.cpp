#include "screens/nb/TfrmNBI040.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "controls/TwMemGrid.h"
#include "framework/TPanel.h"

TfrmNBI040::TfrmNBI040(QWidget* parent) : TSheetImportScreen(QStringLiteral("frmNBI040"), SheetColumns, parent)
{
    auto* data = new QVBoxLayout(panMain);
    data->setContentsMargins(0, 0, 0, 0);
    data->addWidget(rgrGrid);
    BuildSheetColumns({
        {"업장코드", 79, 1000, Qt::AlignLeft},  {"납입월", 75, 200, Qt::AlignLeft},
        {"임대업장명", 103, 30, Qt::AlignLeft}, {"총관리비", 80, 16, Qt::AlignRight},
        {"공급가액", 80, 16, Qt::AlignRight},   {"부가세", 80, 16, Qt::AlignRight},
        {"전기료", 80, 16, Qt::AlignRight},     {"가스료", 80, 16, Qt::AlignRight},
        {"냉난방비", 80, 16, Qt::AlignRight},   {"환경비", 80, 16, Qt::AlignRight},
        {"수도비", 80, 16, Qt::AlignRight},     {"카드수수료", 80, 16, Qt::AlignRight},
    });

    BitBtn1 = NewButton(QStringLiteral("데이타 검증 작업"), QStringLiteral("BitBtn1"), 120, 35);
    AddButton(bbtExcelLoad, bbtSave);
    AddButton(BitBtn1, bbtSave);
    ConnectButton(BitBtn1, [this] { BitBtn1Click(); });
    SetAmountColumns({colTotMoney, colSupPrice, colSupTax, colSupElec, colSupGas, colSupCont, colSupEnvi,
                      colSupWater, colSupTele});
    AddRowButton(BitBtn1);
    AddRowButton(bbtSave);
    CreateForm();
}

void TfrmNBI040::BitBtn1Click()
{
    CheckAvailable(BitBtn1);
    // The check writes nothing: it says so rather than "registered".
    const int rows = SendRows(QStringLiteral("PR_NBI040_IM"));
    ShowInfo(QStringLiteral("데이타 검증이 완료되었습니다. (%1건 이상 없음)").arg(rows));
}

void TfrmNBI040::bbtSaveClick()
{
    CheckAvailable(bbtSave);
    const int rows = SendRows(QStringLiteral("PR_NBI040_01"));
    ShowInfo(QStringLiteral("등록이 완료되었습니다. (%1건)").arg(rows));
}

// The site name (column 3) is only shown, never sent.
int TfrmNBI040::SendRows(const QString& procedure)
{
    prcProc.SetProcedureName(procedure);
    int rows = 0;
    RunInTransaction([this, &rows] {
            rows = CallForEveryLine([this](int line) {
                BindCall({{"AUPJANG_CODE", Cell(colUpjangCode, line)}, {"ANAPIP_MONTH", Cell(colNapipMonth, line)},
                          {"ATOT_MONEY", Cell(colTotMoney, line)},     {"ASUP_PRICE", Cell(colSupPrice, line)},
                          {"ASUP_TAX", Cell(colSupTax, line)},         {"ASUP_ELEC", Cell(colSupElec, line)},
                          {"ASUP_GAS", Cell(colSupGas, line)},         {"ASUP_CONT", Cell(colSupCont, line)},
                          {"ASUP_ENVI", Cell(colSupEnvi, line)},       {"ASUP_WATER", Cell(colSupWater, line)},
                          {"ASUP_TELE", Cell(colSupTele, line)}});
            });
    });
    return rows;
}
