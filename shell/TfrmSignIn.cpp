#include "shell/TfrmSignIn.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

#include "common/MessageBoxes.h"
#include "common/TConfigFile.h"
#include "common/TPasswordHash.h"
#include "common/WindowMessage.h"
#include "controls/ESelvarError.h"
#include "shell/TConnectionFile.h"

namespace {
const QString LauncherName = QStringLiteral("Tfrm_0Main");

// The last database chosen, per user.
QSettings UserSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("selvar_n"), QStringLiteral("selvar"));
}

QLineEdit* PasswordEdit(const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(64);
    return edit;
}
} // namespace

TfrmSignIn::TfrmSignIn(const QString& appDir, QWidget* parent) : QWidget(parent), m_appDir(appDir), m_signIn(appDir)
{
    setObjectName(QStringLiteral("frm_0Main"));
    setWindowTitle(QStringLiteral("임대업장 관리"));
    cbxDatabase = new QComboBox;
    cbxDatabase->setObjectName(QStringLiteral("cbxDatabase"));
    cbxDatabase->addItems(DatabaseNames(appDir));
    const int last = cbxDatabase->findText(UserSettings().value(QStringLiteral("LastDatabase")).toString());
    cbxDatabase->setCurrentIndex(last >= 0 ? last : 0);
    edtEmpNo = new QLineEdit;
    edtEmpNo->setObjectName(QStringLiteral("edtEmpNo"));
    edtEmpNo->setMaxLength(8);
    edtPassword = PasswordEdit(QStringLiteral("edtPassword"));
    btnOk = new QPushButton(QStringLiteral("확인"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("취소"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* title = new QLabel(QStringLiteral("임대업장 관리"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 5);
    big.setBold(true);
    title->setFont(big);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("데이터베이스"), cbxDatabase);
    form->addRow(QStringLiteral("사원번호"), edtEmpNo);
    form->addRow(QStringLiteral("비밀번호"), edtPassword);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedWidth(360);

    connect(btnOk, &QPushButton::clicked, this, &TfrmSignIn::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(edtEmpNo, &QLineEdit::returnPressed, edtPassword, qOverload<>(&QWidget::setFocus));
    connect(edtPassword, &QLineEdit::returnPressed, this, &TfrmSignIn::btnOkClick);
    edtEmpNo->setFocus();
}

TfrmSignIn::~TfrmSignIn()
{
    if (m_client && m_client->state() != QProcess::NotRunning)
        m_client->disconnect(this); // the client goes on by itself
}

QStringList TfrmSignIn::DatabaseNames(const QString& appDir)
{
    TConfigFile config(appDir + TConnectionFile::FileName());
    QStringList names = config.Settings().childGroups();
    names.removeAll(TConnectionFile::DemoName());
    names << TConnectionFile::DemoName();
    return names;
}

QString TfrmSignIn::ClientProgram() const
{
    const QString standIn = qEnvironmentVariable("SELVAR_CLIENT_PROGRAM");
    return standIn.isEmpty() ? m_appDir + QStringLiteral("selvar_n") : standIn;
}

void TfrmSignIn::btnOkClick()
{
    if (!btnOk->isEnabled())
        return;
    const QString database = cbxDatabase->currentText();
    const QString empNo = edtEmpNo->text().trimmed();
    const QString password = edtPassword->text();
    edtPassword->clear();
    btnOk->setEnabled(false);
    setCursor(Qt::WaitCursor);
    const TSignIn::TResult result = m_signIn.Check(database, empNo, password);
    unsetCursor();
    switch (result.outcome) {
    case TSignIn::soRefused:
    case TSignIn::soLocked:
        Refuse(result.message);
        return;
    case TSignIn::soOutOfService:
    case TSignIn::soFailed:
        btnOk->setEnabled(true);
        ShowError(result.message);
        return;
    case TSignIn::soMustChangePassword:
        if (!AskNewPassword(database, empNo)) {
            btnOk->setEnabled(true);
            return;
        }
        break;
    case TSignIn::soAccepted:
        break;
    }
    UserSettings().setValue(QStringLiteral("LastDatabase"), database);
    StartClient(database, result.databaseUser, empNo, result.empName);
}

// A wrong number or password is told only after a pause, the same for both.
void TfrmSignIn::Refuse(const QString& message)
{
    QTimer::singleShot(m_delayMs, this, [this, message] {
        ShowError(message);
        btnOk->setEnabled(true);
        edtPassword->setFocus();
    });
}

bool TfrmSignIn::AskNewPassword(const QString& database, const QString& empNo)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgNewPassword"));
    dialog.setWindowTitle(QStringLiteral("비밀번호 변경"));
    QLineEdit* first = PasswordEdit(QStringLiteral("edtNewPassword"));
    QLineEdit* second = PasswordEdit(QStringLiteral("edtNewPasswordAgain"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("새 비밀번호를 정하십시오.")));
    form->addRow(QStringLiteral("새 비밀번호"), first);
    form->addRow(QStringLiteral("비밀번호 확인"), second);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("확인"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));
    form->addRow(box);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(box, &QDialogButtonBox::accepted, &dialog, [&] {
        if (first->text() != second->text()) {
            ShowError(QStringLiteral("두 번 입력한 비밀번호가 같지 않습니다."));
            return;
        }
        try {
            m_signIn.ChangePassword(database, empNo, first->text());
            dialog.accept();
        } catch (const ESelvarError& e) {
            ShowError(e.Message());
        }
    });
    return dialog.exec() == QDialog::Accepted;
}

void TfrmSignIn::StartClient(const QString& database, const QString& user, const QString& empNo,
                             const QString& name)
{
    Listen();
    m_client = new QProcess(this);
    m_client->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(m_client, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        emit ClientFinished(status == QProcess::NormalExit ? code : -1);
    });
    connect(m_client, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        show();
        btnOk->setEnabled(true);
        ShowError(QStringLiteral("프로그램을 시작할 수 없습니다: ") + ClientProgram());
        emit ClientFinished(-1);
    });
    hide();
    m_client->start(ClientProgram(), {database, user, empNo, name});
}

// The client's closing code arrives here; a socket left by a launcher that
// did not end cleanly is taken over.
void TfrmSignIn::Listen()
{
    if (m_server)
        return;
    m_server = new QLocalServer(this);
    if (!m_server->listen(LauncherName)) {
        QLocalServer::removeServer(LauncherName);
        m_server->listen(LauncherName);
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().trimmed() == QByteArray::number(WindowMessage::WM_CLIENT_CLOSING))
                    m_closingReceived = true;
            });
        }
    });
}
