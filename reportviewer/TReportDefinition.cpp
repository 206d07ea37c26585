#include "reportviewer/TReportDefinition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

#include "controls/ESelvarError.h"

namespace {
[[noreturn]] void Invalid(const QString& what)
{
    throw ESelvarError(QStringLiteral("보고서 정의가 올바르지 않습니다.\r") + what);
}

Qt::Alignment Alignment(const QJsonObject& o)
{
    const QString align = o.value(QStringLiteral("align")).toString(QStringLiteral("left"));
    if (align == QLatin1String("left"))
        return Qt::AlignLeft;
    if (align == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (align == QLatin1String("right"))
        return Qt::AlignRight;
    Invalid(QStringLiteral("align: ") + align);
}

QString Format(const QJsonObject& o)
{
    const QString format = o.value(QStringLiteral("format")).toString();
    static const QStringList known{QString(), "amount", "int", "date", "month"};
    if (!known.contains(format))
        Invalid(QStringLiteral("format: ") + format);
    return format;
}

QStringList Lines(const QJsonValue& value, const QString& what)
{
    if (value.isString())
        return {value.toString()};
    if (!value.isArray())
        Invalid(what);
    QStringList lines;
    for (const QJsonValue& line : value.toArray()) {
        if (!line.isString())
            Invalid(what);
        lines << line.toString();
    }
    return lines;
}

QPageLayout Page(const QJsonObject& o)
{
    static const QHash<QString, QPageSize::PageSizeId> sizes{
        {"A3", QPageSize::A3}, {"A4", QPageSize::A4}, {"A5", QPageSize::A5},
        {"B4", QPageSize::B4}, {"B5", QPageSize::B5}, {"Letter", QPageSize::Letter}};
    const QString size = o.value(QStringLiteral("size")).toString(QStringLiteral("A4"));
    if (!sizes.contains(size))
        Invalid(QStringLiteral("page.size: ") + size);
    const QString orientation = o.value(QStringLiteral("orientation")).toString(QStringLiteral("portrait"));
    if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
        Invalid(QStringLiteral("page.orientation: ") + orientation);
    QMarginsF margins(10, 10, 10, 10);
    if (o.contains(QStringLiteral("margins"))) {
        const QJsonArray m = o.value(QStringLiteral("margins")).toArray();
        if (m.size() != 4)
            Invalid(QStringLiteral("page.margins"));
        margins = QMarginsF(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble());
    }
    const QPageLayout layout(QPageSize(sizes.value(size)),
                             orientation == QLatin1String("landscape") ? QPageLayout::Landscape : QPageLayout::Portrait,
                             margins, QPageLayout::Millimeter);
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const double width = layout.orientation() == QPageLayout::Landscape ? paper.height() : paper.width();
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0
        || margins.left() + margins.right() > width - 20)
        Invalid(QStringLiteral("page.margins"));
    return layout;
}

class Reader
{
public:
    explicit Reader(const TReportDefinition& definition) : m_definition(definition) {}

    std::vector<TReportElement> Elements(const QJsonValue& value, const QString& where) const
    {
        if (value.isUndefined())
            return {};
        if (!value.isArray())
            Invalid(where);
        std::vector<TReportElement> elements;
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isObject())
                Invalid(where);
            elements.push_back(Element(item.toObject(), where));
        }
        return elements;
    }

private:
    TReportElement Element(const QJsonObject& o, const QString& where) const
    {
        static const QHash<QString, TReportElement::TKind> kinds{
            {"text", TReportElement::ekText},     {"space", TReportElement::ekSpace},
            {"line", TReportElement::ekLine},     {"fields", TReportElement::ekFields},
            {"table", TReportElement::ekTable},   {"repeat", TReportElement::ekRepeat}};
        const QString type = o.value(QStringLiteral("type")).toString();
        if (!kinds.contains(type))
            Invalid(where + QStringLiteral(": type ") + type);
        TReportElement e;
        e.kind = kinds.value(type);
        e.text = o.value(QStringLiteral("text")).toString();
        e.size = o.value(QStringLiteral("size")).toDouble(0);
        e.bold = o.value(QStringLiteral("bold")).toBool(false);
        e.box = o.value(QStringLiteral("box")).toBool(false);
        e.align = Alignment(o);
        e.height = o.value(QStringLiteral("height")).toDouble(0);
        e.emptyText = o.value(QStringLiteral("empty")).toString();
        if (e.size < 0 || e.size > 72 || e.height < 0 || e.height > 300)
            Invalid(where + QLatin1Char(' ') + type + QStringLiteral(": size/height"));
        if (e.kind == TReportElement::ekFields)
            Fields(o, e, where);
        if (e.kind == TReportElement::ekTable || e.kind == TReportElement::ekRepeat) {
            e.query = o.value(QStringLiteral("query")).toString();
            if (!m_definition.queries.contains(e.query))
                Invalid(where + QLatin1Char(' ') + type + QStringLiteral(": query ") + e.query);
        }
        if (e.kind == TReportElement::ekTable)
            Table(o, e, where);
        if (e.kind == TReportElement::ekRepeat) {
            e.pageBreak = o.value(QStringLiteral("pageBreak")).toBool(false);
            e.body = Elements(o.value(QStringLiteral("body")), where + QStringLiteral(" repeat"));
        }
        return e;
    }

    static void Fields(const QJsonObject& o, TReportElement& e, const QString& where)
    {
        e.columns = o.value(QStringLiteral("columns")).toInt(2);
        if (e.columns < 1 || e.columns > 6)
            Invalid(where + QStringLiteral(" fields: columns"));
        for (const QJsonValue& item : o.value(QStringLiteral("items")).toArray()) {
            const QJsonArray pair = item.toArray();
            if (pair.size() != 2 || !pair[0].isString() || !pair[1].isString())
                Invalid(where + QStringLiteral(" fields: items"));
            e.items.emplace_back(pair[0].toString(), pair[1].toString());
        }
    }

    static void Table(const QJsonObject& o, TReportElement& e, const QString& where)
    {
        for (const QJsonValue& item : o.value(QStringLiteral("columns")).toArray()) {
            const QJsonObject c = item.toObject();
            TReportColumn column;
            column.field = c.value(QStringLiteral("field")).toString().toUpper();
            column.caption = c.value(QStringLiteral("caption")).toString();
            column.width = c.value(QStringLiteral("width")).toDouble(10);
            column.align = Alignment(c);
            column.format = Format(c);
            column.sum = c.value(QStringLiteral("sum")).toBool(false);
            if (column.field.isEmpty() || column.width <= 0)
                Invalid(where + QStringLiteral(" table: column ") + column.caption);
            e.tableColumns.push_back(column);
        }
        if (e.tableColumns.empty())
            Invalid(where + QStringLiteral(" table: columns"));
        const QJsonObject group = o.value(QStringLiteral("group")).toObject();
        e.groupField = group.value(QStringLiteral("field")).toString().toUpper();
        e.groupHeader = group.value(QStringLiteral("header")).toString();
        e.groupFooter = group.value(QStringLiteral("footer")).toString();
        e.totalCaption = o.value(QStringLiteral("total")).toString();
    }

    const TReportDefinition& m_definition;
};
} // namespace

TReportDefinition TReportDefinition::FromJson(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        Invalid(QStringLiteral("%1 (%2)").arg(error.errorString()).arg(error.offset));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String("selvar-report")
        || root.value(QStringLiteral("version")).toInt() != 1)
        Invalid(QStringLiteral("format"));
    TReportDefinition d;
    d.title = root.value(QStringLiteral("title")).toString();
    const QJsonObject page = root.value(QStringLiteral("page")).toObject();
    d.page = Page(page);
    d.fontSize = page.value(QStringLiteral("fontSize")).toDouble(9);
    if (d.fontSize < 4 || d.fontSize > 36)
        Invalid(QStringLiteral("page.fontSize"));
    for (const QJsonValue& item : root.value(QStringLiteral("parameters")).toArray()) {
        const QJsonObject p = item.toObject();
        TReportParameter parameter{p.value(QStringLiteral("name")).toString().toUpper(),
                                   p.value(QStringLiteral("caption")).toString()};
        if (parameter.name.isEmpty())
            Invalid(QStringLiteral("parameters"));
        d.parameters.push_back(parameter);
    }
    const QJsonObject queries = root.value(QStringLiteral("queries")).toObject();
    for (auto it = queries.begin(); it != queries.end(); ++it)
        d.queries.insert(it.key(), Lines(it.value(), QStringLiteral("queries.") + it.key()));
    const QJsonObject batches = root.value(QStringLiteral("batches")).toObject();
    for (auto it = batches.begin(); it != batches.end(); ++it) {
        const QString what = QStringLiteral("batches.") + it.key();
        const QJsonObject b = it.value().toObject();
        TReportBatch batch{b.value(QStringLiteral("key")).toString().toUpper(), Lines(b.value(QStringLiteral("sql")), what)};
        if (!d.queries.contains(it.key()) || batch.key.isEmpty())
            Invalid(what);
        d.batches.insert(it.key(), batch);
    }
    const Reader reader(d);
    d.pageHeader = reader.Elements(root.value(QStringLiteral("pageHeader")), QStringLiteral("pageHeader"));
    d.body = reader.Elements(root.value(QStringLiteral("body")), QStringLiteral("body"));
    d.pageFooter = reader.Elements(root.value(QStringLiteral("pageFooter")), QStringLiteral("pageFooter"));
    for (const auto* band : {&d.pageHeader, &d.pageFooter})
        for (const TReportElement& e : *band)
            if (e.kind == TReportElement::ekTable || e.kind == TReportElement::ekRepeat)
                Invalid(QStringLiteral("pageHeader/pageFooter: table"));
    return d;
}
