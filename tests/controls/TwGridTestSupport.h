#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "MemGridFixture.h"
#include "common/MessageBoxSeam.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwGridDialogs.h"

// Grid dialogs answered and recorded by the message-box seam.
inline void RouteGridDialogsToSeam()
{
    TwGridDialogs::SetAskYesNo([](const QString& text, const QString& caption) {
        return MessageBoxSeam::Record(MessageBoxSeam::mbQuestion, caption, text);
    });
    TwGridDialogs::SetShowError(
        [](const QString& text) { MessageBoxSeam::Record(MessageBoxSeam::mbError, QString(), text); });
    MessageBoxSeam::Reset();
}

// The options the editable screens give their grids.
inline TwGridOptions EditableOptions()
{
    return wgoAlwaysShowEditor | wgoArrowMove | wgoCellSizing | wgoColSizing | wgoConfirmDelete | wgoDeleting
           | wgoEditing | wgoEnterToTab | wgoInserting | wgoSkipReadOnly;
}

// A grid of string columns captioned A, B, C... with `rows` rows whose cells
// read "<caption><row>".
inline std::unique_ptr<TwMemGrid> TextGrid(int columns, int rows)
{
    auto grid = std::make_unique<TwMemGrid>();
    for (int c = 0; c < columns; ++c)
        grid->Columns()->Add()->Title()->SetCaption(QString(QChar(u'A' + c)));
    grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid->Cells(c, r).SetAsString(QString(QChar(u'A' + c)) + QString::number(r));
    return grid;
}

// Records the editing-cycle events of a grid in order.
inline void RecordCycleEvents(TwMemGrid& grid, QStringList& events)
{
    grid.OnBeforeEdit = [&](QObject*) { events << "BeforeEdit"; };
    grid.OnAfterEdit = [&](QObject*) { events << "AfterEdit"; };
    grid.OnBeforeInsert = [&](QObject*, bool append) { events << (append ? "BeforeInsert(T)" : "BeforeInsert(F)"); };
    grid.OnAfterInsert = [&](QObject*, bool append) { events << (append ? "AfterInsert(T)" : "AfterInsert(F)"); };
    grid.OnNewRow = [&](QObject*) { events << "NewRow"; };
    grid.OnBeforePost = [&](QObject*) { events << "BeforePost"; };
    grid.OnAfterPost = [&](QObject*) { events << "AfterPost"; };
    grid.OnBeforeCancel = [&](QObject*) { events << "BeforeCancel"; };
    grid.OnAfterCancel = [&](QObject*) { events << "AfterCancel"; };
    grid.OnBeforeDelete = [&](QObject*) { events << "BeforeDelete"; };
    grid.OnAfterDelete = [&](QObject*) { events << "AfterDelete"; };
    grid.OnDataChanged = [&](QObject*) { events << "DataChanged"; };
    grid.OnRowExit = [&](QObject*) { events << "RowExit"; };
    grid.OnRowEnter = [&](QObject*) { events << "RowEnter"; };
    grid.OnRowChange = [&](QObject*) { events << "RowChange"; };
}
