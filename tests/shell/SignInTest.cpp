#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TDatabase.h"
#include "common/TPasswordHash.h"
#include "controls/ESelvarError.h"
#include "common/TQuery.h"
#include "server/TMenuData.h"
#include "server/TNewOffice.h"
#include "shell/TfrmSignIn.h"
#include "tests/shell/ShellTestSupport.h"

// The launcher on a new office file: administrator A0000001 ("secret12"),
// and a clerk C0000002 ("clerk123") who may be put out of service.
class SignInTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.Path("config"));
        QSettings ini(folder.Path("Databases.ini"), QSettings::IniFormat);
        ini.setValue("OFFICE/Path", "office.db");
        ini.setValue("BRANCH/Path", "branch.db");
        ini.sync();
        TDatabase db(TConnectionSettings::Sqlite(folder.Path("office.db")));
        db.Open();
        TNewOffice::Create(db, "OFFICE", {"SELVAR", "설악 사무소", "A0000001", "한관리", "secret12"});
        TMenuData::AddEmployee(db, "C0000002", "김수납", TPasswordHash::Make("clerk123"));
        // The client is a stand-in that writes down its arguments.
        QFile script(folder.Path("client.sh"));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        qputenv("SELVAR_CLIENT_PROGRAM", folder.Path("client.sh").toUtf8());
        window = std::make_unique<TfrmSignIn>(SessionContext::AppDir());
        window->SetRefusalDelay(0);
        window->show();
    }

    void TearDown() override { qunsetenv("SELVAR_CLIENT_PROGRAM"); }

    void SignIn(const QString& empNo, const QString& password)
    {
        MessageBoxSeam::Reset();
        window->cbxDatabase->setCurrentText("OFFICE");
        window->edtEmpNo->setText(empNo);
        window->edtPassword->setText(password);
        QTest::mouseClick(window->btnOk, Qt::LeftButton);
        QTest::qWait(20);
    }

    QString Shown() const { return MessageBoxSeam::Shown().isEmpty() ? QString() : MessageBoxSeam::Last().text; }

    void Exec(const QString& sql)
    {
        TDatabase db(TConnectionSettings::Sqlite(folder.Path("office.db")));
        db.Open();
        TQuery q(db);
        q.SQL() << sql;
        q.ExecSQL();
    }

    ProgramFolder folder;
    std::unique_ptr<TfrmSignIn> window;
};

TEST_F(SignInTest, TheListHoldsTheConfiguredDatabasesAndTheDemonstration)
{
    QStringList items;
    for (int i = 0; i < window->cbxDatabase->count(); ++i)
        items << window->cbxDatabase->itemText(i);
    EXPECT_EQ(items, QStringList({"BRANCH", "OFFICE", "DEMO"}));
    EXPECT_EQ(window->windowTitle(), "임대업장 관리");
    EXPECT_EQ(window->edtPassword->echoMode(), QLineEdit::Password);
}

TEST_F(SignInTest, AWrongPasswordAndAnUnknownNumberGetTheSameMessageAfterAPause)
{
    window->SetRefusalDelay(300);
    SignIn("A0000001", "wrong-one");
    EXPECT_TRUE(Shown().isEmpty()); // not yet
    EXPECT_FALSE(window->btnOk->isEnabled());
    QTest::qWait(500);
    const QString wrongPassword = Shown();
    EXPECT_EQ(wrongPassword, "사원번호 또는 비밀번호가 맞지 않습니다.");
    EXPECT_TRUE(window->btnOk->isEnabled());
    SignIn("Z9999999", "secret12");
    QTest::qWait(500);
    EXPECT_EQ(Shown(), wrongPassword);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFile::exists(folder.Path("args.txt")));
    EXPECT_TRUE(window->edtPassword->text().isEmpty()); // the typed password does not stay
}

TEST_F(SignInTest, FiveFailuresInARowLockTheNumberForAMinute)
{
    for (int i = 0; i < TSignIn::MaxFailures; ++i) {
        SignIn("A0000001", "wrong-" + QString::number(i));
        EXPECT_EQ(Shown(), TSignIn::RefusedMessage()) << i;
    }
    SignIn("A0000001", "secret12");
    EXPECT_EQ(Shown(), TSignIn::LockedMessage());
    // Another number is not locked with it.
    TSignIn::TResult clerk = window->SignIn().Check("OFFICE", "C0000002", "clerk123");
    EXPECT_EQ(clerk.outcome, TSignIn::soAccepted);
    window->SignIn().SetNow(QDateTime::currentDateTimeUtc().addSecs(TSignIn::LockSeconds + 1));
    EXPECT_EQ(window->SignIn().Check("OFFICE", "A0000001", "secret12").outcome, TSignIn::soAccepted);
}

TEST_F(SignInTest, TheRightPasswordStartsTheClientWithExactlyTheFourArguments)
{
    QSignalSpy finished(window.get(), &TfrmSignIn::ClientFinished);
    SignIn("A0000001", "secret12");
    EXPECT_TRUE(Shown().isEmpty()) << Shown().toStdString();
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(10000));
    EXPECT_EQ(finished.first().first().toInt(), 0);
    EXPECT_FALSE(window->isVisible()); // hidden while the client runs
    QFile args(folder.Path("args.txt"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()), "OFFICE\nSELVAR\nA0000001\n한관리\n");
    // The next start offers the database used last.
    TfrmSignIn next(SessionContext::AppDir());
    EXPECT_EQ(next.cbxDatabase->currentText(), "OFFICE");
}

TEST_F(SignInTest, AnEmployeeOutOfServiceCannotSignIn)
{
    Exec("UPDATE ZA010MS SET USE_YN = 'N' WHERE EMP_NO = 'C0000002'");
    SignIn("C0000002", "clerk123");
    EXPECT_EQ(Shown(), TSignIn::OutOfServiceMessage());
    EXPECT_FALSE(QFile::exists(folder.Path("args.txt")));
}

TEST_F(SignInTest, APasswordSetByTheAdministratorMustBeChangedBeforeWork)
{
    Exec("UPDATE ZA010MS SET PASSWORD_RESET_YN = 'Y' WHERE EMP_NO = 'C0000002'");
    TSignIn& signIn = window->SignIn();
    EXPECT_EQ(signIn.Check("OFFICE", "C0000002", "clerk123").outcome, TSignIn::soMustChangePassword);
    EXPECT_THROW(signIn.ChangePassword("OFFICE", "C0000002", "abc"), ESelvarError);
    signIn.ChangePassword("OFFICE", "C0000002", "newclerk1");
    EXPECT_EQ(signIn.Check("OFFICE", "C0000002", "clerk123").outcome, TSignIn::soRefused);
    EXPECT_EQ(signIn.Check("OFFICE", "C0000002", "newclerk1").outcome, TSignIn::soAccepted);
}
