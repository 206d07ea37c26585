#include "common/TXlsWriter.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

#include "common/TXlsTableSource.h"
#include "common/TextEncoding.h"

namespace {

constexpr quint16 kBeginning = 0x0809;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kText = 0x0204;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kEnd = 0x000A;
constexpr qsizetype kFlushBytes = 64 * 1024;

void Put16(QByteArray& out, quint16 value)
{
    const char bytes[2] = {char(value & 0xFF), char(value >> 8)};
    out.append(bytes, 2);
}

// Cuts code-page 949 text to at most `limit` bytes without splitting a
// double-byte character (a lead byte is 0x81..0xFE, its trail follows it).
QByteArray CutCp949(const QByteArray& bytes, int limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype width = uchar(bytes[end]) >= 0x81 && uchar(bytes[end]) <= 0xFE ? 2 : 1;
        if (end + width > limit)
            break;
        end += width;
    }
    return bytes.left(end);
}

} // namespace

TXlsWriter::TXlsWriter(QIODevice& device) : m_device(device)
{
}

TXlsWriter::~TXlsWriter()
{
    Flush();
}

void TXlsWriter::Record(quint16 type, const QByteArray& body)
{
    Put16(m_pending, type);
    Put16(m_pending, quint16(body.size()));
    m_pending.append(body);
    if (m_pending.size() >= kFlushBytes)
        Flush();
}

bool TXlsWriter::Flush()
{
    if (m_ok && !m_pending.isEmpty())
        m_ok = m_device.write(m_pending) == m_pending.size();
    m_pending.clear();
    return m_ok;
}

bool TXlsWriter::WriteBeginning()
{
    QByteArray body;
    for (quint16 word : {quint16(0x0000), quint16(0x0010), quint16(0x0000), quint16(0x0000)})
        Put16(body, word);
    Record(kBeginning, body);
    QByteArray codePage;
    Put16(codePage, 949);
    Record(kCodePage, codePage);
    return m_ok;
}

bool TXlsWriter::WriteText(int row, int col, const QString& text)
{
    const QByteArray bytes = CutCp949(ToCp949(text), MaxTextBytes);
    QByteArray body;
    body.reserve(8 + bytes.size());
    Put16(body, quint16(row));
    Put16(body, quint16(col));
    Put16(body, 0);
    Put16(body, quint16(bytes.size()));
    body.append(bytes);
    Record(kText, body);
    return m_ok;
}

bool TXlsWriter::WriteNumber(int row, int col, double value)
{
    QByteArray body;
    body.reserve(14);
    Put16(body, quint16(row));
    Put16(body, quint16(col));
    Put16(body, 0);
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const quint64 little = qToLittleEndian(bits);
    body.append(reinterpret_cast<const char*>(&little), sizeof little);
    Record(kNumber, body);
    return m_ok;
}

bool TXlsWriter::WriteEnd()
{
    Record(kEnd, QByteArray());
    return Flush();
}

bool TXlsWriter::Fits(int rowCount, int columnCount)
{
    return rowCount >= 0 && columnCount >= 0 && rowCount + 3 <= MaxRow + 1 && columnCount <= MaxColumn + 1;
}

bool TXlsWriter::WriteTable(QIODevice& device, const QString& title, const TXlsTableSource& table)
{
    const int rows = table.RowCount(), cols = table.ColumnCount();
    if (!Fits(rows, cols))
        return false;
    TXlsWriter writer(device);
    writer.WriteBeginning();
    if (!title.isEmpty())
        writer.WriteText(0, 0, title);
    for (int col = 0; col < cols; ++col)
        writer.WriteText(2, col, table.ColumnTitle(col));
    for (int row = 0; row < rows && writer.m_ok; ++row)
        for (int col = 0; col < cols; ++col) {
            if (table.IsNumberColumn(col))
                writer.WriteNumber(row + 3, col, table.Number(row, col));
            else
                writer.WriteText(row + 3, col, table.Text(row, col));
        }
    return writer.WriteEnd();
}
