#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "controls/EConvertError.h"
#include "tests/common/DatabaseTestSupport.h"

namespace {

class Query : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.Exec("CREATE TABLE SHOP (CODE VARCHAR(6) PRIMARY KEY, NAME VARCHAR(30), AMT DOUBLE PRECISION, "
               "SEQ INTEGER, STAMP TIMESTAMP)");
        TQuery insert(t.Db());
        insert.SQL() << "INSERT INTO SHOP (CODE, NAME, AMT, SEQ, STAMP)" << "VALUES (:CODE, :NAME, :AMT, :SEQ, :STAMP)";
        const struct { const char* code; const char* name; double amt; } rows[] = {
            {"4001", "본관 매점", 1500000}, {"4002", "O'Brien", 2.5}, {"4003", "", 0}};
        for (const auto& r : rows) {
            insert.ParamByName("CODE").SetAsString(r.code);
            insert.ParamByName("NAME").SetAsString(r.name);
            insert.ParamByName("AMT").SetAsFloat(r.amt);
            insert.ParamByName("SEQ").SetAsString("7");
            insert.ParamByName("STAMP").SetAsVariant(QDateTime(QDate(2026, 12, 9), QTime(10, 30, 0)));
            insert.ExecSQL();
            EXPECT_EQ(insert.RowsAffected(), 1);
        }
    }
    TTempDatabase t;
};

TEST_F(Query, WalksRowsAndReadsFieldsByNameAndType)
{
    TQuery q(t.Db());
    q.SQL() << "select code, name, amt, seq, stamp, amt / 2 AS half FROM SHOP ORDER BY CODE";
    q.Open();
    ASSERT_TRUE(q.Active());
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.FieldCount(), 6);
    EXPECT_EQ(q.Fields(0).FieldName(), "CODE");
    EXPECT_EQ(q.FieldByName("Name").DataType(), ftString);
    EXPECT_EQ(q.FieldByName("AMT").DataType(), ftFloat);
    EXPECT_EQ(q.FieldByName("SEQ").DataType(), ftInteger);
    EXPECT_EQ(q.FieldByName("STAMP").DataType(), ftDateTime);
    EXPECT_EQ(q.FieldByName("HALF").DataType(), ftFloat);

    EXPECT_EQ(q.FieldByName("NAME").AsString(), "본관 매점");
    EXPECT_EQ(q.FieldByName("AMT").AsString(), "1500000");
    EXPECT_EQ(q.FieldByName("SEQ").AsInteger(), 7);
    EXPECT_EQ(q.FieldByName("STAMP").AsString(), "2026-12-09 10:30:00");
    q.Next();
    EXPECT_EQ(q.FieldByName("NAME").AsString(), "O'Brien");
    EXPECT_EQ(q.FieldByName("HALF").AsString(), "1.25");
    q.Next();
    EXPECT_TRUE(q.FieldByName("NAME").IsNull()); // empty text was stored as NULL
    EXPECT_FALSE(q.Eof());
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName("CODE").AsString(), "4003"); // stays on the last row
    q.First();
    EXPECT_EQ(q.FieldByName("CODE").AsString(), "4001");
    EXPECT_THROW(q.FieldByName("NOPE"), EDatabaseError);
    EXPECT_THROW(q.Fields(6), EDatabaseError);
    EXPECT_THROW(q.FieldByName("NAME").AsFloat(), EConvertError);
    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.FieldCount(), 0);
}

TEST_F(Query, EmptyResultIsEofWithNullFields)
{
    TQuery q(t.Db());
    q.SQL() << "SELECT CODE FROM SHOP WHERE CODE = :C";
    q.ParamByName("C").SetAsString("9999");
    q.Open();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.RecordCount(), 0);
    EXPECT_TRUE(q.Fields(0).IsNull());
    EXPECT_EQ(q.Fields(0).AsString(), "");
}

TEST_F(Query, EmptyBoundTextSwitchesAnOptionalFilterOff)
{
    TQuery q(t.Db());
    q.SQL() << "SELECT CODE FROM SHOP WHERE (NAME LIKE :SHOP_NAME OR :SHOP_NAME IS NULL) ORDER BY CODE";
    EXPECT_EQ(q.ParamCount(), 1);
    q.ParamByName("SHOP_NAME").SetAsString("");
    EXPECT_TRUE(q.ParamByName("shop_name").IsNull());
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    q.ParamByName("SHOP_NAME").SetAsString("%Brien%");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.Fields(0).AsString(), "4002");
}

TEST_F(Query, ChangingTheTextKeepsValuesOfRemainingNames)
{
    TQuery q(t.Db());
    q.SQL() << "SELECT CODE FROM SHOP WHERE CODE = :CODE";
    q.ParamByName("CODE").SetAsString("4002");
    q.SQL().clear();
    q.SQL() << "SELECT NAME FROM SHOP WHERE CODE = :CODE AND (SEQ = :SEQ OR :SEQ IS NULL)";
    EXPECT_EQ(q.ParamByName("CODE").AsString(), "4002");
    EXPECT_TRUE(q.ParamByName("SEQ").IsNull()); // never bound: NULL
    q.Open();
    EXPECT_EQ(q.Fields(0).AsString(), "O'Brien");
    EXPECT_THROW(q.ParamByName("MISSING"), EDatabaseError);
}

TEST_F(Query, ExecSqlReportsRowsAffectedAndOpenRefusesNonQueries)
{
    TQuery q(t.Db());
    q.SQL() << "UPDATE SHOP A SET AMT = AMT + 1 WHERE A.CODE <> :C";
    q.ParamByName("C").SetAsString("4001");
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 2);
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_EQ(t.Scalar("SELECT SUM(AMT) FROM SHOP"), "1500004.5");

    TQuery bad(t.Db());
    bad.SQL() << "SELEC 1";
    try {
        bad.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), TTestEngine::IsPostgres() ? "syntax error at or near \"SELEC\""
                                                          : "near \"SELEC\": syntax error");
    }
}

TEST_F(Query, ParamsConvertLikeTheServerTexts)
{
    TParam p("X");
    EXPECT_TRUE(p.IsNull());
    p.SetAsString("150000");
    EXPECT_EQ(p.AsFloat(), 150000.0);
    EXPECT_EQ(p.AsInteger(), 150000);
    p.SetAsFloat(0.1 + 0.2);
    EXPECT_EQ(p.AsString(), "0.3");
    p.SetAsFloat(1e7);
    EXPECT_EQ(p.AsString(), "10000000");
    p.Clear();
    EXPECT_TRUE(p.IsNull());
    p.SetAsString("abc");
    EXPECT_THROW(p.AsInteger(), EConvertError);
}

} // namespace

namespace {

TEST_F(Query, UniDirectionalReadsRowByRowAndRefusesGoingBack)
{
    TQuery q(t.Db());
    q.SetUniDirectional(true);
    q.SQL() << "SELECT CODE, NAME, AMT * 2 AS DOUBLED FROM SHOP ORDER BY CODE";
    q.Open();
    EXPECT_THROW(q.SetUniDirectional(false), EDatabaseError);
    EXPECT_EQ(q.FieldByName("DOUBLED").DataType(), ftFloat);
    QStringList codes;
    for (; !q.Eof(); q.Next())
        codes << q.FieldByName("CODE").AsString();
    EXPECT_EQ(codes, QStringList({"4001", "4002", "4003"}));
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_THROW(q.First(), EDatabaseError);

    // The same text still runs buffered while a cursor is open on it.
    TQuery other(t.Db());
    other.SQL() << "SELECT CODE, NAME, AMT * 2 AS DOUBLED FROM SHOP ORDER BY CODE";
    q.Open();
    other.Open();
    EXPECT_EQ(other.RecordCount(), 3);
    q.Next();
    EXPECT_EQ(q.FieldByName("NAME").AsString(), "O'Brien");

    // Closing the connection under an open cursor leaves nothing dangling.
    t.Db().Close();
    EXPECT_THROW(q.Next(), EDatabaseError);
    q.Close();
}

TEST_F(Query, UniDirectionalEmptyResult)
{
    TQuery q(t.Db());
    q.SetUniDirectional(true);
    q.SQL() << "SELECT CODE FROM SHOP WHERE CODE = '0'";
    q.Open();
    EXPECT_TRUE(q.Eof());
    EXPECT_TRUE(q.Fields(0).IsNull());
    EXPECT_EQ(q.RecordCount(), 0);
}

} // namespace
