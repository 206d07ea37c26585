#include "common/TCsvReader.h"

#include <QFile>
#include <QFileInfo>

#include "common/EExcelError.h"
#include "common/TExcelLimits.h"
#include "common/TExcelWorkbook.h"
#include "common/TextEncoding.h"

namespace {

class TCsvParser
{
public:
    TCsvParser(TExcelWorksheet& sheet, const QString& fileName) : m_sheet(sheet), m_fileName(fileName) {}

    void Parse(const QString& text)
    {
        const qsizetype size = text.size();
        qsizetype pos = 0;
        while (pos < size) {
            pos = Field(text, pos);
            if (pos < size && text[pos] == u',') {
                ++pos;
                NextColumn();
                if (pos == size)
                    break;
            } else if (pos < size) { // line break
                pos += text[pos] == u'\r' && pos + 1 < size && text[pos + 1] == u'\n' ? 2 : 1;
                NextRow();
            }
        }
    }

private:
    // Reads one field from pos; returns the position of its delimiter.
    qsizetype Field(const QString& text, qsizetype pos)
    {
        const qsizetype size = text.size();
        if (pos < size && text[pos] == u'"') {
            QString value;
            for (++pos; pos < size; ++pos) {
                if (text[pos] != u'"') { value += text[pos]; continue; }
                if (pos + 1 < size && text[pos + 1] == u'"') { value += u'"'; ++pos; continue; }
                ++pos;
                break;
            }
            qsizetype end = pos;
            while (end < size && text[end] != u',' && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            value.append(QStringView(text).mid(pos, end - pos));
            Store(value);
            return end;
        }
        qsizetype end = pos;
        while (end < size && text[end] != u',' && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        Store(QStringView(text).mid(pos, end - pos).toString());
        return end;
    }

    void Store(const QString& value)
    {
        if (value.isEmpty())
            return;
        if (m_row > TExcelWorksheet::MaxRows || m_col > TExcelWorksheet::MaxColumns)
            throw EExcelError(QStringLiteral("CSV 파일의 행이나 열이 너무 많아 읽을 수 없습니다.\r%1")
                                  .arg(QFileInfo(m_fileName).fileName()));
        if (--m_budget < 0)
            throw EExcelError(QStringLiteral("Excel 파일의 셀이 너무 많아 읽을 수 없습니다."));
        m_chars -= value.size();
        if (m_chars < 0)
            throw EExcelError(QStringLiteral("Excel 파일의 글자가 너무 많아 읽을 수 없습니다."));
        m_sheet.SetText(m_row, m_col, value);
    }

    void NextColumn() { ++m_col; }
    void NextRow() { ++m_row; m_col = 1; }

    TExcelWorksheet& m_sheet;
    QString m_fileName;
    int m_row = 1, m_col = 1;
    qint64 m_budget = TExcelLimits::MaxCells;
    qint64 m_chars = TExcelLimits::MaxTextChars;
};

} // namespace

void TCsvReader::Read(const QString& fileName, TExcelWorkbook& book)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EExcelError(QStringLiteral("파일을 열 수 없습니다.\r%1").arg(fileName));
    if (file.size() > TExcelLimits::MaxFileBytes)
        throw EExcelError(QStringLiteral("Excel 파일이 너무 커서 읽을 수 없습니다.\r%1")
                              .arg(QFileInfo(fileName).fileName()));
    TExcelWorksheet& sheet = book.AddSheet(QFileInfo(fileName).completeBaseName());
    // The bytes go before the parse: only the decoded text is needed there.
    const QString text = DecodeTextFile(file.readAll());
    file.close();
    TCsvParser(sheet, fileName).Parse(text);
}
