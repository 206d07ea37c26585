#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TPostgresDialect.h"
#include "common/TQuery.h"
#include "tests/server/ServerTestSupport.h"

// Two clients on the shared server at once. Each case lets the second client
// start its save and read before the first one commits (what two people
// pressing save at the same moment do); the second one is then refused with
// the message to save again, its work is gone, and saving again gives the
// result of one save after the other.
namespace {

class PostgresClients : public ::testing::Test
{
protected:
    void SetUp() override
    {
        other.Open();
        t.AddContract("000001", "4001", "20250110", "20251209");
        ASSERT_EQ(t.Call("PR_NBI020_02", {{"ACONT_CODE", "000001"}, {"AIPGUM_DATE", "20250110"},
                                          {"ASTART_DATE", "20250110"}, {"AEND_DATE", "20251209"}}), "");
    }

    // The other client's save, begun (and its first read done) before ours.
    void OtherBegins()
    {
        other.StartTransaction();
        TQuery q(other);
        q.SQL() << "SELECT COUNT(*) FROM NA020MS";
        q.Open();
    }

    // Finishes the other client's save with the call; its refusal, or empty.
    QString OtherSaves(const QString& procedure, const QMap<QString, QString>& params)
    {
        try {
            TServerTestDb::CallOn(other, procedure, params);
            other.Commit();
            return {};
        } catch (const EDatabaseError& e) {
            other.Rollback();
            return e.Message();
        }
    }

    QString Retry(const QString& procedure, const QMap<QString, QString>& params)
    {
        other.StartTransaction();
        return OtherSaves(procedure, params);
    }

    TServerTestDb t;
    TDatabase other{t.Settings()};
};

QMap<QString, QString> NewContract(const QString& shop)
{
    return {{"ACONT_CODE", ""}, {"AC_CODE", "2000000001"}, {"ASHOP_CODE", shop},
            {"ACONT_START_DATE", "20260101"}, {"ACONT_END_DATE", "20261231"}, {"ACONT_DEPOSIT", "0"},
            {"ACONT_LEASE_MONEY", "1000000"}, {"ACONT_MANAGE_PAY", "0"}, {"ACONT_DELAYRATE", "12"},
            {"AMINAP_CHK", "Y"}, {"AEDITSTATUS", "2"}};
}

QMap<QString, QString> Receipt(const QString& amount)
{
    return {{"AGUBUN", "I"}, {"ACONT_CODE", "000001"}, {"AAMT_CODE", "02"}, {"ANAPIP_MONTH", "202502"},
            {"AIPGUM_DATE", "20250212"}, {"AIPGUM_AMT", amount}};
}

QMap<QString, QString> Closing(const QString& month)
{
    return {{"ANAPIP_MONTH", month}, {"ANAPIP_MONTH_FROM", ""}, {"ANAPIP_MONTH_TO", ""}, {"AGUBUN", "I"}};
}

} // namespace

TEST_F(PostgresClients, TwoNewContractsNeverGetTheSameCode)
{
    OtherBegins();
    ASSERT_EQ(t.Call("PR_NAI020_01", NewContract("4002")), "");
    EXPECT_EQ(OtherSaves("PR_NAI020_01", NewContract("4001")), TPostgresDialect::RetryMessage());
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM NA020MS"), "2");
    EXPECT_EQ(Retry("PR_NAI020_01", NewContract("4001")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(DISTINCT CONT_CODE) || '/' || MAX(CONT_CODE) FROM NA020MS"), "3/000003");
}

TEST_F(PostgresClients, TwoChangesOfOneContractDoNotLoseEitherSave)
{
    OtherBegins();
    t.Exec("UPDATE NA020MS SET CONT_REMARK = 'first' WHERE CONT_CODE = '000001'");
    TQuery change(other);
    change.SQL() << "UPDATE NA020MS SET CONT_LEASE_MONEY = 2000000 WHERE CONT_CODE = '000001'";
    try {
        change.ExecSQL();
        FAIL() << "the second save overwrote the first";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), TPostgresDialect::RetryMessage());
    }
    other.Rollback();
    change.ExecSQL(); // saved again, on top of the first
    EXPECT_EQ(t.Scalar("SELECT CONT_REMARK || '/' || CONT_LEASE_MONEY FROM NA020MS"), "first/2000000");
}

TEST_F(PostgresClients, TwoReceiptsOfTheSameMonthNeverExceedWhatIsOwed)
{
    // 1,000,000 rent is owed for February; each receipt alone fits, both do not.
    OtherBegins();
    ASSERT_EQ(t.Call("PR_NBI010_01", Receipt("600000")), "");
    EXPECT_EQ(OtherSaves("PR_NBI010_01", Receipt("600000")), TPostgresDialect::RetryMessage());
    EXPECT_EQ(Retry("PR_NBI010_01", Receipt("600000")), "입금금액(600,000)이 미납금액(400,000)보다 큽니다.");
    EXPECT_EQ(Retry("PR_NBI010_01", Receipt("400000")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(DISTINCT IPGUM_SEQ) || '/' || SUM(IPGUM_AMT) FROM NB020MS"), "2/1000000");
}

TEST_F(PostgresClients, TheSameMonthIsClosedOnce)
{
    OtherBegins();
    ASSERT_EQ(t.Call("PR_NDI010_01", Closing("202501")), "");
    const QString once = t.Dump();
    EXPECT_EQ(OtherSaves("PR_NDI010_01", Closing("202501")), TPostgresDialect::RetryMessage());
    EXPECT_EQ(t.Dump(), once);
    EXPECT_EQ(Retry("PR_NDI010_01", Closing("202501")), "2025년 01월은 이미 마감되었습니다.");
}
