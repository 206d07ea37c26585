#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "common/EInOutError.h"
#include "common/TSqlTraceFile.h"
#include "common/TTraceSettings.h"

namespace {

class SqlTraceFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings.AppDir = m_dir.path() + "/";
        m_settings.ClientIP = "10.1.2.3";
        m_settings.EmpNo = "1234567";
        m_settings.ExeName = "selvar_n.exe";
        m_settings.Now = [this] { return m_now; };
    }
    QByteArray Contents(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    TTraceSettings m_settings;
    QDateTime m_now{QDate(2026, 12, 8), QTime(13, 14, 26, 123)};
};

} // namespace

TEST_F(SqlTraceFile, NamesTheDailyFileAfterDateAddressEmployeeAndProgram)
{
    EXPECT_EQ(TSqlTraceFile::FileName(m_settings, QDate(2026, 12, 8)), "20261208_10.1.2.3_1234567_selvar_n.LOG");
    m_settings.ClientIP.clear();
    m_settings.ExeName = "selvar_n";
    EXPECT_EQ(TSqlTraceFile::FileName(m_settings, QDate(2026, 12, 8)), "20261208__1234567_selvar_n.LOG");
}

TEST_F(SqlTraceFile, WritesHeaderNonBlankStatementLinesAndClosingWithTheHeadersTime)
{
    QWidget form;
    form.setObjectName("frmN0Main");
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    TSqlTraceFile trace(m_settings);
    trace.WriteStatement({"SELECT A", "   ", "  FROM T", "", "WHERE B = :B\n\n ORDER BY A"});
    m_now = m_now.addMSecs(47); // completion time does not show in the prefix
    trace.WriteOpened(47);
    const QByteArray prefix = "[2026-12-08  13:14:26.123]  frmN0Main / ";
    EXPECT_EQ(Contents("20261208_10.1.2.3_1234567_selvar_n.LOG"),
              prefix + "Sql Statement\r\nSELECT A\r\n  FROM T\r\nWHERE B = :B\r\n ORDER BY A\r\n"
                  + prefix + "OpenTime_Gap = 00:00:00.047\r\n");
}

TEST_F(SqlTraceFile, ExecutionsLogRowCountAndTimeAndTheFileOnlyGrows)
{
    QFile existing(m_dir.filePath("20261208_10.1.2.3_1234567_selvar_n.LOG"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("earlier\r\n");
    existing.close();
    TSqlTraceFile trace(m_settings);
    trace.WriteStatement({"UPDATE 한글"});
    trace.WriteExecuted(3, 3723004);
    const QByteArray prefix = "[2026-12-08  13:14:26.123]  " + QByteArray(9, ' ') + " / "; // no active form
    EXPECT_EQ(Contents("20261208_10.1.2.3_1234567_selvar_n.LOG"),
              "earlier\r\n" + prefix + "Sql Statement\r\nUPDATE 한글\r\n" + prefix + "ExecuteCount = 3\r\n"
                  + prefix + "ExecTime_Gap = 01:02:03.004\r\n");
}

TEST_F(SqlTraceFile, ACallAfterMidnightStartsTheNextDaysFile)
{
    m_now = QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 990));
    TSqlTraceFile(m_settings).WriteStatement({"SELECT 1"});
    m_now = QDateTime(QDate(2026, 12, 9), QTime(0, 0, 0, 5));
    TSqlTraceFile(m_settings).WriteStatement({"SELECT 2"});
    EXPECT_TRUE(Contents("20261208_10.1.2.3_1234567_selvar_n.LOG").endsWith("SELECT 1\r\n"));
    EXPECT_TRUE(Contents("20261209_10.1.2.3_1234567_selvar_n.LOG").startsWith("[2026-12-09  00:00:00.005]"));
}

TEST_F(SqlTraceFile, AnUnwritableFolderIsAnInputOutputError)
{
    m_settings.AppDir = m_dir.filePath("missing/");
    TSqlTraceFile trace(m_settings);
    EXPECT_THROW(trace.WriteStatement({"SELECT 1"}), EInOutError);
}
