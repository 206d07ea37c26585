#include "common/TSqlTraceFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QWidget>

#include "common/EInOutError.h"
#include "common/TTraceSettings.h"
#include "common/TextEncoding.h"

namespace {

QString ActiveFormName()
{
    const QWidget* window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    return window ? window->objectName() : QString();
}

QString LogName(const QString& executable)
{
    const qsizetype dot = executable.lastIndexOf(u'.');
    return (dot > 0 ? executable.left(dot) : executable) + QStringLiteral(".LOG");
}

} // namespace

TSqlTraceFile::TSqlTraceFile(const TTraceSettings& settings)
{
    const QDateTime now = settings.CurrentTime();
    m_path = QDir(settings.AppDir).filePath(FileName(settings, now.date()));
    m_prefix = QStringLiteral("[%1  %2]  %3 / ")
                   .arg(now.date().toString(QStringLiteral("yyyy-MM-dd")),
                        now.time().toString(QStringLiteral("HH:mm:ss.zzz")),
                        ActiveFormName().leftJustified(9));
}

QString TSqlTraceFile::FileName(const TTraceSettings& settings, const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + u'_' + settings.ClientIP + u'_' + settings.EmpNo + u'_'
           + LogName(settings.ExecutableName());
}

QString TSqlTraceFile::Elapsed(qint64 milliseconds)
{
    const qint64 ms = std::max<qint64>(milliseconds, 0);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

void TSqlTraceFile::Append(const QStringList& lines)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw EInOutError(QStringLiteral("SQL 추적 파일에 기록할 수 없습니다.\r%1").arg(m_path));
    const QByteArray bytes = ToLocaleEncoding(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw EInOutError(QStringLiteral("SQL 추적 파일에 기록할 수 없습니다.\r%1").arg(m_path));
}

void TSqlTraceFile::WriteStatement(const QStringList& lines)
{
    QStringList record{m_prefix + QStringLiteral("Sql Statement")};
    for (const QString& line : lines)
        for (const QString& part : line.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
            if (!part.trimmed().isEmpty())
                record << part;
    Append(record);
}

void TSqlTraceFile::WriteOpened(qint64 elapsedMs)
{
    Append({m_prefix + QStringLiteral("OpenTime_Gap = ") + Elapsed(elapsedMs)});
}

void TSqlTraceFile::WriteExecuted(qint64 rowsAffected, qint64 elapsedMs)
{
    Append({m_prefix + QStringLiteral("ExecuteCount = ") + QString::number(rowsAffected),
            m_prefix + QStringLiteral("ExecTime_Gap = ") + Elapsed(elapsedMs)});
}
