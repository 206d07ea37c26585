#include "common/TExcelWorkbooks.h"

#include <QFile>
#include <QFileInfo>

#include "common/EExcelError.h"
#include "common/TCsvReader.h"
#include "common/TXlsReader.h"
#include "common/TXlsxReader.h"

TExcelWorkbook& TExcelWorkbooks::Add()
{
    auto book = std::make_unique<TExcelWorkbook>(QStringLiteral("Book%1").arg(++m_added));
    book->AddSheet(QStringLiteral("Sheet1"));
    m_books.push_back(std::move(book));
    return *m_books.back();
}

TExcelWorkbook& TExcelWorkbooks::Open(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        throw EExcelError(QStringLiteral("파일을 찾을 수 없습니다.\r%1").arg(fileName));
    auto book = std::make_unique<TExcelWorkbook>(info.absoluteFilePath());
    // The content decides, not the name: renamed files are common.
    QFile file(fileName);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
    file.close();
    const QString suffix = info.suffix().toLower();
    if (head.startsWith("PK\x03\x04") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("xlsm"))
        TXlsxReader::Read(fileName, *book);
    else if (head.startsWith("\xD0\xCF\x11\xE0") || suffix == QLatin1String("xls"))
        TXlsReader::Read(fileName, *book);
    else if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        TCsvReader::Read(fileName, *book);
    else
        throw EExcelError(QStringLiteral("읽을 수 없는 파일 형식입니다 (.xlsx, .xls, .csv 파일만 읽습니다).\r%1")
                              .arg(fileName));
    m_books.push_back(std::move(book));
    return *m_books.back();
}

void TExcelWorkbooks::Close()
{
    m_books.clear();
}

TExcelWorkbook& TExcelWorkbooks::Item(int index)
{
    if (index < 0 || index >= Count())
        throw EExcelError(QStringLiteral("통합 문서가 없습니다: %1").arg(index + 1));
    return *m_books[size_t(index)];
}

TExcelWorkbook* TExcelWorkbooks::Active()
{
    return m_books.empty() ? nullptr : m_books.back().get();
}
