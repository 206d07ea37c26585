// Books a receipt ("I"), also from a suspense-account voucher, or cancels
// the booking made with a voucher ("D").
#include <QHash>

#include "common/TStoredProc.h"
#include "server/TLeaseStore.h"
#include "server/TProcedureArgs.h"
#include "server/TServerInput.h"
#include "server/TServerProcedures.h"

namespace {
using TI = TServerInput;

QString SlipCode(const TProcedureArgs& a)
{
    const QString slip = a.Text("ASLIP_CODE");
    if (!slip.isEmpty() && slip.size() != 10)
        TI::Refuse(QStringLiteral("%1 올바르지 않습니다.").arg(TI::Quoted("전표번호", slip)));
    return slip;
}

// A free suspense-account voucher line; returns its amount.
double VoucherAmount(TServerSql& sql, const QString& slip)
{
    const QVariant amount = sql.Value(
        "SELECT C_AMOUNT FROM VB011DT WHERE SLIP_NO = :SLIP_NO AND SLIP_SEQ_NO = :SLIP_SEQ_NO "
        "AND MG_CODE = 140 AND ((ACCT_CODE = '2111300' AND CONF_DATE <= '20180523') "
        "OR (ACCT_CODE = '2111310' AND CONF_DATE > '20180523'))",
        {{"SLIP_NO", slip.left(8)}, {"SLIP_SEQ_NO", slip.mid(8, 2)}});
    if (!amount.isValid()) {
        const bool exists = sql.Exists("SELECT SLIP_NO FROM VB011DT WHERE SLIP_NO = :SLIP_NO AND SLIP_SEQ_NO = :SLIP_SEQ_NO",
                                       {{"SLIP_NO", slip.left(8)}, {"SLIP_SEQ_NO", slip.mid(8, 2)}});
        if (exists)
            TI::Refuse(QStringLiteral("전표(%1)는 가수금 계정의 전표가 아닙니다.").arg(slip));
        TI::Refuse(QStringLiteral("가수금 전표(%1)가 존재하지 않습니다.").arg(slip));
    }
    if (sql.Exists("SELECT SLIP_CODE FROM NB020MS WHERE SLIP_CODE = :SLIP_CODE", {{"SLIP_CODE", slip}}))
        TI::Refuse(QStringLiteral("이미 입금처리된 전표입니다."));
    return amount.toDouble();
}

void Book(TLeaseStore& store, const TProcedureArgs& a)
{
    const auto contract = store.ContractOrRefuse(a.Text("ACONT_CODE"));
    const QString amtCode = TI::Choice(a.Text("AAMT_CODE"), {"01", "02", "03", "T"}, QString(), "납입코드");
    const QString month = TI::Month(a.Text("ANAPIP_MONTH"), "납입년월");
    if (store.IsClosed(month))
        TI::Refuse(QStringLiteral("%1은 마감되어 입금할 수 없습니다.").arg(TLeaseStore::MonthText(month)));
    const QString date = TI::Date(a.Text("AIPGUM_DATE"), "입금일자");
    const double amount = TI::PositiveAmount(a.Text("AIPGUM_AMT"), "입금금액");
    const QString remarks = TI::Limited(a.Raw("AREMARKS"), 100, "비고");
    const QString slip = SlipCode(a);
    if (!slip.isEmpty() && amount > VoucherAmount(store.Sql(), slip))
        TI::Refuse(QStringLiteral("입금금액이 전표금액보다 큽니다."));

    // The receipts screen counts a receipt in the month it is dated in; booking
    // it against another month would show it in one month and close it in another.
    if (date.left(6) != month)
        TI::Refuse(QStringLiteral("입금일자(%1)가 납입년월(%2)에 속하지 않습니다. 입금일자가 속한 월로 입금하세요.")
                       .arg(QStringLiteral("%1-%2-%3").arg(date.left(4), date.mid(4, 2), date.mid(6, 2)),
                            TLeaseStore::MonthText(month)));

    QStringList codes{amtCode};
    if (amtCode == "T") {
        const QStringList open = store.OpenCodes(contract.code, month);
        codes.clear();
        for (const char* code : {"03", "02", "01"})
            if (open.contains(code))
                codes << code;
    }
    std::vector<TReceiptSpread::OpenLine> lines;
    double open = 0;
    for (const QString& code : codes) {
        lines.push_back(store.Open(contract.code, code, month));
        open += lines.back().openDelay + lines.back().openAmount;
    }
    if (open <= 0)
        TI::Refuse(QStringLiteral("입금할 금액이 없습니다."));
    if (amount > open + 0.005)
        TI::Refuse(QStringLiteral("입금금액(%1)이 미납금액(%2)보다 큽니다.").arg(TI::Won(amount), TI::Won(open)));

    // One receipt line of kind "1" per code; the closing takes the late fee
    // out of it, so no won is counted both as fee and as amount.
    QStringList order;
    QHash<QString, double> perCode;
    for (const auto& part : TReceiptSpread::Spread(amount, lines)) {
        if (!perCode.contains(part.amtCode))
            order << part.amtCode;
        perCode[part.amtCode] += part.amount;
    }
    const int seq = store.NextSeq(contract.code, date);
    bool first = true;
    for (const QString& code : order) {
        // A balance carried without a line this month gets its line, so the
        // closing sees the receipt.
        if (!store.Line(contract.code, code, month))
            store.PutLine({contract.code, code, month, TMonthClosing::ArrearsDueDate(month), 0, contract.delayRate});
        store.InsertReceipt(contract.code, code, month, "1", date, seq, perCode.value(code),
                            first ? slip : QString(), remarks);
        first = false;
    }
    store.RefreshBilling(contract.code, month);
}

void CancelVoucher(TLeaseStore& store, const TProcedureArgs& a)
{
    const QString slip = SlipCode(a);
    if (slip.isEmpty())
        TI::Refuse(QStringLiteral("전표번호가 입력되지 않았습니다."));
    TServerSql& sql = store.Sql();
    const auto used = sql.Rows("SELECT CONT_CODE, IPGUM_DATE, IPGUM_SEQ FROM NB020MS WHERE SLIP_CODE = :SLIP_CODE",
                               {{"SLIP_CODE", slip}});
    if (used.empty())
        TI::Refuse(QStringLiteral("해당 전표로 입금된 내역이 없습니다."));
    const QVariantMap booking{{"CONT_CODE", used.front().value("CONT_CODE")},
                              {"IPGUM_DATE", used.front().value("IPGUM_DATE")},
                              {"IPGUM_SEQ", used.front().value("IPGUM_SEQ")}};
    const QString where = "CONT_CODE = :CONT_CODE AND IPGUM_DATE = :IPGUM_DATE AND IPGUM_SEQ = :IPGUM_SEQ";
    for (const auto& row : sql.Rows("SELECT DISTINCT NAPIP_MONTH FROM NB020MS WHERE " + where, booking))
        if (store.IsClosed(row.value("NAPIP_MONTH").toString()))
            TI::Refuse(QStringLiteral("마감된 월의 입금은 취소할 수 없습니다."));
    sql.Exec("DELETE FROM NB020MS WHERE " + where, booking);
}
} // namespace

void PR_NBI010_01(TDatabase& db, const TStoredProc& proc)
{
    const TProcedureArgs a(proc);
    TLeaseStore store(db, a.EmpNo(), a.Ip());
    if (TI::Choice(a.Text("AGUBUN"), {"I", "D"}, QString(), "처리구분") == "I")
        Book(store, a);
    else
        CancelVoucher(store, a);
}
