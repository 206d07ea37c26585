#include "common/SpreadsheetExport.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "common/EExcelError.h"
#include "common/MessageBoxes.h"
#include "common/TExcelApplication.h"
#include "common/TQuery.h"
#include "common/TXlsTableSource.h"
#include "common/TXlsWriter.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

const QString kExcelProgId = QStringLiteral("Excel.Application");
const QString kNoFileName = QStringLiteral("^저장할 파일 이름을 지정하지 않았습니다.");
const QString kCannotSave = QStringLiteral("^Excel 파일로 저장할 수 없습니다.");

TXlsSaveDialog& SaveDialog()
{
    static TXlsSaveDialog dialog;
    return dialog;
}

QString AskFileName(const QString& defaultName)
{
    const QString filter = QStringLiteral("Excel 파일(*.xls)");
    if (SaveDialog())
        return SaveDialog()(defaultName, filter);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), defaultName, filter);
}

// Runs one export step by step; any failure goes to the error box.
template <typename Fill>
bool RunExport(Fill&& fill)
{
    try {
        auto app = TExcelApplication::Create(kExcelProgId);
        if (!app)
            throw EExcelError(QStringLiteral("MS-EXCEL이 설치되어 있지 않습니다."));
        app->Workbooks().Add();
        fill(*app);
        app->SetVisible(true);
        return true;
    } catch (const ESelvarError& error) {
        ShowError(error.Message());
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

// A grid as the binary worksheet writer reads it.
class TGridTable : public TXlsTableSource
{
public:
    explicit TGridTable(TwMemGrid& grid) : m_grid(grid) {}

    int ColumnCount() const override { return m_grid.Columns()->Count(); }
    int RowCount() const override { return m_grid.RowCount(); }
    QString ColumnTitle(int col) const override { return Column(col)->Title()->Caption(); }
    bool IsNumberColumn(int col) const override
    {
        switch (Column(col)->DataType()) {
        case wdtShort: case wdtSmall: case wdtWord: case wdtLong: case wdtFloat:
            return !Column(col)->DisplayFormat().contains(u'-');
        default:
            return false;
        }
    }
    double Number(int row, int col) const override { return m_grid.Cells(col, row).AsFloat(); }
    QString Text(int row, int col) const override { return m_grid.Cells(col, row).AsString(); }

private:
    TwMemColumn* Column(int col) const { return static_cast<TwMemColumn*>(m_grid.Columns()->Items(col)); }

    TwMemGrid& m_grid;
};

} // namespace

bool CheckExcelInstalled()
{
    if (TExcelApplication::Create(kExcelProgId))
        return true;
    ShowInfo(QStringLiteral("MS-EXCEL이 설치되어 있지 않습니다."));
    return false;
}

void ExportGridToExcel(TwMemGrid& grid)
{
    if (!CheckExcelInstalled())
        return;
    RunExport([&](TExcelApplication& app) {
        app.Cells(1, 2).SetValue(QStringLiteral("< 제목 :  >"));
        app.Cells(2, 3).SetValue(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        const int cols = grid.Columns()->Count();
        for (int row = 0; row < grid.RowCount(); ++row)
            for (int col = 0; col < cols; ++col) {
                // A text column stays text: a code "0101" is not the number 101.
                TwCells& cell = grid.Cells(col, row);
                const bool text = TwIsTextType(grid.Column(col)->DataType()) && !cell.IsNull();
                app.Cells(row + 4, col + 1).SetValue(text ? QVariant(QString(u'\'') + cell.AsString())
                                                          : cell.AsVariant());
            }
    });
}

bool ExportQueryToExcel(TQuery& query, const QString& title)
{
    if (!CheckExcelInstalled())
        return false;
    return RunExport([&](TExcelApplication& app) {
        const int headerRow = title.isEmpty() ? 1 : 3;
        if (!title.isEmpty())
            app.Cells(1, 2).SetValue(title);
        for (int k = 0; k < query.FieldCount(); ++k)
            app.Cells(headerRow, k + 1).SetValue(query.Fields(k).FieldName());
        int row = headerRow;
        for (query.First(); !query.Eof(); query.Next()) {
            ++row;
            for (int k = 0; k < query.FieldCount(); ++k) {
                const TField& field = query.Fields(k);
                const QString text = field.AsString();
                app.Cells(row, k + 1).SetValue(field.DataType() == ftString ? QString(u'\'') + text : text);
            }
        }
    });
}

QString SaveGridAsXls(TwMemGrid& grid, const QString& title, bool askFileName, const QString& defaultName)
{
    return SaveTableAsXls(TGridTable(grid), title, askFileName, defaultName);
}

void SetXlsSaveDialog(const TXlsSaveDialog& dialog)
{
    SaveDialog() = dialog;
}

QString XlsFileName(const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString name = info.fileName();
    if (info.suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0)
        return fileName;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot >= 0 ? name.left(dot) : name;
    const QString folder = fileName.left(fileName.size() - name.size());
    return folder + base + QStringLiteral(".xls");
}

QString SaveTableAsXls(const TXlsTableSource& table, const QString& title, bool askFileName,
                       const QString& defaultName)
{
    const QString chosen = askFileName ? AskFileName(defaultName) : defaultName;
    if (chosen.trimmed().isEmpty())
        return kNoFileName;
    const QString fileName = XlsFileName(chosen);
    if (!TXlsWriter::Fits(table.RowCount(), table.ColumnCount()))
        return kCannotSave; // refused before anything is overwritten
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return kCannotSave;
    if (!TXlsWriter::WriteTable(file, title, table))
        return kCannotSave;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return kCannotSave;
    return QFileInfo(fileName).absoluteFilePath();
}
