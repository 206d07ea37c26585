#include "reportviewer/TReportDocument.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "common/KoreanFonts.h"
#include "controls/ESelvarError.h"

namespace {
// The report face ("굴림"); the Korean substitutes are installed once.
QFont ReportFont(double points, bool bold, double pixelsPerMm, const QPaintDevice* device)
{
    static const bool installed = [] {
        InstallKoreanFontSubstitutes();
        return true;
    }();
    Q_UNUSED(installed);
    QFont font(QStringLiteral("굴림"));
    font.setHintingPreference(QFont::PreferNoHinting);
    // The glyphs are `points` high on paper whatever the device's resolution.
    const double pixels = points * 25.4 / 72.0 * pixelsPerMm;
    font.setPointSizeF(std::max(0.5, pixels * 72.0 / std::max(1, device->logicalDpiY())));
    font.setBold(bold);
    return font;
}

QRectF Scaled(const QRectF& r, double k)
{
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}
} // namespace

QSizeF TReportDocument::ContentSize() const
{
    return layout.paintRect(QPageLayout::Millimeter).size();
}

void TReportDocument::PaintPage(QPainter& painter, int page, double pixelsPerMm) const
{
    if (page < 0 || page >= PageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.2 * pixelsPerMm));
    for (const TReportItem& item : pages[static_cast<std::size_t>(page)].items) {
        const QRectF r = Scaled(item.rect, pixelsPerMm);
        switch (item.kind) {
        case TReportItem::ikBox:
            painter.setPen(pen);
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : Qt::NoBrush);
            painter.drawRect(r);
            break;
        case TReportItem::ikLine:
            painter.setPen(pen);
            painter.drawLine(r.topLeft(), r.topRight());
            break;
        case TReportItem::ikImage:
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(r, item.image);
            break;
        case TReportItem::ikText: {
            const QFont font = ReportFont(item.size, item.bold, pixelsPerMm, painter.device());
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QRectF inner = r.adjusted(pixelsPerMm, 0, -pixelsPerMm, 0);
            const QString text = QFontMetricsF(font, painter.device()).elidedText(item.text, Qt::ElideRight, inner.width());
            painter.drawText(inner, int(item.align | Qt::AlignVCenter) | Qt::TextSingleLine, text);
            break;
        }
        }
    }
    painter.restore();
}

void TReportDocument::Print(QPagedPaintDevice& device) const
{
    device.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&device))
        throw ESelvarError(QStringLiteral("보고서를 출력하지 못했습니다."));
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    for (int page = 0; page < PageCount(); ++page) {
        if (page > 0)
            device.newPage();
        PaintPage(painter, page, pixelsPerMm);
    }
    painter.end();
}

void TReportDocument::SavePdf(const QString& path) const
{
    {
        QPdfWriter writer(path);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("selvar_n"));
        writer.setResolution(300);
        Print(writer);
    }
    if (QFileInfo(path).size() <= 0)
        throw ESelvarError(QStringLiteral("PDF 파일을 만들지 못했습니다.\r") + path);
}

QString TReportDocument::PageText(int page) const
{
    QStringList lines;
    if (page >= 0 && page < PageCount())
        for (const TReportItem& item : pages[static_cast<std::size_t>(page)].items)
            if (item.kind == TReportItem::ikText)
                lines << item.text;
    return lines.join(QLatin1Char('\n'));
}

double TReportDocument::Sum(const QString& query, const QString& field) const
{
    double total = 0;
    for (const TReportTable& t : tables)
        if (t.query == query)
            total += t.sums.value(field.toUpper());
    return total;
}

int TReportDocument::Rows(const QString& query) const
{
    int rows = 0;
    for (const TReportTable& t : tables)
        if (t.query == query)
            rows += static_cast<int>(t.rows.size());
    return rows;
}
