#include "shell/TSignIn.h"

#include "common/TDatabase.h"
#include "common/TPasswordHash.h"
#include "common/TQuery.h"
#include "controls/ESelvarError.h"
#include "server/TServerSql.h"
#include "shell/PasswordScrambler.h"
#include "shell/TOfficeConnection.h"
#include "shell/TfrmZZD000.h"

namespace {
// The database as the client will open it, with its user and password.
void OpenFor(TDatabase& db, const QString& appDir, const QString& database, QString* user)
{
    *user = TOfficeConnection::DatabaseUser(appDir, database);
    TOfficeConnection::Open(db, appDir, database, *user, ResolvePassword(appDir, *user));
}
} // namespace

QString TSignIn::LockedMessage()
{
    return QStringLiteral("로그인에 %1번 실패하여 이 사원번호는 %2분 동안 쓸 수 없습니다.\r잠시 후 다시 시도하십시오.")
        .arg(MaxFailures)
        .arg(LockSeconds / 60);
}

QString TSignIn::OutOfServiceMessage()
{
    return QStringLiteral("사용이 중지된 사원번호입니다.\r관리자에게 문의하십시오.");
}

TSignIn::TResult TSignIn::Refuse(const QString& key)
{
    TFailures& f = m_failures[key];
    if (++f.count >= MaxFailures) {
        f.count = 0;
        f.lockedUntil = Now().addSecs(LockSeconds);
    }
    return {soRefused, RefusedMessage(), {}, {}};
}

TSignIn::TResult TSignIn::Check(const QString& database, const QString& empNo, const QString& password)
{
    const QString key = database + QLatin1Char('\n') + empNo.trimmed();
    const auto failures = m_failures.constFind(key);
    if (failures != m_failures.cend() && failures->lockedUntil.isValid() && Now() < failures->lockedUntil)
        return {soLocked, LockedMessage(), {}, {}};
    TResult result;
    std::vector<QVariantMap> rows;
    try {
        TDatabase db;
        OpenFor(db, m_appDir, database, &result.databaseUser);
        rows = TServerSql(db).Rows("SELECT EMP_NAME, USE_YN, PASSWORD_HASH, PASSWORD_RESET_YN FROM ZA010MS "
                                   "WHERE EMP_NO = :EMP_NO",
                                   {{"EMP_NO", empNo.trimmed()}});
    } catch (const ESelvarError& e) {
        return {soFailed, TfrmZZD000::ConnectFailureMessage(e.Message()), {}, {}};
    }
    if (rows.empty() || empNo.trimmed().isEmpty()) {
        TPasswordHash::VerifyNothing(password);
        return Refuse(key);
    }
    const QVariantMap& row = rows.front();
    if (!TPasswordHash::Verify(row.value("PASSWORD_HASH").toString(), password))
        return Refuse(key);
    m_failures.remove(key);
    if (row.value("USE_YN").toString() != QLatin1String("Y"))
        return {soOutOfService, OutOfServiceMessage(), {}, {}};
    result.empName = row.value("EMP_NAME").toString();
    result.outcome = row.value("PASSWORD_RESET_YN").toString() == QLatin1String("Y") ? soMustChangePassword
                                                                                     : soAccepted;
    return result;
}

void TSignIn::ChangePassword(const QString& database, const QString& empNo, const QString& newPassword)
{
    if (newPassword.size() < TPasswordHash::MinimumLength())
        throw ESelvarError(QStringLiteral("비밀번호는 %1자 이상이어야 합니다.").arg(TPasswordHash::MinimumLength()));
    TDatabase db;
    QString user;
    OpenFor(db, m_appDir, database, &user);
    TServerSql(db).Exec("UPDATE ZA010MS SET PASSWORD_HASH = :HASH, PASSWORD_SET_AT = :SET_AT, "
                        "PASSWORD_RESET_YN = 'N' WHERE EMP_NO = :EMP_NO",
                        {{"HASH", TPasswordHash::Make(newPassword)},
                         {"SET_AT", QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss")},
                         {"EMP_NO", empNo.trimmed()}});
}
