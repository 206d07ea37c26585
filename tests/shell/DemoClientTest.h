#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "controls/TwColumns.h"
#include "controls/TwMemGrid.h"
#include "screens/ScreenRegistry.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"

// The client on a fresh demonstration database with the demo administrator
// at work, as the launcher starts it; screens are opened from the menu.
class DemoClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        RegisterServerProcedures();
        RegisterScreens();
        dataModule = std::make_unique<TfrmZZD000>(QStringList{"DEMO", "SELVAR", "10000001", "김관리"},
                                                  folder.Path("selvar_n"));
        ASSERT_TRUE(dataModule->Connected());
        window = std::make_unique<TfrmN0Main>(dataModule.get());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Other tests register stand-in screens under the same IDs.
    void TearDown() override
    {
        window.reset();
        dataModule.reset();
        for (const QString& id : m_menuIds)
            ScreenRegistry::Unregister(id);
    }

    QAction* MenuEntry(const QString& programId)
    {
        m_menuIds << programId;
        for (QAction* top : window->menuBar()->actions())
            if (top->menu())
                for (QAction* entry : top->menu()->actions())
                    if (entry->data().toString() == programId)
                        return entry;
        return nullptr;
    }

    // The screen of the tab its menu entry opened, or nullptr.
    template <typename Screen>
    Screen* Open(const QString& programId)
    {
        QAction* entry = MenuEntry(programId);
        if (!entry)
            return nullptr;
        entry->trigger();
        return window->Tabs()->currentWidget()->findChild<Screen*>();
    }

    QStringList Column(const QString& sql)
    {
        TQuery q(dataModule->dbsDB);
        q.SQL() << sql;
        q.Open();
        QStringList values;
        for (; !q.Eof(); q.Next())
            values << q.Fields(0).AsString();
        return values;
    }

    QString Scalar(const QString& sql) { return Column(sql).value(0); }

    void Exec(const QString& sql)
    {
        TQuery q(dataModule->dbsDB);
        q.SQL() << sql;
        q.ExecSQL();
    }

    // A click on a row's first visible cell; the row change comes by the grid's timer.
    void ClickRow(TwMemGrid* grid, int row)
    {
        ASSERT_GE(row, 0);
        grid->SetTopRow(row);
        const QRect cell = grid->CellRect(grid->Columns()->VItems(0), row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        ASSERT_EQ(grid->Row(), row);
        QTest::qWait(grid->ChangeDelay() + 100);
    }

    // The texts of the error boxes shown since the last reset.
    static QStringList Errors()
    {
        QStringList texts;
        for (const auto& box : MessageBoxSeam::Shown())
            if (box.kind == MessageBoxSeam::mbError)
                texts << box.text;
        return texts;
    }

    ProgramFolder folder;
    std::unique_ptr<TfrmZZD000> dataModule;
    std::unique_ptr<TfrmN0Main> window;

private:
    QStringList m_menuIds;
};
