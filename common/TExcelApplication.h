#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "common/TExcelRange.h"
#include "common/TExcelWorkbooks.h"

// The client's spreadsheet application: a stand-in object model offering the
// operations the exports and imports call. Workbooks live in memory; making
// the application visible writes the active workbook as a .xlsx file and
// hands it to the desktop's spreadsheet program.
class TExcelApplication
{
public:
    // How the application finds and starts the program that shows a workbook.
    // Tests replace it so that nothing is started.
    struct THost
    {
        // The program that shows a .xlsx file, or empty when there is none.
        std::function<QString()> FindViewer;
        // Shows the file with that program; false when it could not be started.
        std::function<bool(const QString& viewer, const QString& fileName)> Show;
    };
    static void SetHost(const THost& host);
    static THost DefaultHost();

    // What the caller needs: exports show their workbook and need a program
    // for it; imports only read files, which needs no program.
    enum TPurpose { epShow, epRead };

    // The application object for the class name "Excel.Application" (in any
    // case), or null when it cannot be created: an unknown class name, or
    // for epShow no program on this machine to show a workbook.
    static std::unique_ptr<TExcelApplication> Create(const QString& progId, TPurpose purpose = epShow);

    TExcelWorkbooks& Workbooks() { return m_workbooks; }
    // The active workbook's active sheet; throws EExcelError without a workbook.
    TExcelWorksheet& ActiveSheet();
    TExcelRange Cells(int row, int col);
    TExcelRange Range(const TExcelRange& first, const TExcelRange& last);

    bool Visible() const { return m_visible; }
    // true: writes every workbook not yet shown to a .xlsx file in the
    // temporary folder and opens it with the viewer. Throws EExcelError.
    void SetVisible(bool visible);
    bool DisplayAlerts() const { return m_displayAlerts; }
    void SetDisplayAlerts(bool displayAlerts) { m_displayAlerts = displayAlerts; }
    // Closes every workbook without saving.
    void Quit();

    // The files handed to the viewer, in order.
    const QStringList& ShownFiles() const { return m_shownFiles; }

private:
    explicit TExcelApplication(const QString& viewer);
    void Show(TExcelWorkbook& book);

    QString m_viewer;
    TExcelWorkbooks m_workbooks;
    bool m_visible = false;
    bool m_displayAlerts = true;
    QStringList m_shownFiles;
};
