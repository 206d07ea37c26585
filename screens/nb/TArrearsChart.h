#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "screens/nb/TArrearsAging.h"
#include "screens/nb/TArrearsAgingQuery.h"

class QChart;
class QChartView;

// The arrears aging drawn: a stacked bar of the buckets per arcade, and a line
// of what the closings of the last months carried at each month's end. The
// amounts are whole won; hovering a bar or a point shows its amount.
class TArrearsChart : public QWidget
{
    Q_OBJECT

public:
    explicit TArrearsChart(QWidget* parent = nullptr);

    struct Arcade
    {
        QString name;
        TArrearsAging::Result aging;
    };
    void SetData(const std::vector<Arcade>& arcades, const std::vector<TArrearsAgingQuery::TMonthEnd>& monthEnds);
    void Clear();

    // What the chart shows, as the bars and points hold it.
    QStringList ArcadeNames() const;
    double Bar(int arcade, int bucket) const;
    std::vector<TArrearsAgingQuery::TMonthEnd> MonthEnds() const { return m_monthEnds; }

    // Both charts side by side at a printing size (pixels).
    QImage Render(const QSize& size) const;

    QChartView* chvBuckets;
    QChartView* chvMonthEnds;

private:
    QChart* BucketsChart() const;
    QChart* MonthEndsChart() const;

    std::vector<Arcade> m_arcades;
    std::vector<TArrearsAgingQuery::TMonthEnd> m_monthEnds;
};
