#include <algorithm>
#include <gtest/gtest.h>

#include "screens/nb/TArrearsAging.h"

namespace {

using Aging = TArrearsAging;

TEST(ArrearsAging, BucketsMeetAtTheirEdges)
{
    EXPECT_EQ(Aging::BucketOf(-5), Aging::abNotDue);
    EXPECT_EQ(Aging::BucketOf(0), Aging::abNotDue); // due today is not late yet
    EXPECT_EQ(Aging::BucketOf(1), Aging::ab1To30);
    EXPECT_EQ(Aging::BucketOf(30), Aging::ab1To30);
    EXPECT_EQ(Aging::BucketOf(31), Aging::ab31To60);
    EXPECT_EQ(Aging::BucketOf(60), Aging::ab31To60);
    EXPECT_EQ(Aging::BucketOf(61), Aging::ab61To90);
    EXPECT_EQ(Aging::BucketOf(90), Aging::ab61To90);
    EXPECT_EQ(Aging::BucketOf(91), Aging::ab91To180);
    EXPECT_EQ(Aging::BucketOf(180), Aging::ab91To180);
    EXPECT_EQ(Aging::BucketOf(181), Aging::abOver180);
    EXPECT_EQ(Aging::DaysLate("20261130", "20261201"), 1);
    EXPECT_EQ(Aging::DaysLate("20260228", "20260301"), 1);
    EXPECT_EQ(Aging::DaysLate("20261202", "20261201"), -1);
}

TEST(ArrearsAging, TheOpenAmountBelongsToTheNewestLines)
{
    // 1,500,000 open over three monthly lines of 1,000,000: the newest line
    // keeps all of its amount, the one before half of it.
    Aging aging(1'500'000, 0, QString(), "20261215");
    aging.Take("20261220", 1'000'000);
    aging.Take("20261120", 1'000'000);
    EXPECT_TRUE(aging.Done());
    aging.Take("20261020", 1'000'000);
    const Aging::Result r = aging.Finish();
    EXPECT_EQ(r.buckets[Aging::abNotDue], 1'000'000);
    EXPECT_EQ(r.buckets[Aging::ab1To30], 500'000);
    EXPECT_EQ(r.buckets[Aging::ab31To60], 0);
    EXPECT_EQ(r.Total(), 1'500'000);
    EXPECT_EQ(r.longestDays, 25);
    ASSERT_EQ(aging.Shares().size(), 2u);
    EXPECT_EQ(aging.Shares()[1].amount, 500'000);
}

TEST(ArrearsAging, LateFeeAndWhatTheLinesCannotHoldGoWithTheOldestShare)
{
    Aging aging(1'200'000, 3'290, "20260910", "20261201");
    aging.Take("20261110", 0); // an arrears line of amount 0 takes nothing
    aging.Take("20261010", 1'000'000);
    aging.Take("20260910", 100'000);
    const Aging::Result r = aging.Finish();
    EXPECT_EQ(r.buckets[Aging::ab31To60], 1'000'000);
    EXPECT_EQ(r.buckets[Aging::ab61To90], 100'000 + 100'000 + 3'290);
    EXPECT_EQ(r.Total(), 1'203'290);
    EXPECT_EQ(r.longestDays, 82);
    EXPECT_TRUE(aging.Shares().back().lateFee);

    // Only a late fee left: it counts from the closing's line.
    Aging fee(0, 2'200, "20260510", "20261201");
    EXPECT_EQ(fee.Finish().buckets[Aging::abOver180], 2'200);
    // Nothing to date it by at all: older than 180 days.
    Aging bare(5'000, 0, QString(), "20261201");
    EXPECT_EQ(bare.Finish().buckets[Aging::abOver180], 5'000);
}

TEST(ArrearsAging, ACreditStaysAgainstWhatIsNotDueAndOffsetsTheLateFee)
{
    Aging credit(-30'000, 0, QString(), "20261201");
    credit.Take("20261110", 100'000);
    Aging::Result r = credit.Finish();
    EXPECT_EQ(r.buckets[Aging::abNotDue], -30'000);
    EXPECT_EQ(r.Total(), -30'000);
    EXPECT_EQ(r.longestDays, 0);

    // A late fee paid as amount in the running month: what is owed is the net.
    Aging net(-1'310, 3'290, "20261110", "20261201");
    net.Take("20261110", 1'000'000);
    r = net.Finish();
    EXPECT_EQ(r.Total(), 1'980);
    EXPECT_EQ(r.buckets[Aging::ab1To30], 1'980);

}

} // namespace

namespace {
// The example of the server rules: rent on 3 December before November closed.
TEST(ArrearsAging, TheDocumentedDecemberExample)
{
    const double carriedDelay = 1'310;
    const double received = 900'000;
    const double open = 400'000 + carriedDelay + 1'000'000 + 1'000'000 - received;
    const double lateFee = carriedDelay - std::min(received, carriedDelay);
    Aging aging(open - lateFee, lateFee, "20261010", "20261203");
    aging.Take("20261210", 1'000'000);
    aging.Take("20261110", 1'000'000);
    const Aging::Result r = aging.Finish();
    EXPECT_EQ(r.buckets[Aging::abNotDue], 1'000'000);
    EXPECT_EQ(r.buckets[Aging::ab1To30], 501'310);
    EXPECT_EQ(r.longestDays, 23);
    EXPECT_EQ(r.Total(), 1'501'310);
}
} // namespace
