// Painting a grid page while scrolling: 100,000 rows of 12 columns (four
// Korean texts, six amounts, two date texts) in an 800x600 widget; each run
// renders 200 full pages, the top row jumping through the rows between pages.
//   grid - TwMemGrid, amounts shown with "#,##0" as the screens do
//   peer - QTableView over a QStandardItemModel holding the same values
// Reported: the median time of one page (page_median_ms) and of the run.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kCols = 12;
constexpr int kPages = 200;
const QSize kPageSize(800, 600);

bool IsAmount(int col) { return col >= 4 && col < 10; }

QString Caption(int col) { return QStringLiteral("항목%1").arg(col + 1); }

QString Text(int row, int col)
{
    static const QString names[] = {QStringLiteral("리조트 상가"), QStringLiteral("김영희 상회"),
                                    QStringLiteral("(주)한빛유통"), QStringLiteral("임대업장 관리")};
    if (col >= 10)
        return QStringLiteral("2024-%1-%2").arg(row % 12 + 1, 2, 10, QLatin1Char('0')).arg(row % 28 + 1, 2, 10,
                                                                                           QLatin1Char('0'));
    return QStringLiteral("%1 %2").arg(names[(row + col) % 4]).arg(row);
}

double Amount(int row, int col)
{
    return double((row * 7919 + col * 104729) % 100000000);
}

// The top rows of the pages, the same for both.
std::vector<int> PageTops(int visibleRows)
{
    std::vector<int> tops;
    std::mt19937 rng(42);
    for (int i = 0; i < kPages; ++i)
        tops.push_back(int(rng() % unsigned(kRows - visibleRows)));
    return tops;
}

template <typename Scroll>
void RenderPages(benchmark::State& state, QWidget& widget, Scroll&& scroll, int visibleRows)
{
    QImage page(kPageSize, QImage::Format_ARGB32_Premultiplied);
    const std::vector<int> tops = PageTops(visibleRows);
    for (auto _ : state) {
        std::vector<double> times;
        QElapsedTimer run;
        run.start();
        for (const int top : tops) {
            QElapsedTimer timer;
            timer.start();
            scroll(top);
            widget.render(&page);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        state.SetIterationTime(double(run.nsecsElapsed()) / 1e9);
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        state.counters["page_median_ms"] = times[times.size() / 2];
    }
}

void BM_Paint_TwMemGrid(benchmark::State& state)
{
    TwMemGrid grid;
    for (int c = 0; c < kCols; ++c) {
        auto* column = static_cast<TwMemColumn*>(grid.Columns()->Add());
        column->Title()->SetCaption(Caption(c));
        column->SetWidth(c < 4 ? 110 : 80);
        if (IsAmount(c)) {
            column->SetDataType(wdtFloat);
            column->SetDisplayFormat(QStringLiteral("#,##0"));
        }
    }
    grid.BeginUpdate();
    grid.SetRowCount(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            if (IsAmount(c))
                grid.Cells(c, r).SetAsFloat(Amount(r, c));
            else
                grid.Cells(c, r).SetAsString(Text(r, c));
        }
    grid.EndUpdate(false);
    grid.resize(kPageSize);
    grid.show();
    QApplication::processEvents();
    RenderPages(state, grid, [&](int top) { grid.SetTopRow(top); }, grid.VisibleRowCount());
}

void BM_Paint_Peer_QTableView(benchmark::State& state)
{
    QStandardItemModel model(kRows, kCols);
    for (int c = 0; c < kCols; ++c)
        model.setHorizontalHeaderItem(c, new QStandardItem(Caption(c)));
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* item = new QStandardItem;
            if (IsAmount(c)) {
                item->setData(Amount(r, c), Qt::DisplayRole);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else {
                item->setData(Text(r, c), Qt::DisplayRole);
            }
            model.setItem(r, c, item);
        }
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < kCols; ++c)
        view.setColumnWidth(c, c < 4 ? 110 : 80);
    view.resize(kPageSize);
    view.show();
    QApplication::processEvents();
    const int visible = view.viewport()->height() / 18;
    RenderPages(state, view, [&](int top) { view.verticalScrollBar()->setValue(top); }, visible);
}

BENCHMARK(BM_Paint_TwMemGrid)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_Paint_Peer_QTableView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
