#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "common/TBusinessClock.h"
#include "server/TMonthClosing.h"

class TDatabase;

// The demonstration data set: sites, shops, partners, contracts with two
// years (or a chosen number of months) of schedules, bills, receipts and closed months up to the month before last,
// and suspense-account vouchers. It is computed from a fixed seed, so the same
// options and day always give the same rows, and with the same rules as the
// stored procedures, so closing, cancelling and closing again gives the same
// figures.
class TDemoData
{
public:
    static const QString DatabaseUser; // the demo database user, "SELVAR"

    struct Options
    {
        int contracts = 80;
        int historyMonths = 24; // schedules and closings reach this many months back
        quint32 seed = 20260101;
        QDate today = TBusinessClock::Today();
        QString databaseUser = DatabaseUser;
    };

    struct Site { QString code, name, useYn, directYn, etcFlag; };
    struct Shop
    {
        QString code, name, place, position, leaseType, item, usedYn, directYn, phone, remark;
    };
    struct Partner { QString code, name, boss, useYn, repPhone, mobile; };
    struct Contract
    {
        QString code, cCode, shopCode, startDate, endDate, cancelDate;
        double deposit = 0, rent = 0, fee = 0, penalty = 0, delayRate = 0;
        QString shopType, size1, size2, permit, permitNo, permitDate, remark, cancelRemark;
        QString contDate, balanceDate;
        double firstDeposit = 0, lastDeposit = 0;
        QString minapChk, upjangName, manageYn;
    };
    struct Bill
    {
        QString contCode, month, demandDate, remark;
        double total = 0, price = 0, tax = 0;
        double elec = 0, gas = 0, cont = 0, envi = 0, water = 0, tele = 0;
    };
    struct Receipt
    {
        QString contCode, amtCode, month, napipDate, gubun, ipgumDate;
        int seq = 1;
        double amount = 0;
        QString slipCode, remarks;
    };
    struct Voucher
    {
        QString slipNo, seqNo, sessionId, acctCode, confDate, payer, refData;
        int mgCode = 140;
        double debit = 0, credit = 0;
    };
    struct ClosingRow
    {
        TMonthClosing::Row row;
        QString closingDate; // NEXT_DATE
    };

    struct Model
    {
        std::vector<Site> sites;
        std::vector<Shop> shops;
        std::vector<Partner> partners;
        std::vector<Contract> contracts;
        std::vector<TMonthClosing::ScheduleLine> lines;
        std::vector<Bill> bills;
        std::vector<Receipt> receipts;
        std::vector<ClosingRow> closings;
        std::vector<Voucher> vouchers;
        QString firstMonth, lastClosedMonth;
    };

    static Model Build(const Options& options);
    // Brings the schema up to date, then writes codes, menus, rights and the
    // model in one transaction (the caller's, when one is open). Meant for an
    // empty database: rows already there make it fail and write nothing.
    static void Fill(TDatabase& db, const Options& options);
    static void Fill(TDatabase& db); // the default set for today
};
