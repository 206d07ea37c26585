#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TExcelRange;

// One sheet of a workbook in the spreadsheet stand-in. Rows and columns count
// from 1. Only non-empty cells are stored, 16 bytes each, with all texts in
// one pool, so large sheets and far-away cells stay cheap. Copies share their
// cells until one of them changes (a value array keeps its snapshot).
class TExcelWorksheet
{
public:
    enum TCellKind : quint8 { eckEmpty, eckNumber, eckText, eckBoolean, eckDate, eckError };

    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;

    explicit TExcelWorksheet(const QString& name = QString());

    QString Name() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    // The value put through a cell, as the spreadsheet takes it: text that
    // starts with an apostrophe stays text (without it), other text that reads
    // as a number becomes that number, dates become date cells, a null value
    // empties the cell. Throws EExcelError outside the sheet.
    void SetValue(int row, int col, const QVariant& value);
    // Null for an empty cell; otherwise double, QString, bool, QDate or QDateTime.
    QVariant Value(int row, int col) const;
    TCellKind Kind(int row, int col) const;

    // Typed stores used by the file readers; they do not interpret the text.
    void SetNumber(int row, int col, double value);
    void SetText(int row, int col, QStringView text);
    void SetBoolean(int row, int col, bool value);
    void SetDateSerial(int row, int col, double serial);
    void SetErrorText(int row, int col, QStringView text);
    // Texts shared by the sheets of a file are kept once for all of them:
    // a cell may point into this pool instead of the sheet's own.
    void SetSharedPool(std::shared_ptr<const QString> pool);
    void SetSharedText(int row, int col, quint32 offset, quint32 length);
    void ClearCell(int row, int col);

    qint64 CellCount() const;
    // Bounding box of the non-empty cells; all 0 for an empty sheet.
    int FirstRow() const;
    int LastRow() const;
    int FirstColumn() const;
    int LastColumn() const;

    // Every non-empty cell in row order, then column order.
    using TCellVisitor = std::function<void(int row, int col, TCellKind kind, const QVariant& value)>;
    void ForEachCell(const TCellVisitor& visit) const;

    TExcelRange Cells(int row, int col);
    TExcelRange UsedRange();
    TExcelRange Range(const TExcelRange& first, const TExcelRange& last);

    // Date serials count days from 1899-12-30, as the spreadsheet's dates do.
    static QVariant SerialToDate(double serial);
    static double DateToSerial(const QDateTime& dateTime);

private:
    struct TCell
    {
        quint32 col;
        TCellKind kind;
        quint8 inShared; // text in the shared pool
        union {
            double number;
            struct { quint32 offset, length; } text;
        };
    };
    struct TRow
    {
        quint32 index;
        std::vector<TCell> cells;
    };
    // A cell stored out of order, kept aside until the next read.
    struct TLoose
    {
        quint32 row;
        TCell cell;
    };
    struct TData
    {
        std::vector<TRow> rows;     // sorted by index; no empty rows
        std::vector<TLoose> loose;  // newer than rows, in the order stored
        qint64 settledCells = 0;
        QString pool;               // every text of the sheet, end to end
        std::shared_ptr<const QString> shared; // texts of the file, all sheets
    };

    static void CheckCell(int row, int col);
    TData& Mutable();
    // Merges the cells stored out of order into the rows. Reads call it, so
    // it changes only the layout, never what the sheet holds.
    void Settle() const;
    static void Merge(TData& data);
    const TCell* Find(int row, int col) const;
    TCell& Slot(int row, int col);
    void StoreText(int row, int col, TCellKind kind, QStringView text);
    QVariant CellValue(const TCell& cell) const;

    QString m_name;
    std::shared_ptr<TData> m_data;
};
