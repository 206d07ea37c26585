// Start-up time of the client, whole process: from the start of the process to
// the main window's first paint with the menu loaded from the demo database.
// Peer: a bare Qt window with a menu bar and a tab control, also started as a
// process of its own (this program run with --bare). Both run offscreen.
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
QString g_self;

QString ClientPath()
{
    return QDir(QFileInfo(g_self).absolutePath()).filePath(QStringLiteral("../bin/selvar_n"));
}

// Starts a program, waits for its end and reports a failure as an error.
void RunToEnd(benchmark::State& state, const QString& program, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SELVAR_EXIT_AFTER_PAINT"), QStringLiteral("1"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, args);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError(qPrintable(QStringLiteral("%1 failed: %2")
                                               .arg(program, QString::fromLocal8Bit(process.readAllStandardError()))));
            break;
        }
    }
}

void BM_BareQtWindowProcess(benchmark::State& state)
{
    RunToEnd(state, g_self, {QStringLiteral("--bare")});
}

void BM_ClientStartupOnDemoDatabase(benchmark::State& state)
{
    RunToEnd(state, ClientPath(),
             {QStringLiteral("DEMO"), QStringLiteral("SELVAR"), QStringLiteral("10000001"),
              QStringLiteral("김관리")});
}

// The peer: a main window with a menu bar and tabs that ends after its first paint.
class BareWindow : public QMainWindow
{
public:
    BareWindow()
    {
        QMenu* menu = menuBar()->addMenu(QStringLiteral("창(&W)"));
        menu->addAction(QStringLiteral("종료"));
        setCentralWidget(new QTabWidget(this));
        resize(1024, 746);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QMainWindow::paintEvent(e);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

int RunBareWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.show();
    return app.exec();
}
} // namespace

// One process per repetition, so the median aggregate is the median process.
BENCHMARK(BM_BareQtWindowProcess)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(21)->ReportAggregatesOnly(true);
BENCHMARK(BM_ClientStartupOnDemoDatabase)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(21)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return RunBareWindow(argc, argv);
    g_self = QString::fromLocal8Bit(argv[0]);
    if (!g_self.contains(QLatin1Char('/')))
        g_self = QStandardPaths::findExecutable(g_self);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
