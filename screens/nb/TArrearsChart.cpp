#include "screens/nb/TArrearsChart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPainter>
#include <QStackedBarSeries>
#include <QToolTip>
#include <cmath>

#include "common/KoreanFonts.h"
#include "screens/ScreenGrid.h"

namespace {
const QColor BucketColours[TArrearsAging::abCount] = {QColor(160, 190, 220), QColor(120, 180, 120),
                                                      QColor(240, 200, 80),  QColor(240, 150, 60),
                                                      QColor(220, 90, 60),   QColor(150, 30, 40)};

QString Won(double amount)
{
    return ScreenGrid::GroupedAmount(amount) + QStringLiteral("원");
}

// A step of 1, 2 or 5 times a power of ten that divides the range into at most six.
double NiceStep(double range)
{
    if (range <= 0)
        return 1;
    const double raw = range / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * power >= raw)
            return f * power;
    return 10 * power;
}

// Amounts in won labelled in ten thousands ("만") or hundred millions ("억").
QString AxisLabel(double amount)
{
    if (std::abs(amount) >= 1e8 && std::fmod(amount, 1e7) == 0)
        return QString::number(amount / 1e8, 'f', std::fmod(amount, 1e8) == 0 ? 0 : 1) + QStringLiteral("억");
    return ScreenGrid::GroupedAmount(amount / 1e4) + QStringLiteral("만");
}

// A value axis over [low, high] in won with readable labels.
QCategoryAxis* AmountAxis(double low, double high, const QFont& font)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(font);
    const double step = NiceStep(std::max(high, 0.0) - std::min(low, 0.0));
    const double from = std::floor(std::min(low, 0.0) / step) * step;
    const double to = std::max(std::ceil(std::max(high, 0.0) / step) * step, from + step);
    for (double v = from; v <= to + step / 2; v += step)
        axis->append(AxisLabel(v), v);
    axis->setRange(from, to);
    axis->setStartValue(from);
    return axis;
}

QChart* NewChart(const QString& title, const QFont& font)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont bold = font;
    bold.setBold(true);
    chart->setTitleFont(bold);
    chart->legend()->setFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}
} // namespace

TArrearsChart::TArrearsChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("chtAging"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    chvBuckets = new QChartView(this);
    chvBuckets->setObjectName(QStringLiteral("chvBuckets"));
    chvMonthEnds = new QChartView(this);
    chvMonthEnds->setObjectName(QStringLiteral("chvMonthEnds"));
    for (QChartView* view : {chvBuckets, chvMonthEnds}) {
        view->setRenderHint(QPainter::Antialiasing);
        row->addWidget(view, view == chvBuckets ? 3 : 2);
    }
    Clear();
}

void TArrearsChart::Clear()
{
    SetData({}, {});
}

void TArrearsChart::SetData(const std::vector<Arcade>& arcades,
                            const std::vector<TArrearsAgingQuery::TMonthEnd>& monthEnds)
{
    m_arcades = arcades;
    m_monthEnds = monthEnds;
    for (auto [view, chart] : {std::pair{chvBuckets, BucketsChart()}, std::pair{chvMonthEnds, MonthEndsChart()}}) {
        QChart* old = view->chart();
        view->setChart(chart);
        delete old;
    }
}

QChart* TArrearsChart::BucketsChart() const
{
    const QFont font = ScreenFont();
    QChart* chart = NewChart(QStringLiteral("상가별 연령별 미수금"), font);
    auto* series = new QStackedBarSeries;
    QStringList names = ArcadeNames();
    double high = 0, low = 0;
    std::vector<double> up(m_arcades.size(), 0), down(m_arcades.size(), 0);
    for (int b = 0; b < TArrearsAging::abCount; ++b) {
        auto* set = new QBarSet(QString::fromUtf8(TArrearsAging::Captions[b]));
        set->setColor(BucketColours[b]);
        set->setBorderColor(BucketColours[b].darker(130));
        for (std::size_t a = 0; a < m_arcades.size(); ++a) {
            const double amount = m_arcades[a].aging.buckets[b];
            *set << amount;
            (amount >= 0 ? up[a] : down[a]) += amount;
        }
        connect(set, &QBarSet::hovered, this, [this, set, names](bool status, int index) {
            if (!status || index < 0 || index >= names.size()) {
                QToolTip::hideText();
                return;
            }
            QToolTip::showText(QCursor::pos(),
                               names[index] + QStringLiteral(" · ") + set->label() + QStringLiteral("\n")
                                   + Won(set->at(index)));
        });
        series->append(set);
    }
    for (std::size_t a = 0; a < m_arcades.size(); ++a) {
        high = std::max(high, up[a]);
        low = std::min(low, down[a]);
    }
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(names.isEmpty() ? QStringList{QStringLiteral(" ")} : names);
    categories->setLabelsFont(font);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QCategoryAxis* amounts = AmountAxis(low, high, font);
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

QChart* TArrearsChart::MonthEndsChart() const
{
    const QFont font = ScreenFont();
    QChart* chart = NewChart(QStringLiteral("월말 미수금 추이 (마감 기준)"), font);
    chart->legend()->hide();
    auto* series = new QLineSeries;
    series->setPointsVisible(true);
    series->setPen(QPen(QColor(150, 30, 40), 2));
    auto* months = new QCategoryAxis;
    months->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    months->setLabelsFont(font);
    double high = 0, low = 0;
    for (std::size_t i = 0; i < m_monthEnds.size(); ++i) {
        const auto& end = m_monthEnds[i];
        series->append(double(i), end.total);
        high = std::max(high, end.total);
        low = std::min(low, end.total);
        months->append(end.month.mid(2, 2) + QLatin1Char('.') + end.month.mid(4, 2), double(i));
    }
    months->setRange(-0.5, std::max<double>(0.5, double(m_monthEnds.size()) - 0.5));
    months->setStartValue(-0.5);
    connect(series, &QLineSeries::hovered, this, [this](const QPointF& point, bool state) {
        const int i = qRound(point.x());
        if (!state || i < 0 || i >= int(m_monthEnds.size())) {
            QToolTip::hideText();
            return;
        }
        const QString& month = m_monthEnds[std::size_t(i)].month;
        QToolTip::showText(QCursor::pos(), month.left(4) + QLatin1Char('-') + month.mid(4, 2)
                                               + QStringLiteral(" 말\n") + Won(m_monthEnds[std::size_t(i)].total));
    });
    chart->addSeries(series);
    chart->addAxis(months, Qt::AlignBottom);
    series->attachAxis(months);
    QCategoryAxis* amounts = AmountAxis(low, high, font);
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    return chart;
}

QStringList TArrearsChart::ArcadeNames() const
{
    QStringList names;
    for (const Arcade& a : m_arcades)
        names << a.name;
    return names;
}

double TArrearsChart::Bar(int arcade, int bucket) const
{
    const auto* series = static_cast<QStackedBarSeries*>(chvBuckets->chart()->series().value(0));
    if (!series || bucket < 0 || bucket >= series->count())
        return 0;
    const QBarSet* set = series->barSets().at(bucket);
    return arcade >= 0 && arcade < set->count() ? set->at(arcade) : 0;
}

// Drawn anew at the size asked for, so that the texts keep their size on paper.
QImage TArrearsChart::Render(const QSize& size) const
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int split = size.width() * 3 / 5;
    const QRect parts[] = {QRect(0, 0, split, size.height()), QRect(split, 0, size.width() - split, size.height())};
    QChart* charts[] = {BucketsChart(), MonthEndsChart()};
    for (int i = 0; i < 2; ++i) {
        QChartView view(charts[i]);
        view.setRenderHint(QPainter::Antialiasing);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(parts[i].size());
        painter.drawPixmap(parts[i].topLeft(), view.grab());
    }
    return image;
}
