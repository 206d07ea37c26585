#include <QFontMetrics>
#include <QImage>
#include <QWheelEvent>

#include "TwGridTestSupport.h"
#include "controls/TwGridFooters.h"
#include "controls/TwGridHeaders.h"
#include "controls/TwGridPainter.h"
#include "controls/TwGroup.h"
#include "controls/TwGroups.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"

namespace {
// A shown grid of four text columns and 20 rows, painted into images.
class GridPaint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RouteGridDialogsToSeam();
        grid = TextGrid(4, 20);
        grid->resize(400, 300);
        grid->SetColor(TwColors::Window());
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }

    QImage Shot()
    {
        QImage image(grid->viewport()->size(), QImage::Format_RGB32);
        grid->viewport()->render(&image);
        return image;
    }
    // A pixel near the top-left corner of a data cell, clear of its text.
    QColor CellColour(int col, int row)
    {
        const QRect cell = grid->CellRect(grid->Column(col), row);
        return Shot().pixelColor(cell.left() + 1, cell.top() + 1);
    }
    QPoint Center(int col, int row) { return grid->CellRect(grid->Column(col), row).center(); }
    QWidget* View() { return grid->viewport(); }

    std::unique_ptr<TwMemGrid> grid;
};
} // namespace

TEST_F(GridPaint, DrawEventsColourRowsAndCellsButNeverTheNewRow)
{
    QList<int> rowsSeen;
    grid->OnDrawRow = [&](QObject*, int row, QColor& back, QColor&, TwFontStyles&) {
        if (row == 1)
            back = Qt::red;
    };
    grid->OnDrawCell = [&](TwColumn* column, int row, QString& text, QColor& back, QColor&, TwFontStyles&) {
        rowsSeen << row;
        if (column->Index() == 2 && row == 1)
            back = Qt::blue;
    };
    EXPECT_EQ(CellColour(0, 1), QColor(Qt::red));
    EXPECT_EQ(CellColour(2, 1), QColor(Qt::blue));
    EXPECT_EQ(CellColour(0, 2), QColor(Qt::white));
    grid->SetOptions(grid->Options() | wgoInserting);
    grid->SetRow(3);
    grid->Insert(false);
    rowsSeen.clear();
    Shot();
    EXPECT_FALSE(rowsSeen.contains(3));
    EXPECT_TRUE(rowsSeen.contains(4));
}

TEST_F(GridPaint, SelectionColoursNeedFocusOrAlwaysShowSelection)
{
    grid->SetOptions(grid->Options() | wgoRowSelect);
    grid->SetRow(2);
    grid->clearFocus();
    EXPECT_EQ(CellColour(1, 2), QColor(Qt::white)); // no focus
    grid->SetOptions(grid->Options() | wgoAlwaysShowSelection);
    EXPECT_EQ(CellColour(1, 2), grid->SelBgColor());
    grid->SetSelBgColor(QColor(0, 0, 128));
    EXPECT_EQ(CellColour(3, 2), QColor(0, 0, 128));
    EXPECT_EQ(CellColour(3, 3), QColor(Qt::white));
    // Selected rows take the colours too.
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    grid->SetSelected(5, true);
    EXPECT_EQ(CellColour(0, 5), QColor(0, 0, 128));
}

TEST_F(GridPaint, EqualBlankHidesRepeatsBelowTheTopRowAndNullMarkFillsEmptyCells)
{
    for (int r = 0; r < 4; ++r)
        grid->Cells(1, r).SetAsString("same");
    grid->Column(1)->SetEqualBlank(true);
    QMap<int, QString> texts;
    grid->OnDrawCell = [&](TwColumn* column, int row, QString& text, QColor&, QColor&, TwFontStyles&) {
        if (column->Index() == 1)
            texts[row] = text;
    };
    Shot();
    EXPECT_EQ(texts[0], "same");
    EXPECT_EQ(texts[1], "");
    EXPECT_EQ(texts[3], "");
    EXPECT_EQ(texts[4], "B4");
    grid->SetTopRow(2);
    Shot();
    EXPECT_EQ(texts[2], "same"); // the top visible row always shows its value
    grid->SetTopRow(0);

    grid->Cells(3, 0).Clear();
    auto inked = [&](int col, int row) {
        const QImage image = Shot();
        const QRect cell = grid->Painter().EditorRect(grid->CellRect(grid->Column(col), row));
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    return true;
        return false;
    };
    EXPECT_FALSE(inked(3, 0));
    grid->SetOptions(grid->Options() | wgoNullMark);
    EXPECT_TRUE(inked(3, 0));
}

TEST_F(GridPaint, FooterCellsShowTheFormattedAggregate)
{
    auto* amount = grid->Column(3);
    amount->SetDataType(wdtFloat);
    amount->SetDisplayFormat("#,##0");
    for (int r = 0; r < 20; ++r)
        grid->Cells(3, r).SetAsFloat(r == 0 ? 1234000 : 30);
    grid->Footers()->Add();
    static_cast<TwMemColumnFooter*>(amount->Footer())->SetStyle(0, "399990");
    grid->CalcFooters();
    EXPECT_EQ(amount->Footer()->Values(0), "1234570");
    QString shown;
    grid->OnDrawFooter = [&](TwColumnFooter* footer, int row, QString& text, QColor&, QColor&, TwFontStyles&) {
        if (footer->Column() == amount && row == 0)
            shown = text;
    };
    Shot();
    EXPECT_EQ(shown, "1,234,570");
    EXPECT_EQ(grid->DataBottom(), grid->viewport()->height() - 21);
}

TEST_F(GridPaint, IndicatorShowsRowNumbersAndTheRowsState)
{
    grid->SetOptions(grid->Options() | wgoEditing | wgoInserting | wgoMultiSelect);
    QMap<int, QString> numbers;
    grid->OnDrawIndicator = [&](QObject*, int row, QString& text, QColor&, QColor&, TwFontStyles&) {
        numbers[row] = text;
    };
    Shot();
    EXPECT_EQ(numbers[2], "3");
    TwGridPainter& painter = grid->Painter();
    EXPECT_EQ(painter.MarkOf(0), TwGridPainter::imArrow);
    grid->SetSelected(4, true);
    EXPECT_EQ(painter.MarkOf(4), TwGridPainter::imSelect);
    grid->SetRow(4);
    EXPECT_EQ(painter.MarkOf(4), TwGridPainter::imSelArrow);
    grid->SetRow(19);
    EXPECT_GT(grid->TopRow(), 0);
    grid->SetRow(grid->TopRow());
    EXPECT_EQ(painter.MarkOf(grid->Row()), TwGridPainter::imPrior);
    grid->Edit();
    EXPECT_EQ(painter.MarkOf(grid->Row()), TwGridPainter::imEdit);
    grid->Cancel();
    grid->Insert(false);
    EXPECT_EQ(painter.MarkOf(grid->Row()), TwGridPainter::imInsert);
}

TEST_F(GridPaint, TheRowNumberColumnWidensToItsHighestNumber)
{
    TwIndicators& indicators = grid->Indicators();
    indicators.SetShowRowNo(true);
    indicators.SetWidth(30);
    const int few = grid->IndicatorWidth(); // 20 rows
    EXPECT_GE(few, 30);
    const int left = grid->CellRect(grid->Column(0), 0).left();
    grid->SetRowCount(10000);
    const int digits = QFontMetrics(indicators.Font()).horizontalAdvance(QStringLiteral("10000"));
    EXPECT_GT(grid->IndicatorWidth(), few);
    EXPECT_GE(grid->IndicatorWidth(), digits + 4 + (indicators.ShowState() ? 9 : 0));
    // The cells move right with it, never under the numbers.
    EXPECT_EQ(grid->CellRect(grid->Column(0), 0).left() - left, grid->IndicatorWidth() - few);
    grid->SetRowCount(20);
    EXPECT_EQ(grid->IndicatorWidth(), few);
}

TEST_F(GridPaint, TitlesAreClickedOnReleaseOnlyWhenClicking)
{
    QList<int> clicked;
    grid->OnColumnTitleClick = [&](TwColumn* column) { clicked << column->Index(); };
    const QPoint title(grid->CellRect(grid->Column(1), 0).center().x(), 5);
    QTest::mouseClick(View(), Qt::LeftButton, {}, title);
    EXPECT_TRUE(clicked.isEmpty());
    grid->Column(1)->Title()->SetClicking(true);
    QTest::mousePress(View(), Qt::LeftButton, {}, title);
    EXPECT_TRUE(clicked.isEmpty());
    QTest::mouseRelease(View(), Qt::LeftButton, {}, title);
    EXPECT_EQ(clicked, QList<int>({1}));
    // Released elsewhere: no click.
    QTest::mousePress(View(), Qt::LeftButton, {}, title);
    QTest::mouseMove(View(), Center(1, 3));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, Center(1, 3));
    EXPECT_EQ(clicked, QList<int>({1}));
}

TEST_F(GridPaint, ClicksMoveRowThenColumnAndSelectWithModifiers)
{
    grid->SetOptions(grid->Options() | wgoMultiSelect);
    QStringList order;
    grid->OnRowEnter = [&](QObject*) { order << QString("row %1 col %2").arg(grid->Row()).arg(grid->Col()); };
    grid->OnCellEnter = [&](QObject*) { order << QString("col %1").arg(grid->Col()); };
    QTest::mouseClick(View(), Qt::LeftButton, {}, Center(2, 3));
    EXPECT_EQ(order, QStringList({"row 3 col 0", "col 2"}));
    EXPECT_EQ(grid->SelectedCount(), 1);
    QTest::mouseClick(View(), Qt::LeftButton, Qt::ControlModifier, Center(2, 5));
    EXPECT_EQ(grid->SelectedCount(), 2);
    QTest::mouseClick(View(), Qt::LeftButton, Qt::ShiftModifier, Center(2, 8));
    // The range runs from the last clicked row; row 3 keeps its mark.
    EXPECT_EQ(grid->SelectedCount(), 5);
    EXPECT_TRUE(grid->Selected(3));
    EXPECT_EQ(grid->Row(), 8);
    QTest::mouseClick(View(), Qt::LeftButton, {}, Center(0, 1));
    EXPECT_EQ(grid->SelectedCount(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridPaint, ColumnBordersAreDraggedOnlyWithColSizing)
{
    TwColumn* column = grid->Column(0);
    const QRect cell = grid->CellRect(column, 0);
    const QPoint border(cell.right() - 1, 5);
    QTest::mousePress(View(), Qt::LeftButton, {}, border);
    QTest::mouseMove(View(), border + QPoint(30, 0));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, border + QPoint(30, 0));
    EXPECT_EQ(column->Width(), 64);
    grid->SetOptions(grid->Options() | wgoColSizing);
    QList<TwColumn*> sizing;
    grid->OnColumnSizing = [&](TwColumn* c) { sizing << c; };
    QTest::mousePress(View(), Qt::LeftButton, {}, border);
    EXPECT_EQ(sizing, QList<TwColumn*>({column}));
    QTest::mouseMove(View(), border + QPoint(30, 0));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, border + QPoint(30, 0));
    EXPECT_EQ(column->Width(), 94);
    // Esc ends a drag without change.
    QTest::mousePress(View(), Qt::LeftButton, {}, border + QPoint(30, 0));
    QTest::mouseMove(View(), border + QPoint(80, 0));
    QTest::keyClick(grid.get(), Qt::Key_Escape);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, border + QPoint(80, 0));
    EXPECT_EQ(column->Width(), 94);
}

TEST_F(GridPaint, HeightsAreDraggedOverTheIndicatorColumn)
{
    grid->Headers()->SetSizing(true);
    grid->SetOptions(grid->Options() | wgoRowSizing);
    const int header = grid->Headers()->Height();
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(5, header - 1));
    QTest::mouseMove(View(), QPoint(5, header + 9));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(5, header + 9));
    EXPECT_EQ(grid->Headers()->Height(), header + 10);
    const int rowBottom = grid->DataTop() + grid->RowHeight();
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(5, rowBottom - 2));
    QTest::mouseMove(View(), QPoint(5, rowBottom + 4));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(5, rowBottom + 4));
    EXPECT_EQ(grid->RowHeight(), 24);
}

TEST_F(GridPaint, WheelScrollsRowsOrColumns)
{
    QWheelEvent down(QPointF(50, 50), grid->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &down);
    EXPECT_EQ(grid->TopRow(), 2);
    grid->SetRowCount(3);
    for (int c = 0; c < 8; ++c)
        grid->Columns()->Add();
    QApplication::sendEvent(View(), &down);
    EXPECT_EQ(grid->LeftCol(), 2);
}

TEST_F(GridPaint, GroupModeLaysOutLevelsAndHitsTheirCells)
{
    TwGroup* group = grid->Groups()->Add();
    group->SetLevels(2);
    group->SetWidth(160);
    grid->Column(0)->SetGroup(0);
    grid->Column(1)->SetLevelIndex(1);
    grid->Column(1)->SetGroup(0);
    grid->Column(2)->SetLevel(1);
    grid->Column(2)->SetGroup(0);
    grid->SetGroupMode(true);
    const QRect a = grid->CellRect(grid->Column(0), 1);
    const QRect b = grid->CellRect(grid->Column(1), 1);
    const QRect c = grid->CellRect(grid->Column(2), 1);
    EXPECT_EQ(a.width() + b.width(), 160);
    EXPECT_EQ(c.width(), 160);
    EXPECT_EQ(a.top(), b.top());
    EXPECT_EQ(c.top(), a.top() + grid->RowHeight() / 2);
    const TwGridHit hit = grid->HitTest(c.center());
    EXPECT_EQ(hit.area, TwGridHit::Cell);
    EXPECT_EQ(hit.column, grid->Column(2));
    EXPECT_EQ(hit.row, 1);
    EXPECT_EQ(grid->HitTest(QPoint(b.center().x(), 3)).area, TwGridHit::GroupTitle);
    // Column 3 belongs to no group: not laid out in group mode.
    EXPECT_TRUE(grid->CellRect(grid->Column(3), 1).isEmpty());
    // Level borders move a weight step when the group's weight allows it.
    grid->SetOptions(grid->Options() | wgoLevelSizing);
    group->SetWeight(3);
    EXPECT_EQ(group->LevelWeight(0), 2);
    const int border = group->HeaderLevelTop(1);
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(a.center().x(), border - 1));
    QTest::mouseMove(View(), QPoint(a.center().x(), border - 6));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(a.center().x(), border - 6));
    EXPECT_EQ(group->LevelWeight(0), 1);
    EXPECT_EQ(group->LevelWeight(1), 2);
}

TEST_F(GridPaint, EllipsisButtonOfTheCurrentCellFiresOnRelease)
{
    TwColumn* column = grid->Column(1);
    column->SetEditButton(true);
    grid->SetOptions(grid->Options() | wgoEditing | wgoAlwaysShowEditor);
    QList<TwColumn*> clicked;
    grid->OnEditButtonClick = [&](TwColumn* c) { clicked << c; };
    grid->setFocus();
    QTest::mouseClick(View(), Qt::LeftButton, {}, Center(1, 2)); // moves there
    ASSERT_TRUE(grid->EditorShown());
    const QRect button = grid->Painter().EditButtonRect(grid->CellRect(column, 2));
    EXPECT_LT(grid->Editor()->Widget()->geometry().right(), button.left());
    QTest::mousePress(View(), Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(clicked.isEmpty());
    QTest::mouseRelease(View(), Qt::LeftButton, {}, button.center());
    EXPECT_EQ(clicked, QList<TwColumn*>({column}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(clicked.size(), 2);
}
