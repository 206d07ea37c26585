#include <QDate>
#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TSqlStatement.h"
#include "common/TSqliteDialect.h"
#include "tests/common/DatabaseTestSupport.h"

namespace {

QString Translate(const QString& sql) { return TSqliteDialect().Translate(TSqlStatement(sql)); }

TEST(SqlStatement, FindsParametersOutsideQuotesAndCommentsOncePerName)
{
    const TSqlStatement s(QStringLiteral(
        "SELECT ':NOT_A' , \":NOR_B\" FROM T -- :NOR_C\n WHERE A = :P0 AND (B = :p1 OR :P0 IS NULL) /* :X */ AND C = :P2 AND D::int = 1"));
    EXPECT_EQ(s.ParamNames(), QStringList({"P0", "p1", "P2"}));
    EXPECT_EQ(s.ParamIndex("P1"), 1);
    EXPECT_EQ(s.ParamIndex("int"), -1);
}

TEST(SqliteTranslation, RewritesOnlyWhatTheEngineReadsDifferently)
{
    EXPECT_EQ(Translate("SELECT A FROM T MINUS SELECT A FROM U"), "SELECT A FROM T EXCEPT SELECT A FROM U");
    EXPECT_EQ(Translate("SELECT TO_CHAR(sysdate-1,'DD') FROM DUAL"), "SELECT TO_CHAR(SYSDATE()-1,'DD') FROM DUAL");
    EXPECT_EQ(Translate("SELECT SYSDATE() FROM DUAL"), "SELECT SYSDATE() FROM DUAL");
    EXPECT_EQ(Translate("UPDATE nb030ms A SET X = 1"), "UPDATE nb030ms AS A SET X = 1");
    EXPECT_EQ(Translate("UPDATE nb030ms SET X = 1"), "UPDATE nb030ms SET X = 1");
    EXPECT_EQ(Translate("DELETE FROM T A WHERE A.X = 1"), "DELETE FROM T AS A WHERE A.X = 1");
    EXPECT_EQ(Translate("SELECT 1/12, X/100, 2.5/2, TRUNC(X,-1) FROM T"),
              "SELECT 1.0/12.0, X/100.0, 2.5/2.0, TRUNC(X,-1) FROM T");
    EXPECT_EQ(Translate("SELECT '' AS A, 'it''s' FROM T WHERE B = :B OR :B IS NULL"),
              "SELECT NULL AS A, 'it''s' FROM T WHERE B = ?1 OR ?1 IS NULL");
}

TEST(SqliteTranslation, NeverTouchesQuotedText)
{
    const QString sql = "SELECT 'A MINUS B', 'SYSDATE', '1/2', ':P', \"MINUS\" FROM T";
    EXPECT_EQ(Translate(sql), sql);

    TTempDatabase t;
    TQuery q(t.Db());
    q.SQL() << "SELECT 'MINUS' AS A, 'SYSDATE' AS B, 'x:P0y' AS C FROM DUAL";
    q.Open();
    EXPECT_EQ(q.FieldByName("A").AsString(), "MINUS");
    EXPECT_EQ(q.FieldByName("B").AsString(), "SYSDATE");
    EXPECT_EQ(q.FieldByName("C").AsString(), "x:P0y");
    EXPECT_EQ(q.ParamCount(), 0);
}

TEST(SqliteTranslation, DerivedTableWithSubqueriesIsReadOnceUnlessFilteredFromOutside)
{
    const QString inner = "SELECT X, (SELECT MAX(Y) FROM U WHERE U.X = T.X) AS Y FROM T";
    EXPECT_EQ(Translate("SELECT X, Y + Y FROM (" + inner + ") A ORDER BY X"),
              "SELECT X, Y + Y FROM (" + inner + " LIMIT -1 OFFSET 0) A ORDER BY X");
    EXPECT_EQ(Translate("SELECT Y FROM (SELECT Y FROM (" + inner + ") B) A"),
              "SELECT Y FROM (SELECT Y FROM (" + inner + " LIMIT -1 OFFSET 0) B LIMIT -1 OFFSET 0) A");
    for (const QString& kept : {"SELECT Y FROM (" + inner + ") A WHERE X = 1",
                                "SELECT Y FROM (" + inner + ") AS A WHERE X = 1",
                                "SELECT Y FROM (" + inner + " LIMIT 5) A", QString("SELECT Y FROM (SELECT X, Y FROM T) A"),
                                "SELECT X FROM T WHERE X IN (" + inner + ")"})
        EXPECT_EQ(Translate(kept), kept);

    // Same rows, same order, whichever way the engine reads the derived table.
    TTempDatabase t;
    t.Exec("CREATE TABLE T (X INTEGER)");
    t.Exec("CREATE TABLE U (X INTEGER, Y INTEGER)");
    t.Exec("INSERT INTO T VALUES (1), (2), (3)");
    t.Exec("INSERT INTO U VALUES (1, 10), (1, 20), (3, 5)");
    TQuery q(t.Db());
    q.SQL() << "SELECT X, NVL(Y,0) + NVL(Y,0) AS YY FROM (" + inner + ") A ORDER BY X";
    q.Open();
    QStringList rows;
    for (; !q.Eof(); q.Next())
        rows << q.FieldByName("X").AsString() + ":" + q.FieldByName("YY").AsString();
    EXPECT_EQ(rows, QStringList({"1:40", "2:0", "3:10"}));
}

class OracleFunctions : public ::testing::Test
{
protected:
    QString Eval(const QString& expression) { return t.Scalar("SELECT " + expression + " FROM DUAL"); }
    TTempDatabase t;
};

TEST_F(OracleFunctions, NvlAndDecodeTreatNullAndEmptyTextAlike)
{
    EXPECT_EQ(Eval("NVL(NULL, 5)"), "5");
    EXPECT_EQ(Eval("NVL('', 'x')"), "x");
    EXPECT_EQ(t.Scalar("SELECT NVL(SUM(1),0) FROM DUAL WHERE 1 = 0"), "0");
    EXPECT_EQ(Eval("DECODE(NULL, NULL, 'Y', 'N')"), "Y");
    EXPECT_EQ(Eval("DECODE('20070101', NULL, 'Y', 'N')"), "N");
    EXPECT_EQ(Eval("DECODE('03','01','보증금','02','임대료','03','관리비')"), "관리비");
    EXPECT_EQ(Eval("DECODE('04','01','a','02','b')"), "");
    EXPECT_EQ(Eval("DECODE(0.0, 0, 'zero', 'other')"), "zero");
    EXPECT_EQ(Eval("DECODE(SUBSTR('AB',1,1), 'A', 1, 2)"), "1");
}

TEST_F(OracleFunctions, DatesAreDayNumbersWithEightDigitDefaultFormat)
{
    EXPECT_EQ(Eval("TO_CHAR(TO_DATE('20070131'), 'YYYYMMDD')"), "20070131");
    EXPECT_EQ(Eval("TO_CHAR(TO_DATE('20080215')+365,'YYYYMMDD')"), "20090214");   // across 29 Feb
    EXPECT_EQ(Eval("TO_CHAR(TO_DATE('20070301')+365,'YYYYMMDD')"), "20080229");
    EXPECT_EQ(Eval("TO_DATE('20080301')-TO_DATE('20080201')"), "29");
    EXPECT_EQ(Eval("TO_CHAR(TO_DATE('2007-03-15 13:05:09','YYYY-MM-DD HH24:MI:SS'),'yyyy/mm/dd hh24.mi.ss')"),
              "2007/03/15 13.05.09");
    EXPECT_EQ(Eval("TO_CHAR(TO_DATE('20070315'),'YYYYMM')"), "200703");
    EXPECT_EQ(Eval("TO_CHAR('20070315','DD')"), "15");
    EXPECT_EQ(Eval("TO_DATE(NULL)"), "");
    EXPECT_THROW(Eval("TO_DATE('2007013')"), EDatabaseError);
    EXPECT_THROW(Eval("TO_DATE('20070231')"), EDatabaseError);
    EXPECT_THROW(Eval("TO_CHAR(1e300, 'YYYY')"), EDatabaseError);
    EXPECT_THROW(Eval("ADD_MONTHS(-5, 1)"), EDatabaseError);
}

TEST_F(OracleFunctions, AddMonthsKeepsMonthEnds)
{
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(TO_DATE('20070131'),1),'YYYYMMDD')"), "20070228");
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(TO_DATE('20070131')-1,13),'yyyymmdd')"), "20080229");
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(TO_DATE('20070228'),1),'YYYYMMDD')"), "20070331"); // last day -> last day
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(TO_DATE('20070315'),-3),'YYYYMMDD')"), "20061215");
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(TO_DATE('20080229'),12),'YYYYMMDD')"), "20090228");
    EXPECT_EQ(t.Scalar("SELECT TO_CHAR(ADD_MONTHS(TO_DATE(MAX(X)||'01'),1),'YYYYMM') FROM (SELECT '201812' AS X)"),
              "201901");
}

TEST_F(OracleFunctions, SysdateIsTheBusinessDay)
{
    const TBusinessClock::TScoped clock(QDate(2024, 3, 1));
    EXPECT_EQ(Eval("TO_CHAR(SYSDATE,'YYYYMMDD')"), "20240301");
    EXPECT_EQ(Eval("TO_CHAR(sysdate-1,'DD')"), "29");
    EXPECT_EQ(Eval("TO_CHAR(ADD_MONTHS(SYSDATE,-1),'YYYYMM')"), "202402");
}

TEST_F(OracleFunctions, ConcatenationTreatsNullAsEmptyText)
{
    EXPECT_EQ(Eval("'A'||NULL||'B'"), "AB");
    EXPECT_EQ(Eval("'A'||''||'B'"), "AB");
    EXPECT_EQ(Eval("NVL(NULL||NULL,'none')"), "none");
    EXPECT_EQ(Eval("SUBSTR('20261209',1,6)||'%'"), "202612%");
    EXPECT_EQ(t.Scalar("SELECT MAX(X)||'01' FROM (SELECT '201812' AS X)"), "20181201");
    EXPECT_EQ(t.Scalar("SELECT A.X||(1+2)||A.X FROM (SELECT NULL AS X) A"), "3");
}

TEST_F(OracleFunctions, LastDayAndNumberPictures)
{
    EXPECT_EQ(Eval("TO_CHAR(LAST_DAY(TO_DATE('20240205')),'YYYYMMDD')"), "20240229");
    EXPECT_EQ(Eval("TO_CHAR(1234567,'FM999,999,999')"), "1,234,567");
    EXPECT_EQ(Eval("TO_CHAR(-1234.5,'FM999,990.00')"), "-1,234.50");
    EXPECT_EQ(Eval("TO_CHAR(5,'000')"), " 005");
    EXPECT_EQ(Eval("TO_CHAR(12,'9,999')"), "    12");
    EXPECT_EQ(Eval("TO_CHAR(123456,'999')"), "####");
}

TEST_F(OracleFunctions, NumbersDivideAndTruncateAsOnTheServer)
{
    EXPECT_EQ(Eval("1/12*12"), "1");
    EXPECT_EQ(Eval("TRUNC(12345.67, -1)"), "12340");
    EXPECT_EQ(Eval("TRUNC(-12345.67, -1)"), "-12340");
    EXPECT_EQ(Eval("TRUNC(1000000*(12/100)*(1/12),-1)"), "10000");
    EXPECT_EQ(Eval("TRUNC(2.789, 2)"), "2.78");
    EXPECT_EQ(Eval("TRUNC(7)"), "7");
    EXPECT_EQ(Eval("TO_NUMBER('05')+1"), "6");
    EXPECT_EQ(Eval("TO_NUMBER(' 2.5 ')*2"), "5");
    EXPECT_THROW(Eval("TO_NUMBER('x1')"), EDatabaseError);
    EXPECT_EQ(Eval("GREATEST(3, 10, -1)"), "10");
    EXPECT_EQ(Eval("GREATEST(-5, 0)"), "0");
    EXPECT_EQ(Eval("GREATEST(1, NULL)"), "");
    EXPECT_EQ(Eval("GREATEST('B', 'AB')"), "B");
}

TEST_F(OracleFunctions, SubstrCountsFromOneOrFromTheEnd)
{
    EXPECT_EQ(Eval("SUBSTR('2007013105', 9, 2)"), "05");
    EXPECT_EQ(Eval("SUBSTR('20070131', 0, 4)"), "2007");
    EXPECT_EQ(Eval("SUBSTR('20070131', -2)"), "31");
    EXPECT_EQ(Eval("SUBSTR('가나다라', 2, 2)"), "나다");
    EXPECT_EQ(Eval("SUBSTR('abc', 5) IS NULL"), "1");
    EXPECT_EQ(Eval("SUBSTR(NULL, 1, 6) IS NULL"), "1");
}

TEST_F(OracleFunctions, LikeIsCaseSensitive)
{
    EXPECT_EQ(Eval("'abc' LIKE 'A%'"), "0");
    EXPECT_EQ(Eval("'Abc' LIKE 'A%'"), "1");
}

} // namespace
