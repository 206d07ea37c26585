#include "common/TXlsxWriter.h"

#include <QDateTime>
#include <QFile>
#include <xlsxwriter.h>

#include "common/EExcelError.h"
#include "common/TExcelWorkbook.h"

namespace {

constexpr int kMaxTextLength = 32767; // longest text a .xlsx cell holds

QByteArray CellText(const QString& text)
{
    if (text.size() <= kMaxTextLength)
        return text.toUtf8();
    qsizetype cut = kMaxTextLength;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut).toUtf8();
}

struct TFormats
{
    lxw_format* date;
    lxw_format* dateTime;
};

lxw_error WriteCell(lxw_worksheet* sheet, const TFormats& formats, int row, int col,
                    TExcelWorksheet::TCellKind kind, const QVariant& value)
{
    const lxw_row_t r = lxw_row_t(row - 1);
    const lxw_col_t c = lxw_col_t(col - 1);
    switch (kind) {
    case TExcelWorksheet::eckNumber:
        return worksheet_write_number(sheet, r, c, value.toDouble(), nullptr);
    case TExcelWorksheet::eckBoolean:
        return worksheet_write_boolean(sheet, r, c, value.toBool(), nullptr);
    case TExcelWorksheet::eckDate: {
        const bool withTime = value.typeId() == QMetaType::QDateTime;
        const double serial = value.typeId() == QMetaType::Double
                                  ? value.toDouble()
                                  : TExcelWorksheet::DateToSerial(withTime ? value.toDateTime()
                                                                           : value.toDate().startOfDay());
        return worksheet_write_number(sheet, r, c, serial, withTime ? formats.dateTime : formats.date);
    }
    case TExcelWorksheet::eckText:
    case TExcelWorksheet::eckError:
        return worksheet_write_string(sheet, r, c, CellText(value.toString()).constData(), nullptr);
    case TExcelWorksheet::eckEmpty:
        break;
    }
    return LXW_NO_ERROR;
}

QByteArray SheetName(const QString& name, int index)
{
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    bool valid = !name.isEmpty() && name.size() <= 31;
    for (QChar ch : name)
        valid = valid && !forbidden.contains(ch);
    return valid ? name.toUtf8() : QStringLiteral("Sheet%1").arg(index + 1).toUtf8();
}

} // namespace

void TXlsxWriter::Write(TExcelWorkbook& book, const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook)
        throw EExcelError(QStringLiteral("Excel 파일을 만들 수 없습니다.\r%1").arg(fileName));
    TFormats formats{workbook_add_format(workbook), workbook_add_format(workbook)};
    format_set_num_format(formats.date, "yyyy-mm-dd");
    format_set_num_format(formats.dateTime, "yyyy-mm-dd hh:mm:ss");

    lxw_error failure = LXW_NO_ERROR;
    for (int i = 0; i < book.SheetCount(); ++i) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, SheetName(book.Sheet(i).Name(), i).constData());
        if (!sheet)
            sheet = workbook_add_worksheet(workbook, nullptr);
        if (!sheet) {
            failure = LXW_ERROR_MEMORY_MALLOC_FAILED;
            break;
        }
        if (i == book.ActiveSheetIndex())
            worksheet_activate(sheet);
        book.Sheet(i).ForEachCell([&](int row, int col, TExcelWorksheet::TCellKind kind, const QVariant& value) {
            const lxw_error rc = WriteCell(sheet, formats, row, col, kind, value);
            if (failure == LXW_NO_ERROR)
                failure = rc;
        });
    }
    const lxw_error closed = workbook_close(workbook);
    if (failure != LXW_NO_ERROR || closed != LXW_NO_ERROR)
        throw EExcelError(QStringLiteral("Excel 파일로 저장할 수 없습니다.\r%1")
                              .arg(QString::fromUtf8(lxw_strerror(failure != LXW_NO_ERROR ? failure : closed))));
}
