#include "server/TLeaseStore.h"

#include <QDateTime>
#include <algorithm>

#include "server/TBillingSummary.h"
#include "server/TServerInput.h"

namespace {
double Num(const QVariant& v)
{
    return v.isValid() && !v.isNull() ? v.toDouble() : 0.0;
}

QString Text(const QVariant& v)
{
    return v.isValid() && !v.isNull() ? v.toString() : QString();
}

TMonthClosing::ScheduleLine LineOf(const QVariantMap& r)
{
    return {Text(r["CONT_CODE"]), Text(r["AMT_CODE"]), Text(r["NAPIP_MONTH"]),
            Text(r["NAPIP_DATE"]), Num(r["NAPIP_AMT"]), Num(r["DELAY_RATE"])};
}
} // namespace

TLeaseStore::TLeaseStore(TDatabase& db, const QString& empNo, const QString& ip)
    : m_sql(db), m_empNo(empNo), m_ip(ip)
{
}

QVariantMap TLeaseStore::Audit(QVariantMap binds) const
{
    binds.insert("U_EMP_NO", m_empNo);
    binds.insert("U_IP", m_ip);
    binds.insert("U_SYS_DATE", QDateTime::currentDateTime());
    return binds;
}

TScheduleBuilder::Terms TLeaseStore::Contract::Terms() const
{
    return {termStart, endDate, contDate, balanceDate, deposit, firstDeposit, lastDeposit,
            rent, fee, delayRate};
}

namespace {
// A renewed term owes only what it added to the deposit held.
TScheduleBuilder::Terms AddedDepositOnly(TScheduleBuilder::Terms t)
{
    t.deposit = t.firstDeposit;
    t.firstDeposit = t.lastDeposit = 0;
    t.contDate.clear();
    return t;
}
} // namespace

std::vector<TScheduleBuilder::Terms> TLeaseStore::AllTerms(const Contract& c)
{
    std::vector<TScheduleBuilder::Terms> terms;
    for (const auto& r : m_sql.Rows("SELECT TERM_START_DATE, TERM_END_DATE, CONT_DATE, BALANCE_DATE, CONT_DEPOSIT, "
                                    "FIRST_DEPOSIT, LAST_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE "
                                    "FROM NA021MS WHERE CONT_CODE = :CONT_CODE ORDER BY TERM_SEQ",
                                    {{"CONT_CODE", c.code}})) {
        TScheduleBuilder::Terms t{Text(r["TERM_START_DATE"]), Text(r["TERM_END_DATE"]), Text(r["CONT_DATE"]),
                                  Text(r["BALANCE_DATE"]),    Num(r["CONT_DEPOSIT"]),   Num(r["FIRST_DEPOSIT"]),
                                  Num(r["LAST_DEPOSIT"]),     Num(r["CONT_LEASE_MONEY"]),
                                  Num(r["CONT_MANAGE_PAY"]),  Num(r["CONT_DELAYRATE"])};
        terms.push_back(terms.empty() ? t : AddedDepositOnly(t));
    }
    terms.push_back(terms.empty() ? c.Terms() : AddedDepositOnly(c.Terms()));
    return terms;
}

void TLeaseStore::KeepTerm(const Contract& c, const QString& endDate)
{
    const int seq = static_cast<int>(
        Num(m_sql.Value("SELECT MAX(TERM_SEQ) FROM NA021MS WHERE CONT_CODE = :CONT_CODE", {{"CONT_CODE", c.code}})));
    m_sql.Exec("INSERT INTO NA021MS (CONT_CODE, TERM_SEQ, TERM_START_DATE, TERM_END_DATE, CONT_DATE, BALANCE_DATE, "
               "CONT_DEPOSIT, FIRST_DEPOSIT, LAST_DEPOSIT, CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE, "
               "U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT_CODE, :TERM_SEQ, :TERM_START_DATE, :TERM_END_DATE, "
               ":CONT_DATE, :BALANCE_DATE, :CONT_DEPOSIT, :FIRST_DEPOSIT, :LAST_DEPOSIT, :CONT_LEASE_MONEY, "
               ":CONT_MANAGE_PAY, :CONT_DELAYRATE, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
               Audit({{"CONT_CODE", c.code}, {"TERM_SEQ", seq + 1}, {"TERM_START_DATE", c.termStart},
                      {"TERM_END_DATE", endDate}, {"CONT_DATE", c.contDate}, {"BALANCE_DATE", c.balanceDate},
                      {"CONT_DEPOSIT", c.deposit}, {"FIRST_DEPOSIT", c.firstDeposit},
                      {"LAST_DEPOSIT", c.lastDeposit}, {"CONT_LEASE_MONEY", c.rent}, {"CONT_MANAGE_PAY", c.fee},
                      {"CONT_DELAYRATE", c.delayRate}}));
}

std::optional<TLeaseStore::Contract> TLeaseStore::FindContract(const QString& code)
{
    const auto rows = m_sql.Rows(
        "SELECT CONT_CODE, C_CODE, SHOP_CODE, CONT_START_DATE, CONT_END_DATE, TERM_START_DATE, CONT_CANCEL_DATE, "
        "CONT_DATE, BALANCE_DATE, MINAP_CHK, CONT_DEPOSIT, FIRST_DEPOSIT, LAST_DEPOSIT, "
        "CONT_LEASE_MONEY, CONT_MANAGE_PAY, CONT_DELAYRATE FROM NA020MS WHERE CONT_CODE = :CONT_CODE",
        {{"CONT_CODE", code}});
    if (rows.empty())
        return std::nullopt;
    const QVariantMap& r = rows.front();
    Contract c;
    c.code = Text(r["CONT_CODE"]);
    c.cCode = Text(r["C_CODE"]);
    c.shopCode = Text(r["SHOP_CODE"]);
    c.startDate = Text(r["CONT_START_DATE"]);
    c.endDate = Text(r["CONT_END_DATE"]);
    c.termStart = Text(r["TERM_START_DATE"]);
    if (c.termStart.isEmpty())
        c.termStart = c.startDate;
    c.cancelDate = Text(r["CONT_CANCEL_DATE"]);
    c.contDate = Text(r["CONT_DATE"]);
    c.balanceDate = Text(r["BALANCE_DATE"]);
    c.minapChk = Text(r["MINAP_CHK"]);
    c.deposit = Num(r["CONT_DEPOSIT"]);
    c.firstDeposit = Num(r["FIRST_DEPOSIT"]);
    c.lastDeposit = Num(r["LAST_DEPOSIT"]);
    c.rent = Num(r["CONT_LEASE_MONEY"]);
    c.fee = Num(r["CONT_MANAGE_PAY"]);
    c.delayRate = Num(r["CONT_DELAYRATE"]);
    return c;
}

TLeaseStore::Contract TLeaseStore::ContractOrRefuse(const QString& code)
{
    if (code.trimmed().isEmpty())
        TServerInput::Refuse(QStringLiteral("계약코드가 입력되지 않았습니다."));
    const auto contract = FindContract(code.trimmed());
    if (!contract)
        TServerInput::Refuse(QStringLiteral("계약코드(%1)가 존재하지 않습니다.").arg(code.trimmed()));
    return *contract;
}

bool TLeaseStore::Overlaps(const QString& shopCode, const QString& start, const QString& end,
                           const QString& exceptCode)
{
    const auto n = m_sql.Value(
        "SELECT COUNT(*) FROM NA020MS WHERE SHOP_CODE = :SHOP_CODE AND CONT_CODE <> :EXCEPT_CODE "
        "AND CONT_START_DATE <= :END_DATE "
        "AND COALESCE(CONT_CANCEL_DATE, CONT_END_DATE) >= :START_DATE "
        "AND CONT_END_DATE >= :START_DATE",
        {{"SHOP_CODE", shopCode}, {"EXCEPT_CODE", exceptCode.isEmpty() ? QStringLiteral("-") : exceptCode},
         {"START_DATE", start}, {"END_DATE", end}});
    return Num(n) > 0;
}

QString TLeaseStore::MonthText(const QString& month)
{
    return QStringLiteral("%1년 %2월").arg(month.left(4), month.mid(4, 2));
}

QSet<QString> TLeaseStore::ClosedMonths()
{
    QSet<QString> months;
    for (const auto& r : m_sql.Rows("SELECT DISTINCT NAPIP_MONTH FROM NB030MS"))
        months.insert(Text(r["NAPIP_MONTH"]));
    return months;
}

void TLeaseStore::PutBill(const Bill& b)
{
    // Callers make sure the month has its management-fee line.
    m_sql.Exec("DELETE FROM NB020DT WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH = :CONT_MONTH",
               {{"CONT_CODE", b.contCode}, {"CONT_MONTH", b.month}});
    auto line = Line(b.contCode, QStringLiteral("03"), b.month);
    m_sql.Exec("INSERT INTO NB020DT (CONT_CODE, CONT_MONTH, DEMAND_DATE, NAPIP_DATE, TOT_MONEY, SUP_PRICE, "
               "SUP_TAX, SUP_ELEC, SUP_GAS, SUP_CONT, SUP_ENVI, SUP_WATER, SUP_TELE, SUP_WARE_RANT, "
               "SUP_WARE_ELEC, SUP_WARE_MANT, SUP_REMARK, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT_CODE, "
               ":CONT_MONTH, :DEMAND_DATE, :NAPIP_DATE, :TOT_MONEY, :SUP_PRICE, :SUP_TAX, :SUP_ELEC, "
               ":SUP_GAS, :SUP_CONT, :SUP_ENVI, :SUP_WATER, :SUP_TELE, 0, 0, 0, :SUP_REMARK, :U_EMP_NO, "
               ":U_IP, :U_SYS_DATE)",
               Audit({{"CONT_CODE", b.contCode}, {"CONT_MONTH", b.month}, {"DEMAND_DATE", b.demandDate},
                      {"NAPIP_DATE", line->dueDate}, {"TOT_MONEY", b.total}, {"SUP_PRICE", b.price}, {"SUP_TAX", b.tax}, {"SUP_ELEC", b.elec},
                      {"SUP_GAS", b.gas}, {"SUP_CONT", b.cont}, {"SUP_ENVI", b.envi},
                      {"SUP_WATER", b.water}, {"SUP_TELE", b.tele}, {"SUP_REMARK", b.remark}}));
    line->amount = b.total;
    PutLine(*line);
    RefreshBilling(b.contCode, b.month);
}

bool TLeaseStore::IsClosed(const QString& month)
{
    return Num(m_sql.Value("SELECT COUNT(*) FROM NB030MS WHERE NAPIP_MONTH = :NAPIP_MONTH",
                           {{"NAPIP_MONTH", month}})) > 0;
}

void TLeaseStore::RefuseIfClosed(const QString& month)
{
    if (IsClosed(month))
        TServerInput::Refuse(QStringLiteral("%1은 마감되어 변경할 수 없습니다.").arg(MonthText(month)));
}

std::vector<TMonthClosing::ScheduleLine> TLeaseStore::Lines(const QString& contCode, const QString& month)
{
    std::vector<TMonthClosing::ScheduleLine> lines;
    const QString select = "SELECT CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, DELAY_RATE "
                           "FROM NB010MS WHERE CONT_CODE = :CONT_CODE ";
    const auto rows = month.isEmpty()
        ? m_sql.Rows(select + "ORDER BY NAPIP_MONTH, AMT_CODE", {{"CONT_CODE", contCode}})
        : m_sql.Rows(select + "AND NAPIP_MONTH = :NAPIP_MONTH ORDER BY AMT_CODE",
                     {{"CONT_CODE", contCode}, {"NAPIP_MONTH", month}});
    for (const auto& r : rows)
        lines.push_back(LineOf(r));
    return lines;
}

std::optional<TMonthClosing::ScheduleLine> TLeaseStore::Line(const QString& contCode,
                                                             const QString& amtCode,
                                                             const QString& month)
{
    for (const auto& line : Lines(contCode, month))
        if (line.amtCode == amtCode)
            return line;
    return std::nullopt;
}

void TLeaseStore::PutLine(const TMonthClosing::ScheduleLine& line)
{
    const QVariantMap key{{"CONT_CODE", line.contCode}, {"AMT_CODE", line.amtCode},
                          {"NAPIP_MONTH", line.month}};
    QVariantMap values = Audit(key);
    values.insert("NAPIP_DATE", line.dueDate);
    values.insert("NAPIP_AMT", line.amount);
    values.insert("DELAY_RATE", line.delayRate);
    const qint64 changed = m_sql.Exec(
        "UPDATE NB010MS SET NAPIP_DATE = :NAPIP_DATE, NAPIP_AMT = :NAPIP_AMT, DELAY_RATE = :DELAY_RATE, "
        "U_EMP_NO = :U_EMP_NO, U_IP = :U_IP, U_SYS_DATE = :U_SYS_DATE "
        "WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE AND NAPIP_MONTH = :NAPIP_MONTH",
        values);
    if (changed == 0)
        m_sql.Exec("INSERT INTO NB010MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_AMT, "
                   "DELAY_RATE, U_EMP_NO, U_IP, U_SYS_DATE) VALUES (:CONT_CODE, :AMT_CODE, "
                   ":NAPIP_MONTH, :NAPIP_DATE, :NAPIP_AMT, :DELAY_RATE, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
                   values);
}

void TLeaseStore::DeleteLine(const QString& contCode, const QString& amtCode, const QString& month)
{
    m_sql.Exec("DELETE FROM NB010MS WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE "
               "AND NAPIP_MONTH = :NAPIP_MONTH",
               {{"CONT_CODE", contCode}, {"AMT_CODE", amtCode}, {"NAPIP_MONTH", month}});
}

bool TLeaseStore::HasReceipts(const QString& contCode, const QString& amtCode, const QString& month)
{
    return Num(m_sql.Value("SELECT COUNT(*) FROM NB020MS WHERE CONT_CODE = :CONT_CODE "
                           "AND AMT_CODE = :AMT_CODE AND NAPIP_MONTH = :NAPIP_MONTH",
                           {{"CONT_CODE", contCode}, {"AMT_CODE", amtCode}, {"NAPIP_MONTH", month}}))
           > 0;
}

std::vector<TMonthClosing::Row> TLeaseStore::ClosingRows(const QString& month, const QString& contCode)
{
    std::vector<TMonthClosing::Row> rows;
    const QString select =
        "SELECT A.CONT_CODE, A.AMT_CODE, A.NAPIP_MONTH, A.NAPIP_DATE, A.LAST_MINAPAMT, "
        "A.LAST_DELAYAMT, A.NAPIP_AMT, A.IPGUM_AMT, A.IPGUM_DELAYAMT, A.THIS_MINAPAMT, "
        "A.THIS_MINAPDEALYAMT, B.CONT_DELAYRATE FROM NB030MS A, NA020MS B "
        "WHERE A.CONT_CODE = B.CONT_CODE AND A.NAPIP_MONTH = :NAPIP_MONTH ";
    const auto found = contCode.isEmpty()
        ? m_sql.Rows(select, {{"NAPIP_MONTH", month}})
        : m_sql.Rows(select + "AND A.CONT_CODE = :CONT_CODE",
                     {{"NAPIP_MONTH", month}, {"CONT_CODE", contCode}});
    for (const auto& r : found) {
        TMonthClosing::Row row;
        row.contCode = Text(r["CONT_CODE"]);
        row.amtCode = Text(r["AMT_CODE"]);
        row.month = Text(r["NAPIP_MONTH"]);
        row.napipDate = Text(r["NAPIP_DATE"]);
        row.lastUnpaid = Num(r["LAST_MINAPAMT"]);
        row.lastDelay = Num(r["LAST_DELAYAMT"]);
        row.billed = Num(r["NAPIP_AMT"]);
        row.paidAmount = Num(r["IPGUM_AMT"]);
        row.paidDelay = Num(r["IPGUM_DELAYAMT"]);
        row.carriedUnpaid = Num(r["THIS_MINAPAMT"]);
        row.carriedDelay = Num(r["THIS_MINAPDEALYAMT"]);
        row.delayRate = Num(r["CONT_DELAYRATE"]);
        rows.push_back(row);
    }
    return rows;
}

// One definition of what is open, the receipts screen's month status: the
// month's amount + what the previous closing carried - every receipt dated in
// the month. What was received pays the carried late fee first.
TReceiptSpread::OpenLine TLeaseStore::Open(const QString& contCode, const QString& amtCode,
                                           const QString& month)
{
    double scheduled = 0, lastUnpaid = 0, lastDelay = 0;
    if (const auto line = Line(contCode, amtCode, month))
        scheduled = line->amount;
    for (const auto& before : ClosingRows(TServerInput::MonthAfter(month, -1), contCode))
        if (before.amtCode == amtCode) {
            lastUnpaid += before.carriedUnpaid;
            lastDelay += before.carriedDelay;
        }
    const double received = Num(m_sql.Value(
        "SELECT SUM(IPGUM_AMT) FROM NB020MS WHERE CONT_CODE = :CONT_CODE AND AMT_CODE = :AMT_CODE "
        "AND IPGUM_DATE LIKE :MONTH || '%'",
        {{"CONT_CODE", contCode}, {"AMT_CODE", amtCode}, {"MONTH", month}}));
    const double onDelay = std::clamp(received, 0.0, std::max(0.0, lastDelay));
    return {amtCode, lastDelay - onDelay, scheduled + lastUnpaid - (received - onDelay)};
}

// The amount codes of the month status: a line this month, a balance from the
// last closing or a receipt dated in the month.
QStringList TLeaseStore::OpenCodes(const QString& contCode, const QString& month)
{
    QStringList codes;
    for (const auto& line : Lines(contCode, month))
        codes << line.amtCode;
    for (const auto& before : ClosingRows(TServerInput::MonthAfter(month, -1), contCode))
        if (!codes.contains(before.amtCode))
            codes << before.amtCode;
    for (const auto& r : m_sql.Rows("SELECT DISTINCT AMT_CODE FROM NB020MS WHERE CONT_CODE = :CONT_CODE "
                                    "AND IPGUM_DATE LIKE :MONTH || '%'",
                                    {{"CONT_CODE", contCode}, {"MONTH", month}}))
        if (!codes.contains(Text(r["AMT_CODE"])))
            codes << Text(r["AMT_CODE"]);
    return codes;
}

void TLeaseStore::AddArrearsLines(const QString& month, const QString& contCode)
{
    if (IsClosed(month))
        return;
    QSet<QString> managed;
    for (const auto& r : m_sql.Rows("SELECT CONT_CODE FROM NA020MS WHERE MINAP_CHK = 'Y'"))
        managed.insert(Text(r["CONT_CODE"]));
    const auto previous = ClosingRows(TServerInput::MonthAfter(month, -1), contCode);
    std::vector<TMonthClosing::ScheduleLine> lines;
    QSet<QString> contracts;
    for (const auto& before : previous)
        contracts.insert(before.contCode);
    for (const QString& code : contracts)
        for (const auto& line : Lines(code, month))
            lines.push_back(line);
    for (const auto& line : TMonthClosing::ArrearsLines(month, lines, previous, managed)) {
        PutLine(line);
        RefreshBilling(line.contCode, month);
    }
}

void TLeaseStore::KeepArrearsLines(const QString& contCode)
{
    const QString last = Text(m_sql.Value("SELECT MAX(NAPIP_MONTH) FROM NB030MS"));
    if (!last.isEmpty())
        AddArrearsLines(TServerInput::MonthAfter(last, 1), contCode);
}

QString TLeaseStore::DueDate(const QString& contCode, const QString& amtCode, const QString& month)
{
    const auto line = Line(contCode, amtCode, month);
    return line ? line->dueDate : TMonthClosing::ArrearsDueDate(month);
}

int TLeaseStore::NextSeq(const QString& contCode, const QString& ipgumDate)
{
    return static_cast<int>(Num(m_sql.Value("SELECT MAX(IPGUM_SEQ) FROM NB020MS WHERE CONT_CODE = :CONT_CODE "
                                            "AND IPGUM_DATE = :IPGUM_DATE",
                                            {{"CONT_CODE", contCode}, {"IPGUM_DATE", ipgumDate}})))
           + 1;
}

void TLeaseStore::InsertReceipt(const QString& contCode, const QString& amtCode, const QString& month,
                                const QString& gubun, const QString& ipgumDate, int seq, double amount,
                                const QString& slipCode, const QString& remarks)
{
    m_sql.Exec("INSERT INTO NB020MS (CONT_CODE, AMT_CODE, NAPIP_MONTH, NAPIP_DATE, NAPIP_GUBUN, "
               "IPGUM_DATE, IPGUM_SEQ, IPGUM_AMT, SLIP_CODE, REMARKS, U_EMP_NO, U_IP, U_SYS_DATE) "
               "VALUES (:CONT_CODE, :AMT_CODE, :NAPIP_MONTH, :NAPIP_DATE, :NAPIP_GUBUN, :IPGUM_DATE, "
               ":IPGUM_SEQ, :IPGUM_AMT, :SLIP_CODE, :REMARKS, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
               Audit({{"CONT_CODE", contCode}, {"AMT_CODE", amtCode}, {"NAPIP_MONTH", month},
                      {"NAPIP_DATE", DueDate(contCode, amtCode, month)}, {"NAPIP_GUBUN", gubun},
                      {"IPGUM_DATE", ipgumDate}, {"IPGUM_SEQ", seq}, {"IPGUM_AMT", amount},
                      {"SLIP_CODE", slipCode}, {"REMARKS", remarks}}));
}

void TLeaseStore::RefreshBilling(const QString& contCode, const QString& month)
{
    const auto lines = Lines(contCode, month);
    const auto bill = m_sql.Rows("SELECT DEMAND_DATE, TOT_MONEY AS TOTAL FROM NB020DT "
                                 "WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH = :CONT_MONTH",
                                 {{"CONT_CODE", contCode}, {"CONT_MONTH", month}});
    m_sql.Exec("DELETE FROM NB010DT WHERE CONT_CODE = :CONT_CODE AND CONT_MONTH = :CONT_MONTH",
               {{"CONT_CODE", contCode}, {"CONT_MONTH", month}});
    if (lines.empty() && bill.empty())
        return;
    const auto row = bill.empty()
        ? TBillingSummary::Of(contCode, month, lines)
        : TBillingSummary::Of(contCode, month, lines, Text(bill.front()["DEMAND_DATE"]),
                              Num(bill.front()["TOTAL"]));
    m_sql.Exec("INSERT INTO NB010DT (CONT_CODE, CONT_MONTH, DEMAND_DATE1, DEMAND_MONEY1, DEMAND_DATE2, "
               "DEMAND_MONEY2, DEMAND_DATE3, DEMAND_MONEY3, U_EMP_NO, U_IP, U_SYS_DATE) VALUES "
               "(:CONT_CODE, :CONT_MONTH, :D1, :M1, :D2, :M2, :D3, :M3, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
               Audit({{"CONT_CODE", contCode}, {"CONT_MONTH", month},
                      {"D1", row.demandDate[0]}, {"M1", row.demandMoney[0]},
                      {"D2", row.demandDate[1]}, {"M2", row.demandMoney[1]},
                      {"D3", row.demandDate[2]}, {"M3", row.demandMoney[2]}}));
}

void TLeaseStore::RefreshArrears(const QString& contCode)
{
    const QString last = Text(m_sql.Value("SELECT MAX(NAPIP_MONTH) FROM NB030MS WHERE CONT_CODE = :CONT_CODE",
                                          {{"CONT_CODE", contCode}}));
    double uncollected[3] = {0, 0, 0};
    if (!last.isEmpty())
        for (const auto& row : ClosingRows(last, contCode)) {
            const int kind = row.amtCode.toInt() - 1;
            if (kind >= 0 && kind < 3)
                uncollected[kind] += TBillingSummary::Uncollected(row.carriedUnpaid, row.carriedDelay);
        }
    m_sql.Exec("DELETE FROM NC010MS WHERE CONT_CODE = :CONT_CODE", {{"CONT_CODE", contCode}});
    m_sql.Exec("INSERT INTO NC010MS (CONT_CODE, UNCOL_AMT1, UNCOL_AMT2, UNCOL_AMT3, U_EMP_NO, U_IP, "
               "U_SYS_DATE) VALUES (:CONT_CODE, :A1, :A2, :A3, :U_EMP_NO, :U_IP, :U_SYS_DATE)",
               Audit({{"CONT_CODE", contCode}, {"A1", uncollected[0]}, {"A2", uncollected[1]},
                      {"A3", uncollected[2]}}));
}
