#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <vector>

#include "server/TMonthClosing.h"
#include "server/TReceiptSpread.h"
#include "server/TScheduleBuilder.h"
#include "server/TServerSql.h"

class TDatabase;

// The lease tables as the stored procedures use them: contracts, schedule
// lines, receipts, closings and the billing-inquiry tables kept in step with
// them. Every write carries the caller's employee number, IP and the time.
class TLeaseStore
{
public:
    TLeaseStore(TDatabase& db, const QString& empNo, const QString& ip);

    TServerSql& Sql() { return m_sql; }
    // U_EMP_NO, U_IP and U_SYS_DATE of this call, merged into other bindings.
    QVariantMap Audit(QVariantMap binds = {}) const;

    struct Contract
    {
        // startDate..endDate spans every term; termStart is where the running one began.
        QString code, cCode, shopCode, startDate, endDate, termStart, cancelDate, contDate, balanceDate, minapChk;
        double deposit = 0, firstDeposit = 0, lastDeposit = 0, rent = 0, fee = 0, delayRate = 0;
        bool Active() const { return cancelDate.isEmpty(); }
        bool Renewed() const { return termStart != startDate; }
        // The running term alone.
        TScheduleBuilder::Terms Terms() const;
    };
    std::optional<Contract> FindContract(const QString& code);
    Contract ContractOrRefuse(const QString& code);
    // Every term of a contract, earliest first: the earlier terms renewals
    // kept, then the running one. Terms after the first owe only their
    // additional deposit.
    std::vector<TScheduleBuilder::Terms> AllTerms(const Contract& contract);
    // Keeps the running term, ended on endDate, before a renewal replaces it.
    void KeepTerm(const Contract& contract, const QString& endDate);

    // Another contract of the shop whose period (up to its termination) meets start..end.
    bool Overlaps(const QString& shopCode, const QString& start, const QString& end,
                  const QString& exceptCode);

    struct Bill
    {
        QString contCode, month, demandDate, remark;
        double total = 0, price = 0, tax = 0;
        double elec = 0, gas = 0, cont = 0, envi = 0, water = 0, tele = 0;
    };
    // Replaces the month's bill; its total becomes the management-fee line's amount.
    void PutBill(const Bill& bill);

    static QString MonthText(const QString& month); // "2026년 11월"
    QSet<QString> ClosedMonths();
    bool IsClosed(const QString& month);
    void RefuseIfClosed(const QString& month);

    // Schedule lines of a contract, of one month or of every month.
    std::vector<TMonthClosing::ScheduleLine> Lines(const QString& contCode, const QString& month = {});
    std::optional<TMonthClosing::ScheduleLine> Line(const QString& contCode, const QString& amtCode,
                                                    const QString& month);
    void PutLine(const TMonthClosing::ScheduleLine& line); // insert or replace
    void DeleteLine(const QString& contCode, const QString& amtCode, const QString& month);
    bool HasReceipts(const QString& contCode, const QString& amtCode, const QString& month);

    // What is open on a code of a month, exactly as the receipts screen shows it:
    // late fee and amount still to pay (see the receipt rules).
    TReceiptSpread::OpenLine Open(const QString& contCode, const QString& amtCode, const QString& month);
    // The amount codes the receipts screen lists for the month.
    QStringList OpenCodes(const QString& contCode, const QString& month);
    // Lines of amount 0 for the balances the previous closing carried into an
    // open month without a line (one contract, or all when contCode is empty).
    void AddArrearsLines(const QString& month, const QString& contCode = {});
    // The same for the first open month, after lines of a contract went away.
    void KeepArrearsLines(const QString& contCode);
    QString DueDate(const QString& contCode, const QString& amtCode, const QString& month);
    int NextSeq(const QString& contCode, const QString& ipgumDate);
    void InsertReceipt(const QString& contCode, const QString& amtCode, const QString& month,
                       const QString& gubun, const QString& ipgumDate, int seq, double amount,
                       const QString& slipCode, const QString& remarks);

    // Closing rows of a month (all contracts when contCode is empty).
    std::vector<TMonthClosing::Row> ClosingRows(const QString& month, const QString& contCode = {});

    void RefreshBilling(const QString& contCode, const QString& month); // NB010DT
    void RefreshArrears(const QString& contCode);                      // NC010MS

private:
    TServerSql m_sql;
    QString m_empNo, m_ip;
};
