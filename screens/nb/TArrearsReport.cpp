#include "screens/nb/TArrearsReport.h"

#include <QPageLayout>
#include <QPageSize>
#include <algorithm>

#include "common/CommonHelpers.h"
#include "reportviewer/TReportDocument.h"
#include "screens/ScreenGrid.h"

namespace TArrearsReport {

namespace {
const QColor TitleFill(225, 230, 238);

QString KindName(const QString& amtCode)
{
    if (amtCode == QLatin1String("01"))
        return QStringLiteral("보증금");
    if (amtCode == QLatin1String("02"))
        return QStringLiteral("임대료");
    return amtCode == QLatin1String("03") ? QStringLiteral("관리비") : amtCode;
}

// Lays items out from the top of a page down, starting new pages as needed.
class TPageWriter
{
public:
    TPageWriter(TReportDocument& document) : m_doc(document) { NewPage(); }

    double Width() const { return m_doc.ContentSize().width(); }
    double Y() const { return m_y; }
    void Skip(double height) { m_y += height; }
    bool Fits(double height) const { return m_y + height <= m_doc.ContentSize().height() - 6; }
    void NewPage()
    {
        m_doc.pages.emplace_back();
        m_y = 0;
    }

    void Text(double x, double width, double height, const QString& text, double size = 9, bool bold = false,
              Qt::Alignment align = Qt::AlignLeft)
    {
        TReportItem item;
        item.rect = QRectF(x, m_y, width, height);
        item.text = text;
        item.size = size;
        item.bold = bold;
        item.align = align;
        Page().items.push_back(item);
    }
    void Box(double x, double width, double height, const QColor& fill = QColor())
    {
        TReportItem item;
        item.kind = TReportItem::ikBox;
        item.rect = QRectF(x, m_y, width, height);
        item.fill = fill;
        Page().items.push_back(item);
    }
    void Line()
    {
        TReportItem item;
        item.kind = TReportItem::ikLine;
        item.rect = QRectF(0, m_y, Width(), 0);
        Page().items.push_back(item);
    }
    void Image(const QImage& image, double height)
    {
        TReportItem item;
        item.kind = TReportItem::ikImage;
        item.rect = QRectF(0, m_y, Width(), height);
        item.image = image;
        Page().items.push_back(item);
        m_y += height;
    }

    struct Cell
    {
        QString text;
        double width;
        Qt::Alignment align;
    };
    // One framed line of cells.
    void Row(const std::vector<Cell>& cells, double height, double size, bool bold = false,
             const QColor& fill = QColor())
    {
        double x = 0;
        for (const Cell& cell : cells) {
            Box(x, cell.width, height, fill);
            Text(x, cell.width, height, cell.text, size, bold, cell.align);
            x += cell.width;
        }
        m_y += height;
    }

    // "n / N" at the foot of every page.
    void NumberPages()
    {
        const int count = m_doc.PageCount();
        const double bottom = m_doc.ContentSize().height() - 5;
        for (int p = 0; p < count; ++p) {
            TReportItem item;
            item.rect = QRectF(0, bottom, Width(), 5);
            item.text = QStringLiteral("%1 / %2").arg(p + 1).arg(count);
            item.size = 8;
            item.align = Qt::AlignHCenter;
            m_doc.pages[std::size_t(p)].items.push_back(item);
        }
    }

private:
    TReportPage& Page() { return m_doc.pages.back(); }

    TReportDocument& m_doc;
    double m_y = 0;
};

std::unique_ptr<TReportDocument> NewDocument(const QString& title, QPageLayout::Orientation orientation)
{
    auto doc = std::make_unique<TReportDocument>();
    doc->title = title;
    doc->layout = QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(12, 12, 12, 12),
                              QPageLayout::Millimeter);
    return doc;
}

QString Amount(double value)
{
    return ScreenGrid::GroupedAmount(value);
}

std::vector<TPageWriter::Cell> AgingHeader(const std::vector<double>& widths)
{
    std::vector<TPageWriter::Cell> cells;
    QStringList captions{QStringLiteral("거래처"), QStringLiteral("대표자"), QStringLiteral("업장")};
    for (const char* caption : TArrearsAging::Captions)
        captions << QString::fromUtf8(caption);
    captions << QStringLiteral("합계") << QStringLiteral("최장일수");
    for (int i = 0; i < captions.size(); ++i)
        cells.push_back({captions[i], widths[std::size_t(i)], Qt::AlignHCenter});
    return cells;
}
} // namespace

std::unique_ptr<TReportDocument> Aging(const QString& conditions, const QString& refDate,
                                       const std::vector<TArrearsAgingQuery::TContract>& contracts,
                                       const QImage& chart)
{
    auto doc = NewDocument(QStringLiteral("미수금 연령 분석"), QPageLayout::Landscape);
    TPageWriter page(*doc);
    const double width = page.Width();
    page.Text(0, width, 9, doc->title, 15, true, Qt::AlignHCenter);
    page.Skip(10);
    page.Text(0, width * 0.7, 5, conditions, 9);
    page.Text(width * 0.7, width * 0.3, 5, QStringLiteral("기준일 ") + FormatDateText(refDate), 9, false,
              Qt::AlignRight);
    page.Skip(6);
    if (!chart.isNull())
        page.Image(chart, std::min(88.0, width * chart.height() / std::max(1, chart.width())));
    page.Skip(3);

    // Shares of the page width: names, six buckets, total, days.
    const double amountWidth = 24;
    const std::vector<double> widths{36, 18, 40, amountWidth, amountWidth, amountWidth, amountWidth,
                                     amountWidth, amountWidth, 0, 13};
    std::vector<double> w = widths;
    w[9] = width - (36 + 18 + 40 + 6 * amountWidth + 13);
    const double rowHeight = 5.2;
    page.Row(AgingHeader(w), 6, 8, true, TitleFill);
    TArrearsAging::Result sum;
    for (const auto& c : contracts) {
        if (!page.Fits(rowHeight * 2)) {
            page.NewPage();
            page.Row(AgingHeader(w), 6, 8, true, TitleFill);
        }
        std::vector<TPageWriter::Cell> cells{{c.cName, w[0], Qt::AlignLeft},
                                             {c.bossName, w[1], Qt::AlignLeft},
                                             {c.shopName, w[2], Qt::AlignLeft}};
        for (int b = 0; b < TArrearsAging::abCount; ++b)
            cells.push_back({Amount(c.aging.buckets[b]), w[std::size_t(3 + b)], Qt::AlignRight});
        cells.push_back({Amount(c.aging.Total()), w[9], Qt::AlignRight});
        cells.push_back({QString::number(c.aging.longestDays), w[10], Qt::AlignRight});
        page.Row(cells, rowHeight, 7.5);
        sum += c.aging;
    }
    std::vector<TPageWriter::Cell> total{{QStringLiteral("합계 (%1건)").arg(contracts.size()), w[0] + w[1] + w[2],
                                          Qt::AlignHCenter}};
    for (int b = 0; b < TArrearsAging::abCount; ++b)
        total.push_back({Amount(sum.buckets[b]), w[std::size_t(3 + b)], Qt::AlignRight});
    total.push_back({Amount(sum.Total()), w[9], Qt::AlignRight});
    total.push_back({QString(), w[10], Qt::AlignRight});
    page.Row(total, 6, 8, true, TitleFill);
    page.NumberPages();
    return doc;
}

std::unique_ptr<TReportDocument> Letters(const std::vector<TLetter>& letters, const QString& refDate,
                                         const QString& sender)
{
    auto doc = NewDocument(QStringLiteral("독촉장"), QPageLayout::Portrait);
    doc->pages.clear();
    for (const TLetter& letter : letters) {
        const auto& c = letter.contract;
        TPageWriter page(*doc);
        const double width = page.Width();
        page.Skip(8);
        page.Text(0, width, 14, QStringLiteral("독  촉  장"), 24, true, Qt::AlignHCenter);
        page.Skip(24);
        page.Text(0, width, 7, QStringLiteral("수    신 : %1  (대표 %2 귀하)").arg(c.cName, c.bossName), 11, true);
        page.Skip(8);
        page.Text(0, width, 7, QStringLiteral("주    소 : %1").arg(letter.address), 11);
        page.Skip(8);
        page.Text(0, width, 7,
                  QStringLiteral("계    약 : %1 (%2 ~ %3)")
                      .arg(c.shopName, FormatDateText(c.startDate), FormatDateText(c.endDate)),
                  11);
        page.Skip(12);
        page.Text(0, width, 6,
                  QStringLiteral("귀하의 %1 현재 미납 금액이 아래와 같이 남아 있습니다.").arg(FormatDateText(refDate)),
                  11);
        page.Skip(7);
        page.Text(0, width, 6, QStringLiteral("조속히 납부하여 주시기 바랍니다."), 11);
        page.Skip(12);

        const std::vector<double> w{50, 42, 34, width - 126};
        page.Row({{QStringLiteral("구분"), w[0], Qt::AlignHCenter},
                  {QStringLiteral("납기일"), w[1], Qt::AlignHCenter},
                  {QStringLiteral("경과일수"), w[2], Qt::AlignHCenter},
                  {QStringLiteral("미납액"), w[3], Qt::AlignHCenter}},
                 8, 10, true, TitleFill);
        // Oldest first, as the tenant reads a statement.
        std::vector<TArrearsAgingQuery::TContract::TCodeShare> shares = c.shares;
        std::stable_sort(shares.begin(), shares.end(), [](const auto& a, const auto& b) {
            return a.share.dueDate < b.share.dueDate;
        });
        double lateFee = 0;
        for (const auto& s : shares) {
            if (s.share.lateFee) {
                lateFee += s.share.amount;
                continue;
            }
            const int days = s.share.dueDate.isEmpty() ? 0 : TArrearsAging::DaysLate(s.share.dueDate, refDate);
            page.Row({{KindName(s.amtCode), w[0], Qt::AlignHCenter},
                      {FormatDateText(s.share.dueDate), w[1], Qt::AlignHCenter},
                      {days > 0 ? QStringLiteral("%1일").arg(days) : QStringLiteral("미도래"), w[2], Qt::AlignHCenter},
                      {Amount(s.share.amount), w[3], Qt::AlignRight}},
                     7, 10);
        }
        page.Row({{QStringLiteral("연체료 (월 마감 이월)"), w[0] + w[1] + w[2], Qt::AlignHCenter},
                  {Amount(lateFee), w[3], Qt::AlignRight}},
                 7, 10);
        page.Row({{QStringLiteral("합  계"), w[0] + w[1] + w[2], Qt::AlignHCenter},
                  {Amount(c.aging.Total()), w[3], Qt::AlignRight}},
                 8, 11, true, TitleFill);
        page.Skip(10);
        page.Text(0, width, 6,
                  QStringLiteral("연체료는 월 마감 때 미납액에 계약의 연체 요율을 적용하여 계산되며, 납부가 늦어지면 "
                                 "다음 마감에 더해집니다."),
                  9);
        page.Skip(26);
        page.Text(0, width, 7, FormatDateText(refDate), 11, false, Qt::AlignHCenter);
        page.Skip(12);
        page.Text(0, width, 8, sender, 13, true, Qt::AlignHCenter);
    }
    return doc;
}

} // namespace TArrearsReport
