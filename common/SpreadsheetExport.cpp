#include "common/SpreadsheetExport.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "common/TXlsTableSource.h"
#include "common/TXlsWriter.h"

namespace {

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

} // namespace

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
