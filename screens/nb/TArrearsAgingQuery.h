#pragma once

#include <QString>
#include <vector>

#include "screens/nb/TArrearsAging.h"

class TDatabase;

// The statements behind the arrears aging: one that sums each contract's open
// amount per amount code, one for the lines it is laid over (the open months',
// and the recent months' where a closing carried something), then the older
// lines of the few codes whose open amount reaches further back.
namespace TArrearsAgingQuery {

struct TFilter
{
    QString refDate;       // YYYYMMDD
    QString arcade;        // arcade code ('NA001'), empty for all
    QString amtCode;       // "01", "02", "03", empty for all
    QString partnerPrefix; // start of the partner's name, empty for all
};

struct TContract
{
    QString contCode, cCode, cName, bossName, shopCode, shopName, arcade, startDate, endDate, minapChk;
    TArrearsAging::Result aging;
    struct TCodeShare
    {
        QString amtCode;
        TArrearsAging::Share share;
    };
    std::vector<TCodeShare> shares; // per amount code, newest first
};

// The closed month whose closing the reference day starts from: the last one
// before the reference month, or the reference month itself on its last day.
// Empty when nothing is closed yet.
QString BaseMonth(TDatabase& db, const QString& refDate);

// Every contract with anything open on the reference day, by contract code.
std::vector<TContract> Contracts(TDatabase& db, const TFilter& filter);

// What the closings of the last `months` months before the reference month
// carried (unpaid amount + late fee), oldest first; months without a closing
// are left out.
struct TMonthEnd
{
    QString month;
    double total = 0;
};
std::vector<TMonthEnd> MonthEnds(TDatabase& db, const TFilter& filter, int months = 12);

// The statements' texts for a filter (their months still to be bound): the
// open amount per contract and amount code, and the lines to lay it over.
QString AgingStatement(const TFilter& filter);
QString LinesStatement(const TFilter& filter);

} // namespace TArrearsAgingQuery
