#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// Checks an employee's number and password against the employees of a
// database of Databases.ini, for the sign-in launcher. Five failures in a row
// lock that number on that database for a minute; a number that does not
// exist fails like a wrong password, after the same work.
class TSignIn
{
public:
    enum TOutcome
    {
        soAccepted,
        soMustChangePassword, // accepted once a new password is set
        soRefused,            // wrong number or password
        soLocked,
        soOutOfService,
        soFailed, // the database could not be reached; message says why
    };

    struct TResult
    {
        TOutcome outcome = soRefused;
        QString message;
        QString databaseUser;
        QString empName;
    };

    explicit TSignIn(const QString& appDir) : m_appDir(appDir) {}

    static QString RefusedMessage() { return QStringLiteral("사원번호 또는 비밀번호가 맞지 않습니다."); }
    static QString LockedMessage();
    static QString OutOfServiceMessage();
    static constexpr int MaxFailures = 5;
    static constexpr int LockSeconds = 60;

    TResult Check(const QString& database, const QString& empNo, const QString& password);
    // Replaces the employee's password (after soMustChangePassword); throws
    // ESelvarError with the reason.
    void ChangePassword(const QString& database, const QString& empNo, const QString& newPassword);

    // The clock the lock is measured with; tests move it.
    void SetNow(const QDateTime& now) { m_now = now; }

private:
    struct TFailures
    {
        int count = 0;
        QDateTime lockedUntil;
    };
    QDateTime Now() const { return m_now.isValid() ? m_now : QDateTime::currentDateTimeUtc(); }
    TResult Refuse(const QString& key);

    QString m_appDir;
    QHash<QString, TFailures> m_failures;
    QDateTime m_now;
};
