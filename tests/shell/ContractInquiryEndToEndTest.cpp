#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwDBColumn.h"
#include "controls/TwDBGrid.h"
#include "controls/TwDataField.h"
#include "controls/TwMemGrid.h"
#include "framework/TPanel.h"
#include "framework/TPopupBtn.h"
#include "framework/TfrmPopupWnd.h"
#include "screens/na/TfrmNAI040.h"
#include "screens/na/TfrmNAS050.h"
#include "tests/shell/DemoClientTest.h"

namespace {

// The rate settings and the contract status inquiry in the running client
// on a fresh demonstration database.
class ContractInquiryEndToEndTest : public DemoClientTest
{
protected:
    void Exec(const QString& sql)
    {
        TQuery q(dataModule->dbsDB);
        q.SQL() << sql;
        q.ExecSQL();
    }

    // One field over every record of a result set (all fetched).
    static QStringList Values(TwClientDataSet& dataSet, const QString& field)
    {
        QStringList values;
        if (!dataSet.Active())
            return values;
        const int recNo = dataSet.RecNo();
        dataSet.Last();
        const int index = dataSet.FieldByName(field)->Index();
        for (int r = 0; r < dataSet.RecordCount(); ++r)
            values << dataSet.Value(r, index).toString();
        dataSet.SetRecNo(recNo);
        return values;
    }

    static void Search(TfrmZZI010* screen)
    {
        if (!screen->SearchMode())
            QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
        QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
    }

    // Runs `start`; `inWindow` sees the popup window when it shows.
    static bool WithPopup(const std::function<void()>& start, const std::function<void(TfrmPopupWnd*)>& inWindow)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<TfrmPopupWnd*>(top); window && window->isVisible()) {
                    shown = true;
                    inWindow(window);
                    if (window->isVisible())
                        window->reject();
                }
        });
        start();
        QTest::qWait(1);
        return shown;
    }

    int Errors()
    {
        int n = 0;
        for (const auto& box : MessageBoxSeam::Shown())
            n += box.kind == MessageBoxSeam::mbError;
        return n;
    }

    QString ContractCode(int index)
    {
        return Column("SELECT A.CONT_CODE FROM NA020MS A, VA050MS B WHERE A.C_CODE = B.C_CODE AND B.USE_YN = 'Y' "
                      "ORDER BY A.CONT_CODE")
            .value(index);
    }
};

} // namespace

TEST_F(ContractInquiryEndToEndTest, RateSettingsListContractsInForceTodayByOwnerFromTheStart)
{
    const QString today = TBusinessClock::TodayText();
    const QDate day = QDate::fromString(today, "yyyyMMdd");
    const QString starting = ContractCode(0);
    const QString ended = ContractCode(1);
    ASSERT_FALSE(ended.isEmpty());
    Exec("UPDATE NA020MS SET CONT_START_DATE = '" + today + "', CONT_END_DATE = '"
         + day.addYears(1).toString("yyyyMMdd") + "' WHERE CONT_CODE = '" + starting + "'");
    Exec("UPDATE NA020MS SET CONT_START_DATE = '" + day.addYears(-2).toString("yyyyMMdd") + "', CONT_END_DATE = '"
         + day.addDays(-1).toString("yyyyMMdd") + "' WHERE CONT_CODE = '" + ended + "'");

    auto* screen = Open<TfrmNAI040>("NAI040");
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->pnlList->isEnabled());
    Search(screen);
    EXPECT_EQ(Errors(), 0);
    EXPECT_TRUE(screen->pnlList->isEnabled());
    const QStringList listed = Values(screen->cdsMain, "CONT_CODE");
    EXPECT_TRUE(listed.contains(starting));
    EXPECT_FALSE(listed.contains(ended));
    EXPECT_EQ(screen->rdbMain->RowCount(), listed.size());
    EXPECT_EQ(screen->rdbMain->CellText(screen->rdbMain->Column(3), 0).size(), 10); // yyyy-MM-dd
    EXPECT_EQ(screen->cdsMain.FieldByName("CONT_DEPOSIT")->DisplayFormat(), "#,##0.#0");

    // The owner popup fills the owner box; the owner's name matches from its start.
    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    const QString boss = Scalar("SELECT B.BOSS_NAME FROM NA020MS A, VA050MS B WHERE A.C_CODE = B.C_CODE AND "
                                "A.CONT_CODE = '" + starting + "'");
    EXPECT_TRUE(WithPopup([&] { screen->pbtBossName->click(); },
                          [&](TfrmPopupWnd* window) {
                              EXPECT_EQ(window->DBGrid->Column(0)->Title()->Caption(), "대표자 명");
                              window->Edit->setText(boss);
                              QTest::keyClick(window->Edit, Qt::Key_Return);
                              QTest::keyClick(window->DBGrid, Qt::Key_Return);
                          }));
    EXPECT_EQ(screen->edtFindBossName->text(), boss);
    Search(screen);
    EXPECT_TRUE(Values(screen->cdsMain, "CONT_CODE").contains(starting));
    for (const QString& name : Values(screen->cdsMain, "BOSS_NAME"))
        EXPECT_TRUE(name.startsWith(boss)) << name.toStdString();
    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    screen->edtFindBossName->setText(boss.mid(1));
    Search(screen);
    EXPECT_FALSE(Values(screen->cdsMain, "CONT_CODE").contains(starting));

    // Cancel without a pending rate edit empties both lists.
    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    EXPECT_FALSE(screen->cdsMain.Active());
    EXPECT_EQ(screen->rdbMain->RowCount(), 0);
    EXPECT_EQ(screen->rgRate->RowCount(), 0);
    EXPECT_EQ(Errors(), 0);
}

TEST_F(ContractInquiryEndToEndTest, ShopPopupRefinesItsFirstLineWhereStatement)
{
    auto* screen = Open<TfrmNAI040>("NAI040");
    ASSERT_NE(screen, nullptr);
    const QString shop = Scalar("SELECT SHOP_NAME FROM NA010MS ORDER BY SHOP_CODE");
    EXPECT_TRUE(WithPopup([&] { screen->pbtShopName->click(); },
                          [&](TfrmPopupWnd* window) {
                              EXPECT_GT(window->cdsPopup.RecordCount(), 1);
                              EXPECT_FALSE(window->DBGrid->Column(4)->Visible());
                              window->Edit->setText(shop);
                              QTest::keyClick(window->Edit, Qt::Key_Return);
                              EXPECT_GE(window->cdsPopup.RecordCount(), 1);
                              QTest::keyClick(window->DBGrid, Qt::Key_Return);
                          }));
    EXPECT_EQ(Errors(), 0);
    EXPECT_EQ(screen->edtFindShopName->text(), shop);
    EXPECT_EQ(screen->pbtShopName->ReturnValue().value(4),
              Scalar("SELECT SHOP_CODE FROM NA010MS WHERE SHOP_NAME = '" + shop + "'"));
}

TEST_F(ContractInquiryEndToEndTest, ContractStatusListsEveryContractAndFindsAShopWithAnApostrophe)
{
    auto* screen = Open<TfrmNAS050>("NAS050");
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->bbtSave->isHidden());
    EXPECT_TRUE(screen->bbtAdd->isHidden());
    EXPECT_EQ(screen->rgrGrid->Column(6)->Title()->Caption(), "임대료");
    const QString cancelled = ContractCode(2);
    Exec("UPDATE NA020MS SET CONT_CANCEL_DATE = '20200101' WHERE CONT_CODE = '" + cancelled + "'");
    Search(screen);
    EXPECT_EQ(Errors(), 0);
    const QStringList all = Values(screen->cdsGrid, "CONT_CODE");
    EXPECT_EQ(all.size(), Scalar("SELECT COUNT(*) FROM NA020MS").toInt());
    EXPECT_TRUE(all.contains(cancelled));
    screen->cdsGrid.First();
    EXPECT_EQ(screen->rgrGrid->CellText(screen->rgrGrid->Column(3), 0),
              FormatDateText(screen->cdsGrid.FieldByName("CONT_START_DATE")->AsString()));

    const QString shopCode = Scalar("SELECT SHOP_CODE FROM NA020MS WHERE CONT_CODE = '" + cancelled + "'");
    Exec("UPDATE NA010MS SET SHOP_NAME = 'O''Neil 카페' WHERE SHOP_CODE = '" + shopCode + "'");
    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    screen->edtShopName->setText("O'Neil");
    // Enter opens the linked popup: its one row is taken without a window.
    EXPECT_FALSE(WithPopup([&] { QTest::keyClick(screen->edtShopName, Qt::Key_Return); }, [](TfrmPopupWnd*) {}));
    EXPECT_EQ(screen->edtShopName->text(), "O'Neil 카페");
    Search(screen);
    EXPECT_EQ(Errors(), 0);
    const QStringList found = Values(screen->cdsGrid, "SHOP_CODE");
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found.count(shopCode), found.size());
}

TEST_F(ContractInquiryEndToEndTest, ContractStatusExportsTheSelectionUnderItsTitle)
{
    QStringList shown;
    TExcelApplication::SetHost({[] { return QString("viewer"); },
                                [&](const QString&, const QString& file) {
                                    shown << file;
                                    return true;
                                }});
    auto* screen = Open<TfrmNAS050>("NAS050");
    ASSERT_NE(screen, nullptr);
    screen->edtBossName->setText("없는사람");
    Search(screen);
    QTest::mouseClick(screen->bbtExcel, Qt::LeftButton);
    TExcelApplication::SetHost(TExcelApplication::DefaultHost());
    EXPECT_EQ(Errors(), 0);
    ASSERT_EQ(shown.size(), 1);
    auto reader = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
    reader->Workbooks().Open(shown[0]);
    const TExcelValueArray values = reader->Range(reader->Cells(1, 1), reader->Cells(4, 10)).Values();
    EXPECT_EQ(values.Text(1, 2), "임대업주 계약 현황 조회");
    EXPECT_EQ(values.Text(3, 1), "거래처명");
    EXPECT_EQ(values.Text(3, 7), "총임대료");
    EXPECT_EQ(values.Text(3, 8), "월임대료");
    EXPECT_EQ(values.Text(4, 1), "");
    reader.reset();
    QFile::remove(shown[0]);
    // Both statements were traced in the program folder.
    const QDir programDir(SessionContext::AppDir());
    QFile trace(programDir.filePath(programDir.entryList({"*.LOG"}).value(0)));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(trace.readAll()).count("FROM NA020MS A, VA050MS B, NA010MS C"), 2);
}
