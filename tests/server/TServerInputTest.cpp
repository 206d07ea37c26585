#include <gtest/gtest.h>

#include "common/EDatabaseError.h"
#include "server/TServerInput.h"

namespace {
QString RefusalOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return {};
}
} // namespace

TEST(TServerInput, DatesMustBeRealCalendarDays)
{
    EXPECT_EQ(TServerInput::Date(" 20240229 ", "계약시작일"), "20240229");
    EXPECT_EQ(RefusalOf([] { TServerInput::Date("20230229", "계약시작일"); }),
              "계약시작일(20230229)은 올바른 날짜가 아닙니다.");
    EXPECT_EQ(RefusalOf([] { TServerInput::Date("", "입금일자"); }), "입금일자가 입력되지 않았습니다.");
    EXPECT_FALSE(RefusalOf([] { TServerInput::Date("2024-01-01", "x"); }).isEmpty());
    EXPECT_FALSE(RefusalOf([] { TServerInput::Date("2024011", "x"); }).isEmpty());
    EXPECT_EQ(TServerInput::OptionalDate("  ", "허가일자"), QString());
}

TEST(TServerInput, MonthsAcceptSixDigitsOrTheFirstDay)
{
    EXPECT_EQ(TServerInput::Month("202612", "납입년월"), "202612");
    EXPECT_EQ(TServerInput::Month("20261201", "납입년월"), "202612");
    EXPECT_FALSE(RefusalOf([] { TServerInput::Month("202613", "납입년월"); }).isEmpty());
    EXPECT_FALSE(RefusalOf([] { TServerInput::Month("20261215", "납입년월"); }).isEmpty());
    EXPECT_FALSE(RefusalOf([] { TServerInput::Month("2026-1", "납입년월"); }).isEmpty());
    EXPECT_EQ(TServerInput::MonthAfter("202612", 1), "202701");
    EXPECT_EQ(TServerInput::MonthAfter("202601", -1), "202512");
}

TEST(TServerInput, AmountsAreNonNegativeNumbers)
{
    EXPECT_DOUBLE_EQ(TServerInput::Amount("", "보증금"), 0.0);
    EXPECT_DOUBLE_EQ(TServerInput::Amount("150000", "보증금"), 150000.0);
    EXPECT_DOUBLE_EQ(TServerInput::Amount("12.5", "연체율"), 12.5);
    EXPECT_EQ(RefusalOf([] { TServerInput::Amount("-1", "보증금"); }), "보증금은 0보다 작을 수 없습니다.");
    EXPECT_EQ(RefusalOf([] { TServerInput::Amount("1,000", "임대료"); }), "임대료(1,000)는 숫자가 아닙니다.");
    EXPECT_FALSE(RefusalOf([] { TServerInput::Amount("1e5", "임대료"); }).isEmpty());
    EXPECT_FALSE(RefusalOf([] { TServerInput::PositiveAmount("0", "입금금액"); }).isEmpty());
    EXPECT_FALSE(RefusalOf([] { TServerInput::Rate("101", "연체율"); }).isEmpty());
}

TEST(TServerInput, ChoicesPeriodsAndLengths)
{
    EXPECT_EQ(TServerInput::Choice("", {"Y", "N"}, "Y", "미납금관리"), "Y");
    EXPECT_EQ(TServerInput::Choice("N", {"Y", "N"}, "Y", "미납금관리"), "N");
    EXPECT_EQ(RefusalOf([] { TServerInput::Choice("", {"1", "2"}, QString(), "납입코드"); }),
              "납입코드가 입력되지 않았습니다.");
    EXPECT_FALSE(RefusalOf([] { TServerInput::Choice("y", {"Y", "N"}, "Y", "사용여부"); }).isEmpty());
    EXPECT_NO_THROW(TServerInput::Period("20260101", "20260101", "계약기간"));
    EXPECT_EQ(RefusalOf([] { TServerInput::Period("20260102", "20260101", "계약기간"); }),
              "계약기간의 종료(20260101)가 시작(20260102)보다 앞설 수 없습니다.");
    EXPECT_FALSE(RefusalOf([] { TServerInput::Limited(QString(5, 'x'), 4, "내선번호"); }).isEmpty());
}
