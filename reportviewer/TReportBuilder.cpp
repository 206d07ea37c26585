#include "reportviewer/TReportBuilder.h"

#include <QRegularExpression>
#include <QScopeGuard>

#include "common/TBusinessClock.h"
#include "common/TDatabase.h"
#include "common/TQuery.h"
#include "controls/ESelvarError.h"
#include "reportviewer/TReportFormat.h"

namespace {
const QColor TitleFill(225, 225, 225);
const QColor GroupFill(240, 240, 240);
const QColor SumFill(232, 238, 246);
constexpr double BandGap = 2.0;   // mm between a page band and the body
constexpr double CellPadding = 1.2; // mm added to a text line in a framed cell
constexpr double PointMm = 25.4 / 72.0;
} // namespace

struct TReportBuilder::TCell
{
    QString text;
    Qt::Alignment align;
};

TReportBuilder::TReportBuilder(const TReportDefinition& definition, TDatabase& database,
                               const QStringList& arguments)
    : m_definition(definition), m_database(database)
{
    for (std::size_t i = 0; i < definition.parameters.size(); ++i)
        m_parameters.insert(definition.parameters[i].name, arguments.value(static_cast<qsizetype>(i)));
}

TReportDocument TReportBuilder::Build()
{
    m_document.title = m_definition.title;
    m_document.layout = m_definition.page;
    const QSizeF content = m_document.ContentSize();
    m_width = content.width();
    m_parameters.insert(QStringLiteral("#PAGE"), 1);
    m_parameters.insert(QStringLiteral("#PAGES"), 1);
    const double header = LayBand(m_definition.pageHeader, nullptr, 0);
    const double footer = LayBand(m_definition.pageFooter, nullptr, 0);
    m_top = header > 0 ? header + BandGap : 0;
    m_bottom = content.height() - (footer > 0 ? footer + BandGap : 0);
    NewPage();
    Lay(m_definition.body);
    Bands();
    return std::move(m_document);
}

// Page header and footer of every page, now that the page count is known.
void TReportBuilder::Bands()
{
    const double height = m_document.ContentSize().height();
    const int pages = m_document.PageCount();
    m_parameters.insert(QStringLiteral("#PAGES"), pages);
    for (int i = 0; i < pages; ++i) {
        m_parameters.insert(QStringLiteral("#PAGE"), i + 1);
        TReportPage& page = m_document.pages[static_cast<std::size_t>(i)];
        TReportPage header; // goes first, so the page reads from the top
        LayBand(m_definition.pageHeader, &header, 0);
        page.items.insert(page.items.begin(), header.items.begin(), header.items.end());
        const double footer = LayBand(m_definition.pageFooter, nullptr, 0);
        LayBand(m_definition.pageFooter, &page, height - footer);
    }
}

double TReportBuilder::LayBand(const std::vector<TReportElement>& band, TReportPage* page, double y)
{
    TReportPage* body = m_target;
    const double bodyY = m_y;
    m_target = page;
    m_y = y;
    m_inBand = true;
    Lay(band);
    const double height = m_y - y;
    m_inBand = false;
    m_target = body;
    m_y = bodyY;
    return height;
}

void TReportBuilder::NewPage()
{
    m_document.pages.emplace_back();
    m_target = &m_document.pages.back();
    m_y = m_top;
}

bool TReportBuilder::Reserve(double height)
{
    if (m_inBand || m_y + height <= m_bottom || m_y <= m_top)
        return false;
    NewPage();
    return true;
}

void TReportBuilder::Add(const TReportItem& item)
{
    if (m_target)
        m_target->items.push_back(item);
}

void TReportBuilder::Box(const QRectF& rect, const QColor& fill)
{
    TReportItem item;
    item.kind = TReportItem::ikBox;
    item.rect = rect;
    item.fill = fill;
    Add(item);
}

void TReportBuilder::Label(const QRectF& rect, const QString& text, double size, bool bold, Qt::Alignment align)
{
    TReportItem item;
    item.rect = rect;
    item.text = text;
    item.size = size;
    item.bold = bold;
    item.align = align;
    Add(item);
}

double TReportBuilder::FontSize(const TReportElement& e) const
{
    return e.size > 0 ? e.size : m_definition.fontSize;
}

double TReportBuilder::LineHeight(double size) const
{
    return size * PointMm * 1.5;
}

void TReportBuilder::Lay(const std::vector<TReportElement>& elements)
{
    for (const TReportElement& e : elements) {
        switch (e.kind) {
        case TReportElement::ekText: Text(e); break;
        case TReportElement::ekSpace:
            if (!Reserve(e.height))
                m_y += e.height;
            break;
        case TReportElement::ekLine: {
            Reserve(1);
            TReportItem rule;
            rule.kind = TReportItem::ikLine;
            rule.rect = QRectF(0, m_y + 0.5, m_width, 0);
            Add(rule);
            m_y += 1;
            break;
        }
        case TReportElement::ekFields: Fields(e); break;
        case TReportElement::ekTable: Table(e); break;
        case TReportElement::ekRepeat: Repeat(e); break;
        }
    }
}

void TReportBuilder::Text(const TReportElement& e)
{
    const double size = FontSize(e);
    const double line = LineHeight(size);
    const QStringList lines = Expand(e.text).split(QLatin1Char('\n'));
    const double padding = e.box ? CellPadding * 2 : 0;
    const double height = line * lines.size() + padding;
    Reserve(height);
    if (e.box)
        Box(QRectF(0, m_y, m_width, height));
    double y = m_y + padding / 2;
    for (const QString& text : lines) {
        Label(QRectF(0, y, m_width, line), text, size, e.bold, e.align);
        y += line;
    }
    m_y += height;
}

void TReportBuilder::Fields(const TReportElement& e)
{
    const double size = FontSize(e);
    const double height = LineHeight(size) + CellPadding;
    const double pair = m_width / e.columns;
    const double caption = pair * 0.4;
    for (std::size_t i = 0; i < e.items.size(); i += static_cast<std::size_t>(e.columns)) {
        Reserve(height);
        for (std::size_t c = 0; c < static_cast<std::size_t>(e.columns) && i + c < e.items.size(); ++c) {
            const double x = pair * static_cast<double>(c);
            const QRectF name(x, m_y, caption, height);
            const QRectF value(x + caption, m_y, pair - caption, height);
            Box(name, TitleFill);
            Box(value);
            Label(name, e.items[i + c].first, size, true, Qt::AlignHCenter);
            Label(value, Expand(e.items[i + c].second), size, e.bold, e.align);
        }
        m_y += height;
    }
}

void TReportBuilder::TableHeader(const std::vector<double>& x, const TReportElement& e, double height)
{
    std::vector<TCell> cells;
    for (const TReportColumn& column : e.tableColumns)
        cells.push_back({column.caption, Qt::AlignHCenter});
    TableRow(x, cells, height, TitleFill, true);
}

void TReportBuilder::TableRow(const std::vector<double>& x, const std::vector<TCell>& cells, double height,
                              const QColor& fill, bool bold)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QRectF rect(x[c], m_y, x[c + 1] - x[c], height);
        Box(rect, fill);
        Label(rect, cells[c].text, m_definition.fontSize, bold, cells[c].align);
    }
    m_y += height;
}

// The caption spans the columns before the first summed one.
void TReportBuilder::SumRow(const std::vector<double>& x, const TReportElement& e, const QString& caption,
                            const QHash<QString, double>& sums, double height)
{
    std::size_t first = 0;
    while (first < e.tableColumns.size() && !e.tableColumns[first].sum)
        ++first;
    const double size = m_definition.fontSize;
    if (first > 0) {
        const QRectF rect(x[0], m_y, x[first] - x[0], height);
        Box(rect, SumFill);
        Label(rect, caption, size, true, Qt::AlignHCenter);
    }
    for (std::size_t c = first; c < e.tableColumns.size(); ++c) {
        const TReportColumn& column = e.tableColumns[c];
        const QRectF rect(x[c], m_y, x[c + 1] - x[c], height);
        Box(rect, SumFill);
        if (column.sum)
            Label(rect, TReportFormat::Apply(sums.value(column.field), column.format), size, true, column.align);
        else if (c == 0)
            Label(rect, caption, size, true, Qt::AlignHCenter);
    }
    m_y += height;
}

void TReportBuilder::Table(const TReportElement& e)
{
    const std::vector<TRow> rows = Rows(e.query);
    double total = 0;
    for (const TReportColumn& column : e.tableColumns)
        total += column.width;
    std::vector<double> x{0};
    for (const TReportColumn& column : e.tableColumns)
        x.push_back(x.back() + column.width / total * m_width);
    const double height = LineHeight(m_definition.fontSize) + CellPadding;
    Reserve(height * 2);
    TableHeader(x, e, height);
    if (rows.empty() && !e.emptyText.isEmpty()) {
        Box(QRectF(0, m_y, m_width, height));
        Label(QRectF(0, m_y, m_width, height), Expand(e.emptyText), m_definition.fontSize, false, Qt::AlignHCenter);
        m_y += height;
    }
    TReportTable sums{e.query, rows, {}};
    QHash<QString, double> groupSums;
    QString group;
    std::size_t groupStart = 0;
    // The footer speaks of the group's own rows: its first row is in scope.
    auto closeGroup = [&] {
        if (e.groupFooter.isEmpty())
            return;
        if (Reserve(height))
            TableHeader(x, e, height);
        m_scopes.push_back(rows[groupStart]);
        const QString caption = Expand(e.groupFooter);
        m_scopes.pop_back();
        SumRow(x, e, caption, groupSums, height);
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QString value = e.groupField.isEmpty() ? QString() : rows[r].value(e.groupField).toString();
        if (!e.groupField.isEmpty() && (r == 0 || value != group)) {
            if (r > 0)
                closeGroup();
            groupStart = r;
            groupSums.clear();
            group = value;
            if (!e.groupHeader.isEmpty()) {
                if (Reserve(height * 2))
                    TableHeader(x, e, height);
                m_scopes.push_back(rows[r]);
                const QString header = Expand(e.groupHeader);
                m_scopes.pop_back();
                TableRow({0, m_width}, {{header, Qt::AlignLeft}}, height, GroupFill, true);
            }
        }
        if (Reserve(height))
            TableHeader(x, e, height);
        std::vector<TCell> cells;
        for (const TReportColumn& column : e.tableColumns) {
            const QVariant v = rows[r].value(column.field);
            cells.push_back({TReportFormat::Apply(v, column.format), column.align});
            if (column.sum) {
                groupSums[column.field] += v.toDouble();
                sums.sums[column.field] += v.toDouble();
            }
        }
        TableRow(x, cells, height, QColor(), false);
    }
    if (!rows.empty() && !e.groupField.isEmpty())
        closeGroup();
    if (!e.totalCaption.isEmpty() && !rows.empty()) {
        if (Reserve(height))
            TableHeader(x, e, height);
        SumRow(x, e, Expand(e.totalCaption), sums.sums, height);
    }
    m_document.tables.push_back(sums);
}

void TReportBuilder::Repeat(const TReportElement& e)
{
    const std::vector<TRow> rows = Rows(e.query);
    if (rows.empty() && !e.emptyText.isEmpty()) {
        TReportElement empty;
        empty.text = e.emptyText;
        empty.align = Qt::AlignHCenter;
        Text(empty);
    }
    const bool outermost = m_depth == 0 && !m_inBand;
    ++m_depth;
    const auto leave = qScopeGuard([this] { --m_depth; });
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0 && e.pageBreak)
            NewPage();
        m_scopes.push_back(rows[r]);
        Lay(e.body);
        m_scopes.pop_back();
        if (outermost && m_progress && !m_progress(static_cast<int>(r + 1), static_cast<int>(rows.size())))
            throw ESelvarError(QStringLiteral("보고서 작성을 취소했습니다."));
    }
}

void TReportBuilder::Open(TQuery& q, const QStringList& sql, const std::function<QVariant(const QString&)>& value)
{
    q.SQL() = sql;
    for (int i = 0; i < q.ParamCount(); ++i) {
        TParam& param = q.Params(i);
        const QVariant v = value(param.Name().toUpper());
        if (v.typeId() == QMetaType::QString)
            param.SetAsString(v.toString());
        else
            param.SetAsVariant(v);
    }
    q.Open();
}

std::vector<TReportBuilder::TRow> TReportBuilder::Rows(const QString& query)
{
    if (m_definition.batches.contains(query))
        return BatchRows(query);
    TQuery q(m_database);
    Open(q, m_definition.queries.value(query), [this](const QString& name) { return Value(name); });
    std::vector<TRow> rows;
    for (; !q.Eof(); q.Next()) {
        TRow row;
        for (int f = 0; f < q.FieldCount(); ++f)
            row.insert(q.Fields(f).FieldName().toUpper(), q.Fields(f).AsVariant());
        rows.push_back(row);
    }
    q.Close();
    return rows;
}

// The batch is read on first use with the report's parameters only; each
// later use takes the rows of the key's value in the batch's order.
std::vector<TReportBuilder::TRow> TReportBuilder::BatchRows(const QString& query)
{
    const TReportBatch& batch = m_definition.batches[query];
    auto found = m_batches.find(query);
    if (found == m_batches.end()) {
        TBatchRows read;
        TQuery q(m_database);
        Open(q, batch.sql, [this](const QString& name) {
            if (!m_parameters.contains(name))
                throw ESelvarError(QStringLiteral("보고서 정의에 없는 항목입니다: ") + name);
            return m_parameters.value(name);
        });
        for (int f = 0; f < q.FieldCount(); ++f)
            read.fields << q.Fields(f).FieldName().toUpper();
        const int key = static_cast<int>(read.fields.indexOf(batch.key));
        if (key < 0)
            throw ESelvarError(QStringLiteral("보고서 정의에 없는 항목입니다: ") + batch.key);
        for (; !q.Eof(); q.Next()) {
            QVariantList values;
            values.reserve(q.FieldCount());
            for (int f = 0; f < q.FieldCount(); ++f)
                values << q.Fields(f).AsVariant();
            read.rows[values[key].toString()].push_back(std::move(values));
        }
        q.Close();
        found = m_batches.insert(query, std::move(read));
    }
    std::vector<TRow> rows;
    for (const QVariantList& values : found->rows.value(Value(batch.key).toString())) {
        TRow row;
        for (qsizetype f = 0; f < values.size(); ++f)
            row.insert(found->fields[f], values[f]);
        rows.push_back(std::move(row));
    }
    return rows;
}

QVariant TReportBuilder::Value(const QString& name) const
{
    if (name == QLatin1String("#TODAY"))
        return TReportFormat::Apply(TBusinessClock::TodayText(), QStringLiteral("date"));
    if (name == QLatin1String("#TITLE"))
        return m_definition.title;
    for (auto scope = m_scopes.rbegin(); scope != m_scopes.rend(); ++scope)
        if (scope->contains(name))
            return scope->value(name);
    if (m_parameters.contains(name))
        return m_parameters.value(name);
    throw ESelvarError(QStringLiteral("보고서 정의에 없는 항목입니다: ") + name);
}

QString TReportBuilder::Expand(const QString& text) const
{
    static const QRegularExpression placeholder(QStringLiteral("\\{(#?[A-Za-z_][A-Za-z0-9_]*)(?:\\|([a-z]+))?\\}"));
    QString out;
    qsizetype at = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        out += TReportFormat::Apply(Value(m.captured(1).toUpper()), m.captured(2));
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}
