#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "tests/server/ScreenDatabase.h"

namespace {

using Schema = ScreenDatabase;

TEST_F(Schema, CreatesEveryTableAndRecordsItsVersion)
{
    const QStringList tables = db.SqlDatabase().tables();
    for (const char* name : {"ZX010MS", "ZA040MS", "ZA050MS", "ZA130MS", "ZA140MS", "ZA150MS", "JA010MS", "NA010MS",
                             "NA020MS", "NA021MS", "VA050MS", "NB010MS", "NB020MS", "NB030MS", "NB010DT", "NB020DT",
                             "NC010MS", "VB011MS", "VB011DT", "SCHEMA_VERSION"})
        EXPECT_TRUE(tables.contains(name, Qt::CaseInsensitive)) << name;
    EXPECT_EQ(TSchema::CurrentVersion(db), TSchema::LatestVersion());
    EXPECT_THROW(TSchema::Create(db), EDatabaseError); // never over existing tables
}

TEST_F(Schema, UpgradeOfACurrentFileKeepsItsData)
{
    TSchema::Upgrade(db);
    TQuery q(db);
    q.SQL() << "SELECT COUNT(*) FROM NA020MS";
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 3);
    db.Close();
    db.Open(); // the file reopens with the same version
    EXPECT_EQ(TSchema::CurrentVersion(db), TSchema::LatestVersion());
}

TEST_F(Schema, RefusesAFileFromANewerClient)
{
    Exec(QStringLiteral("INSERT INTO SCHEMA_VERSION (VERSION) VALUES (%1)").arg(TSchema::LatestVersion() + 1));
    EXPECT_THROW(TSchema::Upgrade(db), EDatabaseError);
}

TEST_F(Schema, KeysRefuseDuplicatesAndAuditColumnsExist)
{
    EXPECT_THROW(Exec("INSERT INTO NB010MS (CONT_CODE, AMT_CODE, NAPIP_MONTH) VALUES ('K00001', '02', '201811')"),
                 EDatabaseError);
    Exec("UPDATE NA020MS SET U_EMP_NO = 'E001', U_IP = '10.0.0.1', U_SYS_DATE = '2026-12-09 10:00:00' "
         "WHERE CONT_CODE = 'K00001'");
    TQuery q(db);
    q.SQL() << "SELECT U_SYS_DATE FROM NA020MS WHERE CONT_CODE = 'K00001'";
    q.Open();
    EXPECT_EQ(q.Fields(0).DataType(), ftDateTime);
    EXPECT_EQ(q.Fields(0).AsDateTime(), QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
}

} // namespace
