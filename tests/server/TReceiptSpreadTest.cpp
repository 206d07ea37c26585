#include <gtest/gtest.h>

#include "server/TReceiptSpread.h"

namespace {
QString Describe(const std::vector<TReceiptSpread::Part>& parts)
{
    QStringList out;
    for (const auto& p : parts)
        out << QStringLiteral("%1/%2=%3").arg(p.amtCode, p.gubun).arg(p.amount, 0, 'f', 0);
    return out.join(' ');
}
} // namespace

TEST(TReceiptSpread, LateFeesOfAllLinesComeBeforeAnyAmount)
{
    const std::vector<TReceiptSpread::OpenLine> lines{{"03", 1'000, 300'000}, {"02", 2'000, 500'000}};
    EXPECT_DOUBLE_EQ(TReceiptSpread::TotalOpen(lines), 803'000);
    EXPECT_EQ(Describe(TReceiptSpread::Spread(2'500, lines)), "03/2=1000 02/2=1500");
    EXPECT_EQ(Describe(TReceiptSpread::Spread(303'000, lines)), "03/2=1000 02/2=2000 03/1=300000");
    EXPECT_EQ(Describe(TReceiptSpread::Spread(803'000, lines)),
              "03/2=1000 02/2=2000 03/1=300000 02/1=500000");
}

TEST(TReceiptSpread, SettledAndOverpaidLinesTakeNothing)
{
    const std::vector<TReceiptSpread::OpenLine> lines{{"01", 0, -5'000}, {"02", 0, 70'000}};
    EXPECT_DOUBLE_EQ(TReceiptSpread::TotalOpen(lines), 70'000);
    EXPECT_EQ(Describe(TReceiptSpread::Spread(70'000, lines)), "02/1=70000");
    EXPECT_TRUE(TReceiptSpread::Spread(0, lines).empty());
}
