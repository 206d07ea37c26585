#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// One mark on a page: a line of text in its box, a framed (and perhaps
// filled) box, a horizontal rule, or a picture scaled into its box. Positions are millimetres from the top
// left corner of the page's printable area (inside the margins).
struct TReportItem
{
    enum TKind { ikText, ikBox, ikLine, ikImage };

    TKind kind = ikText;
    QRectF rect;
    QString text;
    double size = 9; // points
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
    QColor fill; // boxes; invalid = not filled
    QImage image; // pictures
};

struct TReportPage
{
    std::vector<TReportItem> items;
};

// The rows a table of the report showed (values by field name, as read) and
// the sums of its summed columns, so that the figures can be read back.
struct TReportTable
{
    QString query;
    std::vector<QHash<QString, QVariant>> rows;
    QHash<QString, double> sums;
};

// A laid-out report: its pages in order, painted the same way on the screen,
// a printer or a PDF file.
class TReportDocument
{
public:
    QString title;
    QPageLayout layout;
    std::vector<TReportPage> pages;
    std::vector<TReportTable> tables;

    int PageCount() const { return static_cast<int>(pages.size()); }
    // The printable area in millimetres.
    QSizeF ContentSize() const;

    // Paints one page with its printable area's corner at the painter's
    // origin, `pixelsPerMm` device pixels to the millimetre.
    void PaintPage(QPainter& painter, int page, double pixelsPerMm) const;

    // Every page onto a printer or a PDF writer, in the report's page layout.
    void Print(QPagedPaintDevice& device) const;
    // Throws ESelvarError when the file cannot be written.
    void SavePdf(const QString& path) const;

    // The texts of a page, one per line, in the order they were laid out.
    QString PageText(int page) const;
    // The sums of every table made from `query`, added up.
    double Sum(const QString& query, const QString& field) const;
    int Rows(const QString& query) const;
};
