#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>

#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "server/TDemoData.h"
#include "server/TMenuData.h"
#include "server/TServerProcedures.h"
#include "tests/server/ServerTestSupport.h"

namespace {
// One demo database for the whole suite: filling it is the expensive part.
class DemoData : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_db = new TDatabase(TConnectionSettings::Sqlite(s_dir->filePath("demo.db")));
        s_db->Open();
        TDemoData::Fill(*s_db);
        RegisterServerProcedures();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        delete s_dir;
    }

    static QStringList Column(const QString& sql, const QMap<QString, QString>& binds = {})
    {
        TQuery q(*s_db);
        q.SQL() << sql;
        for (auto it = binds.begin(); it != binds.end(); ++it)
            q.ParamByName(it.key()).SetAsString(it.value());
        q.Open();
        QStringList values;
        for (; !q.Eof(); q.Next())
            values << q.Fields(0).AsString();
        return values;
    }

    // The programs an employee's menu bar shows, menu by menu.
    static QStringList MenuOf(const QString& empNo)
    {
        QStringList shown;
        TQuery menus(*s_db);
        menus.SQL() << TServerTestDb::ScreenStatement("MENUS");
        menus.ParamByName("P0").SetAsString(TMenuData::ProjectId);
        menus.Open();
        for (; !menus.Eof(); menus.Next()) {
            TQuery q(*s_db);
            q.SQL() << TServerTestDb::ScreenStatement("MENU_PROGRAMS");
            q.ParamByName("P0").SetAsString(TMenuData::ProjectId);
            q.ParamByName("P1").SetAsString(menus.Fields(0).AsString());
            q.ParamByName("P2").SetAsString(empNo);
            q.Open();
            QStringList ids;
            for (; !q.Eof(); q.Next())
                ids << q.Fields(1).AsString();
            if (!ids.isEmpty())
                shown << menus.Fields(1).AsString() + ":" + ids.join(',');
        }
        return shown;
    }

    static QTemporaryDir* s_dir;
    static TDatabase* s_db;
};
QTemporaryDir* DemoData::s_dir = nullptr;
TDatabase* DemoData::s_db = nullptr;
} // namespace

TEST_F(DemoData, TheAdministratorSeesEveryMenuAndOthersTheirShare)
{
    EXPECT_EQ(MenuOf(TMenuData::AdministratorEmpNo),
              (QStringList{"기준정보(&A):NAI010,NAI020,NAI030,NAI040,NAS050",
                           "청구관리(&B):NBI020,NBI030,NBI040,NBI050,NBS040", "입금관리(&I):NBI010,NBS060",
                           "마감(&M):NDI010,NDS020", "보고서(&R):NCI010,NCI020,NCS040,NCS050,NCS060,NCS090"}));
    EXPECT_EQ(MenuOf("10000002").join(' '),
              "기준정보(&A):NAI010,NAI020,NAI040,NAS050 청구관리(&B):NBI020,NBI030,NBI040,NBS040 "
              "입금관리(&I):NBI010,NBS060 마감(&M):NDI010,NDS020 "
              "보고서(&R):NCI010,NCI020,NCS040,NCS050,NCS060,NCS090");
    EXPECT_EQ(MenuOf("10000004").join(' '),
              "기준정보(&A):NAI010,NAI020,NAI030,NAI040,NAS050 청구관리(&B):NBI020,NBI030,NBI040,NBS040 "
              "입금관리(&I):NBI010,NBS060 마감(&M):NDS020");
    EXPECT_EQ(MenuOf("10000005"), QStringList{"기준정보(&A):NAS050"});
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("TITLE"), {{"P0", TDemoData::DatabaseUser}}),
              QStringList{"데모 리조트"});
}

TEST_F(DemoData, SitesContractsAndVouchersAreThereForEveryScreen)
{
    EXPECT_EQ(Column("SELECT COUNT(*) FROM NA020MS"), QStringList{"80"});
    EXPECT_EQ(Column("SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = '4001'").size(), 1);
    EXPECT_FALSE(Column(TServerTestDb::ScreenStatement("NAI010_NEW_SITES")).isEmpty());
    const QString last = QDate::currentDate().addMonths(-1).toString("yyyyMM");
    EXPECT_GT(Column(TServerTestDb::ScreenStatement("NBS040_MANAGEMENT_FEE").replace("201811", last)).size(), 10);
    EXPECT_GT(Column(TServerTestDb::ScreenStatement("NBS040_RENT_ALL_MONTHS")).size(), 100);
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    EXPECT_GE(Column(TServerTestDb::ScreenStatement("NBS060_VOUCHERS"),
                     {{"SDATE", QDate::currentDate().addMonths(-2).toString("yyyyMM") + "01"}, {"EDATE", today}})
                  .size(),
              10);
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("NBS060_VOUCHERS"), {{"SDATE", "20180501"}, {"EDATE", "20180531"}})
                  .size(),
              4);
    // A voucher line is used by one receipt line at most: the voucher list looks it up as a single value.
    EXPECT_EQ(Column("SELECT COUNT(*) FROM (SELECT SLIP_CODE FROM NB020MS WHERE SLIP_CODE IS NOT NULL "
                     "GROUP BY SLIP_CODE HAVING COUNT(*) > 1)"), QStringList{"0"});
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("DEFAULT_MONTH")), QStringList{today.left(6)});
}

TEST_F(DemoData, ClosingsAgreeWithThePreviewAndCloseAgainToTheSameFigures)
{
    const QString last = QDate::currentDate().addMonths(-1).toString("yyyyMM");
    const QString figures = "SELECT CONT_CODE || AMT_CODE || '=' || CAST(THIS_MINAPAMT AS INTEGER) || '/' || "
                            "CAST(THIS_MINAPDEALYAMT AS INTEGER) FROM NB030MS WHERE NAPIP_MONTH = :M ORDER BY 1";
    const QStringList closed = Column(figures, {{"M", last}});
    ASSERT_GT(closed.size(), 40);

    QStringList preview;
    TQuery q(*s_db);
    q.SQL() << TServerTestDb::ScreenStatement("CLOSING_PREVIEW_CURRENT");
    q.ParamByName("NAPIP_MONTH").SetAsString(last);
    q.Open();
    const QMap<QString, QString> codes{{"보증금", "01"}, {"임대료", "02"}, {"관리비", "03"}};
    for (; !q.Eof(); q.Next())
        preview << q.FieldByName("CONT_CODE").AsString() + codes[q.FieldByName("AMT_CODE").AsString()] + "=" +
                       QString::number(q.FieldByName("THIS_MINAPAMT").AsInteger()) + "/" +
                       QString::number(q.FieldByName("THIS_MINAPDEALYAMT").AsInteger());
    preview.sort();
    for (const QString& row : preview)
        EXPECT_TRUE(closed.contains(row)) << row.toStdString();

    TStoredProc proc(*s_db);
    proc.SetProcedureName("PR_NDI010_01");
    proc.ParamByName("ANAPIP_MONTH").SetAsString(last);
    proc.ParamByName("AU_EMP_NO").SetAsString(TMenuData::AdministratorEmpNo);
    s_db->StartTransaction();
    proc.ParamByName("AGUBUN").SetAsString("D");
    proc.ExecProc();
    EXPECT_TRUE(Column(figures, {{"M", last}}).isEmpty());
    proc.ParamByName("AGUBUN").SetAsString("I");
    proc.ExecProc();
    EXPECT_EQ(Column(figures, {{"M", last}}), closed);
    s_db->Rollback();
}
