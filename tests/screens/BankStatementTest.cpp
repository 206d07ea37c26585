#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>

#include "controls/ESelvarError.h"
#include "screens/nb/TBankStatement.h"
#include "screens/nb/TDepositMatcher.h"

using namespace BankStatement;

namespace {

TBankTable Table(std::initializer_list<std::initializer_list<QVariant>> rows)
{
    TBankTable table;
    for (const auto& row : rows)
        table.emplace_back(row);
    return table;
}

QString ErrorOf(const TBankTable& table)
{
    try {
        Parse(table, Detect(table));
    } catch (const ESelvarError& e) {
        return e.Message();
    }
    return QString();
}

} // namespace

// One date-and-time column, the account above the titles, a total line below.
TEST(BankStatement, ReadsTheLayoutWithOneDateTimeColumn)
{
    const TBankTable table = Table({
        {"거래내역조회"},
        {"계좌번호 : 110-234-567890", QVariant(), "예금주 : 데모 리조트"},
        {},
        {"거래일시", "적요", "출금액", "입금액", "잔액", "입금자/내용", "거래점"},
        {"2026-12-01 09:13:22", "타행이체", "0", "1,200,000", "5,200,000", "본관베이커리", "강남"},
        {"2026-12-01 10:00:00", "자동이체", "300,000", "", "4,900,000", "전기요금", "본점"},
        {"2026.12.02 14:05", "인터넷", "-", "550,000", "5,450,000", "(주)스키샵", "본점"},
        {"합계", QVariant(), "300,000", "1,750,000"},
    });
    const TBankColumns c = Detect(table);
    ASSERT_TRUE(c.Usable());
    EXPECT_EQ(c.titleRow, 3);
    EXPECT_EQ(c.date, 0);
    EXPECT_EQ(c.time, -1);
    EXPECT_EQ(c.memo, 1);
    EXPECT_EQ(c.withdrawal, 2);
    EXPECT_EQ(c.deposit, 3);
    EXPECT_EQ(c.balance, 4);
    EXPECT_EQ(c.depositor, 5);
    EXPECT_EQ(TBankColumns::FromText(c.ToText()), c); // remembered per account and read back

    const TBankStatement s = Parse(table, c);
    EXPECT_EQ(s.account, "110-234-567890");
    EXPECT_EQ(s.withdrawals, 1);
    ASSERT_EQ(s.deposits.size(), 2u);
    EXPECT_EQ(s.deposits[0].sheetRow, 5);
    EXPECT_EQ(s.deposits[0].date, "20261201");
    EXPECT_EQ(s.deposits[0].time, "091322");
    EXPECT_EQ(s.deposits[0].deposit, 1200000);
    EXPECT_EQ(s.deposits[0].balance, 5200000);
    EXPECT_EQ(s.deposits[0].depositor, "본관베이커리");
    EXPECT_EQ(s.deposits[0].memo, "타행이체");
    EXPECT_EQ(s.deposits[1].time, "140500");
    EXPECT_EQ(s.deposits[1].depositor, "(주)스키샵");
}

// Date and time apart, the old words for deposit and withdrawal, cells typed
// as a worksheet stores them (a date, a time of day as a fraction, numbers).
TEST(BankStatement, ReadsTheLayoutWithDateAndTimeApartAndTypedCells)
{
    const TBankTable table = Table({
        {"거래일자", "거래시간", "적요", "찾으신금액", "맡기신금액", "거래후잔액", "기재내용", "취급점"},
        {QDate(2026, 12, 3), 0.5, "BZ이체", 0.0, 880000.0, 1880000.0, "김민수", "서초"},
        {"20261204", "09:30:05", "BZ이체", 0.0, 880000.0, 2760000.0, "김민수", "서초"},
        {QDateTime(QDate(2026, 12, 5), QTime(8, 1, 2)), QVariant(), "CMS", 0.0, 70000.0, 2830000.0, "한빛상회", ""},
    });
    const TBankColumns c = Detect(table);
    EXPECT_EQ(c.date, 0);
    EXPECT_EQ(c.time, 1);
    EXPECT_EQ(c.withdrawal, 3);
    EXPECT_EQ(c.deposit, 4);
    EXPECT_EQ(c.balance, 5);
    EXPECT_EQ(c.depositor, 6);
    const TBankStatement s = Parse(table, c);
    ASSERT_EQ(s.deposits.size(), 3u);
    EXPECT_EQ(s.deposits[0].date, "20261203");
    EXPECT_EQ(s.deposits[0].time, "120000");
    EXPECT_EQ(s.deposits[1].time, "093005");
    EXPECT_EQ(s.deposits[2].time, "080102");
    EXPECT_EQ(s.account, "");
}

// A third bank: a running number first, the depositor before the amounts, and
// two equal deposits in one second told apart by their place.
TEST(BankStatement, ReadsTheLayoutWithDepositorFirstAndNumbersEqualLines)
{
    const TBankTable table = Table({
        {"No", "거래일", "입금자명", "입금금액", "출금금액", "잔액", "비고"},
        {"1", "2026/12/07", "정수진", "50000", "0", "", ""},
        {"2", "2026/12/07", "정수진", "50000", "0", "", ""},
        {"3", "2026/12/08", "", "10000", "0", "", "※ 이체수수료 환급"},
    });
    const TBankColumns c = Detect(table);
    EXPECT_EQ(c.date, 1);
    EXPECT_EQ(c.depositor, 2);
    EXPECT_EQ(c.deposit, 3);
    EXPECT_EQ(c.withdrawal, 4);
    EXPECT_EQ(c.balance, 5);
    const TBankStatement s = Parse(table, c);
    ASSERT_EQ(s.deposits.size(), 2u); // the note line is no deposit
    EXPECT_EQ(s.deposits[0].occurrence, 1);
    EXPECT_EQ(s.deposits[1].occurrence, 2);
    EXPECT_NE(s.deposits[0].Key("1"), s.deposits[1].Key("1"));
    EXPECT_EQ(s.deposits[0].time, "000000");
}

TEST(BankStatement, BadInputNamesTheLineAndTheText)
{
    const auto titles = std::initializer_list<QVariant>{"거래일시", "입금액", "출금액", "잔액", "내용"};
    EXPECT_EQ(ErrorOf(Table({titles, {"2026-12-01 09:00:00", "12만원", "", "1", "가"}})),
              "2행: 입금액 \"12만원\"은(는) 금액이 아닙니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"2026-12-01", "1000", "", "1", "가"}, {"2026-02-30 10:00", "1000", "", "2", "나"}})),
              "3행: 거래일자 \"2026-02-30 10:00\"은(는) 없는 날짜입니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"어제", "1000", "", "1", "가"}})), "2행: 거래일자 \"어제\"은(는) 날짜가 아닙니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"2026-12-01 25:10", "1000", "", "1", "가"}})),
              "2행: 거래시간 \"2026-12-01 25:10\"은(는) 없는 시각입니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"", "1000", "", "1", "가"}})), "2행: 입금액이 있는데 거래일자가 비어 있습니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"2026-12-01", "-1000", "", "1", "가"}})),
              "2행: 입금액 \"-1000\"이(가) 0보다 작습니다.");
    EXPECT_EQ(ErrorOf(Table({titles, {"2026-12-01", "", "1000", "1", "가"}, {"2026-12-02", "0", "5", "1", "나"}})),
              "입금 내역이 없습니다. 출금만 2건 있는 파일입니다.");
    EXPECT_EQ(ErrorOf(Table({titles})), "1행 아래에 가져올 입금 내역이 없습니다.");
    EXPECT_TRUE(ErrorOf(Table({{"이름", "금액"}, {"가", "1"}})).startsWith("거래일자 열과 입금액 열을 찾을 수 없습니다."));
    EXPECT_TRUE(ErrorOf(TBankTable()).startsWith("빈 파일입니다."));
}

namespace {

class DepositMatcher : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m.AddContract({"000001", "본관베이커리", "김민수", "본관 1층", {}});
        m.AddContract({"000002", "주식회사 스키샵", "이영희", "스키하우스", {}});
        m.AddContract({"000003", "한빛상회", "박철수", "신관", {"박영자"}});
        m.AddContract({"000004", "골프프로샵", "최가람", "클럽하우스", {}});
        m.AddContract({"000005", "워터카페", "정수진", "워터파크", {}});
        m.AddContract({"000006", "콘도편의점", "정수진", "콘도", {}});
        m.SetOpen("000001", "202612", 1200000);
        m.SetOpen("000002", "202612", 550000);
        m.SetOpen("000003", "202612", 300000);
        m.SetOpen("000004", "202612", 777000);
        m.SetOpen("000005", "202612", 400000);
        m.SetOpen("000006", "202612", 400000);
    }

    QString Proposed(const QString& depositor, double amount, TDepositMatcher::TReason* reason = nullptr)
    {
        const auto p = m.Propose(depositor, amount, "202612");
        if (reason)
            *reason = p.reason;
        return p.contract < 0 ? QString() : m.Contracts()[p.contract].contCode;
    }

    TDepositMatcher m;
};

} // namespace

TEST_F(DepositMatcher, ProposesByNameAndAmountAndSaysWhy)
{
    TDepositMatcher::TReason why;
    EXPECT_EQ(Proposed("본관베이커리", 1200000, &why), "000001");
    EXPECT_EQ(why, TDepositMatcher::mrBoth);
    EXPECT_EQ(Proposed("(주)스키샵", 100000, &why), "000002"); // company form dropped
    EXPECT_EQ(why, TDepositMatcher::mrName);
    EXPECT_EQ(Proposed("모르는사람", 777000, &why), "000004");
    EXPECT_EQ(why, TDepositMatcher::mrAmount);
    EXPECT_EQ(Proposed("박영자", 1000, &why), "000003"); // a remembered depositor
    EXPECT_EQ(why, TDepositMatcher::mrName);
    EXPECT_EQ(Proposed("김 민 수", 5, &why), "000001"); // the representative, blanks aside
    EXPECT_EQ(Proposed("한빛상회관리비", 5, &why), "000003"); // the name followed by a note
    EXPECT_EQ(Proposed("골프프로", 5, &why), "000004");       // a name the bank cut off
    EXPECT_EQ(Proposed("아무개", 12345, &why), "");
    EXPECT_EQ(why, TDepositMatcher::mrNone);
    EXPECT_EQ(TDepositMatcher::ReasonText(TDepositMatcher::mrBoth), "둘 다");
}

// Two tenants with one representative: the one whose open amount equals the
// deposit; an amount two contracts have open points at neither.
TEST_F(DepositMatcher, PrefersTheEqualOpenAmountAndRefusesToGuessBetweenEqualAmounts)
{
    m.SetOpen("000006", "202612", 250000);
    EXPECT_EQ(Proposed("정수진", 250000), "000006");
    m.SetOpen("000006", "202612", 400000);
    EXPECT_EQ(Proposed("누구", 400000), "");
}

// What one deposit covers is no longer open for the next line of the file.
TEST_F(DepositMatcher, ADepositTakesItsAmountOffTheOpenAmount)
{
    TDepositMatcher::TReason why;
    EXPECT_EQ(Proposed("누구", 777000, &why), "000004");
    EXPECT_EQ(m.Open("000004", "202612"), 0);
    EXPECT_EQ(Proposed("누구", 777000, &why), "");
    EXPECT_EQ(Proposed("본관베이커리", 1000000, &why), "000001");
    EXPECT_EQ(why, TDepositMatcher::mrName);
    EXPECT_EQ(Proposed("본관베이커리", 200000, &why), "000001");
    EXPECT_EQ(why, TDepositMatcher::mrBoth);
    EXPECT_EQ(Proposed("누구", 550000), "000002"); // open amounts of another month do not count
    EXPECT_EQ(m.Propose("누구", 300000, "202701").contract, -1);
}
