// Holds the same 100,000 x 12 table in three stores and times filling it,
// sorting it by a float column and summing a float column:
//   grid  - TwMemGrid (rows appended as the screens do, a Sum footer)
//   model - QStandardItemModel, what a Qt developer would reach for
//   limit - plain std::vector columns, the practical floor for a column store
// Each store runs in its own process so that peak memory is its own; every
// store runs several times and the medians are reported.
//   bench_memgrid [runs]            run all stores and print the comparison
//   bench_memgrid --store <name>    one run of one store (used internally)

#include <QApplication>
#include <QDate>
#include <QStandardItemModel>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "controls/TwColumns.h"
#include "controls/TwGridFooters.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"

namespace {
constexpr int kRows = 100000;
constexpr int kTextCols = 4;
constexpr int kFloatCols = 6;
constexpr int kDateCols = 2;
constexpr int kSortCol = kTextCols + 1;  // second float column
constexpr int kSumCol = kTextCols + 2;   // third float column
const QDate kSerialBase(1899, 12, 30);

// The source rows, generated before any timing.
struct Source
{
    std::vector<std::vector<QString>> texts{kTextCols};
    std::vector<std::vector<double>> floats{kFloatCols};
    std::vector<std::vector<QDate>> dates{kDateCols};
};

Source MakeSource()
{
    static const QString syllables = QStringLiteral("가나다라마바사아자차카타파하임대업장관리계약");
    std::mt19937 rng(20241209);
    Source s;
    for (int c = 0; c < kTextCols; ++c) {
        s.texts[size_t(c)].reserve(kRows);
        for (int r = 0; r < kRows; ++r) {
            QString text = QStringLiteral("%1-%2 ").arg(c).arg(r, 6, 10, QLatin1Char('0'));
            while (text.size() < 20)
                text += syllables.at(int(rng() % unsigned(syllables.size())));
            s.texts[size_t(c)].push_back(text);
        }
    }
    for (int c = 0; c < kFloatCols; ++c)
        for (int r = 0; r < kRows; ++r)
            s.floats[size_t(c)].push_back(double(rng() % 100000000) / 100.0);
    for (int c = 0; c < kDateCols; ++c)
        for (int r = 0; r < kRows; ++r)
            s.dates[size_t(c)].push_back(QDate(2000, 1, 1).addDays(int(rng() % 9000)));
    return s;
}

double Serial(const QDate& d) { return double(kSerialBase.daysTo(d)); }

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Result
{
    double fill = 0, sort = 0, sum = 0, peakMiB = 0, total = 0;
};

Result RunGrid(const Source& s)
{
    Result res;
    auto* grid = new TwMemGrid;
    for (int c = 0; c < kTextCols + kFloatCols + kDateCols; ++c) {
        auto* column = static_cast<TwMemColumn*>(grid->Columns()->Add());
        column->SetDataType(c < kTextCols ? wdtString : c < kTextCols + kFloatCols ? wdtFloat : wdtDate);
        column->SetDataWidth(c < kTextCols ? 40 : 0);
    }
    grid->Footers()->Add();
    static_cast<TwMemColumnFooter*>(grid->Column(kSumCol)->Footer())->SetStyle(0, QStringLiteral("399990"));

    auto t0 = Clock::now();
    for (int r = 0; r < kRows; ++r) {
        grid->AppendRow(true, false, false);
        for (int c = 0; c < kTextCols; ++c)
            grid->Cells(c, r).SetAsString(s.texts[size_t(c)][size_t(r)]);
        for (int c = 0; c < kFloatCols; ++c)
            grid->Cells(kTextCols + c, r).SetAsFloat(s.floats[size_t(c)][size_t(r)]);
        for (int c = 0; c < kDateCols; ++c)
            grid->Cells(kTextCols + kFloatCols + c, r).SetAsFloat(Serial(s.dates[size_t(c)][size_t(r)]));
    }
    res.fill = MsSince(t0);
    t0 = Clock::now();
    grid->Sort(kSortCol, false, true);
    res.sort = MsSince(t0);
    t0 = Clock::now();
    grid->CalcFooters();
    res.sum = MsSince(t0);
    res.total = grid->Column(kSumCol)->Footer()->Values(0).toDouble();
    return res;
}

Result RunModel(const Source& s)
{
    Result res;
    auto* model = new QStandardItemModel(0, kTextCols + kFloatCols + kDateCols);
    auto t0 = Clock::now();
    for (int r = 0; r < kRows; ++r) {
        QList<QStandardItem*> items;
        items.reserve(kTextCols + kFloatCols + kDateCols);
        for (int c = 0; c < kTextCols; ++c)
            items.append(new QStandardItem(s.texts[size_t(c)][size_t(r)]));
        for (int c = 0; c < kFloatCols; ++c) {
            auto* item = new QStandardItem;
            item->setData(s.floats[size_t(c)][size_t(r)], Qt::DisplayRole);
            items.append(item);
        }
        for (int c = 0; c < kDateCols; ++c) {
            auto* item = new QStandardItem;
            item->setData(s.dates[size_t(c)][size_t(r)], Qt::DisplayRole);
            items.append(item);
        }
        model->appendRow(items);
    }
    res.fill = MsSince(t0);
    t0 = Clock::now();
    model->sort(kSortCol, Qt::AscendingOrder);
    res.sort = MsSince(t0);
    t0 = Clock::now();
    long double total = 0;
    for (int r = 0; r < kRows; ++r)
        total += model->data(model->index(r, kSumCol)).toDouble();
    res.sum = MsSince(t0);
    res.total = double(total);
    return res; // the model is left to the process end: destroying it takes minutes
}

Result RunLimit(const Source& s)
{
    Result res;
    std::vector<std::vector<QString>> texts(kTextCols);
    std::vector<std::vector<double>> numbers(kFloatCols + kDateCols);
    auto t0 = Clock::now();
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kTextCols; ++c)
            texts[size_t(c)].push_back(s.texts[size_t(c)][size_t(r)]);
        for (int c = 0; c < kFloatCols; ++c)
            numbers[size_t(c)].push_back(s.floats[size_t(c)][size_t(r)]);
        for (int c = 0; c < kDateCols; ++c)
            numbers[size_t(kFloatCols + c)].push_back(Serial(s.dates[size_t(c)][size_t(r)]));
    }
    res.fill = MsSince(t0);
    t0 = Clock::now();
    const std::vector<double>& key = numbers[size_t(kSortCol - kTextCols)];
    std::vector<int> order(kRows);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[size_t(a)] < key[size_t(b)]; });
    for (auto& column : texts) {
        std::vector<QString> sorted;
        sorted.reserve(column.size());
        for (const int from : order)
            sorted.push_back(std::move(column[size_t(from)]));
        column.swap(sorted);
    }
    for (auto& column : numbers) {
        std::vector<double> sorted(column.size());
        for (size_t i = 0; i < order.size(); ++i)
            sorted[i] = column[size_t(order[i])];
        column.swap(sorted);
    }
    res.sort = MsSince(t0);
    t0 = Clock::now();
    long double total = 0;
    for (const double v : numbers[size_t(kSumCol - kTextCols)])
        total += v;
    res.sum = MsSince(t0);
    res.total = double(total);
    return res;
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

int RunStore(int argc, char** argv, const std::string& store)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Source source = MakeSource();
    Result res = store == "grid" ? RunGrid(source) : store == "model" ? RunModel(source) : RunLimit(source);
    res.peakMiB = PeakMiB();
    std::printf("%.3f %.3f %.3f %.1f %.2f\n", res.fill, res.sort, res.sum, res.peakMiB, res.total);
    std::fflush(stdout);
    std::_Exit(0);
}

Result RunChild(const char* self, const std::string& store)
{
    const std::string command = std::string(self) + " --store " + store;
    Result res;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf %lf %lf %lf %lf", &res.fill, &res.sort, &res.sum, &res.peakMiB, &res.total) != 5)
            std::fprintf(stderr, "store %s gave no result\n", store.c_str());
        pclose(pipe);
    }
    return res;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Result MedianOf(const std::vector<Result>& runs)
{
    auto pick = [&](double Result::*field) {
        std::vector<double> v;
        for (const Result& r : runs)
            v.push_back(r.*field);
        return Median(v);
    };
    return Result{pick(&Result::fill), pick(&Result::sort), pick(&Result::sum), pick(&Result::peakMiB),
                  pick(&Result::total)};
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--store")
        return RunStore(argc, argv, argv[2]);
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return 1;
    std::map<std::string, Result> med;
    for (const std::string store : {"grid", "model", "limit"}) {
        std::vector<Result> results;
        for (int i = 0; i < runs; ++i)
            results.push_back(RunChild(self, store));
        med[store] = MedianOf(results);
    }
    std::printf("%d rows x %d columns (%d text, %d float, %d date), median of %d runs per store\n", kRows,
                kTextCols + kFloatCols + kDateCols, kTextCols, kFloatCols, kDateCols, runs);
    std::printf("%-8s %10s %10s %10s %12s   %s\n", "store", "fill ms", "sort ms", "sum ms", "peak MiB", "sum value");
    for (const char* store : {"grid", "model", "limit"}) {
        const Result& r = med[store];
        std::printf("%-8s %10.1f %10.1f %10.2f %12.1f   %.2f\n", store, r.fill, r.sort, r.sum, r.peakMiB, r.total);
    }
    const Result& g = med["grid"];
    const Result& m = med["model"];
    const Result& l = med["limit"];
    std::printf("\ngrid vs model (goal: fill >= 5x, sort >= 10x, sum >= 10x faster, memory <= 1/3)\n");
    std::printf("  fill %.1fx faster, sort %.1fx faster, sum %.1fx faster, memory %.2f of the model's\n",
                m.fill / g.fill, m.sort / g.sort, m.sum / g.sum, g.peakMiB / m.peakMiB);
    std::printf("grid vs limit (how far from the floor)\n");
    std::printf("  fill %.1fx, sort %.1fx, sum %.1fx the time; memory %.2fx\n", g.fill / l.fill, g.sort / l.sort,
                g.sum / l.sum, g.peakMiB / l.peakMiB);
    return 0;
}
