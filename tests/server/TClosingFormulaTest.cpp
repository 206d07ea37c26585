#include <gtest/gtest.h>

#include "server/TClosingFormula.h"

TEST(TClosingFormula, UnpaidMonthAccruesOneTwelfthOfTheYearlyRate)
{
    TClosingFormula::Input in;
    in.billed = 1'000'000;
    in.lastUnpaid = 200'000;
    in.delayRate = 15;
    const auto r = TClosingFormula::Compute(in);
    EXPECT_DOUBLE_EQ(r.carriedUnpaid, 1'200'000);
    EXPECT_DOUBLE_EQ(r.carriedDelay, 15'000); // 1.2M x 15% / 12
}

TEST(TClosingFormula, PartialPaymentUsesTheDaysLateAndTruncatesToTens)
{
    TClosingFormula::Input in;
    in.billed = 1'000'000;
    in.paidAmount = 400'000;
    in.lastDelay = 5'000;
    in.paidDelay = 5'000;
    in.delayRate = 12;
    in.delayDays = 10;
    const auto r = TClosingFormula::Compute(in);
    EXPECT_DOUBLE_EQ(r.carriedUnpaid, 600'000);
    // 600000 x 0.12 x 10/365 = 1972.6 -> 1970
    EXPECT_DOUBLE_EQ(r.carriedDelay, 1'970);
}

TEST(TClosingFormula, ExactDecimalArithmeticAtTenWonBoundaries)
{
    // 1,200,000 x 0.12 / 12 is exactly 12,000: binary floating point would give 11,990.
    EXPECT_DOUBLE_EQ(TClosingFormula::LateFee(1'200'000, 12, 1, 12), 12'000);
    EXPECT_DOUBLE_EQ(TClosingFormula::LateFee(1'000'000, 0.35, 1, 12), 290); // 291.6 -> 290
    EXPECT_DOUBLE_EQ(TClosingFormula::LateFee(-100'000, 12, 1, 12), -1'000);
}

TEST(TClosingFormula, OverpaidOrSettledLineCarriesNoNegativeLateFee)
{
    TClosingFormula::Input in;
    in.billed = 100'000;
    in.paidAmount = 150'000;
    in.delayRate = 20;
    in.delayDays = 0;
    const auto r = TClosingFormula::Compute(in);
    EXPECT_DOUBLE_EQ(r.carriedUnpaid, -50'000);
    EXPECT_DOUBLE_EQ(r.carriedDelay, 0);
}
