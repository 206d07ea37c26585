#include <gtest/gtest.h>

#include "tests/server/ServerTestSupport.h"

namespace {
QMap<QString, QString> Tenant(const QString& code, const QString& name, const QString& bizNo,
                              const QString& status = "2")
{
    return {{"AC_CODE", code},           {"AC_NAME", name},           {"ABOSS_NAME", "박대표"},
            {"ABIZ_NO", bizNo},          {"AREP_PHONE", "033-111-2222"}, {"AMOBILE_NO", "010-1111-2222"},
            {"AADDRESS", "강원도 평창군"}, {"AUSE_YN", "Y"},             {"AEDITSTATUS", status}};
}

QMap<QString, QString> Site(const QString& code, const QString& name, const QString& leasable,
                            const QString& status = "2")
{
    return {{"AUPJANG_CODE", code}, {"AUPJANG_NAME", name}, {"AETC_FLAG", leasable},
            {"AUSE_YN", "Y"},       {"AEDITSTATUS", status}};
}
} // namespace

TEST(PR_NAI060_01, NewTenantsTakeTheNextCodeAndChangesKeepIt)
{
    TServerTestDb t;
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "설악상회", "220-81-11115")), "");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "대관령식품", "")), ""); // no number: an individual
    EXPECT_EQ(t.Scalar("SELECT C_CODE || '/' || C_NAME || '/' || BIZ_NO || '/' || ADDRESS || '/' || USE_YN "
                       "FROM VA050MS WHERE C_CODE = '2000000003'"),
              "2000000003/설악상회/2208111115/강원도 평창군/Y");
    EXPECT_EQ(t.Scalar("SELECT C_NAME FROM VA050MS WHERE C_CODE = '2000000004'"), "대관령식품");

    auto changed = Tenant("2000000003", "설악상회(주)", "2208111115", "1");
    changed["AUSE_YN"] = "N";
    EXPECT_EQ(t.Call("PR_NAI060_01", changed), ""); // its own number is no duplicate
    EXPECT_EQ(t.Scalar("SELECT C_NAME || '/' || USE_YN FROM VA050MS WHERE C_CODE = '2000000003'"), "설악상회(주)/N");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM VA050MS"), "4");
}

TEST(PR_NAI060_01, RefusesBadNumbersDuplicatesAndDeletingATenantWithContracts)
{
    TServerTestDb t;
    ASSERT_EQ(t.Call("PR_NAI060_01", Tenant("", "설악상회", "2208111115")), "");
    const QString before = t.Dump();
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "오대산상회", "2208111116")), "사업자등록번호가 올바르지 않습니다.");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "오대산상회", "220-81-1111")), "사업자등록번호가 올바르지 않습니다.");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "오대산상회", "220-81-11115")),
              "사업자등록번호(220-81-11115)는 거래처 설악상회(2000000003)에 이미 등록되어 있습니다.");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("2000000001", "(주)한빛상사", "2208111115", "1")),
              "사업자등록번호(220-81-11115)는 거래처 설악상회(2000000003)에 이미 등록되어 있습니다.");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("", "", "")), "거래처명이 입력되지 않았습니다.");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("2999999999", "없는거래처", "", "1")),
              "변경할 거래처(2999999999)가 없습니다.");
    EXPECT_EQ(t.Dump(), before);

    t.AddContract("000001", "4001", "20260101", "20261231"); // with tenant 2000000001
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("2000000001", "", "", "3")), "계약이 있는 거래처는 삭제할 수 없습니다.");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM VA050MS WHERE C_CODE = '2000000001'"), "1");
    EXPECT_EQ(t.Call("PR_NAI060_01", Tenant("2000000003", "", "", "3")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM VA050MS WHERE C_CODE = '2000000003'"), "0");
}

TEST(PR_NAI070_01, LeasableSitesBeginWith4AndOthersWith1)
{
    TServerTestDb t;
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("", "스키하우스 카페", "Y")), "");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("", "콘도 로비", "N")), "");
    EXPECT_EQ(t.Scalar("SELECT UPJANG_NAME || '/' || ETC_FLAG || DIRECT_MANAGE_YN || USE_YN FROM JA010MS "
                       "WHERE UPJANG_CODE = '4004'"),
              "스키하우스 카페/YNY");
    EXPECT_EQ(t.Scalar("SELECT ETC_FLAG || DIRECT_MANAGE_YN FROM JA010MS WHERE UPJANG_CODE = '1002'"), "NY");
    // A site that is no longer leasable keeps its code; only a 4 code may be leased.
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("4004", "스키하우스 카페", "N", "1")), "");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("1002", "콘도 로비", "Y", "1")),
              "업장코드가 4로 시작하는 업장만 임대할 수 있습니다.");
    // The shop register follows a renamed site.
    ASSERT_EQ(t.Call("PR_NAI010_01", {{"ASHOP_CODE", "4003"}, {"AEDITSTATUS", "1"}}), "");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("4003", "콘도 선물가게", "Y", "1")), "");
    EXPECT_EQ(t.Scalar("SELECT SHOP_NAME FROM NA010MS WHERE SHOP_CODE = '4003'"), "콘도 선물가게");
}

TEST(PR_NAI070_01, RefusesDeletingASiteWithAShopOrAContract)
{
    TServerTestDb t;
    ASSERT_EQ(t.Call("PR_NAI010_01", {{"ASHOP_CODE", "4003"}, {"AEDITSTATUS", "1"}}), "");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("4003", "", "", "3")),
              "임대영업장이나 계약이 있는 업장은 삭제할 수 없습니다.");
    t.AddContract("000001", "4002", "20260101", "20261231");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("4002", "", "", "3")),
              "임대영업장이나 계약이 있는 업장은 삭제할 수 없습니다.");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("4999", "", "", "3")), "삭제할 업장(4999)이 없습니다.");
    EXPECT_EQ(t.Call("PR_NAI070_01", Site("1001", "", "", "3")), "");
    EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM JA010MS WHERE UPJANG_CODE IN ('1001', '4002', '4003')"), "2");
}
