#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class TXlsTableSource;

// Writes the simple binary worksheet format: a stream of records, each a
// 16-bit type, a 16-bit body length and the body, all little-endian. Texts
// are stored in code page 949, which a CODEPAGE record after the beginning
// of the file declares, so that readers outside a Korean locale show them.
class TXlsWriter
{
public:
    static constexpr int MaxRow = 0xFFFF;        // rows and columns are 16-bit, from 0
    static constexpr int MaxColumn = 0xFFFF;
    static constexpr int MaxTextBytes = 0xFFFF - 8; // the text-cell body length is 16-bit too

    // Whether a table of that size can be numbered in the format (title,
    // an empty row and the column titles come before the table rows).
    static bool Fits(int rowCount, int columnCount);

    explicit TXlsWriter(QIODevice& device);
    ~TXlsWriter();

    // Each returns false once writing to the device has failed.
    bool WriteBeginning();                       // beginning of file, code page 949
    bool WriteText(int row, int col, const QString& text);
    bool WriteNumber(int row, int col, double value);
    bool WriteEnd();                             // end of file; flushes

    // The whole table: the title (when not empty) at row 0, column 0; the
    // column titles in row 2; table row i in sheet row i + 3. False when the
    // table has more rows or columns than the format can number, or when
    // writing fails; in the first case nothing is written.
    static bool WriteTable(QIODevice& device, const QString& title, const TXlsTableSource& table);

private:
    void Record(quint16 type, const QByteArray& body);
    bool Flush();

    QIODevice& m_device;
    QByteArray m_pending;
    bool m_ok = true;
};
