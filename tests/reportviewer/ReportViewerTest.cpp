#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "controls/ESelvarError.h"
#include "reportviewer/TReportBuilder.h"
#include "reportviewer/TReportDefinition.h"
#include "reportviewer/TReportSource.h"
#include "reportviewer/TReportViewer.h"
#include "tests/common/DatabaseTestSupport.h"
#include "tests/reportviewer/LoopbackHttpServer.h"

namespace {

// Sixty sales in three groups; the table breaks over several A5 pages.
const char* const Definition = R"json({
  "format": "selvar-report", "version": 1, "title": "매출",
  "page": {"size": "A5", "orientation": "portrait", "margins": [10, 10, 10, 10], "fontSize": 9},
  "parameters": [{"name": "FROM_ID"}, {"name": "KIND"}],
  "queries": {
    "sales": ["SELECT GRP, NAME, AMT FROM SALES", "WHERE ID >= :FROM_ID AND (KIND = :KIND OR :KIND IS NULL)",
              "ORDER BY GRP, ID"],
    "groups": "SELECT DISTINCT GRP FROM SALES ORDER BY GRP",
    "first": "SELECT MIN(NAME) AS FIRST_NAME FROM SALES WHERE GRP = :GRP"
  },
  "pageHeader": [{"type": "text", "text": "{#TITLE} {KIND}", "bold": true}],
  "body": [
    {"type": "table", "query": "sales",
     "columns": [{"field": "NAME", "caption": "이름", "width": 30},
                 {"field": "AMT", "caption": "금액", "width": 20, "align": "right", "format": "amount", "sum": true}],
     "group": {"field": "GRP", "header": "조 {GRP}", "footer": "{GRP} 소계"}, "total": "합계", "empty": "없음"},
    {"type": "repeat", "query": "groups", "pageBreak": true,
     "body": [{"type": "repeat", "query": "first", "body": [{"type": "text", "text": "{GRP}: {FIRST_NAME}"}]}]}
  ],
  "pageFooter": [{"type": "text", "text": "{#PAGE} / {#PAGES}", "align": "center"}]
})json";

class ReportViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        db.Exec("CREATE TABLE SALES (ID INTEGER, GRP VARCHAR(1), NAME VARCHAR(20), KIND VARCHAR(1), AMT DOUBLE PRECISION)");
        for (int i = 1; i <= 60; ++i)
            db.Exec(QStringLiteral("INSERT INTO SALES VALUES (%1, '%2', '상품%1', '%3', %4)")
                        .arg(i)
                        .arg(QChar('A' + i % 3))
                        .arg(i % 2 ? "X" : "Y")
                        .arg(i * 1000.5));
        path = dir.filePath("매출 현황.report");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Definition);
        file.close();
        viewer.SetDatabase(&db.Db());
        viewer.resize(800, 600);
    }

    TReportDocument Build(const QStringList& arguments, const QByteArray& json = Definition)
    {
        return TReportBuilder(TReportDefinition::FromJson(json), db.Db(), arguments).Build();
    }

    TTempDatabase db;
    QTemporaryDir dir;
    QString path;
    TReportViewer viewer;
};

TEST_F(ReportViewerTest, LaysOutGroupsTotalsPagesAndNestedRows)
{
    const TReportDocument all = Build({"1", ""});
    double expected = 0;
    for (int i = 1; i <= 60; ++i)
        expected += i * 1000.5;
    EXPECT_DOUBLE_EQ(all.Sum("sales", "AMT"), expected);
    EXPECT_EQ(all.Rows("sales"), 60);
    ASSERT_GE(all.PageCount(), 5); // the table's pages and one page per group
    const int pages = all.PageCount();
    for (int p = 0; p < pages; ++p) {
        EXPECT_TRUE(all.PageText(p).startsWith("매출 ")) << p;
        EXPECT_TRUE(all.PageText(p).endsWith(QStringLiteral("%1 / %2").arg(p + 1).arg(pages))) << p;
    }
    // Every page of the table repeats the column titles.
    for (int p = 0; p < pages - 3; ++p)
        EXPECT_TRUE(all.PageText(p).contains("이름\n금액")) << p;
    QString text;
    for (int p = 0; p < pages; ++p)
        text += all.PageText(p) + "\n";
    for (const char* part : {"조 A\n", "A 소계\n", "조 B\n", "C 소계\n", "합계\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    EXPECT_TRUE(all.PageText(pages - 1).contains("C: 상품11"));

    // The arguments bind by name, an empty one as Null, and an empty table says so.
    const TReportDocument some = Build({"59", "X"});
    EXPECT_EQ(some.Rows("sales"), 1);
    EXPECT_TRUE(some.PageText(0).contains("59,030")) << some.PageText(0).toStdString();
    EXPECT_TRUE(some.PageText(0).startsWith("매출 X"));
    EXPECT_TRUE(Build({"99"}).PageText(0).contains("없음"));
}

TEST_F(ReportViewerTest, RefusesBrokenDefinitions)
{
    const QByteArray valid(Definition);
    for (const QByteArray& broken :
         {QByteArray("{"), QByteArray("[]"), QByteArray(valid).replace("\"version\": 1", "\"version\": 2"),
          QByteArray(valid).replace("\"type\": \"table\"", "\"type\": \"chart\""),
          QByteArray(valid).replace("\"query\": \"sales\"", "\"query\": \"nothing\""),
          QByteArray(valid).replace("\"format\": \"amount\"", "\"format\": \"money\""),
          QByteArray(valid).replace("\"A5\"", "\"A9\"")})
        EXPECT_THROW(TReportDefinition::FromJson(broken), ESelvarError) << broken.left(80).toStdString();
    // A placeholder or parameter the report does not have is named, not left blank.
    EXPECT_THROW(Build({"1"}, QByteArray(valid).replace("{GRP} 소계", "{GROUP} 소계")), ESelvarError);
    EXPECT_THROW(Build({"1"}, QByteArray(valid).replace(":FROM_ID", ":START_ID")), ESelvarError);
}

TEST_F(ReportViewerTest, OpensFromAFileUrlAndWritesAPdf)
{
    viewer.SetAutoAdjust(0);
    viewer.SetZoomRatio(150);
    ASSERT_TRUE(viewer.Open(QUrl::fromLocalFile(path).toString(), "/rp [1] []"));
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    ASSERT_NE(viewer.Document(), nullptr);
    EXPECT_EQ(viewer.Document()->Rows("sales"), 60);
    EXPECT_EQ(viewer.lblZoom->text(), "150%");
    EXPECT_TRUE(viewer.btnPdf->isEnabled());
    const QString pdf = dir.filePath("out.pdf");
    viewer.SavePdf(pdf);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    viewer.SetAutoAdjust(1);
    EXPECT_NE(viewer.lblZoom->text(), "150%");

    // The printer path: a PDF printer, and the preview that paints onto one.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    viewer.Document()->Print(printer);
    QFile printed(dir.filePath("printed.pdf"));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    bool previewed = false;
    QTimer::singleShot(300, &viewer, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(top)) {
                previewed = preview->isVisible();
                preview->reject();
            }
    });
    viewer.Preview();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(ReportViewerTest, AMissingFileOrBadArgumentsGiveTheMessageAndNoPages)
{
    ASSERT_TRUE(viewer.Open(QUrl::fromLocalFile(path).toString(), "/rp [1]"));
    EXPECT_FALSE(viewer.Open(QUrl::fromLocalFile(dir.filePath("없는 보고서.report")).toString(), "/rp [1]"));
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_TRUE(MessageBoxSeam::Last().text.startsWith("보고서를 열지 못했습니다.\r\r보고서 정의 파일이 없습니다.\r"));
    EXPECT_TRUE(MessageBoxSeam::Last().text.endsWith("없는 보고서.report"));
    EXPECT_EQ(viewer.Document(), nullptr);
    EXPECT_FALSE(viewer.btnPrint->isEnabled());
    EXPECT_FALSE(viewer.lblMessage->isHidden());
    EXPECT_NO_THROW(viewer.Preview());
    EXPECT_THROW(viewer.SavePdf(dir.filePath("none.pdf")), ESelvarError);

    EXPECT_FALSE(viewer.Open(QUrl::fromLocalFile(path).toString(), "/rp 1"));
    EXPECT_TRUE(viewer.ErrorMessage().startsWith("보고서 인자의 형식이 올바르지 않습니다."));
    EXPECT_FALSE(viewer.Open("ftp://host/x.report", "/rp"));
    EXPECT_TRUE(viewer.ErrorMessage().startsWith("보고서 주소가 올바르지 않습니다."));
    TReportViewer unconnected;
    EXPECT_FALSE(unconnected.Open(QUrl::fromLocalFile(path).toString(), "/rp [1]"));
    EXPECT_EQ(unconnected.ErrorMessage(), "데이터베이스에 연결되어 있지 않습니다.");
}

TEST_F(ReportViewerTest, FetchesOverHttpFromALoopbackServer)
{
    LoopbackHttpServer server;
    const QString folder = "/REPORT/임대업장관리/";
    server.Serve(folder + "매출 현황.report", Definition);
    ASSERT_TRUE(viewer.Open(server.Url(folder + "매출 현황.report").toString(), "/rp [1] [Y]"));
    EXPECT_EQ(viewer.Document()->Rows("sales"), 30);

    EXPECT_FALSE(viewer.Open(server.Url(folder + "없음.report").toString(), "/rp [1]"));
    EXPECT_TRUE(viewer.ErrorMessage().startsWith("보고서 서버에 보고서 정의가 없습니다.\r")) << viewer.ErrorMessage().toStdString();

    server.SetSilent(true);
    viewer.SetTimeout(300);
    EXPECT_FALSE(viewer.Open(server.Url(folder + "매출 현황.report").toString(), "/rp [1]"));
    EXPECT_TRUE(viewer.ErrorMessage().startsWith("보고서 서버가 응답하지 않습니다.\r127.0.0.1:"));
}

TEST(ReportSourceTest, AServerThatIsNotThereIsNamed)
{
    quint16 port = 0;
    {
        LoopbackHttpServer gone; // a port that was free a moment ago
        port = gone.Port();
    }
    try {
        TReportSource::Fetch(QUrl(QStringLiteral("http://127.0.0.1:%1/REPORT/x.report").arg(port)), 2000);
        FAIL() << "no failure";
    } catch (const ESelvarError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("보고서 서버에 연결할 수 없습니다.\r127.0.0.1:%1").arg(port));
    }
}

} // namespace

TEST_F(ReportViewerTest, ABatchGivesEachRowTheRowsItsOwnStatementWould)
{
    QByteArray batched = Definition;
    batched.replace(R"("pageHeader")", R"("batches": {"first": {"key": "grp", "sql":
        "SELECT GRP, MIN(NAME) AS FIRST_NAME FROM SALES WHERE ID >= :FROM_ID GROUP BY GRP ORDER BY GRP"}},
      "pageHeader")");
    const TReportDocument ours = Build({"1", ""}, batched);
    const TReportDocument reference = Build({"1", ""});
    ASSERT_EQ(ours.PageCount(), reference.PageCount());
    for (int p = 0; p < ours.PageCount(); ++p)
        EXPECT_EQ(ours.PageText(p), reference.PageText(p)) << p;
    // A key with no rows in the batch gives no rows, as its own statement would.
    EXPECT_FALSE(Build({"59", ""}, batched).PageText(3).contains("A:"));

    QByteArray unknown = Definition;
    unknown.replace(R"("pageHeader")", R"("batches": {"none": {"key": "GRP", "sql": "SELECT 1"}}, "pageHeader")");
    EXPECT_THROW(TReportDefinition::FromJson(unknown), ESelvarError);
}

TEST_F(ReportViewerTest, ShowsProgressAndStopsWhenTheClerkCancels)
{
    int shown = 0;
    QObject::connect(viewer.prgBuild, &QProgressBar::valueChanged, [&](int value) {
        shown = std::max(shown, value);
        if (value == 1 && viewer.prgBuild->maximum() == 3)
            viewer.btnCancelBuild->click();
    });
    EXPECT_FALSE(viewer.Open(QUrl::fromLocalFile(path).toString(), "/rp [1]"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(viewer.ErrorMessage(), "보고서 작성을 취소했습니다.");
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty()); // the clerk's own stop is no error
    EXPECT_EQ(viewer.Document(), nullptr);
    EXPECT_TRUE(viewer.prgBuild->isHidden());

    shown = 0;
    ASSERT_TRUE(viewer.Open(QUrl::fromLocalFile(path).toString(), "/rp [59]"));
    ASSERT_NE(viewer.Document(), nullptr);
    EXPECT_EQ(viewer.Document()->PageText(2), Build({"59"}).PageText(2));
    EXPECT_EQ(shown, 3);
    EXPECT_TRUE(viewer.prgBuild->isHidden());
    EXPECT_TRUE(viewer.btnCancelBuild->isHidden());
}
