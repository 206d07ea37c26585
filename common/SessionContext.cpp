#include "common/SessionContext.h"

#include <QFileInfo>

#include "common/TTraceSettings.h"

namespace {
struct SessionValues
{
    QString appDir;
    QString exeName;
    QString clientIP;
    QString empNo;
    QString userName;
    QString lastCardNumber;
};

SessionValues& Values()
{
    static SessionValues values;
    return values;
}
} // namespace

QString SessionContext::AppDir() { return Values().appDir; }
QString SessionContext::ExeName() { return Values().exeName; }
QString SessionContext::ClientIP() { return Values().clientIP; }
QString SessionContext::EmpNo() { return Values().empNo; }
QString SessionContext::UserName() { return Values().userName; }
QString SessionContext::LastCardNumber() { return Values().lastCardNumber; }

QString SessionContext::ProgramIniPath()
{
    return AppDir() + ExeName() + QStringLiteral(".ini");
}

QString SessionContext::ProjectId()
{
    return ExeName().toUpper();
}

void SessionContext::SetLastCardNumber(const QString& cardNumber)
{
    Values().lastCardNumber = cardNumber;
}

void SessionContext::SetExecutable(const QString& executablePath)
{
    const QFileInfo info(executablePath);
    QString dir = info.absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/'); // the root folder already ends in one
    Values().appDir = dir;
    Values().exeName = info.completeBaseName();
    TTraceSettings::Current().AppDir = dir;
    TTraceSettings::Current().ExeName = info.fileName();
}

void SessionContext::SetClientIP(const QString& ip)
{
    Values().clientIP = ip;
    TTraceSettings::Current().ClientIP = ip;
}

void SessionContext::SetUser(const QString& empNo, const QString& userName)
{
    Values().empNo = empNo;
    Values().userName = userName;
    TTraceSettings::Current().EmpNo = empNo;
}
