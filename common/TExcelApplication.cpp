#include "common/TExcelApplication.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include "common/EExcelError.h"
#include "common/TConfigFile.h"
#include "common/TXlsxWriter.h"

namespace {

const char kDesktopPrefix[] = "desktop:";

TExcelApplication::THost& CurrentHost()
{
    static TExcelApplication::THost host = TExcelApplication::DefaultHost();
    return host;
}

// The program's own INI file may name the viewer: section "Excel", key
// "Viewer", a program name or path that is started with the file's path.
QString ViewerFromIni()
{
    const QString exe = QCoreApplication::applicationFilePath();
    const QString ini = QFileInfo(exe).absolutePath() + u'/' + QFileInfo(exe).completeBaseName()
                        + QStringLiteral(".ini");
    if (!QFileInfo::exists(ini))
        return {};
    // Read as the connection file is: UTF-8, UTF-16 with a mark or code page 949.
    const QString viewer = TConfigFile::Value(ini, QStringLiteral("Excel/Viewer")).toString().trimmed();
    if (viewer.isEmpty())
        return {};
    const QFileInfo path(viewer);
    if (path.isAbsolute())
        return path.isExecutable() ? viewer : QString();
    return QStandardPaths::findExecutable(viewer).isEmpty() ? QString() : viewer;
}

// The desktop's handler for .xlsx files, as the freedesktop tools know it.
QString ViewerFromDesktop()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit
        || query.exitCode() != 0) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    const QString handler = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    return handler.isEmpty() ? QString() : QLatin1String(kDesktopPrefix) + handler;
}

} // namespace

TExcelApplication::THost TExcelApplication::DefaultHost()
{
    THost host;
    host.FindViewer = [] {
        const QString viewer = ViewerFromIni();
        return viewer.isEmpty() ? ViewerFromDesktop() : viewer;
    };
    host.Show = [](const QString& viewer, const QString& fileName) {
        if (viewer.startsWith(QLatin1String(kDesktopPrefix)))
            return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
        return QProcess::startDetached(viewer, {fileName});
    };
    return host;
}

void TExcelApplication::SetHost(const THost& host)
{
    CurrentHost() = host;
}

std::unique_ptr<TExcelApplication> TExcelApplication::Create(const QString& progId, TPurpose purpose)
{
    if (progId.compare(QLatin1String("Excel.Application"), Qt::CaseInsensitive) != 0)
        return nullptr;
    QString viewer;
    if (purpose == epShow) {
        viewer = CurrentHost().FindViewer ? CurrentHost().FindViewer() : QString();
        if (viewer.isEmpty())
            return nullptr;
    }
    return std::unique_ptr<TExcelApplication>(new TExcelApplication(viewer));
}

TExcelApplication::TExcelApplication(const QString& viewer) : m_viewer(viewer)
{
}

TExcelWorksheet& TExcelApplication::ActiveSheet()
{
    TExcelWorkbook* book = m_workbooks.Active();
    if (!book)
        throw EExcelError(QStringLiteral("열려 있는 통합 문서가 없습니다."));
    return book->ActiveSheet();
}

TExcelRange TExcelApplication::Cells(int row, int col)
{
    return ActiveSheet().Cells(row, col);
}

TExcelRange TExcelApplication::Range(const TExcelRange& first, const TExcelRange& last)
{
    return ActiveSheet().Range(first, last);
}

void TExcelApplication::SetVisible(bool visible)
{
    m_visible = visible;
    if (!visible)
        return;
    for (int i = 0; i < m_workbooks.Count(); ++i)
        if (!m_workbooks.Item(i).Shown())
            Show(m_workbooks.Item(i));
}

void TExcelApplication::Show(TExcelWorkbook& book)
{
    if (m_viewer.isEmpty())
        throw EExcelError(QStringLiteral("통합 문서를 보여 줄 프로그램이 없습니다."));
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/selvar_XXXXXX.xlsx"));
    file.setAutoRemove(false);
    if (!file.open())
        throw EExcelError(QStringLiteral("통합 문서를 임시 파일로 저장할 수 없습니다."));
    const QString fileName = file.fileName();
    file.close();
    TXlsxWriter::Write(book, fileName);
    if (!CurrentHost().Show || !CurrentHost().Show(m_viewer, fileName))
        throw EExcelError(QStringLiteral("통합 문서를 보여 줄 프로그램을 실행할 수 없습니다."));
    book.SetShown(true);
    m_shownFiles.append(fileName);
}

void TExcelApplication::Quit()
{
    m_workbooks.Close();
    m_visible = false;
}
