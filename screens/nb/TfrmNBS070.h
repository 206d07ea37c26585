#pragma once

#include <memory>
#include <vector>

#include "framework/TfrmZZI010.h"
#include "screens/nb/TArrearsAgingQuery.h"

class QComboBox;
class QDialog;
class TReportDocument;
class TReportViewer;
class QLineEdit;
class QSplitter;
class TArrearsChart;
class TwCustomMaskEdit;
class TwMemGrid;

// Arrears aging: what every contract owes on a reference day, split by how
// long it has been due (not yet due, 1-30, 31-60, 61-90, 91-180 and more than
// 180 days), with the longest delay. A double click opens the receipts screen
// on the contract and the reference month. Under the grid a chart draws the
// buckets per arcade and what the closings carried at the last month-ends.
// The grid goes to a worksheet, the aging with its chart to the report
// viewer, and the lines checked in the marker column get reminder letters.
class TfrmNBS070 : public TfrmZZI010
{
    Q_OBJECT

public:
    explicit TfrmNBS070(QWidget* parent = nullptr);

    void bbtSearchClick() override;
    void bbtCancelClick() override;
    void bbtExcelClick();
    void bbtReportClick();
    void bbtLetterClick();
    void bbt_ArcadeClick();
    void rgrGridDblClick();

    enum TColumn {
        colContCode, colCName, colBossName, colShopName, colPeriod, colNotDue, col1To30, col31To60, col61To90,
        col91To180, colOver180, colTotal, colLongestDays, colArcade, colMinapChk, colChosen, colCCode, colShopCode,
        colCount
    };

    // The search conditions as the statements take them.
    TArrearsAgingQuery::TFilter Filter() const;
    // What the last search found, in the order it was read.
    const std::vector<TArrearsAgingQuery::TContract>& Found() const { return m_found; }

    TwCustomMaskEdit* edtRefDate;
    QLineEdit* edt_Arcade;
    QPushButton* bbt_Arcade;
    QLineEdit* edt_ArcadeName;
    QComboBox* cbxAmtCode;
    QLineEdit* edtFindName;
    TwMemGrid* rgrGrid;
    QSplitter* splMain;
    TArrearsChart* chtAging;
    QPushButton* bbtExcel;
    QPushButton* bbtReport;
    QPushButton* bbtLetter;
    // The report window of the last print; nullptr before the first.
    QDialog* dlgReport = nullptr;
    TReportViewer* rvwReport = nullptr;

protected:
    void FormCreate() override;

private:
    void BuildSearchBar();
    void BuildGrid();
    void FillGrid();
    void FillChart(const TArrearsAgingQuery::TFilter& filter);
    QString ConditionsText() const;
    void ShowReport(std::unique_ptr<TReportDocument> document);

    std::vector<TArrearsAgingQuery::TContract> m_found;
};
