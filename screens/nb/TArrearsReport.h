#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "screens/nb/TArrearsAgingQuery.h"

class TReportDocument;

// The printed arrears aging and its reminder letters, laid out from the
// figures the aging screen computed, for the report viewer.
namespace TArrearsReport {

// The aging on A4 landscape: the conditions, the chart, then one line per
// contract with the buckets, the total and the longest delay, and the sums.
std::unique_ptr<TReportDocument> Aging(const QString& conditions, const QString& refDate,
                                       const std::vector<TArrearsAgingQuery::TContract>& contracts,
                                       const QImage& chart);

// A reminder ("독촉장") on A4 portrait for each contract: the tenant with the
// shop's address, every open line with its due date, days late and amount,
// the late fee the closings carried, and what is owed in all.
struct TLetter
{
    TArrearsAgingQuery::TContract contract;
    QString address;
};
std::unique_ptr<TReportDocument> Letters(const std::vector<TLetter>& letters, const QString& refDate,
                                         const QString& sender);

} // namespace TArrearsReport
