#include "screens/ExcelSheetLoader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScopeGuard>
#include <QThread>
#include <exception>

#include "common/EExcelError.h"
#include "common/MessageBoxes.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemGrid.h"

namespace ExcelSheetLoader {

namespace {

// Rows filled between two looks at the event queue: small enough for the
// bar to move smoothly, large enough to cost nothing next to the filling.
constexpr int RowsPerStep = 250;

TFileChooser& Chooser()
{
    static TFileChooser chooser;
    return chooser;
}

QString ChooseFile(QFileDialog* dialog)
{
    if (Chooser())
        return Chooser()();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return QString();
    return dialog->selectedFiles().constFirst();
}

// Reading a large file takes a while: it runs on a worker thread while the
// window goes on repainting and the bar shows that work is under way.
void OpenInBackground(TExcelApplication& app, const QString& fileName, QProgressBar* bar)
{
    std::exception_ptr failure;
    QThread* worker = QThread::create([&app, &fileName, &failure] {
        try {
            app.Workbooks().Open(fileName);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    bar->setRange(0, 0);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    bar->setRange(0, 1);
    bar->setValue(0);
    if (failure)
        std::rethrow_exception(failure);
}

void CheckFits(TwMemGrid* grid, int column, int sheetRow, const QString& text)
{
    const int capacity = grid->Column(column)->DataWidth();
    if (capacity > 0 && text.size() > capacity)
        throw EExcelError(QStringLiteral("엑셀 %1행 %2열의 값이 %3자를 넘어 읽을 수 없습니다.")
                              .arg(sheetRow)
                              .arg(column)
                              .arg(capacity));
}

void FillGrid(TwMemGrid* grid, const TExcelValueArray& values, int columns, QProgressBar* bar)
{
    const int rows = values.RowCount();
    grid->Clear();
    grid->SetRowCount(rows);
    bar->setRange(0, rows);
    grid->BeginUpdate();
    const auto done = qScopeGuard([grid] { grid->EndUpdate(true); });
    for (int r = 1; r <= rows; ++r) {
        for (int j = 1; j <= columns; ++j) {
            const QString text = values.Text(r, j);
            CheckFits(grid, j, r, text);
            grid->Cells(j, r - 1).SetAsString(text);
        }
        if (r % RowsPerStep == 0 || r == rows) {
            bar->setValue(r);
            QCoreApplication::processEvents();
        }
    }
}

} // namespace

void SetFileChooser(const TFileChooser& chooser)
{
    Chooser() = chooser;
}

QString LoadExcelFile(TwMemGrid* grid, QFileDialog* dialog, QLabel* label, QProgressBar* bar, int columns)
{
    auto app = TExcelApplication::Create(QStringLiteral("Excel.application"), TExcelApplication::epRead);
    if (!app) {
        ShowInfo(QStringLiteral("Excel이 설치되어 있지 않습니다!!!"));
        return QString();
    }
    const QString fileName = ChooseFile(dialog);
    if (fileName.isEmpty())
        return QString();
    const auto release = qScopeGuard([&app] {
        app->SetDisplayAlerts(false);
        app->Workbooks().Close();
        app->Quit();
    });
    OpenInBackground(*app, fileName, bar);
    grid->Clear();
    // Every row down to the last used one, also when the used range starts
    // below row 1: leading empty rows come in as empty lines, none is lost.
    const int rows = app->ActiveSheet().UsedRange().LastRow();
    const TExcelValueArray values = app->Range(app->Cells(1, 1), app->Cells(rows, columns)).Values();
    FillGrid(grid, values, columns, bar);
    const QString shortName = QFileInfo(fileName).fileName();
    label->setText(shortName + QStringLiteral("을 읽어들였습니다 ") + QString::number(rows) + QStringLiteral(" Line"));
    return shortName;
}

} // namespace ExcelSheetLoader
