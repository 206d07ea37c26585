#pragma once

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

#include "reportviewer/TReportDefinition.h"
#include "reportviewer/TReportDocument.h"

class TDatabase;
class TQuery;

// Runs a definition's statements on a connection and lays their rows out on
// pages. The arguments fill the definition's parameters in order (missing ones
// are empty, which the statements read as Null); every parameter of a
// statement is bound by name, from the row being laid out or from the
// report's parameters. Failures throw ESelvarError or EDatabaseError.
class TReportBuilder
{
public:
    TReportBuilder(const TReportDefinition& definition, TDatabase& database, const QStringList& arguments);

    TReportDocument Build();

    // Called after each row of the body's outermost repeat with the rows laid
    // out and their count; false stops the report (Build then throws
    // ESelvarError with the message that it was cancelled).
    using TProgress = std::function<bool(int done, int total)>;
    void SetProgress(TProgress progress) { m_progress = std::move(progress); }
    // The document laid out so far (its pages have no page bands yet), for
    // showing the first pages while the rest is still being laid out.
    const TReportDocument& Partial() const { return m_document; }

private:
    using TRow = QHash<QString, QVariant>;
    struct TCell;

    void Lay(const std::vector<TReportElement>& elements);
    void Text(const TReportElement& e);
    void Fields(const TReportElement& e);
    void Table(const TReportElement& e);
    void Repeat(const TReportElement& e);
    void TableHeader(const std::vector<double>& x, const TReportElement& e, double height);
    void TableRow(const std::vector<double>& x, const std::vector<TCell>& cells, double height, const QColor& fill,
                  bool bold);
    void SumRow(const std::vector<double>& x, const TReportElement& e, const QString& caption,
                const QHash<QString, double>& sums, double height);

    std::vector<TRow> Rows(const QString& query);
    std::vector<TRow> BatchRows(const QString& query);
    // Opens a statement with its parameters bound by `value`.
    void Open(TQuery& q, const QStringList& sql, const std::function<QVariant(const QString&)>& value);
    QVariant Value(const QString& name) const;
    QString Expand(const QString& text) const;

    double LineHeight(double size) const;
    double FontSize(const TReportElement& e) const;
    double LayBand(const std::vector<TReportElement>& band, TReportPage* page, double y);
    void Bands();
    // Starts a new page unless `height` still fits on this one; true when it did.
    bool Reserve(double height);
    void NewPage();
    void Add(const TReportItem& item);
    void Box(const QRectF& rect, const QColor& fill = QColor());
    void Label(const QRectF& rect, const QString& text, double size, bool bold, Qt::Alignment align);

    const TReportDefinition& m_definition;
    TDatabase& m_database;
    TRow m_parameters;
    std::vector<TRow> m_scopes; // innermost last
    TReportDocument m_document;
    TReportPage* m_target = nullptr; // where Add puts items; nullptr measures only
    double m_width = 0;
    double m_top = 0;
    double m_bottom = 0;
    double m_y = 0;
    bool m_inBand = false;
    int m_depth = 0; // repeats being laid out
    TProgress m_progress;
    // A batch's rows by their key's value, read once per report.
    struct TBatchRows
    {
        QStringList fields;
        QHash<QString, std::vector<QVariantList>> rows;
    };
    QHash<QString, TBatchRows> m_batches;
};
