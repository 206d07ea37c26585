#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "controls/TwColumns.h"
#include "controls/TwColumnTitle.h"
#include "controls/TwMemColumn.h"
#include "controls/TwMemColumnFooter.h"
#include "controls/TwMemGrid.h"
#include "framework/EAbort.h"
#include "framework/TPanel.h"
#include "framework/TfrmZZI090.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/TfrmZZT070.h"
#include "tests/framework/ZZT070Database.h"

namespace {

constexpr int RowIdColumn = 4;

class EditingScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        data.AddShop("410001", "커피숍", 33.5, 1200000);
        data.AddShop("410002", "편의점", 50, 1800000);
        data.AddShop("410003", "기념품점", 20.25, 900000);
        screen = host.Embed(new TfrmZZT070());
        host.ShowActive();
    }

    TwMemGrid* Grid() const { return screen->rgrGrid; }
    QString Cell(int col, int row) const { return Grid()->Cells(col, row).AsString(); }
    QStringList RowIds() const
    {
        QStringList ids;
        for (int r = 0; r < Grid()->RowCount(); ++r)
            ids << Cell(RowIdColumn, r);
        return ids;
    }
    void Search() { QTest::keyClick(screen->edtFindName, Qt::Key_F3); }
    // The detail panel takes the focus, as when the user edits there.
    void ToDetail() { screen->edt_ShopName->setFocus(); }
    void Cancel() { QTest::keyClick(Grid(), Qt::Key_F8); }
    QString Footer() const
    {
        return static_cast<TwMemColumnFooter*>(Grid()->Column(3)->Footer())->Values(0);
    }

    ProgramFolder folder;
    ZZT070Database data;
    ScreenHost host;
    TfrmZZT070* screen = nullptr;
};

} // namespace

TEST_F(EditingScreenTest, SearchLoadsTheRowsNumberedInLoadOrderAndCancelStartsTheNumberingAgain)
{
    Search();
    ASSERT_EQ(Grid()->RowCount(), 3);
    EXPECT_FALSE(screen->SearchMode());
    EXPECT_EQ(Cell(1, 1), "편의점");
    EXPECT_EQ(Cell(2, 2), "20.25");
    EXPECT_EQ(RowIds(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(screen->RowCounter, 3);
    EXPECT_EQ(Grid()->RowState(0), wrsModified);
    EXPECT_FALSE(screen->Modified);
    EXPECT_TRUE(Grid()->hasFocus() || Grid()->isAncestorOf(QApplication::focusWidget()));

    // The hidden RowID column and the change grid's columns, titled for the
    // procedure's parameters.
    TwMemColumn* rowId = Grid()->Column(RowIdColumn);
    EXPECT_EQ(rowId->Title()->Caption(), "RowID");
    EXPECT_FALSE(rowId->Visible());
    EXPECT_EQ(rowId->DataType(), wdtFloat);
    EXPECT_EQ(screen->ColumnNames, QStringList({"SHOP_CODE", "SHOP_NAME", "AREA", "RENT_AMT"}));
    ASSERT_EQ(screen->ChangeGrid->Columns()->Count(), 5);
    EXPECT_EQ(screen->ChangeGrid->Columns()->Items(1)->Title()->Caption(), "ASHOP_NAME");
    EXPECT_EQ(screen->ChangeGrid->Column(1)->DataWidth(), 30);
    EXPECT_EQ(screen->ChangeGrid->Columns()->Items(0)->Width(), 80);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);

    Cancel();
    EXPECT_TRUE(screen->SearchMode());
    EXPECT_EQ(Grid()->RowCount(), 0);
    EXPECT_EQ(screen->RowCounter, 0);
    screen->edtFindName->setText("점");
    Search();
    EXPECT_EQ(RowIds(), QStringList({"1", "2"}));
    EXPECT_EQ(screen->ColumnNames.size(), 4); // the columns are built once
    EXPECT_EQ(Grid()->Columns()->Count(), 5);
}

TEST_F(EditingScreenTest, AnEmptyResultOrAMissingStatementSaysSoAndStaysInEditMode)
{
    screen->edtFindName->setText("없는 이름");
    Search();
    EXPECT_EQ(Grid()->RowCount(), 0);
    EXPECT_EQ(screen->StatusText(), "조회할 내용이 없습니다.");
    EXPECT_FALSE(screen->SearchMode());
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());

    Cancel();
    screen->qryQuery.SQL().clear();
    EXPECT_THROW(screen->TfrmZZI070::bbtSearchClick(), EAbort); // ends without a second box
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().text, "qryQuery의 쿼리문이 없습니다.");
    EXPECT_EQ(screen->StatusText(), "조회할 내용이 없습니다.");
    EXPECT_FALSE(screen->SearchMode());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(EditingScreenTest, AFailingStatementShowsTheServersTextAndTheCursorComesBack)
{
    screen->qryQuery.SQL() = QStringList{"SELECT SHOP_CODE, NO_SUCH_COLUMN FROM ZZT070MS WHERE :SHOP_NAME IS NULL"};
    Search();
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_TRUE(MessageBoxSeam::Last().text.contains("NO_SUCH_COLUMN")) << MessageBoxSeam::Last().text.toStdString();
    EXPECT_EQ(screen->StatusText(), "조회할 내용이 없습니다.");
    EXPECT_TRUE(screen->ColumnNames.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(EditingScreenTest, FooterTotalsAreGroupedAndAFractionIsRoundedRatherThanShownAsZero)
{
    data.AddShop("410004", "식당", 100, 2996100000);
    Search();
    EXPECT_EQ(Footer(), "3,000,000,000");

    Cancel();
    data.AddShop("410005", "약국", 10, 0.5);
    data.AddShop("410006", "서점", 10, 0.25);
    Search();
    EXPECT_EQ(Footer(), "3,000,000,001"); // 3000000000.75
}

TEST(FooterFigureTest, PlainIntegersAndOtherNumbersBecomeGroupedWholeAmounts)
{
    ProgramFolder folder;
    ZZT070Database data;
    auto screen = std::make_unique<TfrmZZT070>();
    auto* footer = static_cast<TwMemColumnFooter*>(screen->rgrGrid->Column(3)->Footer());
    const std::pair<QString, QString> cases[] = {
        {"3000000000", "3,000,000,000"}, {"-1234567", "-1,234,567"}, {"999", "999"},
        {"1234.5", "1,235"},             {"-0.4", "0"},              {"1,234,567", "1,234,567"},
        {"", "0"},                       {"합계", "0"},               {"1E3", "1,000"},
    };
    for (const auto& [value, shown] : cases) {
        footer->SetValues(0, value);
        screen->rgrGridAfterCalcFooters(screen->rgrGrid);
        EXPECT_EQ(footer->Values(0), shown) << value.toStdString();
    }
    // A column without an aggregate keeps its text.
    auto* plain = static_cast<TwMemColumnFooter*>(screen->rgrGrid->Column(1)->Footer());
    plain->SetValues(0, "합계");
    screen->rgrGridAfterCalcFooters(screen->rgrGrid);
    EXPECT_EQ(plain->Values(0), "합계");
}

TEST(EditStatusTest, RowStatesBecomeTheProceduresDigits)
{
    EXPECT_EQ(TfrmZZI070::EditStatus(wrsModified), "1");
    EXPECT_EQ(TfrmZZI070::EditStatus(wrsInserted), "2");
    EXPECT_EQ(TfrmZZI070::EditStatus(wrsDeleted), "3");
    EXPECT_EQ(TfrmZZI070::EditStatus(wrsNone), "2");
}

namespace {

// Edits one row through the grid's editing cycle, as a detail panel does
// (the focus is outside the grid, so no in-place editor takes part).
void EditRow(TwMemGrid* grid, int row, const std::vector<std::pair<int, QString>>& values)
{
    ASSERT_FALSE(grid->hasFocus() || grid->isAncestorOf(QApplication::focusWidget()));
    grid->SetRow(row);
    ASSERT_TRUE(grid->Edit());
    for (const auto& [col, text] : values)
        grid->Cells(col, row).SetAsString(text);
    grid->Post();
}

} // namespace

TEST_F(EditingScreenTest, ANewRowTakesTheNextRowIdWhenFirstPostedAndKeepsOnePendingInsert)
{
    Search();
    ToDetail();
    QTest::keyClick(Grid(), Qt::Key_F4);
    ASSERT_EQ(Grid()->EditState(), wgsInsert);
    ASSERT_EQ(Grid()->Row(), 3);
    ToDetail();
    Grid()->Cells(0, 3).SetAsString("410009");
    Grid()->Cells(1, 3).SetAsString("꽃집");
    Grid()->Post();
    EXPECT_EQ(RowIds(), QStringList({"1", "2", "3", "4"}));
    EXPECT_TRUE(screen->Modified);
    EditRow(Grid(), 3, {{3, "700000"}});
    ASSERT_EQ(screen->ChangeGrid->RowCount(), 1);
    EXPECT_EQ(screen->ChangeGrid->RowState(0), wrsInserted);
    EXPECT_EQ(screen->ChangeGrid->Cells(3, 0).AsString(), "700000");
    EXPECT_EQ(screen->ChangeGrid->Cells(4, 0).AsString(), "4");

    QTest::keyClick(Grid(), Qt::Key_F2);
    ASSERT_EQ(data.calls.size(), 1u);
    EXPECT_EQ(data.calls[0].status, "2");
    EXPECT_EQ(data.calls[0].shopName, "꽃집");
    EXPECT_EQ(data.Shops().last(), "410009:꽃집:700000");

    QTest::keyClick(Grid(), Qt::Key_F8);
    Search();
    EXPECT_EQ(RowIds(), QStringList({"1", "2", "3", "4"}));
}

TEST_F(EditingScreenTest, TwoEditsOfOneRowSendOneUpdateWithTheLatestValuesAndTheSessionValues)
{
    Search();
    ToDetail();
    EditRow(Grid(), 1, {{1, "편의점A"}});
    EditRow(Grid(), 1, {{1, "편의점B"}, {3, "123456789.5"}});
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 1);
    QTest::keyClick(Grid(), Qt::Key_F2);

    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbQuestion);
    EXPECT_EQ(MessageBoxSeam::Last().text, "저장 하시겠습니까?");
    ASSERT_EQ(data.calls.size(), 1u);
    const ZZT070Call& call = data.calls[0];
    EXPECT_EQ(call.status, "1");
    EXPECT_EQ(call.shopCode, "410002");
    EXPECT_EQ(call.shopName, "편의점B"); // declared as "ashop_name"
    EXPECT_EQ(call.area, "50");
    EXPECT_EQ(call.rentAmt, "123456789.5"); // no digit lost on the way
    EXPECT_EQ(call.remark, "");             // no column of that name
    EXPECT_EQ(call.empNo, "10000001");
    EXPECT_EQ(call.ip, "10.1.2.3");
    EXPECT_EQ(data.Shops()[1], "410002:편의점B:123456789.5");

    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_FALSE(screen->Modified);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);
    EXPECT_EQ(Grid()->RowState(1), wrsNone);
    EXPECT_FALSE(data.db.Db().InTransaction());
    EXPECT_FALSE(screen->SearchMode());
}

TEST_F(EditingScreenTest, ADeleteSendsStatusThreeWithTheLastValuesAfterTheEarlierUpdate)
{
    Search();
    ToDetail();
    EditRow(Grid(), 0, {{1, "카페"}});
    Grid()->SetRow(0);
    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(screen->edt_ShopName, Qt::Key_F9);
    EXPECT_EQ(MessageBoxSeam::Last().text, "현재 자료를 삭제하시겠습니까?");
    EXPECT_EQ(Grid()->RowCount(), 2);
    EXPECT_TRUE(screen->Modified);

    screen->bbtSave->click();
    ASSERT_EQ(data.calls.size(), 2u);
    EXPECT_EQ(data.calls[0].status, "1");
    EXPECT_EQ(data.calls[1].status, "3");
    EXPECT_EQ(data.calls[1].shopCode, "410001");
    EXPECT_EQ(data.calls[1].shopName, "카페");
    EXPECT_EQ(data.Shops().size(), 2);

    // After the save the rows count as loaded ones again.
    ToDetail();
    EditRow(Grid(), 0, {{1, "편의점C"}});
    EXPECT_EQ(screen->ChangeGrid->RowState(0), wrsModified);
}

TEST_F(EditingScreenTest, AnEmptyNewRowDisappearsAndARowAddedAndDeletedBeforeSavingIsNeverSent)
{
    Search();
    ToDetail();
    screen->bbtAdd->click();
    ToDetail();
    Grid()->Post();
    EXPECT_EQ(Grid()->RowCount(), 3);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);
    EXPECT_FALSE(screen->Modified);
    screen->bbtSave->click();
    EXPECT_EQ(MessageBoxSeam::Last().text, "변경된 데이타가 존재하지 않습니다.");
    EXPECT_TRUE(data.calls.empty());

    screen->bbtAdd->click();
    ToDetail();
    Grid()->Cells(0, 3).SetAsString("410010");
    Grid()->Cells(1, 3).SetAsString("임시");
    Grid()->Post();
    ASSERT_EQ(screen->ChangeGrid->RowCount(), 1);
    Grid()->SetRow(3);
    MessageBoxSeam::QueueAnswer(true);
    screen->bbtDelete->click();
    ToDetail();
    EXPECT_EQ(Grid()->RowCount(), 3);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);

    EditRow(Grid(), 2, {{1, "기념품"}});
    screen->bbtSave->click();
    ASSERT_EQ(data.calls.size(), 1u);
    EXPECT_EQ(data.calls[0].status, "1");
    EXPECT_FALSE(data.Shops().join(",").contains("410010"));
}

TEST_F(EditingScreenTest, AFailingCallRollsEverythingBackAndKeepsEveryChangePendingForTheNextSave)
{
    Search();
    ToDetail();
    EditRow(Grid(), 0, {{1, "카페"}});
    EditRow(Grid(), 1, {{1, "오류"}});
    EditRow(Grid(), 2, {{1, "선물가게"}});
    const QStringList before = data.Shops();
    QTest::keyClick(Grid(), Qt::Key_F2);

    EXPECT_EQ(data.calls.size(), 2u); // the third change is not sent
    EXPECT_EQ(data.Shops(), before);
    EXPECT_FALSE(data.db.Db().InTransaction());
    const QList<MessageBoxSeam::Box> boxes = MessageBoxSeam::Shown();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[1].kind, MessageBoxSeam::mbError);
    EXPECT_EQ(boxes[1].text, "자료를 저장하지 못했습니다.\r\r에러내용:\r" + ZZT070Database::RefusalText);
    EXPECT_EQ(boxes[2].text, ZZT070Database::RefusalText); // the command's own end
    EXPECT_TRUE(screen->Modified);
    EXPECT_EQ(screen->StatusText(), "");
    ASSERT_EQ(screen->ChangeGrid->RowCount(), 3);
    EXPECT_EQ(screen->ChangeGrid->Cells(1, 1).AsString(), "오류");
    EXPECT_EQ(Grid()->RowState(1), wrsModified);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The refused row goes again, and is refused again: never "saved".
    data.calls.clear();
    MessageBoxSeam::Reset();
    QTest::keyClick(Grid(), Qt::Key_F2);
    EXPECT_EQ(data.calls.size(), 2u);
    EXPECT_EQ(data.Shops(), before);
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 3);

    // Corrected, everything pending is saved at once.
    EditRow(Grid(), 1, {{1, "편의점2"}});
    data.calls.clear();
    QTest::keyClick(Grid(), Qt::Key_F2);
    EXPECT_EQ(data.calls.size(), 3u);
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(data.Shops()[0], "410001:카페:1200000");
    EXPECT_EQ(data.Shops()[1], "410002:편의점2:1800000");
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);
}

TEST_F(EditingScreenTest, SaveAndCancelAskFirstAndADeclinedAnswerChangesNothing)
{
    QTest::keyClick(screen->edtFindName, Qt::Key_F2); // search mode: nothing at all
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());

    Search();
    ToDetail();
    EditRow(Grid(), 0, {{1, "카페"}});
    MessageBoxSeam::QueueAnswer(false);
    QTest::keyClick(Grid(), Qt::Key_F2);
    EXPECT_TRUE(data.calls.empty());
    EXPECT_TRUE(screen->Modified);

    MessageBoxSeam::QueueAnswer(false);
    QTest::keyClick(Grid(), Qt::Key_F8);
    EXPECT_EQ(MessageBoxSeam::Last().text, "변경된 자료가 있습니다. 정말 취소하시겠습니까?");
    EXPECT_FALSE(screen->SearchMode());
    EXPECT_EQ(Grid()->RowCount(), 3);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 1);

    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(Grid(), Qt::Key_F8);
    EXPECT_TRUE(screen->SearchMode());
    EXPECT_EQ(Grid()->RowCount(), 0);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 0);
    EXPECT_FALSE(screen->Modified);
    EXPECT_TRUE(data.calls.empty());
}

TEST_F(EditingScreenTest, DetailEditorsLightUpWhileFocusedAndF1OrEnterAct)
{
    Search();
    ToDetail();
    QLineEdit* editor = screen->edt_ShopName;
    editor->setFocus();
    EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(255, 255, 204));
    QTest::keyClick(editor, Qt::Key_F1);
    EXPECT_EQ(screen->lookups, 1);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), screen->bbt_ShopName);
    EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(Qt::white));

    // A box with a colour of its own gets it back after the highlight.
    QPalette green = editor->palette();
    green.setColor(QPalette::Base, QColor(204, 236, 204));
    editor->setPalette(green);
    editor->setFocus();
    EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(255, 255, 204));
    screen->bbt_ShopName->setFocus();
    EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(204, 236, 204));
}

TEST_F(EditingScreenTest, F4AndF9FromTheGridsEditorAddAndDeleteRowsAndLeaveTheOthersAlone)
{
    Search();
    ASSERT_TRUE(Grid()->EditorShown());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    ASSERT_EQ(Grid()->EditState(), wgsInsert);
    ASSERT_EQ(Grid()->Row(), 3);
    ASSERT_TRUE(Grid()->isAncestorOf(QApplication::focusWidget())); // the editor, on the new row
    QTest::keyClicks(QApplication::focusWidget(), "410011");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_EQ(data.calls.size(), 1u);
    EXPECT_EQ(data.calls[0].status, "2");
    EXPECT_EQ(data.calls[0].shopCode, "410011");

    Grid()->SetRow(0);
    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    EXPECT_EQ(Grid()->RowCount(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_EQ(data.calls.size(), 2u);
    EXPECT_EQ(data.calls[1].status, "3");
    EXPECT_EQ(data.calls[1].shopCode, "410001");
    EXPECT_EQ(data.Shops(), QStringList({"410002:편의점:1800000", "410003:기념품점:900000", "410011::"}));
}

TEST_F(EditingScreenTest, CtrlRightThenCtrlDownCopiesTheMarkedCellsDownButNotAReadOnlyColumn)
{
    Search();
    EXPECT_EQ(Grid()->Column(2)->Color(), QColor(236, 236, 236)); // read-only AREA
    Grid()->SetCurrentColumnIndex(1);
    // Single key events as the keyboard sends them while Ctrl is held.
    auto send = [](QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(QApplication::focusWidget(), &event);
    };
    auto stroke = [&](int key) {
        send(QEvent::KeyPress, key, Qt::ControlModifier);
        send(QEvent::KeyRelease, key, Qt::ControlModifier);
    };
    send(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    stroke(Qt::Key_Right);
    EXPECT_EQ(screen->CopyRow, 0);
    EXPECT_EQ(screen->CopyColFrom, 1);
    EXPECT_EQ(screen->CopyColTo, 3); // Right passes over the read-only column
    stroke(Qt::Key_Down);
    stroke(Qt::Key_Down);
    EXPECT_EQ(screen->CopyTargetRow, 2);

    // The marked range is painted in the highlight colours while Ctrl is held.
    QString text;
    QColor back, fore;
    TwFontStyles style;
    screen->GridDrawCell(Grid()->Column(1), 2, text, back, fore, style);
    EXPECT_EQ(back, screen->CopyBgColor);
    EXPECT_EQ(fore, screen->CopyFgColor);
    send(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(screen->CopyRow, -1);
    EXPECT_EQ(screen->CopyTargetRow, -1);

    for (int row : {1, 2}) {
        EXPECT_EQ(Cell(1, row), "커피숍");
        EXPECT_EQ(Cell(3, row), "1200000");
    }
    EXPECT_EQ(Cell(2, 1), "50");
    EXPECT_EQ(Cell(2, 2), "20.25");
    EXPECT_EQ(Grid()->RowCount(), 3);
    EXPECT_TRUE(screen->Modified);
    ASSERT_EQ(screen->ChangeGrid->RowCount(), 2);
    EXPECT_EQ(screen->ChangeGrid->Cells(0, 0).AsString(), "410002");
    EXPECT_EQ(screen->ChangeGrid->Cells(1, 1).AsString(), "커피숍");

    // Down without Ctrl only empties the message.
    screen->SetStatusText("자료를 저장했습니다.");
    send(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(screen->StatusText(), "");
    EXPECT_EQ(screen->CopyRow, -1);
}

TEST(OnePaneScreenTest, TheGridFillsTheDataAreaWithoutSplitterOrDetailPanel)
{
    ProgramFolder folder;
    auto screen = std::make_unique<TfrmZZI090>();
    screen->CreateForm();
    EXPECT_EQ(screen->Splitter1, nullptr);
    EXPECT_EQ(screen->Panel2, nullptr);
    EXPECT_EQ(screen->findChild<QWidget*>("Panel2"), nullptr);
    EXPECT_EQ(screen->height(), 663);
    screen->show();
    EXPECT_EQ(screen->Panel1->width(), screen->panMain->width());
    EXPECT_TRUE(screen->SearchMode());
    EXPECT_FALSE(screen->rgrGrid->isEnabled());
}

TEST(FooterCellTest, AggregateFootersAreSunkenWithMarginsAndTheColumnsGetTheirTextMargins)
{
    ProgramFolder folder;
    ZZT070Database data;
    auto screen = std::make_unique<TfrmZZT070>();
    TwMemColumn* rent = screen->rgrGrid->Column(3);
    EXPECT_EQ(rent->MarginRight(), 4);
    EXPECT_EQ(screen->rgrGrid->Column(0)->MarginLeft(), 4);
    EXPECT_EQ(rent->Footer()->CellStyle(), wcsSunken);
    EXPECT_EQ(rent->Footer()->MarginTop(), 3);
    EXPECT_EQ(rent->Footer()->MarginRight(), 2);
    EXPECT_EQ(screen->rgrGrid->Column(0)->Footer()->MarginTop(), screen->rgrGrid->Column(0)->MarginTop());
    QString text;
    QColor back, fore(Qt::black);
    TwFontStyles style;
    screen->rgrGrid->OnDrawFooter(rent->Footer(), 0, text, back, fore, style);
    EXPECT_EQ(fore, QColor(Qt::blue));
}

TEST_F(EditingScreenTest, ASearchThatFillsMoreRowsThanFitShowsTheScrollBar)
{
    for (int i = 10; i < 80; ++i)
        data.AddShop(QString("4100%1").arg(i), "상점", 10, 1000);
    Search();
    QApplication::processEvents();
    EXPECT_TRUE(Grid()->verticalScrollBar()->isVisible());
}

TEST_F(EditingScreenTest, ANewRowAndTheRowACancelledInsertGivesBackReachTheRowChangeHandler)
{
    Search();
    QStringList seen;
    Grid()->OnRowChange = [&](QObject*) { seen << QString::number(Grid()->Row()); };
    Grid()->SetRow(1);
    QApplication::processEvents();
    seen.clear();
    screen->bbtAdd->click();
    EXPECT_EQ(seen, QStringList({"3"}));
    Grid()->Cancel();
    EXPECT_EQ(seen, QStringList({"3", "2"})); // the last row is current again

    // Without New the keyboard adds no rows.
    screen->bbtAdd->hide();
    ToDetail();
    Grid()->setFocus();
    Grid()->SetRow(2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(Grid()->RowCount(), 3);
}

TEST_F(EditingScreenTest, ClosingWithNothingPendingAsksNothing)
{
    Search();
    ToDetail();
    QTest::keyClick(screen->edt_ShopName, Qt::Key_F12); // nothing pending: closes at once
    EXPECT_EQ(host.closeRequests, 1);
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(EditingScreenTest, ClosingWithAPendingChangeAsksFirst)
{
    Search();
    ToDetail();
    EditRow(Grid(), 0, {{1, "카페"}});
    MessageBoxSeam::QueueAnswer(false);
    QTest::keyClick(screen->edt_ShopName, Qt::Key_F12);
    EXPECT_EQ(MessageBoxSeam::Last().text, "변경된 자료가 있습니다. 저장하지 않고 닫으시겠습니까?");
    EXPECT_EQ(host.closeRequests, 0);
    EXPECT_EQ(screen->ChangeGrid->RowCount(), 1);

    MessageBoxSeam::QueueAnswer(true);
    QTest::keyClick(screen->edt_ShopName, Qt::Key_F12);
    EXPECT_EQ(host.closeRequests, 1);
}
