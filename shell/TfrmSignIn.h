#pragma once

#include <QStringList>
#include <QWidget>

#include "shell/TSignIn.h"

class QComboBox;
class QLineEdit;
class QLocalServer;
class QProcess;
class QPushButton;

// The sign-in launcher's window "임대업장 관리": the database (the sections
// of Databases.ini and "DEMO", the last one used first), the employee number
// and the password. Accepted, it starts the client with its four arguments
// (database, database user, employee number, employee name), hides while the
// client runs, listens on the local socket "Tfrm_0Main" for the client's
// closing code, and ends with the client.
class TfrmSignIn : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmSignIn(const QString& appDir, QWidget* parent = nullptr);
    ~TfrmSignIn() override;

    // The client: SELVAR_CLIENT_PROGRAM when set, else selvar_n beside the launcher.
    QString ClientProgram() const;
    static QStringList DatabaseNames(const QString& appDir);
    // How long a refusal waits before it is shown.
    void SetRefusalDelay(int milliseconds) { m_delayMs = milliseconds; }
    TSignIn& SignIn() { return m_signIn; }
    bool ClientClosingReceived() const { return m_closingReceived; }

    void btnOkClick();

    QComboBox* cbxDatabase;
    QLineEdit* edtEmpNo;
    QLineEdit* edtPassword;
    QPushButton* btnOk;
    QPushButton* btnCancel;

signals:
    // The client ended (its exit code), or could not start (-1).
    void ClientFinished(int exitCode);

private:
    void Refuse(const QString& message);
    bool AskNewPassword(const QString& database, const QString& empNo);
    void StartClient(const QString& database, const QString& user, const QString& empNo, const QString& name);
    void Listen();

    QString m_appDir;
    TSignIn m_signIn;
    int m_delayMs = 1500;
    QLocalServer* m_server = nullptr;
    QProcess* m_client = nullptr;
    bool m_closingReceived = false;
};
