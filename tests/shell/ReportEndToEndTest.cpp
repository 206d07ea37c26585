#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "common/SessionContext.h"
#include "reportviewer/TReportDocument.h"
#include "reportviewer/TReportFormat.h"
#include "reportviewer/TReportLocation.h"
#include "reportviewer/TReportViewer.h"
#include "screens/nb/TfrmNBI010.h"
#include "screens/nb/TfrmNBS040.h"
#include "screens/nc/TfrmNCI010.h"
#include "screens/nc/TfrmNCI020.h"
#include "screens/nc/TfrmNCS040.h"
#include "screens/nc/TfrmNCS050.h"
#include "screens/nc/TfrmNCS060.h"
#include "screens/nc/TfrmNCS090.h"
#include "screens/ni/TfrmNIH001.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

using TRow = QHash<QString, QVariant>;

// The report screens in the running client on a fresh demonstration database,
// with no report server configured: the shipped definitions open.
class ReportEndToEndTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        DemoClientTest::SetUp();
        // The open month: the one after the last closing, as the receipts screen proposes.
        month = StepMonth(Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS"), 1);
    }

    static const TReportDocument* Search(TReportScreen* screen)
    {
        QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
        return screen->ReportViewer1->Document();
    }

    static std::vector<TRow> Rows(const TReportDocument* document, const QString& query)
    {
        std::vector<TRow> rows;
        for (const TReportTable& table : document->tables)
            if (table.query == query)
                rows.insert(rows.end(), table.rows.begin(), table.rows.end());
        return rows;
    }

    static QHash<QString, double> ByContract(const std::vector<TRow>& rows, const QString& field,
                                             const QString& amtCode = QString())
    {
        QHash<QString, double> values;
        for (const TRow& row : rows)
            if (amtCode.isEmpty() || row.value("AMT_CODE").toString() == amtCode)
                values[row.value("CONT_CODE").toString()] += row.value(field).toDouble();
        return values;
    }

    // The billing inquiry's rows of one kind and month: contract -> sum of a column.
    QHash<QString, double> Inquiry(int kind, const QString& inquiryMonth, int column)
    {
        auto* inquiry = Open<TfrmNBS040>("NBS040");
        EXPECT_NE(inquiry, nullptr);
        if (!inquiry)
            return {};
        if (!inquiry->bbtSearch->isEnabled()) // a search before left it in edit mode
            QTest::mouseClick(inquiry->bbtCancel, Qt::LeftButton);
        inquiry->cbxGubn->setCurrentIndex(kind);
        inquiry->medMonth->SetText(inquiryMonth);
        QTest::mouseClick(inquiry->bbtSearch, Qt::LeftButton);
        QHash<QString, double> values;
        for (int r = 0; r < inquiry->rgrMain->RowCount(); ++r)
            values[inquiry->rgrMain->Cells(0, r).AsString()] += inquiry->rgrMain->Cells(column, r).AsFloat();
        return values;
    }

    // The receipts screen's month status of one contract: amount code -> row values.
    QHash<QString, QList<double>> MonthStatus(const QString& contract)
    {
        auto* receipts = Open<TfrmNBI010>("NBI010");
        EXPECT_NE(receipts, nullptr);
        QHash<QString, QList<double>> status;
        if (!receipts)
            return status;
        receipts->medMonth->SetText(month);
        QTest::keyClick(receipts->edt_CCode, Qt::Key_F3);
        TwMemGrid* grid = receipts->rgrGrid;
        const int row = FindRow(grid, TfrmNBI010::colContCode, contract);
        EXPECT_GE(row, 0);
        grid->SetTopRow(row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->CellRect(grid->Columns()->VItems(0), row).center());
        QTest::qWait(grid->ChangeDelay() + 100);
        TwMemGrid* months = receipts->rgrMonthIpgum;
        for (int r = 0; r < months->RowCount(); ++r)
            for (int c : {TfrmNBI010::colNapipAmt, TfrmNBI010::colMinapAmt, TfrmNBI010::colMinapDelayAmt,
                          TfrmNBI010::colTotNapipAmt, TfrmNBI010::colIpgumAmt, TfrmNBI010::colRemainAmt})
                status[months->Cells(TfrmNBI010::colAmtCode, r).AsString()] << months->Cells(c, r).AsFloat();
        return status;
    }

    void ExpectNoBox() { EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty()) << MessageBoxSeam::Last().text.toStdString(); }

    QString month;
};

} // namespace

TEST_F(ReportEndToEndTest, EachScreenOpensFromItsMenuAndShowsItsShippedReport)
{
    const QString thisMonth = TBusinessClock::TodayText().left(6);
    struct Case {
        const char* id;
        const char* file;
        QString arguments;
    };
    // The month screens open on this month; the search asks for the open one.
    const Case cases[] = {
        {"NCI010", "임대수수료영업장현황.report", "/rp"},
        {"NCI020", "월임대상가별임대료관리비현황.report", "/rp [" + month + "]"},
        {"NCS040", "업장별임대료관리비 현황.report", "/rp [] []"},
        {"NCS050", "임대료관리비미납현황보고.report", "/rp [" + month + "]"},
        {"NCS060", "업장별임대업장현황.report", "/rp"},
        {"NCS090", "납부고지서.report", "/rp [" + month + "] []"},
    };
    const QString shotDir = qEnvironmentVariable("SELVAR_REPORT_PDF_DIR");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        QAction* entry = MenuEntry(c.id);
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        auto* screen = window->Tabs()->currentWidget()->findChild<TReportScreen*>();
        ASSERT_NE(screen, nullptr);
        EXPECT_TRUE(screen->bbtPrint->isHidden());
        EXPECT_TRUE(screen->bbtPreview->isHidden());
        if (auto* field = screen->findChild<TwCustomMaskEdit*>("medMonth")) {
            EXPECT_EQ(field->Text(), thisMonth);
            field->SetText(month);
        }
        const TReportDocument* document = Search(screen);
        ExpectNoBox();
        ASSERT_NE(document, nullptr);
        EXPECT_GE(document->PageCount(), 1);
        EXPECT_FALSE(document->tables.empty());
        TReportViewer* viewer = screen->ReportViewer1;
        EXPECT_EQ(viewer->LastArguments(), c.arguments);
        EXPECT_EQ(QUrl(viewer->LastUrl()), QUrl::fromLocalFile(TReportLocation::ShippedFolder() + "/" + c.file));
        EXPECT_EQ(viewer->AutoAdjust(), 0);
        EXPECT_EQ(viewer->ZoomRatio(), 150);
        if (!shotDir.isEmpty()) { // the pages to look at, on paper and on the screen
            viewer->SavePdf(QDir(shotDir).filePath(QString(c.id) + ".pdf"));
            QTest::qWait(50); // the viewer's layout settles first
            window->grab().save(QDir(shotDir).filePath(QString(c.id) + "-screen.png"));
        }
    }
}

TEST_F(ReportEndToEndTest, ArgumentStringsFollowTheFieldsAndASecondSearchOpensAgain)
{
    auto* sites = Open<TfrmNCS040>("NCS040");
    ASSERT_NE(sites, nullptr);
    EXPECT_EQ(sites->ReportArguments(), "/rp [] []");
    const QString site = Scalar("SELECT MIN(SHOP_CODE) FROM NA020MS");
    sites->edt_UpjangCode->setText(site);
    EXPECT_EQ(sites->ReportArguments(), "/rp [" + site + "] []");
    sites->edt_CCode->setText("2000000001");
    EXPECT_EQ(sites->ReportArguments(), "/rp [" + site + "] [2000000001]");
    ASSERT_NE(Search(sites), nullptr);
    const TReportDocument* second = Search(sites);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(sites->ReportViewer1->OpenCount(), 2);
    EXPECT_EQ(sites->ReportViewer1->LastArguments(), "/rp [" + site + "] [2000000001]");

    auto* notice = Open<TfrmNCS090>("NCS090");
    ASSERT_NE(notice, nullptr);
    notice->medMonth->SetText("201812");
    // The site lookup fills code and name; typing a code again drops the name.
    DriveModal<TfrmNIH001>("frmNIH001", [&] { QTest::mouseClick(notice->bbt_UpjangCode, Qt::LeftButton); },
                           [&](TfrmNIH001* lookup) {
                               lookup->bbtSearchClick();
                               DoubleClickCell(lookup->rgrGrid, 1, FindRow(lookup->rgrGrid, 0, site));
                           });
    EXPECT_EQ(notice->edt_UpjangCode->text(), site);
    EXPECT_EQ(notice->edt_UpjangCodeName->text(), Scalar("SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = '" + site + "'"));
    EXPECT_EQ(notice->ReportArguments(), "/rp [201812] [" + site + "]");
    QTest::keyClick(notice->edt_UpjangCode, Qt::Key_Backspace);
    EXPECT_TRUE(notice->edt_UpjangCodeName->text().isEmpty());
    EXPECT_EQ(notice->ReportArguments(), "/rp [201812] [" + site.chopped(1) + "]");

    auto* monthly = Open<TfrmNCI020>("NCI020");
    ASSERT_NE(monthly, nullptr);
    monthly->medMonth->SetText("");
    EXPECT_EQ(monthly->ReportArguments(), "/rp []");
    const TReportDocument* empty = Search(monthly);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Rows("shops"), 0);
    EXPECT_TRUE(empty->PageText(0).contains("청구된 임대료·관리비가 없습니다."));
    ExpectNoBox();
}

TEST_F(ReportEndToEndTest, AMissingReportServerGivesTheViewersMessage)
{
    auto* screen = Open<TfrmNCI010>("NCI010");
    ASSERT_NE(screen, nullptr);
    QSettings ini(SessionContext::ProgramIniPath(), QSettings::IniFormat);
    ini.setValue("Report/Server", "reports.invalid"); // a name that never resolves
    ini.sync();
    screen->ReportViewer1->SetTimeout(2000);
    EXPECT_EQ(Search(screen), nullptr);
    EXPECT_EQ(screen->ReportViewer1->LastUrl(),
              "http://reports.invalid:8080/REPORT/임대업장관리/임대수수료영업장현황.report");
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::Last().text.startsWith("보고서를 열지 못했습니다.\r\r보고서 서버"))
        << MessageBoxSeam::Last().text.toStdString();
    ini.remove("Report/Server");
    ini.sync();
    EXPECT_NE(Search(screen), nullptr);
}

TEST_F(ReportEndToEndTest, LeasedSitesAndShopsMatchTheContractsOfTheInquiry)
{
    auto* screen = Open<TfrmNCI010>("NCI010");
    ASSERT_NE(screen, nullptr);
    const TReportDocument* sites = Search(screen);
    ASSERT_NE(sites, nullptr);
    const std::vector<TRow> leased = Rows(sites, "sites");
    ASSERT_FALSE(leased.empty());
    const QHash<QString, double> deposits = Inquiry(TfrmNBS040::gkDeposit, "", 6);
    const QHash<QString, double> rents = Inquiry(TfrmNBS040::gkRent, month, 6);
    const QString today = TBusinessClock::TodayText();
    int checked = 0;
    for (const TRow& row : leased) {
        const QString code = row.value("CONT_CODE").toString();
        EXPECT_LE(row.value("CONT_START_DATE").toString(), today);
        EXPECT_GE(row.value("CONT_END_DATE").toString(), today);
        if (rents.contains(code)) {
            // One row per billed month in the inquiry, each with the monthly rent.
            const int months = Column("SELECT CONT_CODE FROM NB010DT WHERE CONT_CODE = '" + code + "' AND CONT_MONTH = '"
                                      + month + "' AND DEMAND_DATE2 <> '99999999'").size();
            EXPECT_DOUBLE_EQ(rents.value(code), months * row.value("CONT_LEASE_MONEY").toDouble()) << code.toStdString();
            ++checked;
        }
        if (deposits.contains(code)) {
            const int lines = Column("SELECT CONT_CODE FROM NB010DT WHERE CONT_CODE = '" + code
                                     + "' AND DEMAND_DATE1 <> '99999999'").size();
            EXPECT_DOUBLE_EQ(deposits.value(code), lines * row.value("CONT_DEPOSIT").toDouble()) << code.toStdString();
        }
    }
    EXPECT_GT(checked, 0);
    EXPECT_DOUBLE_EQ(sites->Sum("sites", "CONT_LEASE_MONEY"),
                     Scalar("SELECT SUM(CONT_LEASE_MONEY) FROM NA020MS WHERE CONT_CANCEL_DATE IS NULL AND '" + today
                            + "' BETWEEN CONT_START_DATE AND CONT_END_DATE").toDouble());

    auto* shops = Open<TfrmNCS060>("NCS060");
    ASSERT_NE(shops, nullptr);
    const TReportDocument* perSite = Search(shops);
    ASSERT_NE(perSite, nullptr);
    EXPECT_EQ(perSite->Rows("shops"), Scalar("SELECT COUNT(*) FROM NA010MS").toInt());
    EXPECT_EQ(perSite->Sum("shops", "LEASED"), double(leased.size()));
    EXPECT_DOUBLE_EQ(perSite->Sum("shops", "CONT_MANAGE_PAY"), sites->Sum("sites", "CONT_MANAGE_PAY"));
    ExpectNoBox();
}

TEST_F(ReportEndToEndTest, MonthlyAndPerSiteFiguresMatchTheBillingInquiry)
{
    auto* monthly = Open<TfrmNCI020>("NCI020");
    ASSERT_NE(monthly, nullptr);
    monthly->medMonth->SetText(month);
    const TReportDocument* shops = Search(monthly);
    ASSERT_NE(shops, nullptr);
    const QHash<QString, double> rent = Inquiry(TfrmNBS040::gkRent, month, 8);
    const QHash<QString, double> fee = Inquiry(TfrmNBS040::gkManagementFee, month, 7);
    ASSERT_FALSE(rent.isEmpty());
    ASSERT_FALSE(fee.isEmpty());
    const std::vector<TRow> rows = Rows(shops, "shops");
    const QHash<QString, double> reportRent = ByContract(rows, "RENT_AMT");
    const QHash<QString, double> reportFee = ByContract(rows, "FEE_AMT");
    for (auto it = rent.begin(); it != rent.end(); ++it)
        EXPECT_DOUBLE_EQ(reportRent.value(it.key()), it.value()) << it.key().toStdString();
    for (auto it = fee.begin(); it != fee.end(); ++it)
        EXPECT_DOUBLE_EQ(reportFee.value(it.key()), it.value()) << it.key().toStdString();
    double rentTotal = 0;
    for (double v : rent)
        rentTotal += v;
    EXPECT_DOUBLE_EQ(shops->Sum("shops", "RENT_AMT"), rentTotal);

    auto* perSite = Open<TfrmNCS040>("NCS040");
    ASSERT_NE(perSite, nullptr);
    const TReportDocument* contracts = Search(perSite);
    ASSERT_NE(contracts, nullptr);
    const std::vector<TRow> all = Rows(contracts, "contracts");
    const QHash<QString, double> billed = Inquiry(TfrmNBS040::gkRent, "", 8);
    const QHash<QString, double> unpaid = Inquiry(TfrmNBS040::gkRent, "", 9);
    const QHash<QString, double> reportBilled = ByContract(all, "RENT_BILLED");
    const QHash<QString, double> reportUnpaid = ByContract(all, "RENT_UNPAID");
    ASSERT_FALSE(billed.isEmpty());
    for (auto it = billed.begin(); it != billed.end(); ++it) {
        EXPECT_DOUBLE_EQ(reportBilled.value(it.key()), it.value()) << it.key().toStdString();
        // The inquiry repeats the contract's outstanding balance on each of its rows.
        const int lines = Column("SELECT CONT_CODE FROM NB010DT WHERE CONT_CODE = '" + it.key()
                                 + "' AND DEMAND_DATE2 <> '99999999'").size();
        EXPECT_DOUBLE_EQ(reportUnpaid.value(it.key()) * lines, unpaid.value(it.key())) << it.key().toStdString();
    }

    // One site only, and a site with no contract gives the empty report.
    const QString site = all.front().value("SHOP_CODE").toString();
    perSite->edt_UpjangCode->setText(site);
    const TReportDocument* one = Search(perSite);
    ASSERT_NE(one, nullptr);
    for (const TRow& row : Rows(one, "contracts"))
        EXPECT_EQ(row.value("SHOP_CODE").toString(), site);
    perSite->edt_UpjangCode->setText("4'99");
    ASSERT_NE(Search(perSite), nullptr);
    EXPECT_EQ(perSite->ReportViewer1->Document()->Rows("contracts"), 0);
    ExpectNoBox();
}

TEST_F(ReportEndToEndTest, UnpaidReportAndPaymentNoticeMatchTheReceiptsScreen)
{
    auto* unpaid = Open<TfrmNCS050>("NCS050");
    ASSERT_NE(unpaid, nullptr);
    unpaid->medMonth->SetText(month);
    const TReportDocument* report = Search(unpaid);
    ASSERT_NE(report, nullptr);
    const std::vector<TRow> rows = Rows(report, "unpaid");
    ASSERT_FALSE(rows.empty());
    // The contract owing the most rent in the month.
    const TRow* worst = nullptr;
    for (const TRow& row : rows)
        if (row.value("AMT_CODE") == "02" && (!worst || row.value("REMAIN_AMT").toDouble() > worst->value("REMAIN_AMT").toDouble()))
            worst = &row;
    ASSERT_NE(worst, nullptr);
    const QString contract = worst->value("CONT_CODE").toString();
    const QString site = worst->value("SHOP_CODE").toString();
    const double remain = worst->value("REMAIN_AMT").toDouble();
    const QDate due = QDate::fromString(worst->value("DUE_DATE").toString(), "yyyyMMdd");
    const QDate monthEnd = QDate::fromString(month + "01", "yyyyMMdd").addMonths(1).addDays(-1);
    EXPECT_EQ(worst->value("DAYS_OVERDUE").toInt(), std::max<qint64>(0, due.daysTo(std::min(TBusinessClock::Today(), monthEnd))));

    auto* notices = Open<TfrmNCS090>("NCS090");
    ASSERT_NE(notices, nullptr);
    notices->medMonth->SetText(month);
    notices->edt_UpjangCode->setText(site);
    const TReportDocument* notice = Search(notices);
    ASSERT_NE(notice, nullptr);
    const std::vector<TRow> charges = Rows(notice, "charges");

    const QHash<QString, QList<double>> status = MonthStatus(contract);
    ASSERT_TRUE(status.contains("02"));
    EXPECT_DOUBLE_EQ(status.value("02").last(), remain);
    const char* const fields[] = {"NAPIP_AMT", "THIS_MINAPAMT", "THIS_MINAPDEALYAMT", "TOT_NAPIP_AMT", "IPGUM_AMT", "REMAIN_AMT"};
    int matched = 0;
    for (const TRow& row : charges) {
        if (row.value("CONT_CODE").toString() != contract)
            continue;
        const QList<double> screenRow = status.value(row.value("AMT_CODE").toString());
        ASSERT_EQ(screenRow.size(), 6) << row.value("AMT_CODE").toString().toStdString();
        for (int f = 0; f < 6; ++f)
            EXPECT_DOUBLE_EQ(row.value(fields[f]).toDouble(), screenRow[f]) << fields[f];
        ++matched;
    }
    EXPECT_EQ(matched, status.size() - 1); // all but the total line
    // The notice of the contract shows what is left to pay, the screen's total.
    bool found = false;
    for (int p = 0; p < notice->PageCount(); ++p)
        if (notice->PageText(p).contains(contract))
            found = found || notice->PageText(p).contains("납부하실 금액   " + TReportFormat::Grouped(status.value("T").last()) + " 원");
    EXPECT_TRUE(found);
    ExpectNoBox();
}
