#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "DatabaseTestSupport.h"
#include "common/EDatabaseError.h"
#include "common/EInOutError.h"
#include "common/SqlTrace.h"
#include "common/TTraceSettings.h"

namespace {

// A clock that moves 47 ms on every reading, from 8 December 2026 13:14:26.123.
class RunQueryWithTraceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = TTraceSettings::Current();
        TTraceSettings& settings = TTraceSettings::Current();
        settings.AppDir = m_dir.path() + "/";
        settings.ClientIP = "10.1.2.3";
        settings.EmpNo = "1234567";
        settings.ExeName = "selvar_n";
        settings.Now = [this] {
            const QDateTime now = m_now;
            m_now = m_now.addMSecs(47);
            return now;
        };
        m_db.Exec("CREATE TABLE T (A TEXT)");
        m_db.Exec("INSERT INTO T VALUES ('x')");
        m_db.Exec("INSERT INTO T VALUES ('y')");
    }
    void TearDown() override { TTraceSettings::Current() = m_saved; }

    QByteArray Log(const char* date = "20261208") const
    {
        QFile file(m_dir.filePath(QString(date) + "_10.1.2.3_1234567_selvar_n.LOG"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    TTempDatabase m_db;
    TTraceSettings m_saved;
    QDateTime m_now{QDate(2026, 12, 8), QTime(13, 14, 26, 123)};
};

const QByteArray kPrefix = "[2026-12-08  13:14:26.123]  " + QByteArray(9, ' ') + " / ";

} // namespace

TEST_F(RunQueryWithTraceTest, OpensAThreeLineStatementAndLogsItWithoutBlankLines)
{
    TQuery query(m_db.Db());
    query.SQL() << "SELECT A" << "" << "  FROM T" << "   " << " ORDER BY A";
    RunQueryWithTrace(query, "Open");
    ASSERT_TRUE(query.Active());
    EXPECT_EQ(query.Fields(0).AsString(), "x");
    EXPECT_EQ(Log(), kPrefix + "Sql Statement\r\nSELECT A\r\n  FROM T\r\n ORDER BY A\r\n"
                         + kPrefix + "OpenTime_Gap = 00:00:00.047\r\n");
}

TEST_F(RunQueryWithTraceTest, AnyWordWithOpenOpensAndOthersExecute)
{
    for (const char* word : {"open", "REOPEN"}) {
        TQuery query(m_db.Db());
        query.SQL() << "SELECT A FROM T";
        RunQueryWithTrace(query, word);
        EXPECT_TRUE(query.Active()) << word;
        EXPECT_EQ(query.RecordCount(), 2) << word;
    }
    TQuery update(m_db.Db());
    update.SQL() << "UPDATE T SET A = 'z'";
    RunQueryWithTrace(update, "Exec");
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM T WHERE A = 'z'"), "2");
    EXPECT_TRUE(Log().endsWith("ExecuteCount = 2\r\n" + QByteArray("[2026-12-08  13:14:26.405]  ") + QByteArray(9, ' ')
                               + " / ExecTime_Gap = 00:00:00.047\r\n"));
}

TEST_F(RunQueryWithTraceTest, AFailingStatementLeavesHeaderAndTextWithoutClosingLine)
{
    TQuery query(m_db.Db());
    query.SQL() << "SELECT NOPE FROM MISSING";
    EXPECT_THROW(RunQueryWithTrace(query, "Open"), EDatabaseError);
    EXPECT_EQ(Log(), kPrefix + "Sql Statement\r\nSELECT NOPE FROM MISSING\r\n");
}

TEST_F(RunQueryWithTraceTest, CallsAcrossMidnightGoToTwoFiles)
{
    m_now = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 950));
    TQuery query(m_db.Db());
    query.SQL() << "SELECT A FROM T";
    RunQueryWithTrace(query, "Open");
    RunQueryWithTrace(query, "Open");
    EXPECT_TRUE(Log("20261208").startsWith("[2026-12-08  23:59:59.950]"));
    EXPECT_EQ(Log("20261208").count("Sql Statement"), 1);
    EXPECT_TRUE(Log("20261209").startsWith("[2026-12-09  00:00:00.091]"));
}

TEST_F(RunQueryWithTraceTest, AnUnwritableTraceFileStopsTheStatementBeforeItRuns)
{
    TTraceSettings::Current().AppDir = m_dir.filePath("missing/");
    TQuery update(m_db.Db());
    update.SQL() << "DELETE FROM T";
    EXPECT_THROW(RunQueryWithTrace(update, "Exec"), EInOutError);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM T"), "2");
}
