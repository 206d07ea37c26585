#include "reportviewer/TReportPageView.h"

#include <QPaintEvent>
#include <QPainter>

#include "reportviewer/TReportDocument.h"

TReportPageView::TReportPageView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pvwPages"));
    setAutoFillBackground(false);
}

void TReportPageView::SetDocument(const TReportDocument* document)
{
    m_document = document;
    Resize();
}

void TReportPageView::SetScale(double pixelsPerMm)
{
    m_scale = pixelsPerMm;
    Resize();
}

QSizeF TReportPageView::PageSizeMm() const
{
    return m_document ? m_document->layout.fullRect(QPageLayout::Millimeter).size() : QSizeF(210, 297);
}

void TReportPageView::Resize()
{
    const int pages = m_document ? m_document->PageCount() : 0;
    const QSizeF page = PageSizeMm() * m_scale;
    setFixedSize(int(page.width()) + 2 * Gap, pages * (int(page.height()) + Gap) + Gap);
    update();
}

void TReportPageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(128, 128, 128));
    if (!m_document)
        return;
    const QSizeF size = PageSizeMm() * m_scale;
    const QPointF margin(m_document->layout.margins(QPageLayout::Millimeter).left() * m_scale,
                         m_document->layout.margins(QPageLayout::Millimeter).top() * m_scale);
    for (int i = 0; i < m_document->PageCount(); ++i) {
        const QRect page(Gap, Gap + i * (int(size.height()) + Gap), int(size.width()), int(size.height()));
        if (!page.intersects(event->rect()))
            continue;
        painter.fillRect(page.translated(3, 3), QColor(80, 80, 80));
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.setClipRect(page);
        painter.translate(QPointF(page.topLeft()) + margin);
        m_document->PaintPage(painter, i, m_scale);
        painter.restore();
    }
}
