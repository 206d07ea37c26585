#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QApplication>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/SessionContext.h"
#include "common/TBusinessClock.h"
#include "common/TExcelWorkbook.h"
#include "common/TProcedureRegistry.h"
#include "common/TStoredProc.h"
#include "common/TXlsxWriter.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "screens/ExcelSheetLoader.h"
#include "screens/nb/TfrmNBI040.h"
#include "screens/nb/TfrmNBI050.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

using TSheet = QList<QStringList>;

// The two import screens in the running client on a fresh demonstration
// database, reading sheets written for each test and registering through the
// server's own procedures.
class ImportEndToEndTest : public DemoClientTest
{
protected:
    void TearDown() override
    {
        ExcelSheetLoader::SetFileChooser({});
        DemoClientTest::TearDown();
    }

    // A .xlsx file whose active sheet holds the rows, every cell as text
    // (empty texts leave the cell empty), starting at `firstRow`.
    QString WriteSheet(const QString& name, const TSheet& rows, int firstRow = 1)
    {
        const QString path = folder.Path(name);
        TExcelWorkbook book(path);
        TExcelWorksheet& sheet = book.AddSheet(QStringLiteral("Sheet1"));
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                if (!rows[r][c].isEmpty())
                    sheet.SetText(firstRow + r, c + 1, rows[r][c]);
        TXlsxWriter::Write(book, path);
        return path;
    }

    void Load(TSheetImportScreen* screen, const QString& path)
    {
        ExcelSheetLoader::SetFileChooser([path] { return path; });
        QTest::mouseClick(screen->bbtExcelLoad, Qt::LeftButton);
    }

    QStringList Boxes(MessageBoxSeam::Kind kind)
    {
        QStringList texts;
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == kind)
                texts << box.text;
        return texts;
    }

    // Sites with exactly one contract running in the month, as the fee
    // import needs them.
    QStringList FeeSites(const QString& month)
    {
        return Column("SELECT SHOP_CODE FROM NA020MS WHERE CONT_START_DATE <= '" + month + "31' AND CONT_END_DATE "
                      ">= '" + month + "01' AND (CONT_CANCEL_DATE IS NULL OR CONT_CANCEL_DATE >= '" + month + "01') "
                      "AND SHOP_CODE IN (SELECT SHOP_CODE FROM NA010MS) GROUP BY SHOP_CODE HAVING COUNT(*) = 1 "
                      "ORDER BY SHOP_CODE");
    }

    static QStringList FeeRow(const QString& site, const QString& month, const QString& tele = "10000")
    {
        return {site, month, "이름", "110000", "100000", "10000", "60000", "10000", "20000", "5000", "5000", tele};
    }

    QString Bills() { return Column("SELECT CONT_CODE || CONT_MONTH || '/' || CAST(SUP_TELE AS INTEGER) FROM "
                                    "NB020DT ORDER BY 1").join(' '); }

    const QString month = TBusinessClock::ThisMonth();
};

const QString SaveError = QStringLiteral("자료를 저장하지 못했습니다.\r\r에러내용:\r");

} // namespace

TEST_F(ImportEndToEndTest, FeeSheetIsCheckedThenRegistered)
{
    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    const QStringList sites = FeeSites(month);
    ASSERT_GE(sites.size(), 2);
    Load(screen, WriteSheet("fee.xlsx", {FeeRow(sites[0], month, "1234"), FeeRow(sites[1], month, "4321")}));
    EXPECT_EQ(screen->Label2->text(), "fee.xlsx을 읽어들였습니다 2 Line");
    EXPECT_EQ(GridRows(screen->rgrGrid, 13)[1],
              QStringList({"", sites[1], month, "이름", "110000", "100000", "10000", "60000", "10000", "20000",
                           "5000", "5000", "4321"}));

    const QString before = Bills();
    QTest::mouseClick(screen->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo), QStringList({"데이타 검증이 완료되었습니다. (2건 이상 없음)"}));
    EXPECT_EQ(Bills(), before);

    MessageBoxSeam::Reset();
    QTest::keyClick(screen->rgrGrid, Qt::Key_F2);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo), QStringList({"등록이 완료되었습니다. (2건)"}));
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty());
    for (const auto& [site, tele] : {std::pair{sites[0], "1234"}, std::pair{sites[1], "4321"}})
        EXPECT_EQ(Scalar("SELECT CAST(SUP_TELE AS INTEGER) || '/' || D.U_EMP_NO FROM NB020DT D JOIN NA020MS C ON "
                         "C.CONT_CODE = D.CONT_CODE WHERE C.SHOP_CODE = '" + site + "' AND D.CONT_MONTH = '"
                         + month + "'"),
                  QString(tele) + "/10000001");
    EXPECT_EQ(screen->rgrGrid->RowCount(), 2); // the rows stay for another run
}

TEST_F(ImportEndToEndTest, AnEmptySheetHasNothingToImportAndATitlesRowIsSkipped)
{
    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->bbtSave->isEnabled()); // nothing loaded yet
    EXPECT_FALSE(screen->BitBtn1->isEnabled());
    const QString before = Bills();
    for (const QString& name : {QStringLiteral("empty.xlsx"), QStringLiteral("titles-only.xlsx")}) {
        MessageBoxSeam::Reset();
        TSheet rows;
        if (name.startsWith("titles"))
            rows << QStringList({"업장코드", "납입월", "임대업장명", "총관리비", "공급가액", "부가세"});
        Load(screen, WriteSheet(name, rows));
        EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo), QStringList({"가져올 자료가 없습니다."})) << name.toStdString();
        EXPECT_EQ(screen->Label2->text(), "가져올 자료가 없습니다.");
        EXPECT_EQ(screen->rgrGrid->RowCount(), 0);
        EXPECT_FALSE(screen->bbtSave->isEnabled());
        EXPECT_FALSE(screen->BitBtn1->isEnabled());
        QTest::keyClick(screen->rgrGrid, Qt::Key_F2);
        EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo).size(), 1);
    }

    // Column titles over the rows: skipped, said so, and a refusal still
    // names the sheet's own row.
    MessageBoxSeam::Reset();
    const QStringList sites = FeeSites(month);
    ASSERT_GE(sites.size(), 1);
    Load(screen, WriteSheet("titled.xlsx", {{"업장코드", "납입월", "임대업장명", "총관리비", "공급가액", "부가세"},
                                            FeeRow(sites[0], month), FeeRow("9999", month)}));
    EXPECT_EQ(screen->Label2->text(), "titled.xlsx을 읽어들였습니다 2 Line (첫 행은 제목으로 건너뛰었습니다)");
    ASSERT_EQ(screen->rgrGrid->RowCount(), 2);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI040::colUpjangCode, 0).AsString(), sites[0]);
    EXPECT_TRUE(screen->bbtSave->isEnabled());
    // The load leaves the focus in the screen, so its keys work at once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_EQ(Boxes(MessageBoxSeam::mbError).size(), 1) << Boxes(MessageBoxSeam::mbInfo).join("|").toStdString();
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError)[0].contains("엑셀 3행")) << Boxes(MessageBoxSeam::mbError)[0].toStdString();
    EXPECT_EQ(Bills(), before);
}

TEST_F(ImportEndToEndTest, FeeRefusalRollsBackTheRunAndNamesTheSheetRow)
{
    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    const QStringList sites = FeeSites(month);
    ASSERT_FALSE(sites.isEmpty());

    // A first row with numbers in its amounts is data, not titles: the check refuses it as row 1.
    Load(screen, WriteSheet("heading.xlsx", {FeeRow("업장코드", "납입월"), FeeRow(sites[0], month)}));
    ASSERT_EQ(screen->rgrGrid->RowCount(), 2);
    QTest::mouseClick(screen->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError),
              QStringList({SaveError + "엑셀 1행: 업장코드 업장코드, 납입월 납입월: 임대업장으로 등록되어 있지 않습니다."}));

    // Six good rows and a seventh whose amounts do not add up.
    TSheet rows;
    for (int i = 0; i < 6; ++i)
        rows << FeeRow(sites[i % sites.size()], month, QString::number(7000 + i));
    QStringList bad = FeeRow(sites[0], month);
    bad[5] = "9999";
    rows << bad;
    Load(screen, WriteSheet("seventh.xlsx", rows));
    const QString bills = Bills();
    const QString lines = Column("SELECT CONT_CODE || AMT_CODE || NAPIP_MONTH || NAPIP_DATE FROM NB010MS ORDER BY 1")
                              .join(' ');
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbtSave, Qt::LeftButton);
    ASSERT_EQ(Boxes(MessageBoxSeam::mbError).size(), 1);
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError)[0].startsWith(SaveError + "엑셀 7행: 업장코드 " + sites[0]))
        << Boxes(MessageBoxSeam::mbError)[0].toStdString();
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbInfo).isEmpty());
    EXPECT_EQ(Bills(), bills);
    EXPECT_EQ(Column("SELECT CONT_CODE || AMT_CODE || NAPIP_MONTH || NAPIP_DATE FROM NB010MS ORDER BY 1").join(' '),
              lines);
    EXPECT_EQ(screen->rgrGrid->RowCount(), 7);
    EXPECT_FALSE(dataModule->dbsDB.InTransaction());
}

TEST_F(ImportEndToEndTest, ReaderTakesEveryUsedRowAndTheGridsColumnsOnly)
{
    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    // 25 rows from sheet row 3 on: a wide one, a short one, numbers in between.
    TSheet rows;
    QStringList wide;
    for (int c = 1; c <= 14; ++c)
        wide << QString("c%1").arg(c);
    rows << wide << QStringList({"4001", "202503"});
    for (int i = 0; i < 23; ++i)
        rows << FeeRow("4001", "202503");
    const QString path = folder.Path("numbers.xlsx");
    {
        TExcelWorkbook book(path);
        TExcelWorksheet& sheet = book.AddSheet("Sheet1");
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                sheet.SetText(r + 3, c + 1, rows[r][c]);
        sheet.SetNumber(27, 4, 110000);
        sheet.SetNumber(27, 5, 0.5);
        TXlsxWriter::Write(book, path);
    }
    Load(screen, path);
    EXPECT_EQ(screen->Label2->text(), "numbers.xlsx을 읽어들였습니다 27 Line");
    EXPECT_EQ(screen->ProgressBar1->value(), 27);
    ASSERT_EQ(screen->rgrGrid->RowCount(), 27);
    EXPECT_EQ(GridRows(screen->rgrGrid, 13)[0], QStringList(13, QString()));
    EXPECT_EQ(GridRows(screen->rgrGrid, 13)[2].mid(1), wide.mid(0, 12));
    EXPECT_EQ(GridRows(screen->rgrGrid, 13)[3], QStringList({"", "4001", "202503", "", "", "", "", "", "", "", "",
                                                             "", ""}));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI040::colTotMoney, 26).AsString(), "110000");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI040::colSupPrice, 26).AsString(), "0.5");
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty());

    // An amount too long for its column is refused, not cut; a damaged file
    // is reported and the client goes on with the grid as it was.
    Load(screen, WriteSheet("long.xlsx", {FeeRow("4001", "202503", "12345678901234567")}));
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError), QStringList({"엑셀 1행 12열의 값이 16자를 넘어 읽을 수 없습니다."}));
    MessageBoxSeam::Reset();
    Load(screen, WriteSheet("fine.xlsx", {FeeRow("4001", "202503")}));
    QFile damaged(folder.Path("damaged.xlsx"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("PK\x03\x04 this is no workbook");
    damaged.close();
    Load(screen, damaged.fileName());
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError).size(), 1);
    EXPECT_EQ(screen->rgrGrid->RowCount(), 1);
    EXPECT_EQ(screen->Label2->text(), "fine.xlsx을 읽어들였습니다 1 Line");
    EXPECT_TRUE(screen->bbtSave->isEnabled());

    // The older binary format is read by its own program, from the worker too.
    MessageBoxSeam::Reset();
    Load(screen, QStringLiteral(SELVAR_TEST_DATA_DIR "/sheet/sample.xls"));
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty()) << Boxes(MessageBoxSeam::mbError).join("|").toStdString();
    EXPECT_TRUE(screen->Label2->text().startsWith("sample.xls을 읽어들였습니다 "));
    EXPECT_GT(screen->rgrGrid->RowCount(), 1);
}

TEST_F(ImportEndToEndTest, LargeSheetLoadsWhileTheWindowStaysLive)
{
    auto* screen = Open<TfrmNBI040>("NBI040");
    ASSERT_NE(screen, nullptr);
    TSheet rows;
    for (int i = 0; i < 10000; ++i)
        rows << FeeRow(QString::number(4000 + i % 50), month, QString::number(i));
    const QString path = WriteSheet("large.xlsx", rows);

    // A timer runs whenever the event loop gets a turn: it sees the bar move
    // and a close attempt is refused while the file is read.
    QSet<int> seen;
    bool closeTried = false;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        seen << screen->ProgressBar1->value();
        if (!closeTried && !screen->bbtSave->isEnabled()) {
            closeTried = true;
            screen->close();
        }
    });
    ticker.start();
    Load(screen, path);
    ticker.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window->Tabs()->count(), 1);
    EXPECT_TRUE(closeTried);
    EXPECT_GT(seen.size(), 10);
    EXPECT_EQ(screen->rgrGrid->RowCount(), 10000);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI040::colSupTele, 9999).AsString(), "9999");
    EXPECT_TRUE(screen->bbtSave->isEnabled());
}

TEST_F(ImportEndToEndTest, BasicDataIsRegisteredAndInitialisedForTheListedContract)
{
    auto* screen = Open<TfrmNBI050>("NBI050");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->medMonth->Text(), month);
    EXPECT_EQ(screen->medMonth2->Text(), month);
    const QString site = FeeSites(month).value(0);
    ASSERT_FALSE(site.isEmpty());
    TypeText(screen->edt_UpjangCode, site);
    EXPECT_EQ(screen->edt_UpjangCodeName->text(), Scalar("SELECT UPJANG_NAME FROM JA010MS WHERE UPJANG_CODE = '"
                                                         + site + "'"));
    EXPECT_EQ(GridColumn(screen->rgrUpjangList, TfrmNBI050::conContCode),
              Column("SELECT CONT_CODE FROM NA020MS WHERE SHOP_CODE = '" + site + "' ORDER BY CONT_END_DATE DESC"));
    const QString contract = Column("SELECT CONT_CODE FROM NA020MS WHERE SHOP_CODE = '" + site + "' AND "
                                    "CONT_START_DATE <= '" + month + "31' AND CONT_END_DATE >= '" + month + "01'")
                                 .value(0);
    const int line = FindRow(screen->rgrUpjangList, TfrmNBI050::conContCode, contract);
    ASSERT_GE(line, 0);
    screen->rgrUpjangList->SetRow(line);

    // Every call carries every parameter of its own, nothing of the call before.
    QList<QMap<QString, QVariant>> calls;
    const TProcedureRegistry::TProcedure real = *TProcedureRegistry::Instance().Find("PR_NBI050_01");
    TProcedureRegistry::TScoped spy(real.Name, real.ParamNames, [&](TDatabase& db, const TStoredProc& proc) {
        QMap<QString, QVariant> values;
        for (const TParam& p : proc.Params())
            values[p.Name()] = p.AsVariant();
        calls << values;
        real.Body(db, proc);
    });
    screen->prcProc.SetProcedureName("PR_NBI050_01");

    Load(screen, WriteSheet("basic.xlsx", {{site, "02", month, "950000", month, month + "12", "500000"}}));
    QTest::mouseClick(screen->bbtSave, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo), QStringList({"등록이 완료되었습니다. (1건)"}));
    EXPECT_TRUE(Boxes(MessageBoxSeam::mbError).isEmpty()) << Boxes(MessageBoxSeam::mbError).join("|").toStdString();
    EXPECT_EQ(Scalar("SELECT CAST(NAPIP_AMT AS INTEGER) FROM NB010MS WHERE CONT_CODE = '" + contract
                     + "' AND AMT_CODE = '02' AND NAPIP_MONTH = '" + month + "'"), "950000");
    EXPECT_EQ(Scalar("SELECT CAST(SUM(IPGUM_AMT) AS INTEGER) FROM NB020MS WHERE CONT_CODE = '" + contract
                     + "' AND REMARKS = '기초데이타등록'"), "500000");

    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbtDataInitial, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbInfo), QStringList({"초기화가 완료되었습니다."}));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB010MS WHERE CONT_CODE = '" + contract + "' AND NAPIP_MONTH = '"
                     + month + "'"), "0");

    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbtSave, Qt::LeftButton);
    ASSERT_EQ(calls.size(), 3);
    const QVariant none;
    for (const auto& [name, value] : {std::pair{"AGUBUN", QVariant("1")}, {"ACONT_CODE", QVariant(contract)},
                                      {"AUPJANG_CODE", QVariant(site)}, {"AFROM_MONTH", none}, {"ASHOP_CODE", none}})
        EXPECT_EQ(calls[2].value(name), value) << name;
    for (const auto& [name, value] : {std::pair{"AGUBUN", QVariant("3")}, {"AFROM_MONTH", QVariant(month)},
                                      {"ASHOP_CODE", QVariant(site)}, {"AUPJANG_CODE", none}, {"AIPGUM_AMT", none},
                                      {"AU_EMP_NO", QVariant("10000001")}})
        EXPECT_EQ(calls[1].value(name), value) << name;
    EXPECT_EQ(calls[1].value("AU_IP").toString(), SessionContext::ClientIP());
}

TEST_F(ImportEndToEndTest, BasicDataChecksTheSiteCodeThenTheContractList)
{
    auto* screen = Open<TfrmNBI050>("NBI050");
    ASSERT_NE(screen, nullptr);
    int executed = 0;
    const TProcedureRegistry::TProcedure real = *TProcedureRegistry::Instance().Find("PR_NBI050_01");
    TProcedureRegistry::TScoped spy(real.Name, real.ParamNames,
                                    [&](TDatabase& db, const TStoredProc& proc) { ++executed; real.Body(db, proc); });

    TypeText(screen->edt_UpjangCode, "999");
    QTest::mouseClick(screen->bbtDataInitial, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError), QStringList({"업장코드가 입력되지 않으면 초기화할수 없습니다."}));

    MessageBoxSeam::Reset();
    TypeText(screen->edt_UpjangCode, "9");
    ASSERT_EQ(screen->rgrUpjangList->RowCount(), 0);
    QTest::mouseClick(screen->bbtDataInitial, Qt::LeftButton);
    EXPECT_EQ(Boxes(MessageBoxSeam::mbError), QStringList({"계약된 자료가 존재하지 않습니다."}));

    // With a contract listed but no rows loaded there is nothing to save.
    MessageBoxSeam::Reset();
    screen->edt_UpjangCode->setText(FeeSites(month).value(0));
    ASSERT_GT(screen->rgrUpjangList->RowCount(), 0);
    ASSERT_EQ(screen->rgrGrid->RowCount(), 0);
    EXPECT_FALSE(screen->bbtSave->isEnabled());
    QTest::keyClick(screen->rgrGrid, Qt::Key_F2);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    EXPECT_EQ(executed, 0);
}
