#include <gtest/gtest.h>

#include "server/TScheduleBuilder.h"

TEST(TScheduleBuilder, DueDayFollowsTheStartDayAndStopsAtMonthEnd)
{
    EXPECT_EQ(TScheduleBuilder::DueDate("202602", "20260131"), "20260228");
    EXPECT_EQ(TScheduleBuilder::DueDate("202402", "20260131"), "20240229");
    EXPECT_EQ(TScheduleBuilder::DueDate("202603", "20260131"), "20260331");
    EXPECT_EQ(TScheduleBuilder::Months("20261115", "20270214"),
              (std::vector<QString>{"202611", "202612", "202701", "202702"}));
}

TEST(TScheduleBuilder, ContractTermsGiveDepositRentAndFeeLines)
{
    TScheduleBuilder::Terms t;
    t.startDate = "20260415";
    t.endDate = "20260614";
    t.contDate = "20260315";
    t.balanceDate = "20260415";
    t.deposit = 10'000'000;
    t.firstDeposit = 1'000'000;
    t.lastDeposit = 9'000'000;
    t.rent = 800'000;
    t.fee = 0;
    t.delayRate = 15;
    QStringList got;
    for (const auto& l : TScheduleBuilder::Lines(t))
        got << QStringLiteral("%1 %2 %3 %4").arg(l.month, l.amtCode, l.dueDate).arg(l.amount, 0, 'f', 0);
    EXPECT_EQ(got, (QStringList{"202603 01 20260315 1000000", "202604 01 20260415 9000000",
                                "202604 02 20260415 800000", "202604 03 20260415 0",
                                "202605 02 20260515 800000", "202605 03 20260515 0",
                                "202606 02 20260615 800000", "202606 03 20260615 0"}));
}

TEST(TScheduleBuilder, UnsplitDepositFallsDueOnceWithoutRentLinesWhenRentIsZero)
{
    TScheduleBuilder::Terms t;
    t.startDate = "20260101";
    t.endDate = "20260131";
    t.deposit = 5'000'000;
    t.fee = 100'000;
    const auto lines = TScheduleBuilder::Lines(t);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].amtCode, "01");
    EXPECT_EQ(lines[0].dueDate, "20260101");
    EXPECT_DOUBLE_EQ(lines[0].amount, 5'000'000);
    EXPECT_EQ(lines[1].amtCode, "03");
}
