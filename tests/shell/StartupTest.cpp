#include <QAbstractButton>
#include <QMessageBox>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TProcedureRegistry.h"
#include "common/TTraceSettings.h"
#include "controls/EConvertError.h"
#include "screens/ScreenRegistry.h"
#include "shell/ClientProgram.h"
#include "shell/PasswordScrambler.h"
#include "shell/TConnectionFile.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }

    ProgramFolder folder;
};

TEST_F(StartupTest, WrongArgumentCountRefusesOnceWithoutConnecting)
{
    for (const QStringList& args : {QStringList{"DEMO", "selvar", "1001"},
                                    QStringList{"DEMO", "selvar", "1001", "홍길동", "extra"}}) {
        MessageBoxSeam::Reset();
        TfrmZZD000 dataModule(args, folder.Path("selvar_n"));
        ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
        EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
        EXPECT_EQ(MessageBoxSeam::Last().text,
                  "이 프로그램은 단독으로 실행되지 않습니다.\r메인 프로그램(Selvar.exe)으로 실행하십시오.");
        EXPECT_TRUE(dataModule.TerminationRequested());
        EXPECT_FALSE(dataModule.Connected());
        EXPECT_TRUE(dataModule.DatabaseName().isEmpty());
    }
    EXPECT_FALSE(QDir(TConnectionFile::DemoFolder()).exists()); // no database was touched
    // The session values are taken before the count is checked.
    EXPECT_EQ(SessionContext::EmpNo(), "1001");
    EXPECT_EQ(SessionContext::UserName(), "홍길동");
}

TEST_F(StartupTest, AppDirEndsInOneSeparatorAndNamesTheProgramIni)
{
    SessionContext::SetExecutable("/selvar_n");
    EXPECT_EQ(SessionContext::AppDir(), "/");
    SessionContext::SetExecutable("/opt/client/selvar_n.exe");
    EXPECT_EQ(SessionContext::AppDir(), "/opt/client/");
    EXPECT_EQ(SessionContext::ProgramIniPath(), "/opt/client/selvar_n.ini");
    EXPECT_EQ(SessionContext::ProjectId(), "SELVAR_N");
}

TEST_F(StartupTest, TraceGoesToTheProgramFolderOrToTheDataFolderWhenThatCannotBeWritten)
{
    const TTraceSettings saved = TTraceSettings::Current();
    const auto restore = qScopeGuard([&saved] { TTraceSettings::Current() = saved; });
    MessageBoxSeam::Reset();
    {
        TfrmZZD000 dataModule({"NOSUCH", "selvar", "1001", "홍길동"}, folder.Path("selvar_n"));
        EXPECT_EQ(TTraceSettings::Current().AppDir, SessionContext::AppDir());
        EXPECT_EQ(TTraceSettings::Current().EmpNo, "1001");
        EXPECT_EQ(TTraceSettings::Current().ClientIP, SessionContext::ClientIP());
    }
    // An installed client lives in a system folder its users cannot write;
    // a folder that does not exist cannot be written either.
    TfrmZZD000 installed({"NOSUCH", "selvar", "1002", "홍길동"}, folder.Path("readonly/bin/selvar_n"));
    EXPECT_EQ(TTraceSettings::Current().AppDir, TConnectionFile::DemoFolder() + "/");
    EXPECT_TRUE(QDir(TConnectionFile::DemoFolder()).exists());
    EXPECT_EQ(TTraceSettings::Current().EmpNo, "1002");
}

TEST_F(StartupTest, MissingOrEmptyPassUsesTheDatabaseUser)
{
    const QString appDir = SessionContext::AppDir();
    EXPECT_EQ(ResolvePassword(appDir, "selvar"), "selvar"); // no file at all
    folder.SetIni("RNUpdate.ini", "PROGRAM/OTHER", "x");
    EXPECT_EQ(ResolvePassword(appDir, "selvar"), "selvar"); // no key
    folder.SetIni("RNUpdate.ini", "PROGRAM/PASS", "");
    EXPECT_EQ(ResolvePassword(appDir, "selvar"), "selvar"); // empty value
}

TEST_F(StartupTest, WrittenPasswordsReadBackAsciiAndKorean)
{
    const QString ini = folder.Path("RNUpdate.ini");
    for (const QString& password : {QString("tiger"), QString("S3cret!pass-word_that_is_long_1234"),
                                    QString("비밀번호2024"), QString("x")}) {
        ASSERT_TRUE(WritePasswordFile(ini, password));
        EXPECT_EQ(ResolvePassword(SessionContext::AppDir(), "selvar"), password);
    }
    // Short passwords are padded to the table's length.
    const QString stored = QSettings(ini, QSettings::IniFormat).value("PROGRAM/PASS").toString();
    EXPECT_EQ(stored.size(), 64);
}

TEST_F(StartupTest, DescrambleIgnoresAnOddLastDigitAndAcceptsLowerCase)
{
    const QString scrambled = ScramblePassword("tiger", PasswordStartKey);
    EXPECT_EQ(DescramblePassword(scrambled + "7", PasswordStartKey), "tiger");
    EXPECT_EQ(DescramblePassword(scrambled.toLower(), PasswordStartKey), "tiger");
    EXPECT_NE(DescramblePassword(scrambled, PasswordStartKey + 1), "tiger");
}

TEST_F(StartupTest, NonHexPairRaisesTheConversionErrorAndShortValuesAreRejected)
{
    QString scrambled = ScramblePassword("tiger", PasswordStartKey);
    scrambled[10] = 'G';
    try {
        DescramblePassword(scrambled, PasswordStartKey);
        FAIL() << "a non-hexadecimal pair must not decode";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(scrambled.mid(10, 2)));
    }
    // Fewer than 32 bytes cannot be a value this program wrote.
    EXPECT_THROW(DescramblePassword(scrambled.left(62), PasswordStartKey), ESelvarError);
    EXPECT_THROW(DescramblePassword("0A1B", PasswordStartKey), ESelvarError);
}

TEST_F(StartupTest, UnreadablePasswordNamesTheFileAndKeyButShowsNoneOfTheValue)
{
    const QString value = "ZQ" + QString(70, '0');
    folder.SetIni("RNUpdate.ini", "PROGRAM/PASS", value);
    TfrmZZD000 dataModule({"DEMO", "selvar", "1001", "홍길동"}, folder.Path("selvar_n"));
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    QString text = MessageBoxSeam::Last().text;
    EXPECT_TRUE(text.contains(folder.Path("RNUpdate.ini")));
    EXPECT_TRUE(text.contains("[PROGRAM] PASS"));
    text.remove(folder.Path("RNUpdate.ini"));
    EXPECT_FALSE(text.contains('Z') || text.contains('Q') || text.contains("00")) << text.toStdString();
    EXPECT_FALSE(dataModule.Connected());
}

// Values stored before the register was computed without overflow: the
// program's earlier build wrote exactly these.
TEST_F(StartupTest, StoredValuesOfEarlierBuildsStillDecode)
{
    const QString known = "FBA4E43C709E03C85C22B891ED63AD1645DC289ADFF2982F66D33E48EC7EB3D4";
    EXPECT_EQ(ScramblePassword("4142434430313233", PasswordStartKey), known);
    EXPECT_EQ(DescramblePassword(known, PasswordStartKey), "4142434430313233");
    EXPECT_EQ(DescramblePassword("0790DA2E7FA119C65E26BB8FEA73AE0F40D927A3D4F88A1C78C22C47F87BA7D6",
                                 PasswordStartKey), "비밀번호2024");
}

TEST_F(StartupTest, APasswordFileSavedAsUtf16IsRead)
{
    const QString ini = folder.Path("RNUpdate.ini");
    const QString line = "[PROGRAM]\r\nPASS=" + ScramblePassword("tiger", PasswordStartKey) + "\r\n";
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xFE");
    file.write(reinterpret_cast<const char*>(line.utf16()), line.size() * 2);
    file.close();
    EXPECT_EQ(ResolvePassword(SessionContext::AppDir(), "selvar"), "tiger");
}

TEST_F(StartupTest, SessionLimitErrorsAnywhereInTheTextGiveTheTooManyUsersMessage)
{
    const QString tooMany = "현재 너무 많은 사용자가 사용 중이므로 연결할 수 없습니다.\r잠시 후 다시 시도하십시오.";
    EXPECT_EQ(TfrmZZD000::ConnectFailureMessage("connect failed: ORA-00019: maximum licenses"), tooMany);
    EXPECT_EQ(TfrmZZD000::ConnectFailureMessage("ORA-00018: maximum number of sessions"), tooMany);
    EXPECT_EQ(TfrmZZD000::ConnectFailureMessage("ORA-01017: invalid username/password"),
              "데이터베이스와 연결할 수 없습니다.\r\r에러내용:\rORA-01017: invalid username/password");
}

// The shipped start must make the embedded engine's procedures and the
// screens available; without them every save failed with an unknown procedure.
TEST_F(StartupTest, PrepareRegistersProceduresAndScreens)
{
    TProcedureRegistry::Instance().Unregister("PR_NAI010_01");
    ScreenRegistry::Unregister("NAI010");
    ClientProgram::Prepare();
    EXPECT_NE(TProcedureRegistry::Instance().Find("PR_NAI010_01"), nullptr);
    EXPECT_NE(TProcedureRegistry::Instance().Find("pr_ndi010_01"), nullptr);
    EXPECT_TRUE(ScreenRegistry::Contains("NAI010"));
    // Standard buttons read in Korean.
    QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains("예")) << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains("아니")) << box.button(QMessageBox::No)->text().toStdString();
}
