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
    Settle();
    const auto& rows = m_data->rows;
    auto r = std::lower_bound(rows.begin(), rows.end(), quint32(row),
                              [](const TRow& a, quint32 b) { return a.index < b; });
    if (r == rows.end() || r->index != quint32(row))
        return nullptr;
    auto c = std::lower_bound(r->cells.begin(), r->cells.end(), quint32(col),
                              [](const TCell& a, quint32 b) { return a.col < b; });
    return c == r->cells.end() || c->col != quint32(col) ? nullptr : &*c;
}

// Cells arrive in row and column order from most files and exports; those
// are appended. Any other order would make each store an insertion into a
// vector (quadratic for a sheet written last row first), so such cells wait
// aside and are merged in one sorted pass: a read pays n log n once.
TExcelWorksheet::TCell& TExcelWorksheet::Slot(int row, int col)
{
    CheckCell(row, col);
    TData& data = Mutable();
    auto& rows = data.rows;
    const quint32 rowIndex = quint32(row), colIndex = quint32(col);
    if (data.loose.empty()) {
        if (rows.empty() || rows.back().index < rowIndex) {
            rows.push_back(TRow{rowIndex, {}});
            rows.back().cells.push_back(TCell{colIndex, eckEmpty, 0, {0.0}});
            ++data.settledCells;
            return rows.back().cells.back();
        }
        if (rows.back().index == rowIndex && rows.back().cells.back().col < colIndex) {
            rows.back().cells.push_back(TCell{colIndex, eckEmpty, 0, {0.0}});
            ++data.settledCells;
            return rows.back().cells.back();
        }
    }
    // Merging once a quarter of the settled cells waits keeps the cells
    // aside few and the total work n log n.
    if (data.loose.size() >= 65536 && qint64(data.loose.size()) * 4 >= data.settledCells)
        Merge(data);
    data.loose.push_back(TLoose{rowIndex, TCell{colIndex, eckEmpty, 0, {0.0}}});
    return data.loose.back().cell;
}

void TExcelWorksheet::Settle() const
{
    if (!m_data->loose.empty())
        Merge(*m_data); // same content in another layout: safe for shared data too
}

void TExcelWorksheet::Merge(TData& data)
{
    auto& loose = data.loose;
    std::stable_sort(loose.begin(), loose.end(), [](const TLoose& a, const TLoose& b) {
        return a.row != b.row ? a.row < b.row : a.cell.col < b.cell.col;
    });
    std::vector<TRow> merged;
    merged.reserve(data.rows.size() + loose.size());
    auto old = data.rows.begin();
    const auto oldEnd = data.rows.end();
    size_t i = 0;
    while (i < loose.size() || old != oldEnd) {
        if (i == loose.size() || (old != oldEnd && old->index < loose[i].row)) {
            merged.push_back(std::move(*old++));
            continue;
        }
        const quint32 index = loose[i].row;
        std::vector<TCell> before;
        if (old != oldEnd && old->index == index)
            before = std::move((old++)->cells);
        std::vector<TCell> cells;
        size_t end = i;
        while (end < loose.size() && loose[end].row == index)
            ++end;
        cells.reserve(before.size() + (end - i));
        auto b = before.begin();
        while (i < end) {
            // The last of equal positions is the newest; it wins over the rows.
            const quint32 col = loose[i].cell.col;
            while (i + 1 < end && loose[i + 1].cell.col == col)
                ++i;
            while (b != before.end() && b->col < col)
                cells.push_back(*b++);
            if (b != before.end() && b->col == col)
                ++b;
            if (loose[i].cell.kind != eckEmpty) // else a cleared cell
                cells.push_back(loose[i].cell);
            ++i;
        }
        cells.insert(cells.end(), b, before.end());
        if (!cells.empty())
            merged.push_back(TRow{index, std::move(cells)});
    }
    // The merged vector was sized for the worst case; give the slack back.
    data.rows.clear();
    data.rows.shrink_to_fit();
    merged.shrink_to_fit();
    data.rows = std::move(merged);
    loose.clear();
    loose.shrink_to_fit();
    qint64 count = 0;
    for (const TRow& row : data.rows)
        count += qint64(row.cells.size());
    data.settledCells = count;
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
    cell.inShared = 0;
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

void TExcelWorksheet::SetSharedPool(std::shared_ptr<const QString> pool)
{
    Mutable().shared = std::move(pool);
}

void TExcelWorksheet::SetSharedText(int row, int col, quint32 offset, quint32 length)
{
    const QString* pool = m_data->shared.get();
    if (!pool || qint64(offset) + qint64(length) > pool->size())
        throw EExcelError(QStringLiteral("공유 문자열 번호 오류"));
    TCell& cell = Slot(row, col);
    cell.kind = eckText;
    cell.inShared = 1;
    cell.text.offset = offset;
    cell.text.length = length;
}

void TExcelWorksheet::ClearCell(int row, int col)
{
    CheckCell(row, col);
    if (!m_data->loose.empty()) { // an empty cell waits with the others
        Mutable().loose.push_back(TLoose{quint32(row), TCell{quint32(col), eckEmpty, 0, {0.0}}});
        return;
    }
    if (!Find(row, col))
        return;
    TData& data = Mutable();
    auto& rows = data.rows;
    auto r = std::lower_bound(rows.begin(), rows.end(), quint32(row),
                              [](const TRow& a, quint32 b) { return a.index < b; });
    auto c = std::lower_bound(r->cells.begin(), r->cells.end(), quint32(col),
                              [](const TCell& a, quint32 b) { return a.col < b; });
    r->cells.erase(c);
    --data.settledCells;
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
        return (cell.inShared ? *m_data->shared : m_data->pool).mid(qsizetype(cell.text.offset), qsizetype(cell.text.length));
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
    Settle();
    qint64 count = 0;
    for (const TRow& row : m_data->rows)
        count += qint64(row.cells.size());
    return count;
}

int TExcelWorksheet::FirstRow() const
{
    Settle();
    return m_data->rows.empty() ? 0 : int(m_data->rows.front().index);
}

int TExcelWorksheet::LastRow() const
{
    Settle();
    return m_data->rows.empty() ? 0 : int(m_data->rows.back().index);
}

int TExcelWorksheet::FirstColumn() const
{
    Settle();
    int first = 0;
    for (const TRow& row : m_data->rows)
        if (first == 0 || int(row.cells.front().col) < first)
            first = int(row.cells.front().col);
    return first;
}

int TExcelWorksheet::LastColumn() const
{
    Settle();
    int last = 0;
    for (const TRow& row : m_data->rows)
        last = std::max(last, int(row.cells.back().col));
    return last;
}

void TExcelWorksheet::ForEachCell(const TCellVisitor& visit) const
{
    Settle();
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
    Settle();
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
