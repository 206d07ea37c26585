#include <QDate>
#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TBusinessClock.h"
#include "common/TPostgresDialect.h"
#include "common/TPostgresStatement.h"
#include "tests/common/DatabaseTestSupport.h"

namespace {

QString Native(const QString& sql, const std::vector<QVariant>& values = {})
{
    const TSqlStatement statement(sql);
    return TPostgresStatement(statement, values).Text();
}

// Each parameter occurrence is its own marker; only where its place gives it no
// type does it carry the bound value's.
TEST(PgTranslation, TypesParametersOnlyWhereThePlaceGivesNone)
{
    EXPECT_EQ(Native("SELECT A FROM T WHERE B = :B OR :B IS NULL", {QString("x")}),
              "SELECT A FROM T WHERE B = $1 OR $2::text IS NULL");
    EXPECT_EQ(Native("INSERT INTO T (A, B) VALUES (:A, :B)", {1.5, QVariant()}),
              "INSERT INTO T (A, B) VALUES ($1, $2)");
    EXPECT_EQ(Native("SELECT SUBSTR(:M,1,6), NVL(:N, 0) FROM T WHERE X IN (:M) AND Y BETWEEN :M AND :N",
                     {QString("202501"), 7}),
              "SELECT SUBSTR($1::text,1,6), NVL($2::numeric, 0) FROM T WHERE X IN ($3) AND Y BETWEEN $4 AND $5");
    EXPECT_EQ(Native("UPDATE T SET D = :D + 1 WHERE K LIKE :K || '%'", {QDateTime(QDate(2025, 1, 2), {}), QString("a")}),
              "UPDATE T SET D = $1::timestamp(0) + 1 WHERE K LIKE NULLIF(CONCAT($2::text, '%'), '')");
}

TEST(PgTranslation, RewritesWhatTheEngineReadsDifferently)
{
    EXPECT_EQ(Native("SELECT A FROM T MINUS SELECT CAST(A AS INTEGER) FROM U"),
              "SELECT A FROM T EXCEPT SELECT CAST(A AS BIGINT) FROM U");
    EXPECT_EQ(Native("SELECT X FROM (SELECT 1 AS X FROM T) WHERE X IN (SELECT Y FROM (SELECT 2 AS Y) B)"),
              "SELECT X FROM (SELECT 1 AS X FROM T) AS SELVAR_FROM18 WHERE X IN (SELECT Y FROM (SELECT 2 AS Y) B)");
    EXPECT_EQ(Native("SELECT '' AS A, 'it''s', 1/12, X/100 FROM T"), "SELECT NULL AS A, 'it''s', 1::float8/12::float8, X/100::float8 FROM T");
    EXPECT_EQ(Native("SELECT DECODE(A,'1','x',NULL,'n','d'), DECODE(B,0,1) FROM T"),
              "SELECT CASE WHEN (A) IS NOT DISTINCT FROM ('1') THEN ('x') WHEN (A) IS NOT DISTINCT FROM (NULL) "
              "THEN ('n') ELSE ('d') END, CASE WHEN (B) IS NOT DISTINCT FROM (0) THEN (1) END FROM T");
    EXPECT_EQ(Native("SELECT GREATEST(A-B,0), X||DECODE(Y,1,'a'||Z) FROM T"),
              "SELECT CASE WHEN (A-B) IS NULL OR (0) IS NULL THEN NULL ELSE GREATEST((A-B), (0)) END, "
              "NULLIF(CONCAT(X, CASE WHEN (Y) IS NOT DISTINCT FROM (1) THEN (NULLIF(CONCAT('a', Z), '')) END), '') "
              "FROM T");
    const TSqlStatement sysdate(QStringLiteral("SELECT TO_CHAR(SYSDATE,'YYYY'), :P FROM DUAL WHERE SYSDATE > :P"));
    const TBusinessClock::TScoped clock(QDate(2024, 3, 1));
    const TPostgresStatement native(sysdate, {QString("p")});
    EXPECT_EQ(native.Text(), "SELECT TO_CHAR($1::timestamp(0),'YYYY'), $2::text FROM DUAL WHERE $3::timestamp(0) > $4");
    ASSERT_EQ(native.Values().size(), 4u);
    EXPECT_EQ(native.Values()[0].toDate(), QDate(2024, 3, 1));
    EXPECT_EQ(native.Values()[3].toString(), "p");
}

// A dropped connection on the shared server (SELVAR_TEST_ENGINE=POSTGRES).
class PostgresConnection : public ::testing::Test
{
protected:
    void SetUp() override { t.Exec("CREATE TABLE T (K VARCHAR(2) PRIMARY KEY, V DOUBLE PRECISION)"); }

    QString Count()
    {
        TDatabase other(t.Settings());
        other.Open();
        TQuery q(other);
        q.SQL() << "SELECT COUNT(*) FROM T";
        q.Open();
        return q.Fields(0).AsString();
    }

    void EndConnection()
    {
        const QString pid = t.Scalar("SELECT pg_backend_pid()");
        TDatabase other(t.Settings());
        other.Open();
        TQuery q(other);
        q.SQL() << "SELECT pg_terminate_backend(" + pid + ")";
        q.Open();
    }

    TTempDatabase t;
};

TEST_F(PostgresConnection, ARestartFailsTheTransactionAndTheNextOneConnectsAgain)
{
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    TTestEngine::RestartServer();
    EXPECT_EQ(DatabaseErrorOf([&] { t.Exec("INSERT INTO T VALUES ('b', 2)"); }), TPostgresDialect::ConnectionLostMessage());
    // Nothing else goes out on the lost transaction, not even on a new connection.
    EXPECT_EQ(DatabaseErrorOf([&] { t.Exec("INSERT INTO T VALUES ('c', 3)"); }), TPostgresDialect::ConnectionLostMessage());
    t.Db().Rollback();
    EXPECT_EQ(Count(), "0");
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    t.Db().Commit();
    TTestEngine::RestartServer();
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM T"), "1"); // outside a transaction it reconnects at once
}

TEST_F(PostgresConnection, ACommitWithoutAnswerIsAskedAboutBeforeAnythingElse)
{
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    EndConnection();
    EXPECT_EQ(DatabaseErrorOf([&] { t.Db().Commit(); }), TPostgresDialect::ConnectionLostMessage());
    t.Db().Rollback();
    EXPECT_EQ(Count(), "0");
    t.Db().StartTransaction();
    t.Exec("INSERT INTO T VALUES ('a', 1)");
    t.Db().Commit();
    EXPECT_EQ(Count(), "1");
}

} // namespace
