#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TProcedureRegistry.h"
#include "common/TStoredProc.h"
#include "tests/common/DatabaseTestSupport.h"

namespace {

// A procedure that records a row and refuses a negative amount after writing,
// so a refusal must take its own write back.
void SaveAmount(TDatabase& db, const TStoredProc& proc)
{
    TQuery q(db);
    q.SQL() << "INSERT INTO T (K, V, U_EMP_NO) VALUES (:K, :V, :U)";
    q.ParamByName("K").SetAsString(proc.ParamByName("AK").AsString());
    q.ParamByName("V").SetAsString(proc.ParamByName("AV").AsString());
    q.ParamByName("U").SetAsString(proc.ParamByName("AU_EMP_NO").AsString());
    q.ExecSQL();
    if (proc.ParamByName("AV").AsFloat() < 0)
        throw EDatabaseError(QStringLiteral("금액이 올바르지 않습니다."));
}

class StoredProc : public ::testing::Test
{
protected:
    void SetUp() override { t.Exec("CREATE TABLE T (K VARCHAR(4) PRIMARY KEY, V DOUBLE PRECISION, U_EMP_NO VARCHAR(8))"); }
    TTempDatabase t;
    TProcedureRegistry::TScoped registered{"PR_TEST_01", {"AK", "AV", "AU_EMP_NO"}, SaveAmount};
};

TEST_F(StoredProc, ParamsFollowTheDeclarationAndTheCallJoinsTheCallersTransaction)
{
    TStoredProc proc(t.Db());
    proc.SetProcedureName("pr_test_01");
    ASSERT_EQ(proc.Params().size(), 3u);
    EXPECT_EQ(proc.Params()[0].Name(), "AK");
    EXPECT_EQ(proc.Params()[2].Name(), "AU_EMP_NO");
    EXPECT_THROW(proc.ParamByName("AX"), EDatabaseError);

    t.Db().StartTransaction();
    proc.ParamByName("AK").SetAsString("a");
    proc.ParamByName("AV").SetAsString("10");
    proc.ParamByName("AU_EMP_NO").SetAsString("E001");
    proc.ExecProc();
    proc.ParamByName("AK").SetAsString("b");
    proc.ExecProc(); // the other values stay bound
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T WHERE U_EMP_NO = 'E001'"), "2");
    t.Db().Rollback();
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T"), "0");
}

TEST_F(StoredProc, ARefusalCarriesItsMessageAndUndoesOnlyItsOwnWork)
{
    TStoredProc proc(t.Db());
    proc.SetProcedureName("PR_TEST_01");
    t.Db().StartTransaction();
    proc.ParamByName("AK").SetAsString("a");
    proc.ParamByName("AV").SetAsString("1");
    proc.ExecProc();
    proc.ParamByName("AK").SetAsString("b");
    proc.ParamByName("AV").SetAsString("-1");
    try {
        proc.ExecProc();
        FAIL() << "refusal lost";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "금액이 올바르지 않습니다.");
    }
    EXPECT_TRUE(t.Db().InTransaction());
    EXPECT_EQ(t.Scalar("SELECT GROUP_CONCAT(K) FROM T"), "a");
    t.Db().Commit();
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T"), "1");
}

TEST_F(StoredProc, AnyFailureOfTheBodyReachesTheCallerAsADatabaseError)
{
    TStoredProc proc(t.Db());
    proc.SetProcedureName("PR_TEST_01");
    proc.ParamByName("AK").SetAsString("c");
    proc.ParamByName("AV").SetAsString("12,000"); // not a number: the body's conversion fails
    try {
        proc.ExecProc();
        FAIL() << "conversion failure lost";
    } catch (const EDatabaseError& e) {
        // The embedded engine stores the text and the body's conversion fails;
        // the server refuses the text for the amount column at once.
        EXPECT_EQ(e.Message(), TTestEngine::IsPostgres() ? "invalid input syntax for type double precision: \"12,000\""
                                                          : "'12,000'은(는) 올바른 숫자 값이 아닙니다.");
    }
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T"), "0"); // its insert was taken back
}

TEST_F(StoredProc, UnknownProcedureIsADatabaseError)
{
    TStoredProc proc(t.Db());
    proc.SetProcedureName("PR_NOPE_01");
    EXPECT_TRUE(proc.Params().empty());
    EXPECT_THROW(proc.ExecProc(), EDatabaseError);
}

TEST_F(StoredProc, ScopedRegistrationRestoresThePreviousBody)
{
    {
        TProcedureRegistry::TScoped inner("PR_TEST_01", {"AK"}, [](TDatabase&, const TStoredProc&) {});
        EXPECT_EQ(TProcedureRegistry::Instance().Find("PR_TEST_01")->ParamNames.size(), 1);
    }
    EXPECT_EQ(TProcedureRegistry::Instance().Find("PR_TEST_01")->ParamNames.size(), 3);
}

} // namespace
