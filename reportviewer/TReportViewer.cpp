#include "reportviewer/TReportViewer.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/MessageBoxes.h"
#include "controls/ESelvarError.h"
#include "reportviewer/TReportArguments.h"
#include "reportviewer/TReportBuilder.h"
#include "reportviewer/TReportDefinition.h"
#include "reportviewer/TReportDocument.h"
#include "reportviewer/TReportPageView.h"
#include "reportviewer/TReportSource.h"

namespace {
constexpr short MinZoom = 10;
constexpr short MaxZoom = 400;
constexpr short ZoomStep = 25;

QString Reason(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const ESelvarError*>(&e))
        return own->Message();
    return QString::fromLocal8Bit(e.what());
}
} // namespace

TReportViewer::TReportViewer(QWidget* parent) : QWidget(parent), m_timeoutMs(TReportSource::DefaultTimeoutMs)
{
    setObjectName(QStringLiteral("ReportViewer1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout();
    bar->setContentsMargins(4, 2, 4, 0);
    btnZoomOut = Button(QStringLiteral("btnZoomOut"), QStringLiteral("축소"));
    lblZoom = new QLabel(this);
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    lblZoom->setMinimumWidth(44);
    lblZoom->setAlignment(Qt::AlignCenter);
    btnZoomIn = Button(QStringLiteral("btnZoomIn"), QStringLiteral("확대"));
    btnFitWidth = Button(QStringLiteral("btnFitWidth"), QStringLiteral("폭 맞춤"));
    btnFitPage = Button(QStringLiteral("btnFitPage"), QStringLiteral("쪽 맞춤"));
    btnPreview = Button(QStringLiteral("btnPreview"), QStringLiteral("인쇄 미리보기"));
    btnPrint = Button(QStringLiteral("btnPrint"), QStringLiteral("인쇄"));
    btnPdf = Button(QStringLiteral("btnPdf"), QStringLiteral("PDF 저장"));
    lblPages = new QLabel(this);
    lblPages->setObjectName(QStringLiteral("lblPages"));
    lblPages->setMinimumWidth(80);
    for (QWidget* w : std::initializer_list<QWidget*>{btnZoomOut, lblZoom, btnZoomIn, btnFitWidth, btnFitPage})
        bar->addWidget(w);
    bar->addSpacing(12);
    for (QWidget* w : std::initializer_list<QWidget*>{btnPreview, btnPrint, btnPdf})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(lblPages);
    prgBuild = new QProgressBar(this);
    prgBuild->setObjectName(QStringLiteral("prgBuild"));
    prgBuild->setMaximumWidth(240);
    prgBuild->setFormat(QStringLiteral("%v / %m"));
    prgBuild->hide();
    btnCancelBuild = Button(QStringLiteral("btnCancelBuild"), QStringLiteral("작성 취소"));
    btnCancelBuild->hide();
    bar->addWidget(prgBuild);
    bar->addWidget(btnCancelBuild);
    bar->addStretch(1);
    layout->addLayout(bar);

    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setStyleSheet(QStringLiteral("color: #a00000; padding: 4px;"));
    lblMessage->hide();
    layout->addWidget(lblMessage);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPages"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new TReportPageView();
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    connect(btnZoomOut, &QToolButton::clicked, this, [this] {
        SetAutoAdjust(0);
        SetZoomRatio(short(m_zoomRatio - ZoomStep));
    });
    connect(btnZoomIn, &QToolButton::clicked, this, [this] {
        SetAutoAdjust(0);
        SetZoomRatio(short(m_zoomRatio + ZoomStep));
    });
    connect(btnFitWidth, &QToolButton::clicked, this, [this] { SetAutoAdjust(1); });
    connect(btnFitPage, &QToolButton::clicked, this, [this] { SetAutoAdjust(2); });
    connect(btnPreview, &QToolButton::clicked, this, [this] { Preview(); });
    connect(btnPrint, &QToolButton::clicked, this, [this] { Print(); });
    connect(btnPdf, &QToolButton::clicked, this, [this] { ExportPdf(); });
    connect(btnCancelBuild, &QToolButton::clicked, this, [this] { m_cancelled = true; });
    ApplyZoom();
    UpdateCommands();
}

TReportViewer::~TReportViewer() = default;

QToolButton* TReportViewer::Button(const QString& name, const QString& caption)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TReportViewer::SetAutoAdjust(short value)
{
    m_autoAdjust = std::clamp<short>(value, 0, 2);
    ApplyZoom();
}

void TReportViewer::SetZoomRatio(short value)
{
    m_zoomRatio = std::clamp(value, MinZoom, MaxZoom);
    ApplyZoom();
}

bool TReportViewer::Open(const QString& reportUrl, const QString& arguments)
{
    if (m_building) // a search pressed while the last one is still being laid out
        return false;
    ++m_openCount;
    m_cancelled = false;
    m_lastUrl = reportUrl;
    m_lastArguments = arguments;
    m_error.clear();
    std::unique_ptr<TReportDocument> document;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        document = Load(QUrl(reportUrl, QUrl::TolerantMode), TReportArguments::Parse(arguments));
    } catch (const std::exception& e) {
        Fail(Reason(e));
        return false;
    }
    Show(std::move(document));
    return true;
}

void TReportViewer::Show(std::unique_ptr<TReportDocument> document)
{
    m_error.clear();
    m_view->SetDocument(nullptr);
    m_document = std::move(document);
    m_view->SetDocument(m_document.get());
    lblMessage->hide();
    ApplyZoom();
    UpdateCommands();
    m_scroll->verticalScrollBar()->setValue(0);
}

std::unique_ptr<TReportDocument> TReportViewer::Load(const QUrl& url, const QStringList& arguments)
{
    const TReportDefinition definition = TReportDefinition::FromJson(TReportSource::Fetch(url, m_timeoutMs));
    if (!m_database)
        throw ESelvarError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
    TReportBuilder builder(definition, *m_database, arguments);
    m_building = true;
    m_lastProgressMs = 0;
    QElapsedTimer clock;
    clock.start();
    const auto done = qScopeGuard([this] {
        m_building = false;
        prgBuild->hide();
        btnCancelBuild->hide();
        m_view->SetDocument(nullptr);
    });
    builder.SetProgress([&](int laid, int total) {
        // The screen is brought up to date a few times a second, not per row.
        if (laid < total && clock.elapsed() - m_lastProgressMs < 100 && laid > 1)
            return true;
        m_lastProgressMs = clock.elapsed();
        return Progress(builder.Partial(), laid, total);
    });
    return std::make_unique<TReportDocument>(builder.Build());
}

bool TReportViewer::Progress(const TReportDocument& partial, int done, int total)
{
    if (total < 2)
        return !m_cancelled;
    prgBuild->setRange(0, total);
    prgBuild->setValue(done);
    prgBuild->show();
    btnCancelBuild->show();
    lblPages->setText(QStringLiteral("%1 쪽 작성 중").arg(partial.PageCount()));
    m_view->SetDocument(&partial);
    ApplyZoom();
    QApplication::restoreOverrideCursor(); // the clerk may press cancel
    QApplication::processEvents();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    return !m_cancelled;
}

// A report that failed is not left on the screen under the new conditions.
void TReportViewer::Fail(const QString& message)
{
    m_error = message;
    m_view->SetDocument(nullptr);
    m_document.reset();
    QString shown = message;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblMessage->setText(shown);
    lblMessage->show();
    UpdateCommands();
    if (!m_cancelled) // the clerk stopped it: the viewer says so, no box
        ShowError(QStringLiteral("보고서를 열지 못했습니다.\r\r") + message);
}

bool TReportViewer::HasPages() const
{
    return m_document && m_document->PageCount() > 0;
}

void TReportViewer::UpdateCommands()
{
    for (QToolButton* b : {btnPreview, btnPrint, btnPdf})
        b->setEnabled(HasPages());
    lblPages->setText(m_document ? QStringLiteral("총 %1 쪽").arg(m_document->PageCount()) : QString());
}

void TReportViewer::ApplyZoom()
{
    const double screen = logicalDpiX() / 25.4;
    const QSizeF page = m_view->PageSizeMm();
    const QSize room = m_scroll->viewport()->size() - QSize(2 * TReportPageView::Gap + 2, 2 * TReportPageView::Gap + 2);
    double scale = screen * m_zoomRatio / 100.0;
    if (m_autoAdjust >= 1 && room.width() > 0)
        scale = room.width() / page.width();
    if (m_autoAdjust == 2 && room.height() > 0)
        scale = std::min(scale, room.height() / page.height());
    scale = std::max(scale, screen * MinZoom / 100.0);
    m_view->SetScale(scale);
    lblZoom->setText(QStringLiteral("%1%").arg(qRound(scale / screen * 100)));
}

void TReportViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_autoAdjust != 0)
        ApplyZoom();
}

void TReportViewer::Preview()
{
    if (!HasPages())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document->layout);
    printer.setDocName(m_document->title);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(m_document->title);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        try {
            m_document->Print(*target);
        } catch (const std::exception& e) {
            ShowError(Reason(e));
        }
    });
    dialog.exec();
}

void TReportViewer::Print()
{
    if (!HasPages())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_document->layout);
    printer.setDocName(m_document->title);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        m_document->Print(printer);
    } catch (const std::exception& e) {
        ShowError(Reason(e));
    }
}

void TReportViewer::ExportPdf()
{
    if (!HasPages())
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDF로 저장"), m_document->title + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        SavePdf(path);
    } catch (const std::exception& e) {
        ShowError(Reason(e));
    }
}

void TReportViewer::SavePdf(const QString& path) const
{
    if (!HasPages())
        throw ESelvarError(QStringLiteral("저장할 보고서가 없습니다."));
    m_document->SavePdf(path);
}
