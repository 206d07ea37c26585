#include <QFile>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "reportviewer/TReportBuilder.h"
#include "reportviewer/TReportDefinition.h"
#include "reportviewer/TReportDocument.h"
#include "tests/shell/DemoClientTest.h"

namespace {

using TRow = QHash<QString, QVariant>;

// The payment notices of a whole month on the demonstration data, laid out
// from the shipped definition, against the same notices laid out one
// statement per notice (the definition's per-contract statements alone).
class NoticeReportTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        DemoClientTest::SetUp();
        QFile file(QStringLiteral(SELVAR_SOURCE_DIR "/reports/납부고지서.report"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        definition = TReportDefinition::FromJson(file.readAll());
        month = StepMonth(Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS"), 1);
    }

    TReportDocument Build(const TReportDefinition& d, const QStringList& arguments)
    {
        return TReportBuilder(d, dataModule->dbsDB, arguments).Build();
    }

    // The definition without its month-wide statements: every notice asks for its own rows.
    TReportDefinition PerNotice() const
    {
        TReportDefinition d = definition;
        d.batches.clear();
        return d;
    }

    static std::vector<TRow> Rows(const TReportDocument& document, const QString& query)
    {
        std::vector<TRow> rows;
        for (const TReportTable& table : document.tables)
            if (table.query == query)
                rows.insert(rows.end(), table.rows.begin(), table.rows.end());
        return rows;
    }

    static void ExpectSame(const TReportDocument& ours, const TReportDocument& reference)
    {
        ASSERT_EQ(ours.PageCount(), reference.PageCount());
        for (int p = 0; p < ours.PageCount(); ++p)
            ASSERT_EQ(ours.PageText(p), reference.PageText(p)) << "page " << p + 1;
        const std::vector<TRow> charges = Rows(ours, "charges");
        const std::vector<TRow> expected = Rows(reference, "charges");
        ASSERT_EQ(charges.size(), expected.size());
        for (std::size_t r = 0; r < charges.size(); ++r)
            for (const char* field : {"CONT_CODE", "AMT_CODE", "AMT_NAME", "NAPIP_AMT", "THIS_MINAPAMT",
                                      "THIS_MINAPDEALYAMT", "TOT_NAPIP_AMT", "IPGUM_AMT", "REMAIN_AMT"})
                EXPECT_EQ(charges[r].value(field).toString(), expected[r].value(field).toString())
                    << "row " << r << " " << field;
    }

    TReportDefinition definition;
    QString month;
};

} // namespace

TEST_F(NoticeReportTest, TheWholeMonthPrintsWhatEachNoticeAloneWouldShow)
{
    const TReportDocument reference = Build(PerNotice(), {month, QString()});
    ASSERT_GT(reference.PageCount(), 10);
    ASSERT_GT(Rows(reference, "charges").size(), 10u);
    ExpectSame(Build(definition, {month, QString()}), reference);

    // One site: its notices only, the same as before.
    const QString site = Scalar("SELECT MIN(SHOP_CODE) FROM NA020MS WHERE MINAP_CHK = 'Y'");
    const TReportDocument oneSite = Build(definition, {month, site});
    ExpectSame(oneSite, Build(PerNotice(), {month, site}));
    EXPECT_LT(oneSite.PageCount(), reference.PageCount());

    // A month billed to nobody gives the empty notice.
    const TReportDocument none = Build(definition, {"199001", QString()});
    ASSERT_EQ(none.PageCount(), 1);
    EXPECT_TRUE(none.PageText(0).contains("에 청구된 계약이 없습니다."));
}
