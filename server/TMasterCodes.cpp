#include "server/TMasterCodes.h"

#include <QVariantMap>
#include <algorithm>

#include "server/TServerInput.h"
#include "server/TServerSql.h"

QString TMasterCodes::NextTenantCode(TServerSql& sql)
{
    return Next(sql, QStringLiteral("SELECT C_CODE AS CODE FROM VA050MS WHERE C_CODE LIKE :PATTERN"),
                QStringLiteral("20"), 10, QStringLiteral("거래처코드"));
}

QString TMasterCodes::NextSiteCode(TServerSql& sql, bool leasable)
{
    return Next(sql, QStringLiteral("SELECT UPJANG_CODE AS CODE FROM JA010MS WHERE UPJANG_CODE LIKE :PATTERN"),
                leasable ? QStringLiteral("4") : QStringLiteral("1"), 4, QStringLiteral("업장코드"));
}

// Codes typed by hand elsewhere (letters, other lengths) are passed over, so
// the next code is always a free one of the office's own pattern.
QString TMasterCodes::Next(TServerSql& sql, const QString& statement, const QString& prefix, int length,
                           const QString& what)
{
    qint64 highest = 0;
    for (const QVariantMap& row : sql.Rows(statement, {{"PATTERN", prefix + QStringLiteral("%")}})) {
        const QString code = row.value(QStringLiteral("CODE")).toString().trimmed();
        const QString tail = code.mid(prefix.size());
        const bool digits = std::all_of(tail.begin(), tail.end(), [](QChar c) { return c.isDigit(); });
        if (code.size() == length && digits)
            highest = qMax(highest, tail.toLongLong());
    }
    const int tailLength = length - prefix.size();
    qint64 last = 1;
    for (int i = 0; i < tailLength; ++i)
        last *= 10;
    if (highest + 1 >= last)
        TServerInput::Refuse(QStringLiteral("더 이상 부여할 %1 없습니다.").arg(TServerInput::Subject(what)));
    return prefix + QStringLiteral("%1").arg(highest + 1, tailLength, 10, QLatin1Char('0'));
}
