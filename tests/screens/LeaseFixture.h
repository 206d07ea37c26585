#pragma once

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "common/EDatabaseError.h"
#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TDatabase.h"
#include "common/TProcedureRegistry.h"
#include "common/TQuery.h"
#include "common/TStoredProc.h"
#include "framework/SharedConnection.h"
#include "tests/support/TTestEngine.h"

// A small lease database of its own for each test (TTestEngine), shared by the screens, and
// a shop procedure that records what each call received.
class LeaseFixture : public ::testing::Test
{
protected:
    static QStringList ShopParams()
    {
        return {"ASHOP_CODE", "ASHOP_NAME", "ASHOP_PLACE", "ASHOP_PALCE_NAME", "ASHOP_POSITION",
                "ASHOP_LEASE_TYPE", "ASHOP_LEASE_TYPE_NAME", "ASHOP_ITEM", "ASHOP_USED_YN", "ASHOP_DIRECT_YN",
                "ASHOP_PHONE", "ASHOP_REMARK", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"};
    }

    LeaseFixture()
        : shopProc("PR_NAI010_01", ShopParams(), [this](TDatabase&, const TStoredProc& proc) {
              QMap<QString, QString> call;
              for (const TParam& p : proc.Params())
                  call.insert(p.Name(), p.AsString());
              calls.push_back(call);
              if (!refusal.isEmpty())
                  throw EDatabaseError(refusal);
          })
    {
    }

    void SetUp() override
    {
        MessageBoxSeam::Reset();
        SessionContext::SetUser("10000001", "김관리");
        SessionContext::SetClientIP("10.1.2.3");
        fresh = std::make_unique<TTestEngine::TFreshDatabase>(dir.filePath("lease.db"));
        db.SetSettings(fresh->Settings());
        db.Open();
        for (const char* sql : {
                 "CREATE TABLE ZX010MS (HEAD VARCHAR(5), DETAIL VARCHAR(30), DETAIL_NAME VARCHAR(100))",
                 "CREATE TABLE JA010MS (UPJANG_CODE VARCHAR(6), UPJANG_NAME VARCHAR(50), USE_YN VARCHAR(1), "
                 "DIRECT_MANAGE_YN VARCHAR(1), ETC_FLAG VARCHAR(1))",
                 "CREATE TABLE NA010MS (SHOP_CODE VARCHAR(6), SHOP_NAME VARCHAR(50), SHOP_PLACE VARCHAR(10), "
                 "SHOP_POSITION VARCHAR(50), SHOP_LEASE_TYPE VARCHAR(10), SHOP_ITEM VARCHAR(30), "
                 "SHOP_USED_YN VARCHAR(1), SHOP_DIRECT_YN VARCHAR(1), SHOP_PHONE VARCHAR(20), "
                 "SHOP_REMARK VARCHAR(200))",
                 "CREATE TABLE NA020MS (CONT_CODE VARCHAR(6), C_CODE VARCHAR(10), SHOP_CODE VARCHAR(6), "
                 "CONT_END_DATE VARCHAR(8), CONT_CANCEL_DATE VARCHAR(8))",
                 "CREATE TABLE VA050MS (C_CODE VARCHAR(10), C_NAME VARCHAR(50), BOSS_NAME VARCHAR(50), "
                 "USE_YN VARCHAR(1))",
                 "INSERT INTO ZX010MS VALUES ('NA001', '01', '본관 아케이드')",
                 "INSERT INTO ZX010MS VALUES ('NA001', '02', '신관 아케이드')",
                 "INSERT INTO ZX010MS VALUES ('NA001', ' ', '공백 코드')",
                 "INSERT INTO ZX010MS VALUES ('NA002', '01', '임대')",
                 "INSERT INTO ZX010MS VALUES ('NA002', '02', '수수료 임대')",
                 "INSERT INTO ZX010MS VALUES ('NA003', '01', '보증금')",
                 // Sites: 4003 and 4007 may become shops; 4004 may not (ETC_FLAG);
                 // 4005 is not in use, 4006 directly managed, 1001 no shop site.
                 "INSERT INTO JA010MS VALUES ('4001', '본관 매점', 'Y', 'N', 'Y')",
                 "INSERT INTO JA010MS VALUES ('4002', '신관 카페', 'Y', 'N', 'Y')",
                 "INSERT INTO JA010MS VALUES ('4003', '골프 샵', 'Y', 'N', 'Y')",
                 "INSERT INTO JA010MS VALUES ('4004', '스파 매점', 'Y', 'N', 'N')",
                 "INSERT INTO JA010MS VALUES ('4005', '구관 매점', 'N', 'N', 'Y')",
                 "INSERT INTO JA010MS VALUES ('4006', '직영 카페', 'Y', 'Y', 'Y')",
                 "INSERT INTO JA010MS VALUES ('4007', '스키 카페', 'Y', 'N', 'Y')",
                 "INSERT INTO JA010MS VALUES ('1001', '본관 카페', 'Y', 'N', 'Y')",
                 "INSERT INTO NA010MS VALUES ('4001', '본관 매점', '01', '본관 1층', '02', '편의점', 'Y', 'N', "
                 "'1234', '본보기 매장')",
                 "INSERT INTO NA010MS VALUES ('4002', '신관 카페', '02', '신관 2층', '01', '커피', 'N', 'N', "
                 "'2345', NULL)",
                 "INSERT INTO NA010MS VALUES ('4004', '스파 매점', '01', NULL, '01', NULL, NULL, 'N', NULL, NULL)",
                 "INSERT INTO NA010MS VALUES ('4005', '구관 매점', '02', NULL, '02', NULL, 'x', 'N', NULL, NULL)",
                 "INSERT INTO NA010MS VALUES ('4006', '직영 카페', '01', NULL, '01', NULL, 'Y', 'Y', NULL, NULL)",
                 "INSERT INTO VA050MS VALUES ('C001', '(주)한빛상사', '김영수', 'Y')",
                 "INSERT INTO VA050MS VALUES ('C002', '스파푸드', '이영희', 'Y')",
                 "INSERT INTO VA050MS VALUES ('C003', '영진물산', '박철수', 'N')",
                 "INSERT INTO VA050MS VALUES ('C004', '대한유통', '최민수', 'Y')",
                 "INSERT INTO NA020MS VALUES ('000001', 'C001', '4001', '20271231', NULL)",
                 "INSERT INTO NA020MS VALUES ('000002', 'C002', '4002', '20260228', '20250115')",
                 "INSERT INTO NA020MS VALUES ('000003', 'C004', '4005', '20261231', NULL)",
             })
            Exec(sql);
        SharedConnection::SetDatabase(&db);
    }

    void TearDown() override
    {
        SharedConnection::SetDatabase(nullptr);
        db.Close();
    }

    void Exec(const QString& sql)
    {
        TQuery q(db);
        q.SQL() << sql;
        q.ExecSQL();
    }

    QTemporaryDir dir;
    std::unique_ptr<TTestEngine::TFreshDatabase> fresh;
    TDatabase db;
    std::vector<QMap<QString, QString>> calls;
    QString refusal; // when set, every call of the shop procedure fails with it
    TProcedureRegistry::TScoped shopProc;
};
