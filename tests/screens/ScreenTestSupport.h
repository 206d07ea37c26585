#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "controls/TwColumns.h"
#include "controls/TwMemGrid.h"

namespace ScreenTest {

// The rows of a grid as texts, one list per row over the first `columns` columns.
inline QList<QStringList> GridRows(TwMemGrid* grid, int columns)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid->RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << grid->Cells(c, r).AsString();
        rows << row;
    }
    return rows;
}

// One column of a grid as texts.
inline QStringList GridColumn(TwMemGrid* grid, int column)
{
    QStringList values;
    for (int r = 0; r < grid->RowCount(); ++r)
        values << grid->Cells(column, r).AsString();
    return values;
}

// The first grid row whose column holds the value, or -1.
inline int FindRow(TwMemGrid* grid, int column, const QString& value)
{
    for (int r = 0; r < grid->RowCount(); ++r)
        if (grid->Cells(column, r).AsString() == value)
            return r;
    return -1;
}

// A double click on a data cell, as the mouse gives it: a click, then the
// second press that arrives as the double click.
inline void DoubleClickCell(TwMemGrid* grid, int column, int row)
{
    grid->SetTopRow(row);
    const QPoint centre = grid->CellRect(grid->Columns()->Items(column), row).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// Types text as the keyboard would, Korean included.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The visible free-standing screen with the given form name, or nullptr.
template <typename Dialog>
Dialog* OpenDialog(const QString& formName)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == formName && top->isVisible())
            return qobject_cast<Dialog*>(top);
    return nullptr;
}

// Runs `start`, which opens a modal dialog, and `whileOpen` with the dialog
// once it shows. A dialog still open afterwards is closed, so that a failing
// test cannot hang; the result tells whether `whileOpen` left it open.
template <typename Dialog>
bool DriveModal(const QString& formName, const std::function<void()>& start,
                const std::function<void(Dialog*)>& whileOpen)
{
    bool leftOpen = false;
    bool seen = false;
    QTimer timer; // goes with this scope, so it never fires into another test
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        Dialog* dialog = OpenDialog<Dialog>(formName);
        if (!dialog)
            return;
        seen = true;
        whileOpen(dialog);
        if (OpenDialog<Dialog>(formName)) {
            leftOpen = true;
            dialog->close();
        }
    });
    timer.start(0);
    start();
    EXPECT_TRUE(seen) << "no dialog " << formName.toStdString() << " was shown";
    return leftOpen;
}

} // namespace ScreenTest
