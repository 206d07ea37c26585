#pragma once

#include <QByteArray>
#include <QHash>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// A column of a table element: the field it shows, its caption, its share of
// the page width, how its values are written and whether it is summed.
struct TReportColumn
{
    QString field;
    QString caption;
    double width = 10;
    Qt::Alignment align = Qt::AlignLeft;
    QString format; // "", "amount", "int", "date", "month"
    bool sum = false;
};

// One piece of a report's layout (docs/report-format.md).
struct TReportElement
{
    enum TKind { ekText, ekSpace, ekLine, ekFields, ekTable, ekRepeat };

    TKind kind = ekText;
    // text: its lines with {FIELD} or {FIELD|format} placeholders
    QString text;
    double size = 0; // points; 0 = the page's font size
    bool bold = false;
    bool box = false;
    Qt::Alignment align = Qt::AlignLeft;
    double height = 0; // space: millimetres
    // fields: caption/value pairs in `columns` pairs per line
    std::vector<std::pair<QString, QString>> items;
    int columns = 2;
    // table and repeat: the statement that gives their rows
    QString query;
    // table
    std::vector<TReportColumn> tableColumns;
    QString groupField;   // rows are grouped while this field keeps its value
    QString groupHeader;  // text above each group
    QString groupFooter;  // caption of each group's sums
    QString totalCaption; // caption of the sums of all rows; empty = none
    QString emptyText;    // table and repeat: shown when there are no rows
    // repeat: the body laid out once per row, each row on a page of its own
    std::vector<TReportElement> body;
    bool pageBreak = false;
};

struct TReportParameter
{
    QString name;
    QString caption;
};

// A statement that gives the rows of a query for every row of the report at
// once, each tagged with `key`: the builder then takes a row's share by the
// key's value instead of running the query once per row.
struct TReportBatch
{
    QString key;
    QStringList sql;
};

struct TReportDefinition
{
    QString title;
    QPageLayout page;
    double fontSize = 9;
    std::vector<TReportParameter> parameters;
    QHash<QString, QStringList> queries;
    QHash<QString, TReportBatch> batches; // by the name of the query they stand for
    std::vector<TReportElement> pageHeader;
    std::vector<TReportElement> body;
    std::vector<TReportElement> pageFooter;

    // Reads a definition; throws ESelvarError naming what is wrong.
    static TReportDefinition FromJson(const QByteArray& json);
};
