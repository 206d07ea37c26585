#include "common/TExcelWorksheet.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>

#include "common/EExcelError.h"
#include "common/TExcelRange.h"

namespace {

const QDate kSerialBase(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

// Text put into a cell becomes a number when it reads as one in plain form.
bool ReadsAsNumber(const QString& text, double& number)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return false;
    bool ok = false;
    number = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(number);
}

} // namespace

TExcelWorksheet::TExcelWorksheet(const QString& name)
    : m_name(name), m_data(std::make_shared<TData>())
{
}

void TExcelWorksheet::CheckCell(int row, int col)
{
    if (row < 1 || row > MaxRows || col < 1 || col > MaxColumns)
        throw EExcelError(QStringLiteral("셀 위치가 시트의 범위를 벗어났습니다 (%1행 %2열).")
                              .arg(row).arg(col));
}

TExcelWorksheet::TData& TExcelWorksheet::Mutable()
{
    if (m_data.use_count() > 1)
        m_data = std::make_shared<TData>(*m_data);
    return *m_data;
}

const TExcelWorksheet::TCell* TExcelWorksheet::Find(int row, int col) const
{
    const auto& rows = m_data->rows;
    auto r = std::lower_bound(rows.begin(), rows.end(), quint32(row),
                              [](const TRow& a, quint32 b) { return a.index < b; });
    if (r == rows.end() || r->index != quint32(row))
        return nullptr;
    auto c = std::lower_bound(r->cells.begin(), r->cells.end(), quint32(col),
                              [](const TCell& a, quint32 b) { return a.col < b; });
    return c == r->cells.end() || c->col != quint32(col) ? nullptr : &*c;
}

TExcelWorksheet::TCell& TExcelWorksheet::Slot(int row, int col)
{
    CheckCell(row, col);
    auto& rows = Mutable().rows;
    const quint32 rowIndex = quint32(row), colIndex = quint32(col);
    auto r = rows.end();
    if (rows.empty() || rows.back().index < rowIndex) {
        rows.push_back(TRow{rowIndex, {}});
        r = rows.end() - 1;
    } else {
        r = std::lower_bound(rows.begin(), rows.end(), rowIndex,
                             [](const TRow& a, quint32 b) { return a.index < b; });
        if (r->index != rowIndex)
            r = rows.insert(r, TRow{rowIndex, {}});
    }
    auto& cells = r->cells;
    if (cells.empty() || cells.back().col < colIndex) {
        cells.push_back(TCell{colIndex, eckEmpty, {0.0}});
        return cells.back();
    }
    auto c = std::lower_bound(cells.begin(), cells.end(), colIndex,
                              [](const TCell& a, quint32 b) { return a.col < b; });
    if (c->col != colIndex)
        c = cells.insert(c, TCell{colIndex, eckEmpty, {0.0}});
    return *c;
}

void TExcelWorksheet::SetNumber(int row, int col, double value)
{
    TCell& cell = Slot(row, col);
    cell.kind = eckNumber;
    cell.number = value;
}

void TExcelWorksheet::SetBoolean(int row, int col, bool value)
{
    TCell& cell = Slot(row, col);
    cell.kind = eckBoolean;
    cell.number = value ? 1 : 0;
}

void TExcelWorksheet::SetDateSerial(int row, int col, double serial)
{
    TCell& cell = Slot(row, col);
    cell.kind = eckDate;
    cell.number = serial;
}

void TExcelWorksheet::StoreText(int row, int col, TCellKind kind, QStringView text)
{
    TCell& cell = Slot(row, col);
    QString& pool = m_data->pool;
    cell.kind = kind;
    cell.text.offset = quint32(pool.size());
    cell.text.length = quint32(text.size());
    pool.append(text);
}

void TExcelWorksheet::SetText(int row, int col, QStringView text)
{
    StoreText(row, col, eckText, text);
}

void TExcelWorksheet::SetErrorText(int row, int col, QStringView text)
{
    StoreText(row, col, eckError, text);
}

int TExcelWorksheet::AddPoolText(QStringView text)
{
    TData& data = Mutable();
    data.pooled.emplace_back(quint32(data.pool.size()), quint32(text.size()));
    data.pool.append(text);
    return int(data.pooled.size() - 1);
}

void TExcelWorksheet::SetPooledText(int row, int col, int poolIndex)
{
    TCell& cell = Slot(row, col);
    const auto [offset, length] = m_data->pooled.at(size_t(poolIndex));
    cell.kind = eckText;
    cell.text.offset = offset;
    cell.text.length = length;
}

void TExcelWorksheet::ClearCell(int row, int col)
{
    CheckCell(row, col);
    if (!Find(row, col))
        return;
    auto& rows = Mutable().rows;
    auto r = std::lower_bound(rows.begin(), rows.end(), quint32(row),
                              [](const TRow& a, quint32 b) { return a.index < b; });
    auto c = std::lower_bound(r->cells.begin(), r->cells.end(), quint32(col),
                              [](const TCell& a, quint32 b) { return a.col < b; });
    r->cells.erase(c);
    if (r->cells.empty())
        rows.erase(r);
}

void TExcelWorksheet::SetValue(int row, int col, const QVariant& value)
{
    CheckCell(row, col);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        ClearCell(row, col);
        return;
    case QMetaType::Bool:
        SetBoolean(row, col, value.toBool());
        return;
    case QMetaType::QDate:
        SetDateSerial(row, col, DateToSerial(value.toDate().startOfDay()));
        return;
    case QMetaType::QDateTime:
        SetDateSerial(row, col, DateToSerial(value.toDateTime()));
        return;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Double: case QMetaType::Float:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Char:
    case QMetaType::SChar: case QMetaType::UChar:
        SetNumber(row, col, value.toDouble());
        return;
    default:
        break;
    }
    const QString text = value.toString();
    double number = 0;
    if (text.startsWith(u'\''))
        SetText(row, col, QStringView(text).mid(1));
    else if (ReadsAsNumber(text, number))
        SetNumber(row, col, number);
    else if (text.isEmpty())
        ClearCell(row, col);
    else
        SetText(row, col, text);
}

QVariant TExcelWorksheet::CellValue(const TCell& cell) const
{
    switch (cell.kind) {
    case eckNumber: return cell.number;
    case eckBoolean: return cell.number != 0;
    case eckDate: return SerialToDate(cell.number);
    case eckText:
    case eckError:
        return m_data->pool.mid(qsizetype(cell.text.offset), qsizetype(cell.text.length));
    case eckEmpty: break;
    }
    return {};
}

QVariant TExcelWorksheet::Value(int row, int col) const
{
    const TCell* cell = Find(row, col);
    return cell ? CellValue(*cell) : QVariant();
}

TExcelWorksheet::TCellKind TExcelWorksheet::Kind(int row, int col) const
{
    const TCell* cell = Find(row, col);
    return cell ? cell->kind : eckEmpty;
}

qint64 TExcelWorksheet::CellCount() const
{
    qint64 count = 0;
    for (const TRow& row : m_data->rows)
        count += qint64(row.cells.size());
    return count;
}

int TExcelWorksheet::FirstRow() const
{
    return m_data->rows.empty() ? 0 : int(m_data->rows.front().index);
}

int TExcelWorksheet::LastRow() const
{
    return m_data->rows.empty() ? 0 : int(m_data->rows.back().index);
}

int TExcelWorksheet::FirstColumn() const
{
    int first = 0;
    for (const TRow& row : m_data->rows)
        if (first == 0 || int(row.cells.front().col) < first)
            first = int(row.cells.front().col);
    return first;
}

int TExcelWorksheet::LastColumn() const
{
    int last = 0;
    for (const TRow& row : m_data->rows)
        last = std::max(last, int(row.cells.back().col));
    return last;
}

void TExcelWorksheet::ForEachCell(const TCellVisitor& visit) const
{
    for (const TRow& row : m_data->rows)
        for (const TCell& cell : row.cells)
            visit(int(row.index), int(cell.col), cell.kind, CellValue(cell));
}

TExcelRange TExcelWorksheet::Cells(int row, int col)
{
    CheckCell(row, col);
    return TExcelRange(this, row, col, row, col);
}

TExcelRange TExcelWorksheet::UsedRange()
{
    if (m_data->rows.empty())
        return TExcelRange(this, 1, 1, 1, 1);
    return TExcelRange(this, FirstRow(), FirstColumn(), LastRow(), LastColumn());
}

TExcelRange TExcelWorksheet::Range(const TExcelRange& first, const TExcelRange& last)
{
    return TExcelRange(this, std::min(first.Row(), last.Row()), std::min(first.Column(), last.Column()),
                       std::max(first.LastRow(), last.LastRow()),
                       std::max(first.LastColumn(), last.LastColumn()));
}

QVariant TExcelWorksheet::SerialToDate(double serial)
{
    // Serials outside the years 1899..9999 are no dates; they stay numbers.
    if (!(serial >= 0 && serial < 2958466))
        return serial;
    const qint64 ms = qint64(std::llround(serial * kMsPerDay));
    const QDateTime dateTime = QDateTime(kSerialBase, QTime(0, 0), Qt::UTC).addMSecs(ms);
    if (dateTime.time() == QTime(0, 0))
        return dateTime.date();
    return QDateTime(dateTime.date(), dateTime.time());
}

double TExcelWorksheet::DateToSerial(const QDateTime& dateTime)
{
    // Wall-clock values: time zones and daylight saving play no part.
    const QDateTime wall(dateTime.date(), dateTime.time(), Qt::UTC);
    return double(QDateTime(kSerialBase, QTime(0, 0), Qt::UTC).msecsTo(wall)) / kMsPerDay;
}
