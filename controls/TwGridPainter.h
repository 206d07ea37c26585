#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

#include "controls/TwInplaceEditor.h"
#include "controls/TwTypes.h"

class QPainter;
class TwColumn;
class TwCustomGrid;
class TwDrawObject;
class TwGridLines;
class TwGroup;
class TwTitle;

// Paints a grid: the title band with group titles, column titles and sort
// marks, the indicator and marker columns, the data cells with their
// colours, fonts, selection and draw events, the footer rows, the grid
// lines and a sizing line. Each cell rectangle includes its right and
// bottom line.
class TwGridPainter
{
public:
    // The state pictures of the indicator column.
    enum IndicatorMark { imNone, imArrow, imEdit, imInsert, imSelArrow, imPrior, imNext, imSelect };

    explicit TwGridPainter(TwCustomGrid* grid);

    void Paint(QPainter& painter, const QRect& clip);
    // Where the in-place editor goes inside a data cell's rectangle.
    QRect EditorRect(const QRect& cell) const;
    // The ellipsis button at the right edge of a cell (inside its lines).
    QRect EditButtonRect(const QRect& cell) const;
    IndicatorMark MarkOf(int row) const;

    // Fills a cell and draws its border look.
    static void DrawCellStyle(QPainter& painter, const QRect& rect, TwCellStyle style, const QColor& color);
    // Text inside a rectangle with margins, alignment, vertical layout,
    // shortening and wrapping.
    struct TextStyle
    {
        Qt::Alignment alignment = Qt::AlignLeft;
        TwTextLayout layout = tlCenter;
        QMargins margins;
        TwFitStyle fit = wfitNone;
        bool wordWrap = false;
    };
    static void DrawText(QPainter& painter, const QRect& rect, const QString& text, const TextStyle& style);
    static QFont StyledFont(const QFont& base, TwFontStyles style);
    static TwFontStyles StylesOf(const QFont& font);

private:
    // One laid-out data column for the rows being painted.
    struct ColumnPlan
    {
        TwColumn* column = nullptr;
        int unit = 0;
        QRect rect;          // inside the unit, y relative to the row top
        bool fixed = false;
        bool lastInLevel = true;
        bool lastLevel = true;
        TwEditKind kind = wekNone;
        QFont font;
        TwFontStyles fontStyle;
        TextStyle text;
    };

    std::vector<ColumnPlan> PlanColumns(const std::vector<int>& lefts) const;
    void PaintTitleBand(QPainter& painter, const std::vector<int>& lefts);
    void PaintRows(QPainter& painter, const std::vector<ColumnPlan>& plans, const QRect& clip);
    void PaintCell(QPainter& painter, const ColumnPlan& plan, int row, const QRect& rect, const QString* above);
    void PaintIndicator(QPainter& painter, int row, const QRect& rect);
    void PaintMarker(QPainter& painter, int row, const QRect& rect);
    void PaintFooters(QPainter& painter, const std::vector<int>& lefts);
    void PaintEndLines(QPainter& painter, int rowsBottom);
    void PaintTitle(QPainter& painter, const QRect& rect, TwTitle* title, const TwGridLines& lines, bool pressed,
                    TwSortMark mark);
    void PaintDrawObject(QPainter& painter, const QRect& rect, const TwDrawObject& style, const QString& text,
                         const QColor& back, const QColor& fore, TwFontStyles fontStyle, const TwGridLines& lines);
    void PaintDragLine(QPainter& painter);
    static void DrawCellLines(QPainter& painter, const QRect& rect, const TwGridLines& lines, bool right = true,
                              bool bottom = true);
    static void DrawMark(QPainter& painter, const QRect& rect, IndicatorMark mark, const QColor& color);
    static void DrawCheck(QPainter& painter, const QRect& rect, bool box, bool checked, const QColor& color);

    TwCustomGrid* m_grid;
};
