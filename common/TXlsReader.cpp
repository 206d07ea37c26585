#include "common/TXlsReader.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>
#include <freexl.h>

#include "common/EExcelError.h"
#include "common/TExcelLimits.h"
#include "common/TExcelWorkbook.h"
#include "common/TextEncoding.h"

namespace {

QString Damaged(const QString& fileName)
{
    return QStringLiteral("Excel 파일이 손상되었거나 형식이 올바르지 않아 읽을 수 없습니다.\r%1")
        .arg(QFileInfo(fileName).fileName());
}

void SpendCell(qint64& budget)
{
    if (--budget < 0)
        throw EExcelError(QStringLiteral("Excel 파일의 셀이 너무 많아 읽을 수 없습니다."));
}

// A cell of a compound-container file; freexl gives dates as ISO texts.
void StoreFreexlCell(TExcelWorksheet& sheet, int row, int col, const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        sheet.SetNumber(row, col, cell.value.int_value);
        break;
    case FREEXL_CELL_DOUBLE:
        sheet.SetNumber(row, col, cell.value.double_value);
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        sheet.SetText(row, col, QString::fromUtf8(cell.value.text_value));
        break;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const QString text = QString::fromUtf8(cell.value.text_value);
        QDateTime value = cell.type == FREEXL_CELL_DATE
                              ? QDate::fromString(text, Qt::ISODate).startOfDay()
                              : QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (cell.type == FREEXL_CELL_TIME)
            value = QDateTime(QDate(1899, 12, 30), QTime::fromString(text, QStringLiteral("HH:mm:ss")));
        if (value.isValid())
            sheet.SetDateSerial(row, col, TExcelWorksheet::DateToSerial(value));
        else
            sheet.SetText(row, col, text);
        break;
    }
    default:
        break;
    }
}

void ReadSheets(const void* handle, const QString& fileName, TExcelWorkbook& book)
{
    unsigned count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw EExcelError(Damaged(fileName));
    qint64 budget = TExcelLimits::MaxCells;
    for (unsigned index = 0; index < count; ++index) {
        const char* name = nullptr;
        unsigned rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(index), &name) != FREEXL_OK
            || freexl_select_active_worksheet(handle, static_cast<unsigned short>(index)) != FREEXL_OK
            || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
            throw EExcelError(Damaged(fileName));
        TExcelWorksheet& sheet = book.AddSheet(QString::fromUtf8(name ? name : ""));
        for (unsigned row = 0; row < rows; ++row)
            for (unsigned short col = 0; col < cols; ++col) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(handle, row, col, &cell) != FREEXL_OK
                    || cell.type == FREEXL_CELL_NULL)
                    continue;
                SpendCell(budget);
                StoreFreexlCell(sheet, int(row) + 1, int(col) + 1, cell);
            }
    }
}

void ReadCompound(const QString& fileName, TExcelWorkbook& book)
{
    const void* handle = nullptr;
    const QByteArray path = QFile::encodeName(fileName);
    if (freexl_open(path.constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        throw EExcelError(Damaged(fileName));
    }
    unsigned password = 0;
    try {
        if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK
            && password == FREEXL_BIFF_OBFUSCATED)
            throw EExcelError(QStringLiteral("암호가 걸린 Excel 파일은 읽을 수 없습니다.\r%1")
                                  .arg(QFileInfo(fileName).fileName()));
        ReadSheets(handle, fileName, book);
    } catch (...) {
        freexl_close(handle);
        throw;
    }
    freexl_close(handle);
}

QString DecodeText(const QByteArray& bytes, int codePage)
{
    if (codePage == 1252 || codePage == 0x8001 || codePage == 367)
        return QString::fromLatin1(bytes);
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    return FromCp949(bytes);
}

// A bare stream of worksheet records: type, length, body, little-endian.
void ReadRecordStream(const QByteArray& bytes, const QString& fileName, TExcelWorkbook& book)
{
    TExcelWorksheet& sheet = book.AddSheet(QStringLiteral("Sheet1"));
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    qint64 budget = TExcelLimits::MaxCells;
    int codePage = 949;
    for (qsizetype pos = 0; pos + 4 <= size;) {
        const quint16 type = qFromLittleEndian<quint16>(data + pos);
        const quint16 length = qFromLittleEndian<quint16>(data + pos + 2);
        const uchar* body = data + pos + 4;
        if (pos + 4 + length > size)
            throw EExcelError(Damaged(fileName));
        pos += 4 + length;
        if (type == 0x000A)
            return;
        if (type == 0x0042 && length >= 2) {
            codePage = qFromLittleEndian<quint16>(body);
        } else if ((type == 0x0204 && length >= 8) || (type == 0x0203 && length >= 14)) {
            SpendCell(budget);
            const int row = qFromLittleEndian<quint16>(body) + 1;
            const int col = qFromLittleEndian<quint16>(body + 2) + 1;
            if (type == 0x0203) {
                const quint64 bits = qFromLittleEndian<quint64>(body + 6);
                double number = 0;
                std::memcpy(&number, &bits, sizeof number);
                sheet.SetNumber(row, col, number);
                continue;
            }
            const quint16 n = qFromLittleEndian<quint16>(body + 6);
            if (8 + n > length)
                throw EExcelError(Damaged(fileName));
            sheet.SetText(row, col, DecodeText(QByteArray(reinterpret_cast<const char*>(body + 8), n), codePage));
        }
    }
    throw EExcelError(Damaged(fileName)); // no end-of-file record: cut short
}

} // namespace

void TXlsReader::Read(const QString& fileName, TExcelWorkbook& book)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EExcelError(QStringLiteral("파일을 열 수 없습니다.\r%1").arg(fileName));
    if (file.size() > TExcelLimits::MaxFileBytes)
        throw EExcelError(QStringLiteral("Excel 파일이 너무 커서 읽을 수 없습니다.\r%1")
                              .arg(QFileInfo(fileName).fileName()));
    const QByteArray head = file.peek(8);
    if (head.startsWith("\xD0\xCF\x11\xE0")) {
        file.close();
        ReadCompound(fileName, book);
    } else if (head.size() >= 4 && uchar(head[0]) == 0x09 && QByteArrayView("\x00\x02\x04\x08", 4).contains(head[1])) {
        ReadRecordStream(file.readAll(), fileName, book);
    } else {
        throw EExcelError(Damaged(fileName));
    }
}
