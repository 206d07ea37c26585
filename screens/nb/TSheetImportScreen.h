#pragma once

#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>
#include <utility>

#include "common/TStoredProc.h"
#include "framework/TfrmZZI000.h"

class QFileDialog;
class QLabel;
class QProgressBar;
class TwMemGrid;

// What the sheet import screens share: the grid of sheet rows (column 0
// hidden and empty, sheet column j in grid column j), "Excel Load" with its
// open dialog, the bar and the result label in the button strip, Save(F2),
// and the registration of the rows through prcProc in one transaction. The
// status bar is not used.
class TSheetImportScreen : public TfrmZZI000
{
    Q_OBJECT

public:
    void bbtExcelLoadClick();
    virtual void bbtSaveClick() = 0;

    TwMemGrid* rgrGrid;
    QPushButton* bbtExcelLoad;
    QPushButton* bbtSave;
    QProgressBar* ProgressBar1;
    QLabel* Label2;
    QFileDialog* opdlg1;
    TStoredProc prcProc;

protected:
    // A grid column of the sheet: caption, display width, character capacity
    // and alignment.
    struct TSheetColumn
    {
        const char* caption;
        int width;
        int dataWidth;
        Qt::Alignment alignment;
    };

    TSheetImportScreen(const QString& formName, int sheetColumns, QWidget* parent);

    // Column 0 and then one read-only text column per sheet column.
    void BuildSheetColumns(std::initializer_list<TSheetColumn> columns);

    // The calls of one run in one transaction on the shared connection: all
    // of them or none. Success shows `doneMessage`; a failure rolls the whole
    // run back and shows the save error with the server's text.
    void RunInTransaction(const std::function<void()>& calls, const QString& doneMessage);
    // Binds every parameter of prcProc: the given values, the employee and
    // the client address, and null for all others, so that nothing of an
    // earlier call is sent again.
    void BindCall(std::initializer_list<std::pair<const char*, QString>> values);
    // Calls prcProc once per grid line in order, bound by `bindLine`; a
    // refusal names the sheet row. The bar follows the calls.
    void CallForEveryLine(const std::function<void(int line)>& bindLine);
    QString Cell(int column, int line) const;

    bool FormCloseQuery() override;

private:
    int m_sheetColumns;
    bool m_busy = false;
};
