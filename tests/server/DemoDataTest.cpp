#include <gtest/gtest.h>

#include <QDate>
#include <array>
#include <QTemporaryDir>

#include "common/TBusinessClock.h"
#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "server/TDemoData.h"
#include "server/TMenuData.h"
#include "server/TServerInput.h"
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
        s_fresh = new TTestEngine::TFreshDatabase(s_dir->filePath("demo.db"));
        s_db = new TDatabase(s_fresh->Settings());
        s_db->Open();
        TDemoData::Fill(*s_db);
        RegisterServerProcedures();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        delete s_fresh;
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
    static TTestEngine::TFreshDatabase* s_fresh;
    static TDatabase* s_db;
};
QTemporaryDir* DemoData::s_dir = nullptr;
TTestEngine::TFreshDatabase* DemoData::s_fresh = nullptr;
TDatabase* DemoData::s_db = nullptr;
} // namespace

TEST_F(DemoData, TheAdministratorSeesEveryMenuAndOthersTheirShare)
{
    EXPECT_EQ(MenuOf(TMenuData::AdministratorEmpNo),
              (QStringList{"기준정보(&A):NAI010,NAI020,NAI030,NAI040,NAS050,NAI060,NAI070",
                           "청구관리(&B):NBI020,NBI030,NBI040,NBI050,NBS040,NBS070", "입금관리(&I):NBI010,NBS060,NBI060",
                           "마감(&M):NDI010,NDS020", "보고서(&R):NCI010,NCI020,NCS040,NCS050,NCS060,NCS090",
                           "관리(&Z):ZZA010"}));
    EXPECT_EQ(MenuOf("10000002").join(' '),
              "기준정보(&A):NAI010,NAI020,NAI040,NAS050,NAI060,NAI070 청구관리(&B):NBI020,NBI030,NBI040,NBS040,NBS070 "
              "입금관리(&I):NBI010,NBS060,NBI060 마감(&M):NDI010,NDS020 "
              "보고서(&R):NCI010,NCI020,NCS040,NCS050,NCS060,NCS090");
    EXPECT_EQ(MenuOf("10000004").join(' '),
              "기준정보(&A):NAI010,NAI020,NAI030,NAI040,NAS050,NAI060,NAI070 청구관리(&B):NBI020,NBI030,NBI040,NBS040,NBS070 "
              "입금관리(&I):NBI010,NBS060,NBI060 마감(&M):NDS020");
    EXPECT_EQ(MenuOf("10000005"), QStringList{"기준정보(&A):NAS050"});
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("TITLE"), {{"P0", TDemoData::DatabaseUser}}),
              QStringList{"데모 리조트"});
}

TEST_F(DemoData, SitesContractsAndVouchersAreThereForEveryScreen)
{
    EXPECT_EQ(Column("SELECT COUNT(*) FROM NA020MS"), QStringList{"80"});
    EXPECT_EQ(Column("SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = '4001'").size(), 1);
    EXPECT_FALSE(Column(TServerTestDb::ScreenStatement("NAI010_NEW_SITES")).isEmpty());
    const QString last = TBusinessClock::Today().addMonths(-1).toString("yyyyMM");
    EXPECT_GT(Column(TServerTestDb::ScreenStatement("NBS040_MANAGEMENT_FEE").replace("201811", last)).size(), 10);
    EXPECT_GT(Column(TServerTestDb::ScreenStatement("NBS040_RENT_ALL_MONTHS")).size(), 100);
    const QString today = TBusinessClock::Today().toString("yyyyMMdd");
    EXPECT_GE(Column(TServerTestDb::ScreenStatement("NBS060_VOUCHERS"),
                     {{"SDATE", TBusinessClock::Today().addMonths(-2).toString("yyyyMM") + "01"}, {"EDATE", today}})
                  .size(),
              10);
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("NBS060_VOUCHERS"), {{"SDATE", "20180501"}, {"EDATE", "20180531"}})
                  .size(),
              4);
    // A voucher line is used by one receipt line at most: the voucher list looks it up as a single value.
    EXPECT_EQ(Column("SELECT COUNT(*) FROM (SELECT SLIP_CODE FROM NB020MS WHERE SLIP_CODE IS NOT NULL "
                     "GROUP BY SLIP_CODE HAVING COUNT(*) > 1)"), QStringList{"0"});
    // Last month is left open, to be closed in the first days of this one.
    EXPECT_EQ(Column(TServerTestDb::ScreenStatement("DEFAULT_MONTH")),
              QStringList{TBusinessClock::Today().addMonths(-1).toString("yyyyMM")});
}

namespace {
// The figures of one line: carried in, billed, received (amount, late fee), carried out.
using TFigures = std::array<double, 7>;
using TLedger = QMap<QString, TFigures>; // by contract + amount code

TLedger Preview(TDatabase& db, const QString& month, const QString& currentMonth)
{
    static const QMap<QString, QString> codes{{"보증금", "01"}, {"임대료", "02"}, {"관리비", "03"}};
    TQuery q(db);
    q.SQL() << TServerTestDb::ScreenStatement(month < currentMonth ? "CLOSING_PREVIEW_EARLIER"
                                                                   : "CLOSING_PREVIEW_CURRENT");
    q.ParamByName("NAPIP_MONTH").SetAsString(month);
    q.Open();
    TLedger rows;
    for (; !q.Eof(); q.Next()) {
        TFigures f;
        int i = 0;
        for (const char* field : {"LAST_MINAPAMT", "LAST_DELAYAMT", "NAPIP_AMT", "IPGUM_AMT", "IPGUM_DELAYAMT",
                                  "THIS_MINAPAMT", "THIS_MINAPDEALYAMT"})
            f[i++] = q.FieldByName(field).AsFloat();
        rows.insert(q.FieldByName("CONT_CODE").AsString() + codes.value(q.FieldByName("AMT_CODE").AsString()), f);
    }
    return rows;
}

TLedger Stored(TDatabase& db, const QString& month)
{
    TQuery q(db);
    q.SQL() << "SELECT CONT_CODE || AMT_CODE, LAST_MINAPAMT, LAST_DELAYAMT, NAPIP_AMT, IPGUM_AMT, IPGUM_DELAYAMT, "
               "THIS_MINAPAMT, THIS_MINAPDEALYAMT FROM NB030MS WHERE NAPIP_MONTH = :M";
    q.ParamByName("M").SetAsString(month);
    q.Open();
    TLedger rows;
    for (; !q.Eof(); q.Next()) {
        TFigures f;
        for (int i = 0; i < 7; ++i)
            f[i] = q.Fields(i + 1).AsFloat();
        rows.insert(q.Fields(0).AsString(), f);
    }
    return rows;
}

// The receipts screen's month status: per code NAPIP, carried unpaid, carried
// late fee, received, and "총 잔금"; the total line under "T".
QMap<QString, std::array<double, 5>> Status(TDatabase& db, const QString& cont, const QString& month)
{
    TQuery q(db);
    q.SQL() << TServerTestDb::ScreenStatement("MONTH_STATUS");
    q.ParamByName("CONT_CODE").SetAsString(cont);
    q.ParamByName("NAPIP_MONTH").SetAsString(month + "01");
    q.Open();
    QMap<QString, std::array<double, 5>> rows;
    for (; !q.Eof(); q.Next())
        rows.insert(q.FieldByName("AMT_CODE").AsString(),
                    {q.FieldByName("NAPIP_AMT").AsFloat(), q.FieldByName("THIS_MINAPAMT").AsFloat(),
                     q.FieldByName("THIS_MINAPDEALYAMT").AsFloat(), q.FieldByName("IPGUM_AMT").AsFloat(),
                     q.FieldByName("REMAIN_AMT").AsFloat()});
    return rows;
}

// Calls a procedure in a transaction that is rolled back; empty on success.
QString TryCall(TDatabase& db, const QString& name, const QMap<QString, QString>& params)
{
    TStoredProc proc(db);
    proc.SetProcedureName(name);
    for (auto it = params.begin(); it != params.end(); ++it)
        proc.ParamByName(it.key()).SetAsString(it.value());
    proc.ParamByName("AU_EMP_NO").SetAsString(TMenuData::AdministratorEmpNo);
    db.StartTransaction();
    QString refusal;
    try {
        proc.ExecProc();
    } catch (const EDatabaseError& e) {
        refusal = e.Message();
    }
    db.Rollback();
    return refusal;
}

std::string Describe(const QString& key, const TFigures& f)
{
    QStringList parts;
    for (double v : f)
        parts << QString::number(v, 'f', 0);
    return (key + " " + parts.join('/')).toStdString();
}
} // namespace

// For every month from the first to this one, the month status, the closing
// preview the closing screen picks and the stored (or test-run) closing agree
// line by line, and the server takes exactly the total that the status shows.
TEST_F(DemoData, TheLedgerAgreesAcrossMonthStatusPreviewAndClosing)
{
    const QString current = TBusinessClock::ThisMonth();
    const QString today = TBusinessClock::TodayText();
    const QString first = Column("SELECT MIN(NAPIP_MONTH) FROM NB010MS").value(0);
    const QString lastClosed = Column("SELECT MAX(NAPIP_MONTH) FROM NB030MS").value(0);
    ASSERT_EQ(lastClosed, TBusinessClock::Today().addMonths(-2).toString("yyyyMM"));
    const QStringList contracts = Column("SELECT CONT_CODE FROM NA020MS ORDER BY 1");
    const QStringList managed = Column("SELECT CONT_CODE FROM NA020MS WHERE MINAP_CHK = 'Y'");
    int compared = 0, booked = 0;
    for (QString month = first; month <= current; month = TServerInput::MonthAfter(month, 1)) {
        const TLedger preview = Preview(*s_db, month, current);
        if (month <= lastClosed) {
            const TLedger stored = Stored(*s_db, month);
            EXPECT_EQ(preview.keys(), stored.keys()) << month.toStdString();
            for (auto it = stored.begin(); it != stored.end(); ++it)
                EXPECT_EQ(Describe(it.key(), preview.value(it.key())), Describe(it.key(), it.value()))
                    << month.toStdString();
            compared += static_cast<int>(stored.size());
        } else {
            // What "I" would store, when it can close the month at all.
            s_db->StartTransaction();
            TStoredProc proc(*s_db);
            proc.SetProcedureName("PR_NDI010_01");
            proc.ParamByName("ANAPIP_MONTH").SetAsString(month);
            proc.ParamByName("AGUBUN").SetAsString("I");
            proc.ParamByName("AU_EMP_NO").SetAsString(TMenuData::AdministratorEmpNo);
            try {
                proc.ExecProc();
                EXPECT_EQ(month, TServerInput::MonthAfter(lastClosed, 1));
                const TLedger stored = Stored(*s_db, month);
                EXPECT_EQ(preview.keys(), stored.keys());
                for (auto it = stored.begin(); it != stored.end(); ++it)
                    EXPECT_EQ(Describe(it.key(), preview.value(it.key())), Describe(it.key(), it.value()));
                compared += static_cast<int>(stored.size());
            } catch (const EDatabaseError& e) {
                EXPECT_EQ(month, current) << e.Message().toStdString();
            }
            s_db->Rollback();
        }
        for (const QString& cont : contracts) {
            const auto status = Status(*s_db, cont, month);
            for (auto it = status.begin(); it != status.end(); ++it) {
                if (it.key() == "T")
                    continue;
                const QString key = cont + it.key();
                const auto& s = it.value();
                if (!preview.contains(key)) {
                    // Only a balance of a contract without arrears management goes unshown.
                    if (managed.contains(cont))
                        EXPECT_TRUE(s[0] == 0 && s[1] == 0 && s[2] == 0 && s[3] == 0) << key.toStdString();
                    continue;
                }
                const TFigures& p = preview[key];
                EXPECT_EQ(s[0], p[2]) << key.toStdString() << " " << month.toStdString();
                EXPECT_EQ(s[1], p[0]) << key.toStdString() << " " << month.toStdString();
                EXPECT_EQ(s[2], p[1]) << key.toStdString() << " " << month.toStdString();
                // Every won the status counts as received is paid down once: on the amount or the late fee.
                EXPECT_EQ(s[3], p[3] + p[4]) << key.toStdString() << " " << month.toStdString();
            }
            if (month <= lastClosed || !managed.contains(cont) || !status.contains("T"))
                continue;
            const double remain = status["T"][4];
            const QString date = month == current ? today : TServerInput::MonthAfter(month, 1).left(6) + "01";
            const QString payDate = month == current
                ? today : TServerInput::FromDate(TServerInput::ToDate(date).addDays(-1));
            auto book = [&](double amount) {
                return TryCall(*s_db, "PR_NBI010_01", {{"AGUBUN", "I"}, {"ACONT_CODE", cont}, {"AAMT_CODE", "T"},
                                                       {"ANAPIP_MONTH", month}, {"AIPGUM_DATE", payDate},
                                                       {"AIPGUM_AMT", QString::number(amount, 'f', 0)}});
            };
            if (remain > 0) {
                EXPECT_EQ(book(remain), "") << cont.toStdString() << " " << month.toStdString();
                EXPECT_NE(book(remain + 1), "") << cont.toStdString() << " " << month.toStdString();
                ++booked;
            } else {
                EXPECT_NE(book(1), "") << cont.toStdString() << " " << month.toStdString();
            }
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(booked, 20);
    // No won of a receipt is lost or counted twice by the closings.
    EXPECT_EQ(Column("SELECT CAST(SUM(IPGUM_AMT) AS INTEGER) FROM NB020MS WHERE NAPIP_MONTH <= :M", {{"M", lastClosed}}),
              Column("SELECT CAST(SUM(IPGUM_AMT + IPGUM_DELAYAMT) AS INTEGER) FROM NB030MS"));
}
