#include <QFile>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TExcelWorkbook.h"
#include "common/TStoredProc.h"
#include "common/TXlsWriter.h"
#include "common/TXlsxWriter.h"
#include "common/TextEncoding.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "screens/nb/TDepositMatcher.h"
#include "screens/nb/TfrmNBI060.h"
#include "screens/nb/TfrmNBS060.h"
#include "server/TLeaseStore.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

const QString Account = QStringLiteral("110-234-567890");

struct TDeposit
{
    QString date; // YYYYMMDD
    QString time; // HHMMSS
    QString depositor;
    double amount = 0;
    double withdrawal = 0;
};

QString Dashed(const QString& date)
{
    return date.left(4) + "-" + date.mid(4, 2) + "-" + date.mid(6, 2);
}
QString Colons(const QString& time)
{
    return time.left(2) + ":" + time.mid(2, 2) + ":" + time.mid(4, 2);
}

// One date-and-time column, the account above the titles (.xlsx).
void WriteXlsx(const QString& path, const std::vector<TDeposit>& lines, double opening = 1000000)
{
    TExcelWorkbook book(path);
    TExcelWorksheet& sheet = book.AddSheet("거래내역");
    sheet.SetText(1, 1, u"거래내역조회");
    sheet.SetText(2, 1, QStringLiteral("계좌번호 : %1").arg(Account));
    const QStringList titles{"거래일시", "적요", "출금액", "입금액", "잔액", "입금자/내용", "거래점"};
    for (int c = 0; c < titles.size(); ++c)
        sheet.SetText(4, c + 1, titles[c]);
    double balance = opening;
    int row = 5;
    for (const TDeposit& d : lines) {
        balance += d.amount - d.withdrawal;
        sheet.SetText(row, 1, Dashed(d.date) + " " + Colons(d.time));
        sheet.SetText(row, 2, u"타행이체");
        sheet.SetNumber(row, 3, d.withdrawal);
        sheet.SetNumber(row, 4, d.amount);
        sheet.SetNumber(row, 5, balance);
        sheet.SetText(row, 6, d.depositor);
        sheet.SetText(row, 7, u"본점");
        ++row;
    }
    TXlsxWriter::Write(book, path);
}

// Date and time apart, the old words for the amounts (.xls).
void WriteXls(const QString& path, const std::vector<TDeposit>& lines, double opening = 1000000)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    TXlsWriter w(file);
    w.WriteBeginning();
    w.WriteText(0, 0, "계좌번호");
    w.WriteText(0, 1, Account);
    const QStringList titles{"거래일자", "거래시간", "적요", "찾으신금액", "맡기신금액", "거래후잔액", "기재내용", "취급점"};
    for (int c = 0; c < titles.size(); ++c)
        w.WriteText(2, c, titles[c]);
    double balance = opening;
    int row = 3;
    for (const TDeposit& d : lines) {
        balance += d.amount - d.withdrawal;
        w.WriteText(row, 0, d.date.left(4) + "." + d.date.mid(4, 2) + "." + d.date.mid(6, 2));
        w.WriteText(row, 1, Colons(d.time));
        w.WriteText(row, 2, "BZ이체");
        w.WriteNumber(row, 3, d.withdrawal);
        w.WriteNumber(row, 4, d.amount);
        w.WriteNumber(row, 5, balance);
        w.WriteText(row, 6, d.depositor);
        w.WriteText(row, 7, "서초");
        ++row;
    }
    w.WriteEnd();
}

// The depositor before the amounts, grouped figures, code page 949 (.csv).
void WriteCsv(const QString& path, const std::vector<TDeposit>& lines, double opening = 1000000)
{
    QStringList text{"계좌번호," + Account, "No,거래일,시간,입금자명,입금금액,출금금액,잔액,비고"};
    double balance = opening;
    int n = 1;
    for (const TDeposit& d : lines) {
        balance += d.amount - d.withdrawal;
        const QLocale en(QLocale::English);
        text << QStringLiteral("%1,%2,%3,%4,\"%5\",\"%6\",\"%7\",")
                    .arg(n++)
                    .arg(d.date.left(4) + "/" + d.date.mid(4, 2) + "/" + d.date.mid(6, 2), Colons(d.time),
                         d.depositor, en.toString(d.amount, 'f', 0), en.toString(d.withdrawal, 'f', 0),
                         en.toString(balance, 'f', 0));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ToCp949(text.join("\r\n") + "\r\n"));
}

class BankImportEndToEndTest : public DemoClientTest
{
protected:
    void SetUp() override
    {
        TBusinessClock::Set(QDate(2026, 12, 9));
        DemoClientTest::SetUp();
        month = TodayText().left(6);
        open = TDepositMatcher::OpenAmounts(dataModule->dbsDB, month);
    }
    void TearDown() override
    {
        DemoClientTest::TearDown();
        TBusinessClock::Set(QDate());
    }

    // What the server counts open for the month: late fee and amount of every code.
    double ServerOpen(const QString& contCode)
    {
        TLeaseStore store(dataModule->dbsDB, "10000001", "");
        double total = 0;
        for (const QString& code : store.OpenCodes(contCode, month)) {
            const auto line = store.Open(contCode, code, month);
            total += line.openDelay + line.openAmount;
        }
        return total;
    }

    // Contracts under arrears management with something open whose tenant
    // name no other contract shares.
    QStringList UniqueTenants()
    {
        QStringList codes;
        for (const QString& code :
             Column("SELECT A.CONT_CODE FROM NA020MS A, VA050MS B WHERE B.C_CODE = A.C_CODE AND A.MINAP_CHK = 'Y' "
                    "AND (SELECT COUNT(*) FROM NA020MS X, VA050MS Y WHERE Y.C_CODE = X.C_CODE AND X.MINAP_CHK = 'Y' "
                    "AND (Y.C_NAME = B.C_NAME OR Y.BOSS_NAME = B.C_NAME)) = 1 ORDER BY A.CONT_CODE"))
            if (open.value(code) > 2000)
                codes << code;
        return codes;
    }

    bool UniqueOpen(double amount) const
    {
        int n = 0;
        for (double v : open)
            n += qint64(v) == qint64(amount);
        return n == 1;
    }

    QString Tenant(const QString& contCode)
    {
        return Scalar("SELECT B.C_NAME FROM NA020MS A, VA050MS B WHERE B.C_CODE = A.C_CODE AND A.CONT_CODE = '"
                      + contCode + "'");
    }

    // Every row of the tables an import may write, as text.
    QString Dump()
    {
        QStringList all;
        for (const char* sql :
             {"SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_GUBUN, IPGUM_DATE, IPGUM_SEQ, IPGUM_AMT, SLIP_CODE, "
              "REMARKS FROM NB020MS ORDER BY 1, 2, 3, 4, 5, 6",
              "SELECT SLIP_NO, SLIP_SEQ_NO, MG_DETAIL, C_AMOUNT FROM VB011DT ORDER BY 1, 2",
              "SELECT SLIP_NO, REF_DATA FROM VB011MS ORDER BY 1", "SELECT LINE_KEY, SLIP_CODE FROM NB060MS ORDER BY 1",
              "SELECT CONT_CODE, DEPOSITOR_NAME FROM NA022MS ORDER BY 1, 2",
              "SELECT CONT_CODE, CONT_MONTH, DEMAND_MONEY1, DEMAND_MONEY2, DEMAND_MONEY3 FROM NB010DT ORDER BY 1, 2"}) {
            TQuery q(dataModule->dbsDB);
            q.SQL() << sql;
            q.Open();
            for (; !q.Eof(); q.Next()) {
                QStringList row;
                for (int f = 0; f < q.FieldCount(); ++f)
                    row << q.Fields(f).AsString();
                all << row.join('|');
            }
        }
        return all.join('\n');
    }

    QString Path(const QString& name) { return folder.Path(name); }

    // Loads a file and books what the screen proposes, answering every question Yes.
    void Book(TfrmNBI060* screen)
    {
        MessageBoxSeam::Reset();
        QTest::mouseClick(screen->bbtBook, Qt::LeftButton);
    }

    QString month;
    QHash<QString, double> open;
};

} // namespace

// The open amounts the statement import proposes with are the receipts
// screen's, and the server's, for every contract.
TEST_F(BankImportEndToEndTest, OpenAmountsAgreeWithTheServer)
{
    ASSERT_GT(open.size(), 10);
    int compared = 0;
    for (auto it = open.constBegin(); it != open.constEnd(); ++it, ++compared)
        EXPECT_NEAR(it.value(), ServerOpen(it.key()), 0.005) << it.key().toStdString();
    EXPECT_GT(compared, 10);
}

// Name and amount, name only, amount only and nothing: the proposals, the
// booking, the month status and the closing after it, and the suspense line
// that the suspense receipts screen lists and books.
TEST_F(BankImportEndToEndTest, MatchesBooksAndLeavesTheRestAsSuspense)
{
    // November is the first month not closed: its closing follows the booking.
    // The demonstration office was paid in November: some tenants' receipts
    // go away again, so that they have their month open.
    month = StepMonth(month, -1);
    Exec("DELETE FROM NB020MS WHERE IPGUM_DATE LIKE '" + month + "%' AND CONT_CODE IN (SELECT CONT_CODE FROM "
         "NA020MS WHERE MINAP_CHK = 'Y' AND CONT_CODE IN (SELECT CONT_CODE FROM NB010MS WHERE NAPIP_MONTH = '"
         + month + "' AND NAPIP_AMT > 2000))");
    open = TDepositMatcher::OpenAmounts(dataModule->dbsDB, month);
    const QStringList tenants = UniqueTenants();
    ASSERT_GE(tenants.size(), 2);
    const QString both = tenants[0], nameOnly = tenants[1];
    QString amountOnly;
    for (auto it = open.constBegin(); it != open.constEnd(); ++it)
        if (it.key() != both && it.key() != nameOnly && it.value() > 0 && UniqueOpen(it.value()))
            amountOnly = std::min(amountOnly.isEmpty() ? it.key() : amountOnly, it.key());
    ASSERT_FALSE(amountOnly.isEmpty());
    ASSERT_TRUE(UniqueOpen(open[amountOnly]));
    ASSERT_FALSE(UniqueOpen(12345));
    const double bothAmount = open[both], nameAmount = open[nameOnly] - 1000, amountAmount = open[amountOnly];
    const std::vector<TDeposit> lines{
        {"20261101", "091322", Tenant(both), bothAmount},
        {"20261102", "100000", "전기요금", 0, 300000},
        {"20261103", "140500", Tenant(nameOnly), nameAmount},
        {"20261104", "083000", "미확인입금자", amountAmount},
        {"20261105", "170102", "알수없음", 12345},
    };
    WriteXlsx(Path("statement.xlsx"), lines);

    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->LoadFile(Path("statement.xlsx"))) << MessageBoxSeam::Last().text.toStdString();
    EXPECT_EQ(screen->edtAccountNo->text(), Account);
    ASSERT_EQ(screen->rgrGrid->RowCount(), 4); // the withdrawal is no deposit
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colContCode),
              QStringList({both, nameOnly, amountOnly, ""}));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colReason),
              QStringList({"둘 다", "이름 일치", "금액 일치", ""}));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction), QStringList({"입금", "입금", "입금", "가수금"}));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colRow), QStringList({"5", "7", "8", "9"}));

    Book(screen);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(MessageBoxSeam::Last().text, QStringLiteral("입금 3건 %1원, 가수금 1건 12,345원을 처리했습니다.")
                                               .arg(QLocale(QLocale::English)
                                                        .toString(bothAmount + nameAmount + amountAmount, 'f', 0)));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction), QStringList(4, "이미 처리됨"));

    // The receipts screen's total line and the server agree on what is left.
    const auto after = TDepositMatcher::OpenAmounts(dataModule->dbsDB, month);
    EXPECT_NEAR(after.value(both), 0, 0.005);
    EXPECT_NEAR(after.value(nameOnly), 1000, 0.005);
    EXPECT_NEAR(after.value(amountOnly), 0, 0.005);
    for (const QString& code : {both, nameOnly, amountOnly})
        EXPECT_NEAR(after.value(code), ServerOpen(code), 0.005) << code.toStdString();
    EXPECT_EQ(Scalar("SELECT CAST(SUM(IPGUM_AMT) AS INTEGER) FROM NB020MS WHERE CONT_CODE = '" + nameOnly
                     + "' AND IPGUM_DATE = '20261103'"),
              QString::number(qint64(nameAmount)));
    // The billing inquiry's table follows the receipts.
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB010DT WHERE CONT_CODE = '" + both + "' AND CONT_MONTH = '" + month + "'"),
              Scalar("SELECT CASE WHEN COUNT(*) > 0 THEN 1 ELSE 0 END FROM NB010MS WHERE CONT_CODE = '" + both
                     + "' AND NAPIP_MONTH = '" + month + "'"));

    // The unmatched deposit is a free suspense line of the suspense receipts screen.
    const QString slip = Scalar("SELECT SLIP_NO FROM VB011DT WHERE MG_DETAIL = '알수없음' AND C_AMOUNT = 12345 "
                                "AND ACCT_CODE = '2111310' AND MG_CODE = 140 AND CONF_DATE = '20261105'");
    ASSERT_FALSE(slip.isEmpty());
    auto* suspense = Open<TfrmNBS060>("NBS060");
    ASSERT_NE(suspense, nullptr);
    suspense->medSDate->SetText("20261101");
    suspense->medEDate->SetText("20261209");
    QTest::keyClick(suspense->medSDate, Qt::Key_F3);
    const int line = FindRow(suspense->rgrGrid, TfrmNBS060::colSlipNo, slip);
    ASSERT_GE(line, 0);
    EXPECT_EQ(suspense->rgrGrid->Cells(TfrmNBS060::colIpYn, line).AsString(), "");
    EXPECT_EQ(suspense->rgrGrid->Cells(5, line).AsString(), "알수없음");
    TStoredProc proc(dataModule->dbsDB);
    proc.SetProcedureName("PR_NBI010_01");
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, QString>>{
             {"AGUBUN", "I"}, {"ACONT_CODE", nameOnly}, {"AAMT_CODE", "T"}, {"ANAPIP_MONTH", month},
             {"ASLIP_CODE", slip + "01"}, {"AIPGUM_DATE", "20261105"}, {"AIPGUM_AMT", "1000"},
             {"AU_EMP_NO", "10000001"}})
        proc.ParamByName(name).SetAsString(value);
    EXPECT_NO_THROW(proc.ExecProc());
    EXPECT_NEAR(TDepositMatcher::OpenAmounts(dataModule->dbsDB, month).value(nameOnly), 0, 0.005);

    // The month's closing carries nothing for the contracts now paid in full.
    proc.SetProcedureName("PR_NDI010_01");
    for (TParam& p : proc.Params())
        p.Clear();
    proc.ParamByName("ANAPIP_MONTH").SetAsString(month);
    proc.ParamByName("AGUBUN").SetAsString("I");
    proc.ParamByName("AU_EMP_NO").SetAsString("10000001");
    ASSERT_NO_THROW(proc.ExecProc());
    for (const QString& code : {both, amountOnly, nameOnly})
        EXPECT_EQ(Scalar("SELECT CAST(SUM(THIS_MINAPAMT + THIS_MINAPDEALYAMT) AS INTEGER) FROM NB030MS WHERE "
                         "CONT_CODE = '" + code + "' AND NAPIP_MONTH = '" + month + "'"),
                  "0")
            << code.toStdString();
}

// The same statement in three banks' layouts and formats proposes alike; read
// again it books nothing, and a file overlapping it books only its new lines.
TEST_F(BankImportEndToEndTest, ThreeLayoutsAndImportsThatOverlap)
{
    std::vector<TDeposit> first;
    for (int day = 1; day <= 5; ++day)
        first.push_back({QStringLiteral("202612%1").arg(day, 2, 10, QChar('0')), "100000",
                         QStringLiteral("입금자%1").arg(day), 10001.0 + day});
    WriteXlsx(Path("a.xlsx"), first);
    WriteXls(Path("b.xls"), first);
    WriteCsv(Path("c.csv"), first);
    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    QList<QStringList> seen;
    for (const char* name : {"a.xlsx", "b.xls", "c.csv"}) {
        ASSERT_TRUE(screen->LoadFile(Path(name))) << name << MessageBoxSeam::Last().text.toStdString();
        EXPECT_EQ(screen->edtAccountNo->text(), Account) << name;
        seen << (GridColumn(screen->rgrGrid, TfrmNBI060::colDateTime) + GridColumn(screen->rgrGrid, TfrmNBI060::colDepositor)
                 + GridColumn(screen->rgrGrid, TfrmNBI060::colAmount));
    }
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_EQ(seen[0], seen[2]);
    EXPECT_EQ(seen[0].value(0), "2026-12-01 10:00:00");
    EXPECT_EQ(seen[0].value(5), "입금자1");

    ASSERT_TRUE(screen->LoadFile(Path("a.xlsx")));
    Book(screen);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    const QString booked = Dump();
    ASSERT_TRUE(screen->LoadFile(Path("b.xls")));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction), QStringList(5, "이미 처리됨"));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colContCode), QStringList(5, "")); // all went to suspense
    Book(screen);
    EXPECT_EQ(Errors(), QStringList{"처리할 입금이 없습니다."});
    EXPECT_EQ(Dump(), booked);

    // Days 3 to 8: three days overlap, and the balances run on from the first file.
    std::vector<TDeposit> second(first.begin() + 2, first.end());
    for (int day = 6; day <= 8; ++day)
        second.push_back({QStringLiteral("202612%1").arg(day, 2, 10, QChar('0')), "100000",
                          QStringLiteral("입금자%1").arg(day), 10001.0 + day});
    WriteCsv(Path("overlap.csv"), second, 1000000 + first[0].amount + first[1].amount);
    ASSERT_TRUE(screen->LoadFile(Path("overlap.csv")));
    const QStringList actions = GridColumn(screen->rgrGrid, TfrmNBI060::colAction);
    ASSERT_EQ(actions.size(), 6);
    EXPECT_EQ(actions.mid(0, 3), QStringList(3, "이미 처리됨"));
    EXPECT_FALSE(actions.mid(3).contains("이미 처리됨"));
    Book(screen);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM NB060MS"), "8");
    EXPECT_EQ(Scalar("SELECT COUNT(DISTINCT TRAN_DATE) FROM NB060MS"), "8");
}

// Every bad file gives its message and changes no table; a refusal by the
// server in the last line stores nothing of the lines before it.
TEST_F(BankImportEndToEndTest, BadInputChangesNothing)
{
    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    const QString before = Dump();
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    };
    const QByteArray titles = ToCp949("거래일시,입금액,출금액,잔액,내용\r\n");
    const std::vector<std::pair<QString, QString>> cases{
        {write("noise.xlsx", QByteArray(3000, '\x7f')), "파일을 읽지 못했습니다."},
        {write("empty.csv", QByteArray()), "빈 파일입니다."},
        {write("columns.csv", ToCp949("이름,금액\r\n가,1\r\n")), "거래일자 열과 입금액 열을 찾을 수 없습니다."},
        {write("text.csv", titles + ToCp949("2026-12-01 09:00:00,12만원,,1,가\r\n")),
         "2행: 입금액 \"12만원\"은(는) 금액이 아닙니다."},
        {write("date.csv", titles + ToCp949("2026-12-01,1000,,1,가\r\n2026-02-30 10:00,1000,,2,나\r\n")),
         "3행: 거래일자 \"2026-02-30 10:00\"은(는) 없는 날짜입니다."},
        {write("out.csv", titles + ToCp949("2026-12-01,,5000,1,가\r\n")), "입금 내역이 없습니다. 출금만 1건 있는 파일입니다."},
    };
    for (const auto& [path, message] : cases) {
        MessageBoxSeam::Reset();
        EXPECT_FALSE(screen->LoadFile(path)) << path.toStdString();
        ASSERT_EQ(Errors().size(), 1) << path.toStdString();
        EXPECT_TRUE(Errors()[0].contains(message)) << Errors()[0].toStdString();
        EXPECT_EQ(screen->rgrGrid->RowCount(), 0);
        MessageBoxSeam::Reset();
        QTest::mouseClick(screen->bbtBook, Qt::LeftButton);
        EXPECT_EQ(Errors(), QStringList{"처리할 입금이 없습니다."});
        EXPECT_EQ(Dump(), before) << path.toStdString();
    }

    const QStringList tenants = UniqueTenants();
    ASSERT_FALSE(tenants.isEmpty());
    WriteXlsx(Path("good.xlsx"), {{"20261201", "090000", Tenant(tenants[0]), 1000},
                                  {"20261202", "090000", "알수없음", 777},
                                  {"20261203", "090000", "모름", 778}});
    ASSERT_TRUE(screen->LoadFile(Path("good.xlsx")));
    MessageBoxSeam::QueueAnswer(false); // no name to remember
    screen->SetContract(2, "999999");   // a contract that does not exist
    Book(screen);
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].startsWith("자료를 저장하지 못했습니다.")) << Errors()[0].toStdString();
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction).value(0), "입금");
}

// A depositor put on a contract by hand is remembered: the next statement
// proposes that contract at once.
TEST_F(BankImportEndToEndTest, ADepositorMatchedByHandIsRememberedForTheNextFile)
{
    const QStringList tenants = UniqueTenants();
    ASSERT_FALSE(tenants.isEmpty());
    WriteXlsx(Path("nov.xlsx"), {{"20261201", "090000", "김아무개", 1000}});
    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->LoadFile(Path("nov.xlsx")));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colContCode, 0).AsString(), "");
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true);
    screen->SetContract(0, tenants[0]);
    EXPECT_TRUE(MessageBoxSeam::Last().text.startsWith("입금자명 \"김아무개\"을(를) 이 계약의 입금자명으로 기억할까요?"));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colReason, 0).AsString(), "직접 지정");
    Book(screen);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_EQ(Scalar("SELECT CONT_CODE FROM NA022MS WHERE DEPOSITOR_NAME = '김아무개'"), tenants[0]);

    WriteXlsx(Path("dec.xlsx"), {{"20261207", "090000", "김아무개", 2000}});
    ASSERT_TRUE(screen->LoadFile(Path("dec.xlsx")));
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colContCode, 0).AsString(), tenants[0]);
    const QString reason = screen->rgrGrid->Cells(TfrmNBI060::colReason, 0).AsString();
    ASSERT_TRUE(screen->LoadFile(Path("nov.xlsx"))); // the booked line names its contract
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colAction, 0).AsString(), "이미 처리됨");
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colContCode, 0).AsString(), tenants[0]);
    EXPECT_TRUE(reason == "이름 일치" || reason == "둘 다") << reason.toStdString();
}

// A layout of titles the screen does not know: the clerk names the columns,
// and the account's next file of that layout is read with them at once.
TEST_F(BankImportEndToEndTest, AMappingChosenByHandIsRememberedForTheAccount)
{
    const QByteArray file = ToCp949("Date,Memo,In,Out,Bal,Who\r\n"
                                    "2026-12-02 10:00:00,x,\"4,321\",0,\"10,000\",아무도\r\n");
    for (const char* name : {"one.csv", "two.csv"}) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    // The account another file named is not taken for a file that names none.
    WriteXlsx(Path("named.xlsx"), {{"20261202", "090000", "누구", 1}});
    ASSERT_TRUE(screen->LoadFile(Path("named.xlsx")));
    EXPECT_EQ(screen->edtAccountNo->text(), Account);
    EXPECT_FALSE(screen->LoadFile(Path("one.csv")));
    EXPECT_EQ(screen->edtAccountNo->text(), "");
    MessageBoxSeam::Reset();
    screen->edtAccountNo->setText("222-33-444444");
    EXPECT_FALSE(screen->LoadFile(Path("one.csv")));
    EXPECT_TRUE(Errors().value(0).startsWith("거래일자 열과 입금액 열을 찾을 수 없습니다."));
    auto choose = [](QComboBox* box, int column) { box->setCurrentIndex(box->findData(column)); };
    choose(screen->cmbDate, 0);
    choose(screen->cmbDeposit, 2);
    choose(screen->cmbWithdrawal, 3);
    choose(screen->cmbBalance, 4);
    choose(screen->cmbDepositor, 5);
    MessageBoxSeam::Reset();
    QTest::mouseClick(screen->bbtReread, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    ASSERT_EQ(screen->rgrGrid->RowCount(), 1);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNBI060::colDepositor, 0).AsString(), "아무도");
    Book(screen);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();

    MessageBoxSeam::Reset();
    ASSERT_TRUE(screen->LoadFile(Path("two.csv"))) << Errors().value(0).toStdString();
    EXPECT_EQ(screen->cmbDeposit->currentData().toInt(), 2);
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction), QStringList{"이미 처리됨"});
}

// More than the month has open: the rest goes to the next month when the
// clerk says so, to the suspense account when not; a closed month's deposit
// is never put on a contract.
TEST_F(BankImportEndToEndTest, WhatIsMoreThanOpenGoesToTheNextMonthOrToSuspense)
{
    const QStringList tenants = UniqueTenants();
    ASSERT_GE(tenants.size(), 2);
    const QString next = StepMonth(month, 1);
    const auto nextOpen = TDepositMatcher::OpenAmounts(dataModule->dbsDB, next);
    ASSERT_GT(nextOpen.value(tenants[0]), 1000);
    const double over = open[tenants[0]] + 1000, other = open[tenants[1]] + 500;
    const QString closed = Scalar("SELECT MAX(NAPIP_MONTH) FROM NB030MS");
    ASSERT_FALSE(closed.isEmpty());
    WriteXlsx(Path("over.xlsx"), {{"20261204", "090000", Tenant(tenants[0]), over},
                                  {closed + "20", "090000", Tenant(tenants[1]), 3000}});
    auto* screen = Open<TfrmNBI060>("NBI060");
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->LoadFile(Path("over.xlsx")));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colAction), QStringList({"입금 (초과 1,000)", "가수금"}));
    EXPECT_EQ(GridColumn(screen->rgrGrid, TfrmNBI060::colReason), QStringList({"이름 일치", "마감된 월"}));
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(true); // the rest to the next month
    QTest::mouseClick(screen->bbtBook, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_TRUE(MessageBoxSeam::Shown()[0].text.startsWith("미납금액보다 큰 입금이 1건 있습니다."));
    EXPECT_NEAR(TDepositMatcher::OpenAmounts(dataModule->dbsDB, month).value(tenants[0]), 0, 0.005);
    EXPECT_EQ(Scalar("SELECT CAST(SUM(IPGUM_AMT) AS INTEGER) FROM NB020MS WHERE CONT_CODE = '" + tenants[0]
                     + "' AND IPGUM_DATE = '" + next + "01'"),
              "1000");
    EXPECT_EQ(Scalar("SELECT CAST(C_AMOUNT AS INTEGER) FROM VB011DT WHERE SLIP_NO LIKE 'B%' AND CONF_DATE = '"
                     + closed + "20'"),
              "3000");

    // Declined: the rest waits on the suspense account.
    WriteXlsx(Path("over2.xlsx"), {{"20261205", "090000", Tenant(tenants[1]), other}});
    ASSERT_TRUE(screen->LoadFile(Path("over2.xlsx")));
    MessageBoxSeam::Reset();
    MessageBoxSeam::QueueAnswer(false);
    QTest::mouseClick(screen->bbtBook, Qt::LeftButton);
    ASSERT_TRUE(Errors().isEmpty()) << Errors()[0].toStdString();
    EXPECT_NEAR(TDepositMatcher::OpenAmounts(dataModule->dbsDB, month).value(tenants[1]), 0, 0.005);
    EXPECT_EQ(Scalar("SELECT CAST(C_AMOUNT AS INTEGER) FROM VB011DT WHERE SLIP_NO LIKE 'B%' AND "
                     "CONF_DATE = '20261205'"),
              "500");
}
