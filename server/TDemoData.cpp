#include "server/TDemoData.h"

#include <QDateTime>
#include <QHash>
#include <QVariantMap>
#include <array>
#include <QStringList>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "server/TBillingSummary.h"
#include "server/TMenuData.h"
#include "server/TReceiptSpread.h"
#include "server/TSchema.h"
#include "server/TServerSql.h"
#include "server/TScheduleBuilder.h"
#include "server/TServerInput.h"

const QString TDemoData::DatabaseUser = QStringLiteral("SELVAR");

namespace {
const char* const kItems[] = {"스키렌탈", "편의점", "커피전문점", "베이커리", "기념품점", "한식당",
                              "분식점", "치킨호프", "스포츠용품", "약국", "사진관", "PC방",
                              "노래연습장", "꽃집", "안경점", "아웃도어", "골프용품", "수영용품",
                              "아이스크림", "피자전문점"};
const char* const kArcades[] = {"본관", "신관", "콘도", "스키하우스", "클럽하우스", "워터파크"};
const char* const kSurnames[] = {"김", "이", "박", "최", "정", "강", "조", "윤", "장", "임",
                                 "한", "오", "서", "신", "권", "황", "안", "송", "류", "홍"};
const char* const kGiven[] = {"민준", "서연", "도윤", "지우", "하준", "서윤", "지호", "예은",
                              "준서", "수빈", "현우", "지민", "성민", "영희", "상훈", "정숙",
                              "동현", "은정", "태호", "미경", "재원", "보람", "승철", "혜진"};
const char* const kFirms[] = {"한빛", "대성", "푸른솔", "청송", "미래", "하늘", "동해", "설악",
                              "백두", "금강", "새봄", "은하", "나래", "다온", "가람", "누리"};
const char* const kFirmKinds[] = {"상사", "유통", "식품", "레저", "스포츠", "아트", "커피", "F&B"};
const char* const kPermits[] = {"일반음식점", "휴게음식점", "소매업", "서비스업"};

template <std::size_t N>
QString From(const char* const (&list)[N], int index)
{
    return QString::fromUtf8(list[static_cast<std::size_t>(index) % N]);
}

QString Month(const QDate& d) { return d.toString(QStringLiteral("yyyyMM")); }
QString Day(const QDate& d) { return TServerInput::FromDate(d); }
double Round(double amount, double unit) { return std::floor(amount / unit) * unit; }

enum Payer { GoodPayer, LatePayer, BadPayer };

class Generator
{
public:
    explicit Generator(const TDemoData::Options& o) : m_o(o), m_rng(o.seed) {}

    TDemoData::Model Run()
    {
        m_currentMonth = Month(m_o.today);
        m_model.firstMonth = TServerInput::MonthAfter(m_currentMonth, -m_o.historyMonths);
        // Last month stays open, to be closed in the first days of this one.
        m_model.lastClosedMonth = TServerInput::MonthAfter(m_currentMonth, -2);
        MakeSites();
        MakePartners();
        MakeContracts();
        MakeSchedules();
        for (QString m = m_model.firstMonth; m <= m_model.lastClosedMonth; m = TServerInput::MonthAfter(m, 1))
            CloseMonth(m);
        PayMonth(TServerInput::MonthAfter(m_currentMonth, -1), Day(m_o.today), false);
        PayMonth(m_currentMonth, Day(m_o.today), true);
        MakeVouchers();
        return std::move(m_model);
    }

private:
    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(m_rng.bounded(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    static QString SiteCode(int i)
    {
        return i < 999 ? QString::number(4001 + i) : QStringLiteral("4%1").arg(i + 1, 5, 10, QLatin1Char('0'));
    }

    void MakeSites()
    {
        const int count = std::max(40, m_o.contracts / 2);
        for (int i = 0; i < count; ++i) {
            const int slot = i % 40;
            const QString item = From(kItems, i);
            const QString arcade = From(kArcades, i / 7);
            TDemoData::Site site{SiteCode(i), arcade + QLatin1Char(' ') + item, "Y", "N", "Y"};
            if (i >= 20)
                site.name += QStringLiteral(" %1호점").arg(i / 20 + 1);
            if (slot == 35 || slot == 36)
                site.useYn = "N";
            if (slot >= 37)
                site.directYn = "Y";
            m_model.sites.push_back(site);
            if (slot >= 32 && slot <= 34)
                continue; // taken over from the site master later: the new-site list
            TDemoData::Shop shop;
            shop.code = site.code;
            shop.name = site.name;
            shop.place = QStringLiteral("%1").arg(i / 7 % 6 + 1, 2, 10, QLatin1Char('0'));
            shop.position = arcade + QStringLiteral(" %1층 %2호").arg(i % 3 + 1).arg(101 + i % 20);
            shop.leaseType = site.directYn == "Y" ? "03" : (i % 7 == 3 ? "02" : "01");
            shop.item = item;
            shop.usedYn = "N";
            shop.directYn = site.directYn;
            shop.phone = QStringLiteral("7%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
            if (slot < 32 && site.useYn == "Y")
                m_leasable.push_back(static_cast<int>(m_model.shops.size()));
            m_model.shops.push_back(shop);
        }
        m_model.sites.push_back({"1001", "본관 프런트", "Y", "Y", "N"});
        m_model.sites.push_back({"2001", "골프장 그늘집", "Y", "Y", "N"});
        m_model.sites.push_back({"3001", "콘도 연회장", "Y", "Y", "N"});
    }

    void MakePartners()
    {
        const int count = std::max(60, m_o.contracts * 3 / 4);
        for (int i = 0; i < count; ++i) {
            TDemoData::Partner p;
            p.code = QStringLiteral("20%1").arg(i + 1, 8, 10, QLatin1Char('0'));
            const QString firm = From(kFirms, i) + From(kFirmKinds, i / 16 + i);
            p.name = i % 3 == 0 ? QStringLiteral("(주)") + firm : firm;
            if (i >= 128)
                p.name += QStringLiteral(" %1").arg(i / 128 + 1);
            p.boss = From(kSurnames, i * 7) + From(kGiven, i * 5 + i / 20);
            p.useYn = i % 20 == 19 ? "N" : "Y";
            p.repPhone = QStringLiteral("033-%1-%2").arg(330 + i % 60).arg(1000 + i * 37 % 9000);
            p.mobile = QStringLiteral("010-%1-%2").arg(2000 + i * 53 % 8000).arg(1000 + i * 91 % 9000);
            m_model.partners.push_back(p);
            if (p.useYn == "Y")
                m_usablePartners.push_back(i);
        }
    }

    void MakeContracts()
    {
        const int shops = static_cast<int>(m_leasable.size());
        std::vector<TDemoData::Contract> all;
        for (int s = 0; s < shops; ++s) {
            const int count = m_o.contracts / shops + (s < m_o.contracts % shops ? 1 : 0);
            MakeChain(m_model.shops[m_leasable[s]], s, count, all);
        }
        std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
            return a.startDate != b.startDate ? a.startDate < b.startDate : a.shopCode < b.shopCode;
        });
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i].code = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
        m_model.contracts = std::move(all);
        for (const auto& c : m_model.contracts) {
            m_payer[c.code] = Chance(70) ? GoodPayer : (Chance(66) ? LatePayer : BadPayer);
            if (c.minapChk == "Y")
                m_arrears.insert(c.code);
        }
    }

    void MakeChain(TDemoData::Shop& shop, int s, int count, std::vector<TDemoData::Contract>& out)
    {
        const QDate today = m_o.today;
        QDate nextStart;
        for (int k = 0; k < count; ++k) {
            const int months = Chance(60) ? 12 : 24;
            QDate start, end;
            if (k == 0 && s % 9 == 4) { // idle shop: its last lease ended a few months ago
                end = today.addDays(-(30 + Pick(150)));
                start = end.addDays(1).addMonths(-months);
            } else if (k == 0) {
                start = QDate(today.year(), today.month(), 1 + Pick(28)).addMonths(-Pick(months));
                end = start.addMonths(months).addDays(-1);
                if (end < today)
                    end = end.addMonths(12);
            } else {
                end = nextStart.addDays(-1);
                start = end.addDays(1).addMonths(-months);
            }
            TDemoData::Contract c = Terms(shop, start, end);
            const bool terminate = (k > 0 && Chance(20)) || (k == 0 && s % 9 != 4 && Chance(8));
            if (terminate) {
                const QDate cancel = k == 0 ? today.addDays(-(10 + Pick(80)))
                                            : start.addDays(60 + Pick(std::max(1, static_cast<int>(start.daysTo(end)) - 90)));
                if (cancel > start.addDays(30) && cancel < end) {
                    c.cancelDate = Day(cancel);
                    c.cancelRemark = QStringLiteral("임차인 사정에 의한 중도 해지");
                    c.minapChk = Chance(50) ? "N" : "Y";
                }
            }
            if (k == 0 && c.cancelDate.isEmpty() && c.endDate >= Day(today))
                shop.usedYn = "Y";
            nextStart = start;
            out.push_back(c);
        }
    }

    TDemoData::Contract Terms(const TDemoData::Shop& shop, const QDate& start, const QDate& end)
    {
        TDemoData::Contract c;
        const auto& partner = m_model.partners[m_usablePartners[Pick(static_cast<int>(m_usablePartners.size()))]];
        c.cCode = partner.code;
        c.shopCode = shop.code;
        c.startDate = Day(start);
        c.endDate = Day(end);
        c.deposit = (5 + Pick(46)) * 1'000'000.0;
        c.rent = (30 + Pick(271)) * 10'000.0;
        c.fee = (5 + Pick(46)) * 10'000.0;
        c.penalty = c.rent * 3;
        static const double rates[] = {12, 15, 18, 24};
        c.delayRate = rates[Pick(4)];
        c.shopType = shop.item;
        c.size1 = QStringLiteral("%1.%2").arg(20 + Pick(80)).arg(Pick(100), 2, 10, QLatin1Char('0'));
        c.size2 = c.size1;
        c.permit = From(kPermits, Pick(4));
        c.permitNo = QStringLiteral("제%1-%2호").arg(start.year()).arg(100 + Pick(900));
        c.permitDate = Day(start.addDays(-(7 + Pick(20))));
        c.contDate = Day(start.addMonths(-1));
        c.balanceDate = c.startDate;
        c.firstDeposit = c.deposit * 0.1;
        c.lastDeposit = c.deposit - c.firstDeposit;
        c.minapChk = "Y";
        c.upjangName = partner.name.left(8) + QLatin1Char(' ') + shop.item;
        c.upjangName = c.upjangName.left(20);
        c.manageYn = Chance(90) ? "Y" : "N";
        return c;
    }

    void MakeSchedules()
    {
        const QString currentMonth = m_currentMonth;
        for (const auto& c : m_model.contracts) {
            TScheduleBuilder::Terms t{c.startDate, c.endDate, c.contDate, c.balanceDate,
                                      c.deposit, c.firstDeposit, c.lastDeposit, c.rent, c.fee,
                                      c.delayRate};
            const QString lastMonth = c.cancelDate.isEmpty() ? QString("999999") : c.cancelDate.left(6);
            for (const auto& l : TScheduleBuilder::Lines(t)) {
                if (l.month < m_model.firstMonth || l.month > lastMonth)
                    continue;
                TMonthClosing::ScheduleLine line{c.code, l.amtCode, l.month, l.dueDate, l.amount, l.delayRate};
                if (l.amtCode == "03" && l.month <= currentMonth)
                    line.amount = Bill(line);
                m_byMonth[line.month].push_back(m_model.lines.size());
                m_model.lines.push_back(line);
            }
        }
    }

    // A management-fee bill around the contract's fee; the bill sets the line's amount.
    double Bill(const TMonthClosing::ScheduleLine& line)
    {
        TDemoData::Bill b;
        b.contCode = line.contCode;
        b.month = line.month;
        b.demandDate = line.month + QStringLiteral("01");
        b.total = Round(line.amount * (80 + Pick(41)) / 100.0, 10);
        b.price = std::round(b.total / 1.1);
        b.tax = b.total - b.price;
        b.elec = Round(b.total * 0.4, 10);
        b.gas = Round(b.total * 0.1, 10);
        b.cont = Round(b.total * 0.2, 10);
        b.envi = Round(b.total * 0.1, 10);
        b.water = Round(b.total * 0.1, 10);
        b.tele = b.total - b.elec - b.gas - b.cont - b.envi - b.water;
        m_model.bills.push_back(b);
        return b.total;
    }

    QString ClosingDate(const QString& month) const
    {
        const QDate fifth = TServerInput::ToDate(TServerInput::MonthAfter(month, 1) + QStringLiteral("05"));
        return Day(std::min(fifth, m_o.today));
    }

    // Books what a tenant pays against one line: one receipt of kind "1"; the
    // closing takes the late fee out of it.
    void Pay(const TMonthClosing::Row& open, const QString& date)
    {
        const double owed = open.lastDelay + open.billed + open.lastUnpaid;
        double amount = owed;
        if (open.amtCode != "01" && m_payer.value(open.contCode) == BadPayer) {
            const int roll = Pick(10);
            amount = roll < 4 ? 0 : roll < 8 ? Round(owed / 2, 10'000) : owed;
        }
        if (amount <= 0)
            return;
        TDemoData::Receipt r;
        r.contCode = open.contCode;
        r.amtCode = open.amtCode;
        r.month = open.month;
        r.napipDate = open.napipDate;
        r.gubun = QStringLiteral("1");
        r.ipgumDate = date;
        r.amount = amount;
        r.seq = ++m_seq[open.contCode + date];
        m_model.receipts.push_back(r);
    }

    // A receipt is dated in the month it pays: the receipts screen counts it there.
    QString PayDate(const TMonthClosing::Row& open, const QString& latest)
    {
        const Payer payer = open.amtCode == "01" ? GoodPayer : m_payer.value(open.contCode);
        const int late = payer == GoodPayer ? Pick(6) : 5 + Pick(26);
        const QDate due = TServerInput::ToDate(open.napipDate);
        const QString date = Day(std::min(due.addDays(late), QDate(due.year(), due.month(), due.daysInMonth())));
        return std::min(date, latest);
    }

    std::vector<TMonthClosing::ScheduleLine> MonthLines(const QString& month)
    {
        // Balances carried without a line this month get one of amount 0, as the server does.
        std::vector<TMonthClosing::ScheduleLine> lines;
        for (std::size_t i : m_byMonth.value(month))
            lines.push_back(m_model.lines[i]);
        for (const auto& line : TMonthClosing::ArrearsLines(month, lines, m_previous, m_arrears)) {
            m_byMonth[month].push_back(m_model.lines.size());
            m_model.lines.push_back(line);
            lines.push_back(line);
        }
        return lines;
    }

    // Pays the month's lines; the receipts it added.
    std::vector<TMonthClosing::Receipt> PayMonth(const QString& month, const QString& latest, bool onlyGoodAndDue)
    {
        const auto lines = MonthLines(month);
        const std::size_t firstReceipt = m_model.receipts.size();
        // What is open before any receipt: a closing without receipts.
        for (const auto& row : TMonthClosing::Close(month, lines, m_previous, {}, TMonthClosing::spAsBooked)) {
            if (row.billed + row.lastUnpaid + row.lastDelay <= 0)
                continue;
            if (onlyGoodAndDue && (row.napipDate >= latest || m_payer.value(row.contCode) != GoodPayer))
                continue;
            Pay(row, PayDate(row, latest));
        }
        std::vector<TMonthClosing::Receipt> receipts;
        for (std::size_t i = firstReceipt; i < m_model.receipts.size(); ++i) {
            const auto& r = m_model.receipts[i];
            receipts.push_back({r.contCode, r.amtCode, r.month, r.napipDate, r.gubun, r.ipgumDate, r.amount});
        }
        return receipts;
    }

    void CloseMonth(const QString& month)
    {
        const QString closingDate = ClosingDate(month);
        const auto receipts = PayMonth(month, closingDate, false);
        m_previous = TMonthClosing::Close(month, MonthLines(month), m_previous, receipts,
                                          TMonthClosing::SplitFor(month, m_currentMonth));
        for (const auto& row : m_previous)
            m_model.closings.push_back({row, closingDate});
    }

    void MakeVouchers()
    {
        const QString from = TServerInput::MonthAfter(m_currentMonth, -2);
        QHash<QString, int> slipsPerDay;
        auto slipNo = [&](const QString& date) {
            return date.mid(2, 6) + QStringLiteral("%1").arg(++slipsPerDay[date], 2, 10, QLatin1Char('0'));
        };
        auto add = [&](const QString& date, const QString& acct, int mg, double credit,
                       const QString& payer, const QString& ref) {
            TDemoData::Voucher v{slipNo(date), "01", date.left(4), acct, date, payer, ref, mg, 0, credit};
            m_model.vouchers.push_back(v);
            return v.slipNo + v.seqNo;
        };
        QHash<QString, QString> bossOf;
        for (const auto& c : m_model.contracts)
            for (const auto& p : m_model.partners)
                if (p.code == c.cCode)
                    bossOf[c.code] = p.boss;
        // Some bookings of recent months came in through the suspense account: the
        // voucher carries the booking's total, its reference the booking's first line.
        QHash<QString, std::vector<std::size_t>> bookings;
        QStringList order;
        for (std::size_t i = 0; i < m_model.receipts.size(); ++i) {
            const auto& r = m_model.receipts[i];
            if (r.ipgumDate.left(6) < from || r.amtCode == "01")
                continue;
            const QString key = r.contCode + r.ipgumDate + QString::number(r.seq);
            if (!bookings.contains(key))
                order << key;
            bookings[key].push_back(i);
        }
        for (const QString& key : order) {
            if (Pick(100) >= 12)
                continue;
            double total = 0;
            for (std::size_t i : bookings[key])
                total += m_model.receipts[i].amount;
            auto& first = m_model.receipts[bookings[key].front()];
            first.slipCode = add(first.ipgumDate, "2111310", 140, total, bossOf.value(first.contCode),
                                 QStringLiteral("임대료 가수금 입금"));
        }
        for (int i = 0; i < 18; ++i) { // not yet assigned to any contract
            const QDate day = TServerInput::ToDate(from + "01").addDays(Pick(std::max(1, static_cast<int>(TServerInput::ToDate(from + "01").daysTo(m_o.today)))));
            add(Day(day), "2111310", 140, (10 + Pick(200)) * 10'000.0,
                From(kSurnames, Pick(20)) + From(kGiven, Pick(24)), QStringLiteral("보통예금 가수금"));
        }
        add(Day(m_o.today.addDays(-3)), "2111310", 150, 330'000, "홍길동", QStringLiteral("기타 가수금"));
        add(Day(m_o.today.addDays(-4)), "1110100", 140, 550'000, "김영수", QStringLiteral("보통예금 입금"));
        // The suspense account changed on 24 May 2018.
        add("20180521", "2111300", 140, 1'200'000, "이상훈", QStringLiteral("임대료 가수금"));
        add("20180523", "2111300", 140, 800'000, "박정숙", QStringLiteral("관리비 가수금"));
        add("20180523", "2111310", 140, 700'000, "최동현", QStringLiteral("관리비 가수금"));
        add("20180524", "2111310", 140, 950'000, "정은정", QStringLiteral("임대료 가수금"));
        add("20180524", "2111300", 140, 640'000, "강태호", QStringLiteral("임대료 가수금"));
        add("20180525", "2111310", 140, 410'000, "윤미경", QStringLiteral("관리비 가수금"));
    }

    TDemoData::Options m_o;
    QRandomGenerator m_rng;
    TDemoData::Model m_model;
    QString m_currentMonth;
    std::vector<int> m_leasable;
    std::vector<int> m_usablePartners;
    QHash<QString, Payer> m_payer;
    QSet<QString> m_arrears;
    QHash<QString, std::vector<std::size_t>> m_byMonth;
    std::vector<TMonthClosing::Row> m_previous;
    QHash<QString, int> m_seq;
};
} // namespace

TDemoData::Model TDemoData::Build(const Options& options)
{
    return Generator(options).Run();
}

namespace {
// Writes the model with one prepared statement per table.
class Writer
{
public:
    Writer(TDatabase& db, const TDemoData::Model& m) : m_sql(db), m_m(m)
    {
        m_audit = {{"U_EMP_NO", TMenuData::AdministratorEmpNo}, {"U_IP", QStringLiteral("127.0.0.1")},
                   {"U_SYS_DATE", QDateTime::currentDateTime()}};
    }

    void Run()
    {
        Sites();
        Partners();
        Contracts();
        Schedule();
        Receipts();
        Closings();
        Vouchers();
    }

private:
    QVariantMap Audited(QVariantMap binds) const
    {
        binds.insert(m_audit);
        return binds;
    }

    void Sites()
    {
        for (const auto& s : m_m.sites)
            m_sql.Exec("INSERT INTO JA010MS (UPJANG_CODE, UPJANG_NAME, USE_YN, DIRECT_MANAGE_YN, ETC_FLAG) "
                       "VALUES (:CODE, :NAME, :USE_YN, :DIRECT, :ETC)",
                       {{"CODE", s.code}, {"NAME", s.name}, {"USE_YN", s.useYn}, {"DIRECT", s.directYn},
                        {"ETC", s.etcFlag}});
        for (const auto& s : m_m.shops)
            m_sql.Exec("INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_PLACE, SHOP_POSITION, SHOP_LEASE_TYPE, "
                       "SHOP_ITEM, SHOP_USED_YN, SHOP_DIRECT_YN, SHOP_PHONE, SHOP_REMARK, U_EMP_NO, U_IP, "
                       "U_SYS_DATE) VALUES (:CODE, :NAME, :PLACE, :POSITION, :LEASE_TYPE, :ITEM, :USED, "
                       ":DIRECT, :PHONE, :REMARK, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CODE", s.code}, {"NAME", s.name}, {"PLACE", s.place},
                                {"POSITION", s.position}, {"LEASE_TYPE", s.leaseType}, {"ITEM", s.item},
                                {"USED", s.usedYn}, {"DIRECT", s.directYn}, {"PHONE", s.phone},
                                {"REMARK", s.remark}}));
    }

    void Partners()
    {
        for (const auto& p : m_m.partners)
            m_sql.Exec("INSERT INTO VA050MS (C_CODE, C_NAME, BOSS_NAME, REP_PHONE, MOBILE_NO, USE_YN) "
                       "VALUES (:C_CODE, :C_NAME, :BOSS_NAME, :REP_PHONE, :MOBILE_NO, :USE_YN)",
                       {{"C_CODE", p.code}, {"C_NAME", p.name}, {"BOSS_NAME", p.boss},
                        {"REP_PHONE", p.repPhone}, {"MOBILE_NO", p.mobile}, {"USE_YN", p.useYn}});
    }

    void Contracts()
    {
        for (const auto& c : m_m.contracts)
            m_sql.Exec(
                "INSERT INTO NA020MS (CONT_CODE, C_CODE, SHOP_CODE, CONT_START_DATE, CONT_END_DATE, "
                "CONT_CANCEL_DATE, CONT_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_SHOP_TYPE, "
                "CONT_PENALTY, CONT_DELAYRATE, CONT_SIZE1, CONT_SIZE2, CONT_PERMIT, CONT_NO, PERMIT_DATE, "
                "CONT_REMARK, CONT_CANCEL_REM, CONT_DATE, BALANCE_DATE, FIRST_DEPOSIT, LAST_DEPOSIT, "
                "MINAP_CHK, CONT_UPJANGNAME, MANAGE_YN, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CODE, :C_CODE, "
                ":SHOP, :START, :END_DATE, :CANCEL, :DEPOSIT, :RENT, :FEE, :SHOP_TYPE, :PENALTY, :RATE, "
                ":SIZE1, :SIZE2, :PERMIT, :PERMIT_NO, :PERMIT_DATE, :REMARK, :CANCEL_REM, :CONT_DATE, "
                ":BALANCE_DATE, :FIRST, :LAST, :MINAP, :UPJANG, :MANAGE, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                Audited({{"CODE", c.code}, {"C_CODE", c.cCode}, {"SHOP", c.shopCode},
                         {"START", c.startDate}, {"END_DATE", c.endDate}, {"CANCEL", c.cancelDate},
                         {"DEPOSIT", c.deposit}, {"RENT", c.rent}, {"FEE", c.fee},
                         {"SHOP_TYPE", c.shopType}, {"PENALTY", c.penalty}, {"RATE", c.delayRate},
                         {"SIZE1", c.size1.toDouble()}, {"SIZE2", c.size2.toDouble()},
                         {"PERMIT", c.permit}, {"PERMIT_NO", c.permitNo}, {"PERMIT_DATE", c.permitDate},
                         {"REMARK", c.remark}, {"CANCEL_REM", c.cancelRemark}, {"CONT_DATE", c.contDate},
                         {"BALANCE_DATE", c.balanceDate}, {"FIRST", c.firstDeposit},
                         {"LAST", c.lastDeposit}, {"MINAP", c.minapChk}, {"UPJANG", c.upjangName},
                         {"MANAGE", c.manageYn}}));
    }

    void Schedule()
    {
        QHash<QString, std::vector<TMonthClosing::ScheduleLine>> byContractMonth;
        QStringList order;
        for (const auto& l : m_m.lines) {
            m_sql.Exec("INSERT INTO NB010MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, DELAY_RATE, "
                       "U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT, :AMT, :MONTH, :DUE, :AMOUNT, :RATE, "
                       ":U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", l.contCode}, {"AMT", l.amtCode}, {"MONTH", l.month},
                                {"DUE", l.dueDate}, {"AMOUNT", l.amount}, {"RATE", l.delayRate}}));
            const QString key = l.contCode + l.month;
            if (!byContractMonth.contains(key))
                order << key;
            byContractMonth[key].push_back(l);
        }
        QHash<QString, const TDemoData::Bill*> bills;
        for (const auto& b : m_m.bills) {
            bills.insert(b.contCode + b.month, &b);
            const auto& lines = byContractMonth[b.contCode + b.month];
            const auto fee = std::find_if(lines.begin(), lines.end(), [](const auto& l) { return l.amtCode == "03"; });
            m_sql.Exec("INSERT INTO NB020DT (CONT_CODE, CONT_MONTH, DEMAND_DATE, NAPIP_DATE, TOT_MONEY, SUP_PRICE, "
                       "SUP_TAX, SUP_ELEC, SUP_GAS, SUP_CONT, SUP_ENVI, SUP_WATER, SUP_TELE, SUP_WARE_RANT, "
                       "SUP_WARE_ELEC, SUP_WARE_MANT, SUP_REMARK, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT, "
                       ":MONTH, :DEMAND, :DUE, :TOTAL, :PRICE, :TAX, :ELEC, :GAS, :COOL, :ENVI, :WATER, :TELE, "
                       "0, 0, 0, :REMARK, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", b.contCode}, {"MONTH", b.month}, {"DEMAND", b.demandDate},
                                {"DUE", fee == lines.end() ? QString() : fee->dueDate}, {"TOTAL", b.total},
                                {"PRICE", b.price}, {"TAX", b.tax}, {"ELEC", b.elec}, {"GAS", b.gas},
                                {"COOL", b.cont}, {"ENVI", b.envi}, {"WATER", b.water}, {"TELE", b.tele},
                                {"REMARK", b.remark}}));
        }
        for (const QString& key : order) {
            const auto& lines = byContractMonth[key];
            const TDemoData::Bill* bill = bills.value(key, nullptr);
            const auto row = bill ? TBillingSummary::Of(lines.front().contCode, lines.front().month, lines,
                                                        bill->demandDate, bill->total)
                                  : TBillingSummary::Of(lines.front().contCode, lines.front().month, lines);
            m_sql.Exec("INSERT INTO NB010DT (CONT_CODE, CONT_MONTH, DEMAND_DATE1, DEMAND_MONEY1, DEMAND_DATE2, "
                       "DEMAND_MONEY2, DEMAND_DATE3, DEMAND_MONEY3, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT, "
                       ":MONTH, :D1, :M1, :D2, :M2, :D3, :M3, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", row.contCode}, {"MONTH", row.month}, {"D1", row.demandDate[0]},
                                {"M1", row.demandMoney[0]}, {"D2", row.demandDate[1]},
                                {"M2", row.demandMoney[1]}, {"D3", row.demandDate[2]},
                                {"M3", row.demandMoney[2]}}));
        }
    }

    void Receipts()
    {
        QHash<QString, QString> dueDates;
        for (const auto& l : m_m.lines)
            dueDates.insert(l.contCode + l.amtCode + l.month, l.dueDate);
        for (const auto& r : m_m.receipts)
            m_sql.Exec("INSERT INTO NB020MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_GUBUN, IPGUM_DATE, "
                       "IPGUM_SEQ, IPGUM_AMT, SLIP_CODE, REMARKS, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT, :AMT, "
                       ":MONTH, :DUE, :GUBUN, :DATE, :SEQ, :AMOUNT, :SLIP, :REMARKS, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", r.contCode}, {"AMT", r.amtCode}, {"MONTH", r.month},
                                {"DUE", r.napipDate}, {"GUBUN", r.gubun}, {"DATE", r.ipgumDate},
                                {"SEQ", r.seq}, {"AMOUNT", r.amount}, {"SLIP", r.slipCode},
                                {"REMARKS", r.remarks}}));
    }

    void Closings()
    {
        QHash<QString, QString> lastMonth;
        for (const auto& c : m_m.closings) {
            const auto& r = c.row;
            m_sql.Exec("INSERT INTO NB030MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, LAST_MINAPAMT, "
                       "LAST_DELAYAMT, NEXT_DATE, NAPIP_AMT, IPGUM_AMT, IPGUM_DELAYAMT, THIS_MINAPAMT, "
                       "THIS_MINAPDEALYAMT, THIS_MONTHDELAYAMT, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT, :AMT, "
                       ":MONTH, :DUE, :LAST_UNPAID, :LAST_DELAY, :NEXT_DATE, :BILLED, :PAID, :PAID_DELAY, "
                       ":UNPAID, :DELAY, 0, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", r.contCode}, {"AMT", r.amtCode}, {"MONTH", r.month},
                                {"DUE", r.napipDate}, {"LAST_UNPAID", r.lastUnpaid}, {"LAST_DELAY", r.lastDelay},
                                {"NEXT_DATE", c.closingDate}, {"BILLED", r.billed}, {"PAID", r.paidAmount},
                                {"PAID_DELAY", r.paidDelay}, {"UNPAID", r.carriedUnpaid},
                                {"DELAY", r.carriedDelay}}));
            lastMonth[r.contCode] = std::max(lastMonth.value(r.contCode), r.month);
        }
        QHash<QString, std::array<double, 3>> arrears;
        for (const auto& c : m_m.contracts)
            arrears.insert(c.code, {0, 0, 0});
        for (const auto& c : m_m.closings) {
            const int kind = c.row.amtCode.toInt() - 1;
            if (c.row.month == lastMonth.value(c.row.contCode) && kind >= 0 && kind < 3)
                arrears[c.row.contCode][kind] += TBillingSummary::Uncollected(c.row.carriedUnpaid, c.row.carriedDelay);
        }
        for (const auto& c : m_m.contracts) {
            const auto& a = arrears[c.code];
            m_sql.Exec("INSERT INTO NC010MS (CONT_CODE, UNCOL_AMT1, UNCOL_AMT2, UNCOL_AMT3, U_EMP_NO, U_IP, "
                       "U_SYS_DATE) VALUES (:CONT, :A1, :A2, :A3, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                       Audited({{"CONT", c.code}, {"A1", a[0]}, {"A2", a[1]}, {"A3", a[2]}}));
        }
    }

    void Vouchers()
    {
        for (const auto& v : m_m.vouchers) {
            m_sql.Exec("INSERT INTO VB011MS (SESSION_ID, SLIP_NO, SLIP_SEQ_NO, REF_DATA) "
                       "VALUES (:SESSION_ID, :SLIP_NO, :SEQ, :REF)",
                       {{"SESSION_ID", v.sessionId}, {"SLIP_NO", v.slipNo}, {"SEQ", v.seqNo}, {"REF", v.refData}});
            m_sql.Exec("INSERT INTO VB011DT (SESSION_ID, SLIP_NO, SLIP_SEQ_NO, ACCT_CODE, MG_CODE, MG_DETAIL, "
                       "CONF_DATE, D_AMOUNT, C_AMOUNT) VALUES (:SESSION_ID, :SLIP_NO, :SEQ, :ACCT, :MG, :PAYER, "
                       ":CONF_DATE, :DEBIT, :CREDIT)",
                       {{"SESSION_ID", v.sessionId}, {"SLIP_NO", v.slipNo}, {"SEQ", v.seqNo},
                        {"ACCT", v.acctCode}, {"MG", v.mgCode}, {"PAYER", v.payer},
                        {"CONF_DATE", v.confDate}, {"DEBIT", v.debit}, {"CREDIT", v.credit}});
        }
    }

    TServerSql m_sql;
    const TDemoData::Model& m_m;
    QVariantMap m_audit;
};
} // namespace

void TDemoData::Fill(TDatabase& db)
{
    Fill(db, Options());
}

void TDemoData::Fill(TDatabase& db, const Options& options)
{
    TSchema::Upgrade(db);
    const Model model = Build(options);
    const bool own = !db.InTransaction();
    if (own)
        db.StartTransaction();
    try {
        TMenuData::Fill(db, options.databaseUser);
        Writer(db, model).Run();
        if (own)
            db.Commit();
    } catch (...) {
        if (own)
            db.Rollback();
        throw;
    }
}
