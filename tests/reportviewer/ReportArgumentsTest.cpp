#include <gtest/gtest.h>

#include "controls/ESelvarError.h"
#include "reportviewer/TReportArguments.h"

TEST(ReportArgumentsTest, BuildsTheStringTheScreensSend)
{
    EXPECT_EQ(TReportArguments::Build({}), "/rp");
    EXPECT_EQ(TReportArguments::Build({"201812"}), "/rp [201812]");
    EXPECT_EQ(TReportArguments::Build({"", ""}), "/rp [] []");
    EXPECT_EQ(TReportArguments::Build({"201812", "4001"}), "/rp [201812] [4001]");
}

TEST(ReportArgumentsTest, ParsesWhatWasBuiltAndKeepsBracketsInsideValues)
{
    for (const QStringList& values : {QStringList{}, QStringList{"201812"}, QStringList{"", ""},
                                      QStringList{"a b", "it's"}, QStringList{"x]y", "[z"}})
        EXPECT_EQ(TReportArguments::Parse(TReportArguments::Build(values)), values);
    EXPECT_EQ(TReportArguments::Parse("  /RP[1]   [2]  "), (QStringList{"1", "2"}));
    EXPECT_TRUE(TReportArguments::Parse("").isEmpty());
}

TEST(ReportArgumentsTest, RefusesOtherShapes)
{
    for (const char* text : {"rp [1]", "/rp 1", "/rp [1", "/rp [1] 2", "/rpx [1]", "[1]"})
        EXPECT_THROW(TReportArguments::Parse(QString::fromUtf8(text)), ESelvarError) << text;
}
