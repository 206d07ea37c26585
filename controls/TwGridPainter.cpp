#include "controls/TwGridPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <climits>

#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomGrid.h"
#include "controls/TwFooterTitle.h"
#include "controls/TwGridFooter.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGroup.h"
#include "controls/TwGroupTitle.h"
#include "controls/TwGroups.h"
#include "controls/TwHeaderTitle.h"

namespace {
const QColor kLight = Qt::white;
const QColor kDark(0x40, 0x40, 0x40);

bool IsDark(const QColor& color)
{
    return color.lightness() < 128;
}

Qt::Alignment VerticalOf(TwTextLayout layout)
{
    switch (layout) {
    case tlTop: return Qt::AlignTop;
    case tlBottom: return Qt::AlignBottom;
    default: return Qt::AlignVCenter;
    }
}

// Solid lines are filled rectangles: crisp and cheap.
void HLine(QPainter& painter, int x1, int x2, int y, const QColor& color, Qt::PenStyle style, int width)
{
    if (width <= 0 || style == Qt::NoPen || x2 < x1)
        return;
    if (style == Qt::SolidLine) {
        painter.fillRect(x1, y - width + 1, x2 - x1 + 1, width, color);
        return;
    }
    painter.setPen(QPen(color, width, style));
    painter.drawLine(x1, y, x2, y);
}

void VLine(QPainter& painter, int x, int y1, int y2, const QColor& color, Qt::PenStyle style, int width)
{
    if (width <= 0 || style == Qt::NoPen || y2 < y1)
        return;
    if (style == Qt::SolidLine) {
        painter.fillRect(x - width + 1, y1, width, y2 - y1 + 1, color);
        return;
    }
    painter.setPen(QPen(color, width, style));
    painter.drawLine(x, y1, x, y2);
}
} // namespace

TwGridPainter::TwGridPainter(TwCustomGrid* grid) : m_grid(grid) {}

QRect TwGridPainter::EditorRect(const QRect& cell) const
{
    const TwGridLines& lines = m_grid->Lines();
    return cell.adjusted(0, 0, -qMax(0, lines.VertWidth()), -qMax(0, lines.HorzWidth()));
}

QRect TwGridPainter::EditButtonRect(const QRect& cell) const
{
    const QRect inner = EditorRect(cell);
    const int size = qMin(inner.height(), 16);
    return QRect(inner.right() - size + 1, inner.top(), size, inner.height());
}

QFont TwGridPainter::StyledFont(const QFont& base, TwFontStyles style)
{
    QFont font = base;
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

TwFontStyles TwGridPainter::StylesOf(const QFont& font)
{
    TwFontStyles style;
    if (font.bold())
        style |= fsBold;
    if (font.italic())
        style |= fsItalic;
    if (font.underline())
        style |= fsUnderline;
    if (font.strikeOut())
        style |= fsStrikeOut;
    return style;
}

void TwGridPainter::DrawCellStyle(QPainter& painter, const QRect& r, TwCellStyle style, const QColor& color)
{
    painter.fillRect(r, color);
    if (style == wcsNormal || r.width() < 2 || r.height() < 2)
        return;
    const QColor shadow = TwColors::BtnShadow();
    auto frame = [&](const QRect& f, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(f.left(), f.top(), f.width(), 1, topLeft);
        painter.fillRect(f.left(), f.top(), 1, f.height(), topLeft);
        painter.fillRect(f.left(), f.bottom(), f.width(), 1, bottomRight);
        painter.fillRect(f.right(), f.top(), 1, f.height(), bottomRight);
    };
    switch (style) {
    case wcsRaised: frame(r, kLight, shadow); break;
    case wcsSunken: frame(r, shadow, kLight); break;
    case wcsUp:
        frame(r, kLight, kDark);
        if (r.width() > 4 && r.height() > 4)
            frame(r.adjusted(1, 1, -1, -1), color, shadow);
        break;
    case wcsDown:
        frame(r, kDark, kLight);
        if (r.width() > 4 && r.height() > 4)
            frame(r.adjusted(1, 1, -1, -1), shadow, color);
        break;
    default: break;
    }
}

void TwGridPainter::DrawText(QPainter& painter, const QRect& rect, const QString& text, const TextStyle& style)
{
    if (text.isEmpty())
        return;
    const QRect inner = rect.marginsRemoved(style.margins);
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    int flags = int(style.alignment & Qt::AlignHorizontal_Mask) | int(VerticalOf(style.layout));
    if (style.wordWrap) {
        painter.drawText(inner, flags | Qt::TextWordWrap, text);
        return;
    }
    flags |= Qt::TextSingleLine;
    if (style.fit != wfitNone) {
        const QFontMetrics metrics(painter.font());
        if (metrics.horizontalAdvance(text) > inner.width()) {
            painter.drawText(inner, flags,
                             metrics.elidedText(text, style.fit == wfitEnd ? Qt::ElideRight : Qt::ElideMiddle,
                                                inner.width()));
            return;
        }
    }
    painter.drawText(inner, flags, text);
}

void TwGridPainter::DrawCellLines(QPainter& painter, const QRect& rect, const TwGridLines& lines, bool right,
                                  bool bottom)
{
    if (right)
        VLine(painter, rect.right(), rect.top(), rect.bottom(), lines.VertColor(), lines.VertStyle(),
              lines.VertWidth());
    if (bottom)
        HLine(painter, rect.left(), rect.right(), rect.bottom(), lines.HorzColor(), lines.HorzStyle(),
              lines.HorzWidth());
}

void TwGridPainter::Paint(QPainter& painter, const QRect& clip)
{
    TwCustomGrid* g = m_grid;
    painter.fillRect(clip, g->Color());
    // Left edges of the units in view; INT_MIN for those scrolled out.
    const int units = g->UnitCount();
    std::vector<int> lefts(size_t(units), INT_MIN);
    const int fixed = qMin(g->FixedCount(), units);
    int x = g->CellsLeft();
    for (int u = 0; u < fixed; ++u) {
        lefts[size_t(u)] = x;
        x += g->UnitWidth(u);
    }
    const int width = g->viewport()->width();
    for (int u = qMax(fixed, g->LeftCol()); u < units && x < width; ++u) {
        lefts[size_t(u)] = x;
        x += g->UnitWidth(u);
    }
    const std::vector<ColumnPlan> plans = PlanColumns(lefts);
    if (g->HeaderBandHeight() > 0 && clip.top() < g->HeaderBandHeight())
        PaintTitleBand(painter, lefts);
    PaintRows(painter, plans, clip);
    if (g->FooterBandHeight() > 0 && clip.bottom() >= g->DataBottom())
        PaintFooters(painter, lefts);
    if (g->m_drag)
        PaintDragLine(painter);
}

std::vector<TwGridPainter::ColumnPlan> TwGridPainter::PlanColumns(const std::vector<int>& lefts) const
{
    std::vector<ColumnPlan> plans;
    TwCustomGrid* g = m_grid;
    const int rowHeight = g->RowHeight();
    auto add = [&](TwColumn* column, int unit, bool lastInLevel, bool lastLevel) {
        ColumnPlan plan;
        plan.column = column;
        plan.unit = unit;
        plan.rect = g->ColumnRectInUnit(column, rowHeight, 0).translated(lefts[size_t(unit)], 0);
        plan.fixed = unit < g->FixedCount();
        plan.lastInLevel = lastInLevel;
        plan.lastLevel = lastLevel;
        plan.kind = g->EditKind(column);
        plan.font = column->Font();
        plan.fontStyle = StylesOf(plan.font);
        plan.text.alignment = column->Alignment();
        plan.text.layout = column->Layout();
        plan.text.margins = QMargins(column->MarginLeft(), column->MarginTop(), column->MarginRight(),
                                     column->MarginBottom());
        plan.text.fit = column->FitStyle();
        plan.text.wordWrap = column->WordWrap();
        plans.push_back(plan);
    };
    for (int unit = 0; unit < int(lefts.size()); ++unit) {
        if (lefts[size_t(unit)] == INT_MIN)
            continue;
        if (!g->GroupMode()) {
            add(g->Columns()->VItems(unit), unit, true, true);
            continue;
        }
        const TwGroup* group = g->Groups()->VItems(unit);
        int lastLevel = -1;
        for (int level = 0; level < group->Levels(); ++level)
            if (!group->LevelColumns(level).empty())
                lastLevel = level;
        for (int level = 0; level < group->Levels(); ++level) {
            const auto& columns = group->LevelColumns(level);
            for (size_t i = 0; i < columns.size(); ++i)
                add(columns[i], unit, i + 1 == columns.size(), level == lastLevel);
        }
    }
    return plans;
}

void TwGridPainter::PaintTitle(QPainter& painter, const QRect& rect, TwTitle* title, const TwGridLines& lines,
                               bool pressed, TwSortMark mark)
{
    const QRect cell = rect.adjusted(0, 0, -lines.VertWidth(), -lines.HorzWidth());
    TwCellStyle style = title->CellStyle();
    if (pressed)
        style = wcsDown;
    DrawCellStyle(painter, cell, style, title->Color());
    QRect textRect = cell;
    if (pressed)
        textRect.translate(1, 1);
    if (mark != wsmNone && textRect.width() > 14) {
        // The sign sits at the right; the caption keeps the rest.
        const int size = 7;
        const int cx = textRect.right() - 4 - size / 2;
        const int cy = textRect.center().y();
        QPainterPath path;
        if (mark == wsmAsc) {
            path.moveTo(cx - size / 2, cy + 2);
            path.lineTo(cx + size / 2 + 1, cy + 2);
            path.lineTo(cx, cy - 3);
        } else {
            path.moveTo(cx - size / 2, cy - 2);
            path.lineTo(cx + size / 2 + 1, cy - 2);
            path.lineTo(cx, cy + 3);
        }
        path.closeSubpath();
        painter.fillPath(path, TwColors::Gray().darker(150));
        textRect.setRight(textRect.right() - size - 4);
    }
    painter.setFont(title->Font());
    painter.setPen(Qt::black);
    TextStyle text;
    text.alignment = title->Alignment();
    text.layout = title->Layout();
    text.margins = QMargins(title->MarginLeft(), title->MarginTop(), title->MarginRight(), title->MarginBottom());
    text.fit = title->FitStyle();
    text.wordWrap = title->WordWrap();
    const QPixmap image = title->Image();
    if (!image.isNull() && title->ImageLayout() != wimgNone) {
        QRect imageRect(QPoint(), image.size());
        imageRect.moveCenter(textRect.center());
        switch (title->ImageLayout()) {
        case wimgLeft:
            imageRect.moveLeft(textRect.left() + 2);
            textRect.setLeft(imageRect.right() + 2);
            break;
        case wimgRight:
            imageRect.moveRight(textRect.right() - 2);
            textRect.setRight(imageRect.left() - 2);
            break;
        case wimgTop:
            imageRect.moveTop(textRect.top() + 1);
            textRect.setTop(imageRect.bottom() + 1);
            break;
        case wimgBottom:
            imageRect.moveBottom(textRect.bottom() - 1);
            textRect.setBottom(imageRect.top() - 1);
            break;
        default: break;
        }
        painter.drawPixmap(imageRect.topLeft(), image);
        if (title->ImageLayout() == wimgAlone)
            textRect = QRect();
    }
    if (!textRect.isEmpty())
        DrawText(painter, textRect, title->Caption(), text);
    DrawCellLines(painter, rect, lines);
}

void TwGridPainter::PaintTitleBand(QPainter& painter, const std::vector<int>& lefts)
{
    TwCustomGrid* g = m_grid;
    const int height = g->HeaderBandHeight();
    TwGridHeaders* headers = g->Headers();
    const TwGridLinesEx& lines = headers->Lines();
    auto pressed = [&](TwGridHit::Area area, const void* object) {
        if (!g->m_titlePressed || g->m_pressedTitle.area != area)
            return false;
        switch (area) {
        case TwGridHit::Title: return g->m_pressedTitle.column == object;
        case TwGridHit::GroupTitle: return g->m_pressedTitle.group == object;
        default: return true;
        }
    };
    if (g->CellsLeft() > 0)
        PaintTitle(painter, QRect(0, 0, g->CellsLeft(), height), headers->Title(), lines,
                   pressed(TwGridHit::Corner, nullptr), wsmNone);
    TwGridLines inner;
    inner.SetVertColor(lines.CellColor());
    inner.SetVertStyle(lines.CellStyle());
    inner.SetVertWidth(lines.CellWidth());
    inner.SetHorzColor(lines.LevelColor());
    inner.SetHorzStyle(lines.LevelStyle());
    inner.SetHorzWidth(lines.LevelWidth());
    painter.save();
    painter.setClipRect(QRect(g->CellsLeft(), 0, g->viewport()->width(), height));
    for (int unit = 0; unit < int(lefts.size()); ++unit) {
        const int left = lefts[size_t(unit)];
        if (left == INT_MIN)
            continue;
        if (!g->GroupMode()) {
            TwColumn* column = g->Columns()->VItems(unit);
            PaintTitle(painter, QRect(left, 0, column->Width(), height), column->Title(), lines,
                       pressed(TwGridHit::Title, column), column->Title()->SortMark());
            continue;
        }
        TwGroup* group = g->Groups()->VItems(unit);
        const int titleHeight = group->TitleHeight();
        if (titleHeight > 0)
            PaintTitle(painter, QRect(left, 0, group->Width(), titleHeight), group->Title(), lines,
                       pressed(TwGridHit::GroupTitle, group), wsmNone);
        if (group->NoColTitles())
            continue;
        for (int level = 0; level < group->Levels(); ++level) {
            const auto& columns = group->LevelColumns(level);
            const bool lastLevel = level + 1 == group->Levels();
            for (size_t i = 0; i < columns.size(); ++i) {
                TwColumn* column = columns[i];
                const QRect rect = g->ColumnRectInUnit(column, height, 1).translated(left, 0);
                // Inside a group the outer border takes the header lines,
                // the lines within take the cell and level lines.
                TwGridLines cellLines = inner;
                if (i + 1 == columns.size()) {
                    cellLines.SetVertColor(lines.VertColor());
                    cellLines.SetVertWidth(lines.VertWidth());
                    cellLines.SetVertStyle(lines.VertStyle());
                }
                if (lastLevel) {
                    cellLines.SetHorzColor(lines.HorzColor());
                    cellLines.SetHorzWidth(lines.HorzWidth());
                    cellLines.SetHorzStyle(lines.HorzStyle());
                }
                PaintTitle(painter, rect, column->Title(), cellLines, pressed(TwGridHit::Title, column),
                           column->Title()->SortMark());
            }
        }
    }
    painter.restore();
}

TwGridPainter::IndicatorMark TwGridPainter::MarkOf(int row) const
{
    TwCustomGrid* g = m_grid;
    if (row == g->Row()) {
        if (g->EditState() == wgsEdit)
            return imEdit;
        if (g->EditState() == wgsInsert)
            return imInsert;
        if (g->Selected(row))
            return imSelArrow;
        if (row == g->TopRow() && row > 0)
            return imPrior;
        const int bottom = g->TopRow() + qMax(1, g->VisibleRowCount()) - 1;
        if (row == bottom && row < g->RowCount() - 1)
            return imNext;
        return imArrow;
    }
    return g->Selected(row) ? imSelect : imNone;
}

void TwGridPainter::DrawMark(QPainter& painter, const QRect& r, IndicatorMark mark, const QColor& color)
{
    if (mark == imNone)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int cx = r.left() + 5;
    const int cy = r.center().y();
    QPainterPath path;
    switch (mark) {
    case imArrow:
    case imSelArrow:
        path.moveTo(cx - 2, cy - 4);
        path.lineTo(cx + 3, cy);
        path.lineTo(cx - 2, cy + 4);
        path.closeSubpath();
        painter.fillPath(path, color);
        if (mark == imSelArrow)
            painter.fillRect(cx - 3, cy + 5, 7, 2, color);
        break;
    case imPrior:
        path.moveTo(cx - 4, cy + 3);
        path.lineTo(cx + 4, cy + 3);
        path.lineTo(cx, cy - 3);
        path.closeSubpath();
        painter.fillPath(path, color);
        break;
    case imNext:
        path.moveTo(cx - 4, cy - 3);
        path.lineTo(cx + 4, cy - 3);
        path.lineTo(cx, cy + 3);
        path.closeSubpath();
        painter.fillPath(path, color);
        break;
    case imEdit:
        // An I-beam.
        painter.fillRect(cx - 2, cy - 5, 5, 1, color);
        painter.fillRect(cx, cy - 5, 1, 11, color);
        painter.fillRect(cx - 2, cy + 5, 5, 1, color);
        break;
    case imInsert:
        painter.setPen(QPen(color, 1.5));
        painter.drawLine(QPointF(cx, cy - 4), QPointF(cx, cy + 4));
        painter.drawLine(QPointF(cx - 3.5, cy - 2), QPointF(cx + 3.5, cy + 2));
        painter.drawLine(QPointF(cx - 3.5, cy + 2), QPointF(cx + 3.5, cy - 2));
        break;
    case imSelect:
        painter.fillRect(cx - 2, cy - 2, 5, 5, color);
        break;
    default: break;
    }
    painter.restore();
}

void TwGridPainter::PaintIndicator(QPainter& painter, int row, const QRect& rect)
{
    TwCustomGrid* g = m_grid;
    TwIndicators& indicators = g->Indicators();
    const bool marked = row == g->Row() || g->Selected(row);
    QColor back = marked ? indicators.SelBgColor() : TwColors::BtnFace();
    QColor fore = marked ? indicators.SelFgColor() : QColor(Qt::black);
    TwFontStyles style = StylesOf(indicators.Font());
    QString text = indicators.ShowRowNo() ? QString::number(row + 1) : QString();
    if (g->OnDrawIndicator)
        g->OnDrawIndicator(g, row, text, back, fore, style);
    const QRect cell = rect.adjusted(0, 0, -indicators.Lines().VertWidth(), -indicators.Lines().HorzWidth());
    TwCellStyle cellStyle = indicators.CellStyle();
    if (marked && indicators.SelDown() && cellStyle == wcsRaised)
        cellStyle = wcsDown;
    DrawCellStyle(painter, cell, cellStyle, back);
    QRect textRect = cell;
    if (indicators.ShowState()) {
        const IndicatorMark mark = MarkOf(row);
        DrawMark(painter, cell, mark, fore);
        if (mark != imNone)
            textRect.setLeft(textRect.left() + 9);
    }
    painter.setFont(StyledFont(indicators.Font(), style));
    painter.setPen(fore);
    TextStyle textStyle;
    textStyle.alignment = Qt::AlignRight;
    textStyle.margins = QMargins(1, 0, 3, 0);
    DrawText(painter, textRect, text, textStyle);
    DrawCellLines(painter, rect, indicators.Lines());
}

void TwGridPainter::DrawCheck(QPainter& painter, const QRect& r, bool box, bool checked, const QColor& color)
{
    const int size = qMin(13, qMin(r.width(), r.height()) - 2);
    if (size < 5)
        return;
    const QRect square(r.left() + (r.width() - size) / 2, r.top() + (r.height() - size) / 2, size, size);
    if (box) {
        painter.fillRect(square, Qt::white);
        painter.fillRect(square.left(), square.top(), size, 1, TwColors::Gray());
        painter.fillRect(square.left(), square.top(), 1, size, TwColors::Gray());
        painter.fillRect(square.left(), square.bottom(), size, 1, TwColors::Silver());
        painter.fillRect(square.right(), square.top(), 1, size, TwColors::Silver());
    }
    if (!checked)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(box ? QColor(Qt::black) : color, 2));
    const QRectF inner = QRectF(square).adjusted(3, 3, -3, -3);
    QPainterPath path;
    path.moveTo(inner.left(), inner.center().y());
    path.lineTo(inner.left() + inner.width() * 0.4, inner.bottom());
    path.lineTo(inner.right(), inner.top());
    painter.drawPath(path);
    painter.restore();
}

void TwGridPainter::PaintMarker(QPainter& painter, int row, const QRect& rect)
{
    TwCustomGrid* g = m_grid;
    const QRect cell = rect.adjusted(0, 0, -g->Markers().Lines().VertWidth(), -g->Markers().Lines().HorzWidth());
    painter.fillRect(cell, TwColors::BtnFace());
    bool checked = false;
    if (g->OnDrawMarker)
        g->OnDrawMarker(g, row, checked);
    const TwMarkerStyle style = g->Markers().Style();
    DrawCheck(painter, cell, style == wmsCheckBox || style == wmsFlatCheckBox, checked, Qt::black);
    DrawCellLines(painter, rect, g->Markers().Lines());
}

void TwGridPainter::PaintRows(QPainter& painter, const std::vector<ColumnPlan>& plans, const QRect& clip)
{
    TwCustomGrid* g = m_grid;
    const int top = g->DataTop();
    const int bottom = g->DataBottom();
    const int rowHeight = g->RowHeight();
    const int rows = g->RowCount();
    if (bottom <= top)
        return;
    painter.save();
    painter.setClipRect(QRect(0, top, g->viewport()->width(), bottom - top).intersected(clip));
    const int first = qMax(g->TopRow(), g->TopRow() + (clip.top() - top) / rowHeight);
    int rowsBottom = top;
    // The texts of the row above, for EqualBlank.
    std::vector<QString> above(plans.size());
    std::vector<QString> current(plans.size());
    bool haveAbove = false;
    for (int row = first; row < rows; ++row) {
        const int y = g->RowTop(row);
        if (y >= bottom || y > clip.bottom())
            break;
        rowsBottom = y + rowHeight;
        if (g->IndicatorWidth() > 0)
            PaintIndicator(painter, row, QRect(0, y, g->IndicatorWidth(), rowHeight));
        if (g->MarkerWidth() > 0)
            PaintMarker(painter, row, QRect(g->IndicatorWidth(), y, g->MarkerWidth(), rowHeight));
        for (size_t i = 0; i < plans.size(); ++i) {
            const ColumnPlan& plan = plans[i];
            const QRect rect = plan.rect.translated(0, y);
            if (rect.left() > clip.right() || rect.right() < clip.left()) {
                current[i].clear();
                continue;
            }
            const bool needAbove = plan.column->EqualBlank() && row > g->TopRow() && row > 0;
            if (needAbove && !haveAbove && row == first)
                above[i] = g->CellText(plan.column, row - 1);
            current[i] = QString();
            PaintCell(painter, plan, row, rect, needAbove ? &above[i] : nullptr);
            if (plan.column->EqualBlank())
                current[i] = g->CellText(plan.column, row);
        }
        std::swap(above, current);
        haveAbove = true;
    }
    painter.restore();
    PaintEndLines(painter, rowsBottom);
}

void TwGridPainter::PaintCell(QPainter& painter, const ColumnPlan& plan, int row, const QRect& rect,
                              const QString* above)
{
    TwCustomGrid* g = m_grid;
    TwColumn* column = plan.column;
    const TwFixedStyle& fixedStyle = g->FixedStyle();
    QColor back = plan.fixed && !(fixedStyle.Options() & wfxColumnColor) ? fixedStyle.Color() : column->Color();
    QColor fore = Qt::black;
    TwFontStyles fontStyle = plan.fontStyle;
    const bool empty = g->CellEmpty(column, row);
    QString text = empty ? QString() : g->CellText(column, row);
    const bool editedRow = g->EditState() != wgsBrowse && row == g->Row();
    if (above && !editedRow && !text.isEmpty() && text == *above)
        text.clear();
    if (!g->IsNewRow(row)) {
        if (g->OnDrawRow)
            g->OnDrawRow(g, row, back, fore, fontStyle);
        if (g->OnDrawCell)
            g->OnDrawCell(column, row, text, back, fore, fontStyle);
    }
    const bool current = row == g->Row() && column == g->CurrentColumn();
    if (g->SelectionShown()
        && (current || g->Selected(row) || (row == g->Row() && (g->Options() & wgoRowSelect)))) {
        back = plan.fixed ? fixedStyle.SelBgColor() : g->SelBgColor();
        fore = plan.fixed ? fixedStyle.SelFgColor() : g->SelFgColor();
    }
    const TwGridLines& lines = g->Lines();
    const int vw = lines.VertWidth();
    const int hw = lines.HorzWidth();
    const QRect cell = rect.adjusted(0, 0, -vw, -hw);
    DrawCellStyle(painter, cell, plan.fixed ? fixedStyle.CellStyle() : wcsNormal, back);
    const bool underEditor = current && g->EditorShown();
    if (!underEditor) {
        QRect textRect = cell;
        const bool boolKind = plan.kind == wekCheckBox || plan.kind == wekBoolean || plan.kind == wekRadioGroup;
        if (plan.kind == wekPicture) {
            QPixmap image;
            if (!g->CellImage(column, row, image)) {
                text = QStringLiteral("Error");
            } else if (!image.isNull()) {
                const QRect inner = cell.marginsRemoved(plan.text.margins);
                QRect target(QPoint(), column->AutoSize() ? image.size().scaled(inner.size(), Qt::KeepAspectRatio)
                                                          : image.size());
                target.moveCenter(inner.center());
                painter.drawPixmap(target, image);
            }
        } else if (boolKind && !empty) {
            const bool checked = g->CellBoolean(column, row);
            QRect mark = cell;
            if (plan.kind == wekBoolean) {
                DrawCheck(painter, mark, false, checked, fore);
                text.clear();
            } else {
                mark.setWidth(qMin(cell.width(), cell.height() + 2));
                if (plan.kind == wekCheckBox) {
                    DrawCheck(painter, mark, true, checked, fore);
                } else {
                    painter.save();
                    painter.setRenderHint(QPainter::Antialiasing, true);
                    painter.setPen(TwColors::Gray());
                    painter.setBrush(Qt::white);
                    const QPointF c = QRectF(mark).center();
                    painter.drawEllipse(c, 5.5, 5.5);
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(Qt::black);
                    painter.drawEllipse(c, 2.5, 2.5);
                    painter.restore();
                }
                textRect.setLeft(mark.right() + 1);
            }
        }
        const bool nullMark = empty && (g->Options() & wgoNullMark) && plan.kind != wekCheckBox
                              && plan.kind != wekRadioGroup && text.isEmpty();
        if (nullMark) {
            QFont font = plan.font;
            font.setBold(true);
            painter.setFont(font);
            painter.setPen(IsDark(back) ? QColor(Qt::white) : TwColors::Silver());
            DrawText(painter, textRect, QStringLiteral("null"), plan.text);
        } else if (!text.isEmpty()) {
            painter.setFont(fontStyle == plan.fontStyle ? plan.font : StyledFont(plan.font, fontStyle));
            painter.setPen(fore);
            DrawText(painter, textRect, text, plan.text);
        }
        if (current && (g->Options() & wgoFocusRect) && g->hasFocus() && !(g->Options() & wgoRowSelect)) {
            painter.save();
            painter.setPen(QPen(IsDark(back) ? QColor(Qt::white) : QColor(Qt::black), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.restore();
        }
    }
    if (current && column->EditButton()) {
        const QRect button = EditButtonRect(rect);
        DrawCellStyle(painter, button, g->m_editButtonDown ? wcsDown : wcsUp, TwColors::BtnFace());
        painter.setFont(plan.font);
        painter.setPen(Qt::black);
        painter.drawText(button.translated(g->m_editButtonDown ? 1 : 0, g->m_editButtonDown ? 1 : 0),
                         Qt::AlignCenter, QStringLiteral("…"));
    }
    // Lines: inside a group the cell and level lines, the outer border and
    // the row's bottom the grid's own.
    const TwGridLinesEx& all = g->Lines();
    const TwGridLinesEx& fixedLines = g->FixedStyle().Lines();
    const TwGridLinesEx& ex = plan.fixed ? fixedLines : all;
    if (plan.lastInLevel)
        VLine(painter, rect.right(), rect.top(), rect.bottom(), ex.VertColor(), ex.VertStyle(), ex.VertWidth());
    else
        VLine(painter, rect.right(), rect.top(), rect.bottom(), ex.CellColor(), ex.CellStyle(), ex.CellWidth());
    if (plan.lastLevel)
        HLine(painter, rect.left(), rect.right(), rect.bottom(), ex.HorzColor(), ex.HorzStyle(), ex.HorzWidth());
    else
        HLine(painter, rect.left(), rect.right(), rect.bottom(), ex.LevelColor(), ex.LevelStyle(), ex.LevelWidth());
}

// The lines closing the last row and the last column, where they are in view.
void TwGridPainter::PaintEndLines(QPainter& painter, int rowsBottom)
{
    TwCustomGrid* g = m_grid;
    if (g->RowCount() == 0 || g->UnitCount() == 0)
        return;
    const TwGridLines& end = g->EndLines();
    const int width = g->viewport()->width();
    int right = g->FixedRight();
    for (int u = qMax(g->FixedCount(), g->LeftCol()); u < g->UnitCount() && right < width; ++u)
        right += g->UnitWidth(u);
    const int bottom = qMin(rowsBottom, g->DataBottom());
    if (right < width)
        VLine(painter, right - 1, g->DataTop(), bottom - 1, end.VertColor(), end.VertStyle(), end.VertWidth());
    if (rowsBottom < g->DataBottom())
        HLine(painter, 0, qMin(right, width) - 1, rowsBottom - 1, end.HorzColor(), end.HorzStyle(),
              end.HorzWidth());
}

void TwGridPainter::PaintDrawObject(QPainter& painter, const QRect& rect, const TwDrawObject& style,
                                    const QString& text, const QColor& back, const QColor& fore,
                                    TwFontStyles fontStyle, const TwGridLines& lines)
{
    const QRect cell = rect.adjusted(0, 0, -lines.VertWidth(), -lines.HorzWidth());
    DrawCellStyle(painter, cell, style.CellStyle(), back);
    painter.setFont(StyledFont(style.Font(), fontStyle));
    painter.setPen(fore);
    TextStyle textStyle;
    textStyle.alignment = style.Alignment();
    textStyle.layout = style.Layout();
    textStyle.margins = QMargins(style.MarginLeft() + 1, style.MarginTop(), style.MarginRight() + 1,
                                 style.MarginBottom());
    textStyle.fit = style.FitStyle();
    textStyle.wordWrap = style.WordWrap();
    DrawText(painter, cell, text, textStyle);
    DrawCellLines(painter, rect, lines);
}

void TwGridPainter::PaintFooters(QPainter& painter, const std::vector<int>& lefts)
{
    TwCustomGrid* g = m_grid;
    TwGridFooters* footers = g->Footers();
    const TwGridLinesEx& lines = g->Lines();
    TwGridLines footerLines;
    footerLines.SetHorzColor(lines.HorzColor());
    footerLines.SetVertColor(lines.VertColor());
    int top = g->DataBottom();
    for (int f = 0; f < footers->VCount(); ++f) {
        TwGridFooter* footer = footers->VItems(f);
        const int height = footer->Height();
        painter.fillRect(QRect(0, top, g->viewport()->width(), height), footer->Color());
        if (g->CellsLeft() > 0) {
            TwFooterTitle* title = footer->Title();
            PaintDrawObject(painter, QRect(0, top, g->CellsLeft(), height), *title, title->Caption(),
                            title->Color(), Qt::black, StylesOf(title->Font()), footerLines);
        }
        painter.save();
        painter.setClipRect(QRect(g->CellsLeft(), top, g->viewport()->width(), height));
        for (int unit = 0; unit < int(lefts.size()); ++unit) {
            const int left = lefts[size_t(unit)];
            if (left == INT_MIN)
                continue;
            std::vector<TwColumn*> columns;
            if (!g->GroupMode()) {
                columns.push_back(g->Columns()->VItems(unit));
            } else {
                const TwGroup* group = g->Groups()->VItems(unit);
                for (int level = 0; level < group->Levels(); ++level)
                    for (TwColumn* column : group->LevelColumns(level))
                        columns.push_back(column);
            }
            for (TwColumn* column : columns) {
                const QRect rect = g->ColumnRectInUnit(column, height, 2).translated(left, top);
                TwColumnFooter* cellStyle = column->Footer();
                QString text = g->FooterText(column, footer->Index());
                QColor back = cellStyle->Color();
                QColor fore = Qt::black;
                TwFontStyles fontStyle = StylesOf(cellStyle->Font());
                if (g->OnDrawFooter)
                    g->OnDrawFooter(cellStyle, footer->Index(), text, back, fore, fontStyle);
                PaintDrawObject(painter, rect, *cellStyle, text, back, fore, fontStyle, footerLines);
            }
        }
        painter.restore();
        top += height;
    }
}

void TwGridPainter::PaintDragLine(QPainter& painter)
{
    TwCustomGrid* g = m_grid;
    const auto& drag = *g->m_drag;
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    if (drag.vertical)
        painter.drawLine(drag.current, 0, drag.current, g->viewport()->height());
    else
        painter.drawLine(0, drag.current, g->viewport()->width(), drag.current);
    painter.restore();
}
