#include "common/TXlsReader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <sys/resource.h>

#include "common/EExcelError.h"
#include "common/TExcelLimits.h"
#include "common/TExcelWorkbook.h"
#include "common/TXlsHelperProtocol.h"
#include "common/TextEncoding.h"

namespace {

QString Damaged(const QString& fileName)
{
    return QStringLiteral("Excel 파일이 손상되었거나 형식이 올바르지 않아 읽을 수 없습니다.\r%1")
        .arg(QFileInfo(fileName).fileName());
}

QString TooManyCells()
{
    return QStringLiteral("Excel 파일의 셀이 너무 많아 읽을 수 없습니다.");
}

void SpendCell(qint64& budget)
{
    if (--budget < 0)
        throw EExcelError(TooManyCells());
}

// One .xls read by the reader process. Its output is trusted no more than
// the file: every length is checked and every cell counted here as well.
class THelperOutput
{
public:
    THelperOutput(const QString& fileName, TExcelWorkbook& book) : m_fileName(fileName), m_book(book) {}

    // Consumes the complete records at the front of `bytes`.
    void Feed(QByteArray& bytes)
    {
        qsizetype pos = 0;
        while (!m_end) {
            const qsizetype used = Record(bytes, pos);
            if (used == 0)
                break;
            pos += used;
        }
        bytes.remove(0, pos);
        if (bytes.size() > qsizetype(kMaxRecord) + 16)
            throw EExcelError(Damaged(m_fileName));
    }

    // The tag that ended the stream, or 0 while it has not ended.
    char End() const { return m_end; }

private:
    static constexpr quint32 kMaxRecord = 1u << 20; // the library's texts are far shorter

    template <typename T>
    static bool Take(const QByteArray& bytes, qsizetype& pos, T& value)
    {
        if (bytes.size() - pos < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, bytes.constData() + pos, sizeof value);
        pos += qsizetype(sizeof value);
        return true;
    }

    bool TakeText(const QByteArray& bytes, qsizetype& pos, QString& text) const
    {
        quint32 n = 0;
        if (!Take(bytes, pos, n))
            return false;
        if (n > kMaxRecord)
            throw EExcelError(Damaged(m_fileName));
        if (bytes.size() - pos < qsizetype(n))
            return false;
        text = QString::fromUtf8(bytes.constData() + pos, qsizetype(n));
        pos += qsizetype(n);
        return true;
    }

    // Handles the record at `start`; returns its size, 0 when incomplete.
    qsizetype Record(const QByteArray& bytes, qsizetype start)
    {
        qsizetype pos = start;
        char tag = 0;
        if (!Take(bytes, pos, tag))
            return 0;
        switch (tag) {
        case XlsHelper::tSheet: {
            QString name;
            if (!TakeText(bytes, pos, name))
                return 0;
            if (m_book.SheetCount() >= 65536)
                throw EExcelError(Damaged(m_fileName));
            m_sheet = &m_book.AddSheet(name);
            return pos - start;
        }
        case XlsHelper::tNumber:
        case XlsHelper::tText:
        case XlsHelper::tDate:
            break;
        case XlsHelper::tEnd: case XlsHelper::tPassword: case XlsHelper::tDamaged: case XlsHelper::tTooMany:
            m_end = tag;
            return pos - start;
        default:
            throw EExcelError(Damaged(m_fileName));
        }
        quint32 row = 0;
        quint16 col = 0;
        if (!Take(bytes, pos, row) || !Take(bytes, pos, col))
            return 0;
        if (!m_sheet || row >= quint32(TExcelWorksheet::MaxRows) || col >= TExcelWorksheet::MaxColumns)
            throw EExcelError(Damaged(m_fileName));
        const int r = int(row) + 1, c = int(col) + 1;
        if (tag == XlsHelper::tNumber) {
            double number = 0;
            if (!Take(bytes, pos, number))
                return 0;
            Spend(0);
            m_sheet->SetNumber(r, c, number);
            return pos - start;
        }
        quint8 kind = 0;
        if (tag == XlsHelper::tDate && !Take(bytes, pos, kind))
            return 0;
        QString text;
        if (!TakeText(bytes, pos, text))
            return 0;
        Spend(text.size());
        if (tag == XlsHelper::tText)
            m_sheet->SetText(r, c, text);
        else
            StoreDate(r, c, XlsHelper::TDateKind(kind), text);
        return pos - start;
    }

    void Spend(qsizetype chars)
    {
        SpendCell(m_cells);
        m_chars -= chars;
        if (m_chars < 0)
            throw EExcelError(QStringLiteral("Excel 파일의 글자가 너무 많아 읽을 수 없습니다."));
    }

    // The library gives dates as ISO texts.
    void StoreDate(int row, int col, XlsHelper::TDateKind kind, const QString& text)
    {
        QDateTime value;
        if (kind == XlsHelper::dkDate)
            value = QDate::fromString(text, Qt::ISODate).startOfDay();
        else if (kind == XlsHelper::dkDateTime)
            value = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        else
            value = QDateTime(QDate(1899, 12, 30), QTime::fromString(text, QStringLiteral("HH:mm:ss")));
        if (value.isValid())
            m_sheet->SetDateSerial(row, col, TExcelWorksheet::DateToSerial(value));
        else
            m_sheet->SetText(row, col, text);
    }

    QString m_fileName;
    TExcelWorkbook& m_book;
    TExcelWorksheet* m_sheet = nullptr;
    qint64 m_cells = TExcelLimits::MaxCells;
    qint64 m_chars = TExcelLimits::MaxTextChars;
    char m_end = 0;
};

QString& HelperPathSetting()
{
    static QString path;
    return path;
}

// The reader process may use this much memory and time; the library asks
// for more only on files it cannot read sensibly (a dimension record
// claiming a full sheet, a loop in the container).
constexpr rlim_t kHelperMemory = rlim_t(256) << 20;
constexpr rlim_t kHelperCpuSeconds = 20;
constexpr qint64 kHelperWallMs = 60'000;

qint64& WallLimitMs()
{
    static qint64 limit = kHelperWallMs;
    return limit;
}

void ReadCompound(const QString& fileName, TExcelWorkbook& book)
{
    const QString helper = TXlsReader::HelperPath();
    if (!QFileInfo(helper).isExecutable())
        throw EExcelError(QStringLiteral("Excel 97-2003 파일(.xls)을 읽는 프로그램이 없습니다.\r%1").arg(helper));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setChildProcessModifier([] {
        // Runs in the child between fork and exec: plain system calls only.
        const rlimit memory{kHelperMemory, kHelperMemory};
        const rlimit cpu{kHelperCpuSeconds, kHelperCpuSeconds + 1};
        const rlimit none{0, 0};
        setrlimit(RLIMIT_AS, &memory);
        setrlimit(RLIMIT_CPU, &cpu);
        setrlimit(RLIMIT_CORE, &none);  // a crash leaves no core file behind
        setrlimit(RLIMIT_FSIZE, &none); // it writes no files
    });
    process.start(helper, {fileName, QString::number(TExcelLimits::MaxCells)});
    if (!process.waitForStarted(10'000))
        throw EExcelError(QStringLiteral("Excel 97-2003 파일(.xls)을 읽는 프로그램을 실행할 수 없습니다.\r%1")
                              .arg(helper));
    THelperOutput output(fileName, book);
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    auto stop = [&] {
        process.kill();
        process.waitForFinished(5'000);
    };
    try {
        while (!output.End()) {
            const qint64 left = WallLimitMs() - clock.elapsed();
            if (left <= 0)
                throw EExcelError(Damaged(fileName)); // hung on the file
            const bool more = process.waitForReadyRead(int(left));
            pending += process.readAllStandardOutput();
            output.Feed(pending);
            if (!more && !output.End()) {
                // Output closed or nothing came: wait for the end rather than spin.
                process.waitForFinished(int(std::min<qint64>(left, 1000)));
                if (process.state() == QProcess::NotRunning) {
                    pending += process.readAllStandardOutput();
                    output.Feed(pending);
                    break;
                }
            }
        }
    } catch (const std::bad_alloc&) {
        stop();
        throw EExcelError(QStringLiteral("Excel 파일이 너무 커서 읽을 수 없습니다.\r%1")
                              .arg(QFileInfo(fileName).fileName()));
    } catch (...) {
        stop();
        throw;
    }
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(5'000))
        stop();
    switch (output.End()) {
    case XlsHelper::tEnd:
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            return;
        break;
    case XlsHelper::tPassword:
        throw EExcelError(QStringLiteral("암호가 걸린 Excel 파일은 읽을 수 없습니다.\r%1")
                              .arg(QFileInfo(fileName).fileName()));
    case XlsHelper::tTooMany:
        throw EExcelError(TooManyCells());
    default:
        break; // refused, crashed, stopped by a limit or ended early
    }
    throw EExcelError(Damaged(fileName));
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

QString TXlsReader::HelperPath()
{
    if (!HelperPathSetting().isEmpty())
        return HelperPathSetting();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("selvar_xlsread"));
}

void TXlsReader::SetHelperPath(const QString& path)
{
    HelperPathSetting() = path;
}

void TXlsReader::SetTimeLimit(int milliseconds)
{
    WallLimitMs() = milliseconds > 0 ? milliseconds : kHelperWallMs;
}
