#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"

namespace {

// A server that speaks the statements' dialect itself gets them unchanged
// through its Qt driver; Qt's own SQLite driver stands in for one here.
class Passthrough : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TConnectionSettings settings;
        settings.Driver = "QSQLITE";
        settings.Database = dir.filePath("server.db");
        db.SetSettings(settings);
        db.Open();
        Exec("CREATE TABLE T (K VARCHAR(4), V DOUBLE PRECISION)");
    }
    void Exec(const QString& sql)
    {
        TQuery q(db);
        q.SQL() << sql;
        q.ExecSQL();
    }
    QTemporaryDir dir;
    TDatabase db;
};

TEST_F(Passthrough, RepeatedParametersTransactionsAndErrors)
{
    TQuery insert(db);
    insert.SQL() << "INSERT INTO T (K, V) VALUES (:K, :V)";
    insert.ParamByName("K").SetAsString("a");
    insert.ParamByName("V").SetAsFloat(2.5);
    insert.ExecSQL();
    EXPECT_EQ(insert.RowsAffected(), 1);

    db.StartTransaction();
    insert.ParamByName("K").SetAsString("b");
    insert.ExecSQL();
    db.Rollback();

    TQuery q(db);
    q.SQL() << "SELECT K, V FROM T WHERE (K = :K OR :K IS NULL) ORDER BY K";
    q.ParamByName("K").SetAsString("");
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.FieldByName("v").AsString(), "2.5");

    TQuery bad(db);
    bad.SQL() << "SELECT NOPE FROM T";
    EXPECT_THROW(bad.Open(), EDatabaseError);

    TStoredProc proc(db);
    proc.SetProcedureName("PR_NONE_01");
    EXPECT_THROW(proc.ExecProc(), EDatabaseError); // the server has no such procedure
}

TEST(PassthroughDriver, MissingDriverIsReported)
{
    TConnectionSettings settings;
    settings.Driver = "QNOSUCHDRIVER";
    TDatabase db(settings);
    try {
        db.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "데이터베이스 드라이버 QNOSUCHDRIVER이(가) 설치되어 있지 않습니다.");
    }
}

} // namespace
