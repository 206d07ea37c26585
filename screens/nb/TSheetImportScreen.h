#pragma once

#include <QString>
#include <Qt>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include <QList>

#include "common/TStoredProc.h"
#include "framework/TfrmZZI000.h"

class QAbstractButton;
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
    // The sheet columns that hold amounts: a first row with no number in
    // any of them is the sheet's column titles.
    void SetAmountColumns(std::initializer_list<int> columns);
    // A button that works on the loaded rows: enabled only while there are some.
    void AddRowButton(QAbstractButton* button);

    // The calls of one run in one transaction on the shared connection: all
    // of them or none. A failure rolls the whole run back, shows the save
    // error with the server's text and aborts the command.
    void RunInTransaction(const std::function<void()>& calls);
    // Binds every parameter of prcProc: the given values, the employee and
    // the client address, and null for all others, so that nothing of an
    // earlier call is sent again.
    void BindCall(std::initializer_list<std::pair<const char*, QString>> values);
    // Calls prcProc once per grid line in order, bound by `bindLine`; a
    // refusal names the sheet row. Wholly empty lines are passed over. The
    // bar follows the calls; returns how many calls were made.
    int CallForEveryLine(const std::function<void(int line)>& bindLine);
    QString Cell(int column, int line) const;

    bool FormCloseQuery() override;

private:
    bool LineIsEmpty(int line) const;
    bool LineIsTitles(int line) const;
    // After a load: the titles row out, and the rows' buttons as the rows allow.
    void TakeLoadedRows(const QString& fileName);
    void EnableRowButtons();

    int m_sheetColumns;
    bool m_busy = false;
    std::vector<int> m_amountColumns;
    QList<QAbstractButton*> m_rowButtons;
    int m_firstSheetRow = 1; // the sheet row of grid line 0
};
