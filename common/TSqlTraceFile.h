#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

struct TTraceSettings;

// One traced statement in the daily trace file of a client address and
// employee: the header line and the statement, then after it has run the
// closing line(s), all with the prefix fixed when the record began. The file
// is opened for each write and closed again, so nothing holds it between
// writes. Every write throws EInOutError when the file cannot be written.
class TSqlTraceFile
{
public:
    explicit TSqlTraceFile(const TTraceSettings& settings);

    // The file of a day: "YYYYMMDD_<ClientIP>_<EmpNo>_<executable>.LOG".
    static QString FileName(const TTraceSettings& settings, const QDate& date);
    // hh:mm:ss.zzz of a duration in milliseconds.
    static QString Elapsed(qint64 milliseconds);

    QString Path() const { return m_path; }
    QString Prefix() const { return m_prefix; }

    void WriteStatement(const QStringList& lines);
    void WriteOpened(qint64 elapsedMs);
    void WriteExecuted(qint64 rowsAffected, qint64 elapsedMs);

private:
    void Append(const QStringList& lines);

    QString m_path;
    QString m_prefix;
};
