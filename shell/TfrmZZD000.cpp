#include "shell/TfrmZZD000.h"

#include <QHostAddress>
#include <QHostInfo>

#include <QDir>
#include <QFileInfo>

#include "common/EDatabaseError.h"
#include "common/MessageBoxes.h"
#include "common/SessionContext.h"
#include "common/TTraceSettings.h"
#include "controls/ESelvarError.h"
#include "framework/SharedConnection.h"
#include "shell/PasswordScrambler.h"
#include "shell/TConnectionFile.h"
#include "shell/TOfficeConnection.h"

TfrmZZD000::TfrmZZD000(const QStringList& arguments, const QString& executablePath,
                       QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("frmZZD000"));
    SharedConnection::SetDatabase(&dbsDB); // every screen's statements run here
    DataModuleCreate(arguments, executablePath);
}

TfrmZZD000::~TfrmZZD000()
{
    DisconnectDatabase();
    if (&SharedConnection::Database() == &dbsDB)
        SharedConnection::SetDatabase(nullptr);
}

QString TfrmZZD000::RefusalMessage()
{
    return QStringLiteral("이 프로그램은 단독으로 실행되지 않습니다.\r"
                          "메인 프로그램(Selvar.exe)으로 실행하십시오.");
}

QString TfrmZZD000::ConnectFailureMessage(const QString& errorText)
{
    if (errorText.contains(QStringLiteral("ORA-00018")) || errorText.contains(QStringLiteral("ORA-00019")))
        return QStringLiteral("현재 너무 많은 사용자가 사용 중이므로 연결할 수 없습니다.\r"
                              "잠시 후 다시 시도하십시오.");
    return QStringLiteral("데이터베이스와 연결할 수 없습니다.\r\r에러내용:\r") + errorText;
}

QString TfrmZZD000::GetLocalIP()
{
    const QHostInfo host = QHostInfo::fromName(QHostInfo::localHostName());
    if (host.error() != QHostInfo::NoError)
        return {};
    for (const QHostAddress& address : host.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return {};
}

// The daily SQL trace goes to the program folder. An installed client's
// folder belongs to the system and cannot be written by its users; their
// traces then go to the user's data folder beside the demonstration database.
void TfrmZZD000::FillTraceSettings()
{
    TTraceSettings& trace = TTraceSettings::Current();
    trace.AppDir = SessionContext::AppDir();
    if (!QFileInfo(trace.AppDir).isWritable()) {
        const QString folder = TConnectionFile::DemoFolder();
        QDir().mkpath(folder);
        trace.AppDir = folder + QLatin1Char('/');
    }
    trace.ClientIP = SessionContext::ClientIP();
    trace.EmpNo = SessionContext::EmpNo();
}

void TfrmZZD000::DataModuleCreate(const QStringList& arguments, const QString& executablePath)
{
    SessionContext::SetExecutable(executablePath);
    SessionContext::SetClientIP(GetLocalIP());
    SessionContext::SetUser(arguments.value(2), arguments.value(3));
    if (arguments.size() != 4) {
        ShowError(RefusalMessage());
        m_terminate = true;
        return;
    }
    FillTraceSettings();
    m_databaseName = arguments.at(0);
    m_databaseUser = arguments.at(1);
    try {
        m_password = ResolvePassword(SessionContext::AppDir(), m_databaseUser);
    } catch (const ESelvarError& e) {
        ShowError(e.Message()); // the program's general error box
        return;
    }
    ConnectDatabase();
}

bool TfrmZZD000::ConnectDatabase()
{
    if (dbsDB.Connected())
        return true;
    try {
        OpenConnection();
        return true;
    } catch (const ESelvarError& e) {
        dbsDB.Close();
        ShowError(ConnectFailureMessage(e.Message()));
        return false;
    }
}

// The connection named by argument 1, with the user and password of start-up.
void TfrmZZD000::OpenConnection()
{
    TOfficeConnection::Open(dbsDB, SessionContext::AppDir(), m_databaseName, m_databaseUser, m_password);
}

void TfrmZZD000::DisconnectDatabase()
{
    try {
        dbsDB.Close();
    } catch (const EDatabaseError&) {
        // At exit nothing is left to roll back into; the connection goes anyway.
    }
}
