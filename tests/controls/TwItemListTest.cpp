#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "MemGridFixture.h"
#include "controls/TwItemList.h"
#include "controls/TwPickList.h"
#include "controls/TwPickListLogic.h"

namespace {

const QStringList kValues{"1", "2"};
const QStringList kItems{"Cash;현금", "Card;카드"};

TwItemListOption OptionWithValuesAt(int valuesIndex)
{
    TwItemListOption option;
    option.SetValuesIndex(valuesIndex);
    return option;
}

TEST(ItemListModel, PairedListsSplitItemsIntoColumns)
{
    const TwItemListModel plain(kItems, kValues, TwItemListOption());
    EXPECT_EQ(plain.ColumnCount(), 2);
    EXPECT_EQ(plain.DisplayTextOf("2"), "Card");
    EXPECT_EQ(plain.CellText(1, 1), "카드");
    EXPECT_EQ(plain.DisplayTextOf("9"), "9"); // not listed: the value itself

    const TwItemListModel withValues(kItems, kValues, OptionWithValuesAt(0));
    EXPECT_EQ(withValues.ColumnCount(), 3);
    EXPECT_EQ(withValues.DisplayTextOf("2"), "2");
    EXPECT_EQ(withValues.CellText(1, 1), "Card");
    EXPECT_EQ(withValues.CellText(1, 2), "카드");

    // A values column past the fields goes last.
    const TwItemListModel last(kItems, kValues, OptionWithValuesAt(7));
    EXPECT_EQ(last.CellText(0, 2), "1");
    EXPECT_EQ(last.CellText(0, 0), "Cash");
}

TEST(ItemListModel, WithoutAPairOneColumnOfValues)
{
    const TwItemListModel noItems({}, kValues, OptionWithValuesAt(0));
    EXPECT_FALSE(noItems.Paired());
    EXPECT_EQ(noItems.ColumnCount(), 1);
    EXPECT_EQ(noItems.CellText(1, 0), "2");
    // Fewer items than values do not pair either.
    const TwItemListModel shortItems({"Cash;현금"}, kValues, TwItemListOption());
    EXPECT_FALSE(shortItems.Paired());
    EXPECT_EQ(shortItems.DisplayTextOf("1"), "1");
    EXPECT_EQ(shortItems.CellText(5, 0), "");
}

TEST(ItemListModel, SearchIgnoresCaseUnlessAsked)
{
    TwItemListModel model(kItems, kValues, TwItemListOption());
    EXPECT_EQ(model.Find("ca"), 0);
    EXPECT_EQ(model.Find("CARD"), 1);
    EXPECT_EQ(model.Find("X"), -1);
    model.Option().SetCaseSensitive(true);
    EXPECT_EQ(model.Find("ca"), -1);
    // A one-column list searches its values.
    const TwItemListModel values({}, {"현금", "카드"}, TwItemListOption());
    EXPECT_EQ(values.Find("카"), 1);
}

TEST(ItemListModel, ColumnListsShowAsTheGridShowsThem)
{
    auto grid = MakeGrid({wdtString});
    TwColumn* column = grid->Columns()->Items(0);
    column->SetValues(kValues);
    column->SetItems(kItems);
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("2");
    TwListoption look;
    look.SetItemCount(3);
    const TwItemListModel model = TwItemListModel::ForColumn(*column, look);
    EXPECT_EQ(model.ColumnCount(), 2);
    EXPECT_EQ(model.Option().ItemCount(), 3);
    EXPECT_EQ(model.DisplayTextOf("2"), grid->Cells(0, 0).DisplayText());
    column->ListOption().SetValuesIndex(0);
    const TwItemListModel withValues = TwItemListModel::ForColumn(*column);
    EXPECT_EQ(withValues.ColumnCount(), 3);
    EXPECT_EQ(withValues.DisplayTextOf("2"), grid->Cells(0, 0).DisplayText());
}

TEST(ItemListSize, ColumnsFromTheLongestTextsAndTheWidthRule)
{
    TwItemListOption option;
    option.SetCharWidth(10);
    TwItemList list;
    list.SetModel(TwItemListModel(kItems, kValues, option));
    EXPECT_EQ(list.ColumnWidth(0), 42); // "Cash": 4 characters
    EXPECT_EQ(list.ColumnWidth(1), 42); // "현금": two wide characters
    const int lines = 2 + 2 * list.LineHeight();
    EXPECT_EQ(list.DropDownSize(150), QSize(150, lines)); // Width 0: the editor's
    option.SetWidth(-1);
    list.SetModel(TwItemListModel(kItems, kValues, option));
    EXPECT_EQ(list.DropDownSize(150), QSize(86, lines)); // natural: columns + frame
    option.SetWidth(-2);
    list.SetModel(TwItemListModel(kItems, kValues, option));
    EXPECT_EQ(list.DropDownSize(50).width(), 86);
    EXPECT_EQ(list.DropDownSize(150).width(), 150);
    option.SetWidth(200);
    list.SetModel(TwItemListModel(kItems, kValues, option));
    EXPECT_EQ(list.DropDownSize(50).width(), 200);

    // Titles widen their columns and add a title row.
    option.SetShowTitle(true);
    option.SetTitles("Payment;지불수단");
    list.SetModel(TwItemListModel(kItems, kValues, option));
    EXPECT_EQ(list.ColumnChars(0), 7);
    EXPECT_EQ(list.ColumnChars(1), 8);
    EXPECT_EQ(list.DropDownSize(50).height(), lines + list.TitleHeight());
    // More lines than shown: eight visible, and room for a scroll bar.
    option.SetShowTitle(false);
    option.SetWidth(-1);
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QString::number(i);
    list.SetModel(TwItemListModel({}, many, option));
    EXPECT_EQ(list.VisibleLines(), 8);
    EXPECT_GT(list.DropDownSize(50).width(), 2 + list.ColumnWidth(0));
    EXPECT_EQ(list.DropDownSize(50).height(), 2 + 8 * list.LineHeight());
    // An empty list keeps the editor's width.
    list.SetModel(TwItemListModel({}, {}, option));
    EXPECT_EQ(list.DropDownSize(77), QSize(77, 12));
}

TEST(PickListLogic, ClosingDecidesTheText)
{
    TwPickListLogic logic;
    logic.SetModel(TwItemListModel(kItems, kValues, TwItemListOption()));
    EXPECT_EQ(logic.SetValue("2"), "Card");
    EXPECT_EQ(logic.DropDown("Card"), 1);
    // No selection with ValuesOnly: back to the text at opening, same value.
    EXPECT_EQ(logic.CloseUp(true, -1, "X", true), "Card");
    EXPECT_EQ(logic.Value("Card").toString(), "2");
    // A refused change keeps the text at opening too.
    logic.DropDown("Card");
    EXPECT_EQ(logic.CloseUp(true, 0, "Cash", false), "Card");
    // Free text without ValuesOnly.
    logic.SetValuesOnly(false);
    logic.DropDown("Card");
    EXPECT_EQ(logic.CloseUp(true, -1, "X", true), "X");
    EXPECT_EQ(logic.Value("X").toString(), "X");
    EXPECT_FALSE(logic.Value("").isValid());
    EXPECT_EQ(logic.SetValue(QVariant()), "");
}

class PickListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form = std::make_unique<QWidget>();
        pick = new TwPickList(form.get());
        pick->setObjectName("cbxPayKind");
        pick->resize(120, 22);
        other = new QLineEdit(form.get());
        other->move(0, 60);
        pick->SetList(kItems, kValues, TwItemListOption());
        pick->OnCloseUp = [this](QObject*, bool accept) { closes << accept; };
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        pick->setFocus();
    }

    std::unique_ptr<QWidget> form;
    TwPickList* pick = nullptr;
    QLineEdit* other = nullptr;
    QList<bool> closes;
};

TEST_F(PickListTest, TypingOpensSearchesAndEnterStoresTheValue)
{
    int drops = 0;
    pick->OnDropDown = [&](QObject*) { ++drops; };
    QTest::keyClicks(pick, "Ca");
    ASSERT_TRUE(pick->IsDropped());
    EXPECT_TRUE(pick->List()->isVisible());
    EXPECT_EQ(pick->List()->ItemIndex(), 0);
    EXPECT_EQ(drops, 1);
    QTest::keyClick(pick, Qt::Key_Down);
    EXPECT_EQ(pick->List()->ItemIndex(), 1);
    QTest::keyClick(pick, Qt::Key_Up);
    QTest::keyClick(pick, Qt::Key_Return);
    EXPECT_FALSE(pick->IsDropped());
    EXPECT_EQ(pick->text(), "Cash");
    EXPECT_EQ(pick->Value().toString(), "1");
    EXPECT_EQ(closes, QList<bool>{true});
}

TEST_F(PickListTest, ValuesIndexZeroShowsTheValue)
{
    TwItemListOption option;
    option.SetValuesIndex(0);
    pick->SetList(kItems, kValues, option);
    pick->SetValue("2");
    EXPECT_EQ(pick->text(), "2");
    QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(pick->IsDropped());
    EXPECT_EQ(pick->List()->ItemIndex(), 1); // the shown value's line
    EXPECT_EQ(pick->List()->Model().ColumnCount(), 3);
    QTest::keyClick(pick, Qt::Key_Home);
    QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(pick->text(), "1");
    EXPECT_EQ(pick->Value().toString(), "1");
}

TEST_F(PickListTest, UnmatchedTextWithValuesOnlyGoesBack)
{
    pick->SetValue("2");
    pick->selectAll();
    QTest::keyClicks(pick, "X");
    ASSERT_TRUE(pick->IsDropped());
    EXPECT_EQ(pick->List()->ItemIndex(), -1);
    QTest::keyClick(pick, Qt::Key_Return);
    EXPECT_EQ(pick->text(), "Card");
    EXPECT_EQ(pick->Value().toString(), "2");

    pick->SetValuesOnly(false);
    pick->selectAll();
    QTest::keyClicks(pick, "X");
    QTest::keyClick(pick, Qt::Key_Return);
    EXPECT_EQ(pick->text(), "X");
    EXPECT_EQ(pick->Value().toString(), "X");
}

TEST_F(PickListTest, EscapeAndLeavingCancel)
{
    pick->SetValue("1");
    pick->selectAll();
    QTest::keyClicks(pick, "Car");
    EXPECT_EQ(pick->List()->ItemIndex(), 1);
    QTest::keyClick(pick, Qt::Key_Escape);
    EXPECT_EQ(pick->text(), "Cash");
    EXPECT_EQ(pick->Value().toString(), "1");

    pick->selectAll();
    QTest::keyClicks(pick, "Car");
    other->setFocus();
    EXPECT_FALSE(pick->IsDropped());
    EXPECT_FALSE(pick->List()->isVisible());
    EXPECT_EQ(pick->text(), "Cash");
    EXPECT_EQ(closes, (QList<bool>{false, false}));
}

TEST_F(PickListTest, KoreanTypingSearchesAOneColumnList)
{
    pick->SetList({}, {"현금", "카드"}, TwItemListOption());
    QTest::sendKeyEvent(QTest::Click, pick, Qt::Key_unknown, QString("카"), Qt::NoModifier);
    ASSERT_TRUE(pick->IsDropped());
    EXPECT_EQ(pick->List()->ItemIndex(), 1);
    QTest::keyClick(pick, Qt::Key_Enter);
    EXPECT_EQ(pick->text(), "카드");
    EXPECT_EQ(pick->Value().toString(), "카드");
}

TEST_F(PickListTest, InputMethodCompositionOpensTheList)
{
    pick->SetList({}, {"현금", "카드"}, TwItemListOption());
    QInputMethodEvent compose("ㅎ", {});
    QCoreApplication::sendEvent(pick, &compose);
    ASSERT_TRUE(pick->IsDropped());
    QInputMethodEvent commit;
    commit.setCommitString("현");
    QCoreApplication::sendEvent(pick, &commit);
    EXPECT_EQ(pick->text(), "현");
    EXPECT_EQ(pick->List()->ItemIndex(), 0);
}

TEST_F(PickListTest, ShownListLeavesTheFocusInTheBox)
{
    QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
    QTest::qWait(20); // the window system has shown the list
    EXPECT_TRUE(pick->IsDropped());
    EXPECT_TRUE(pick->hasFocus());
    EXPECT_TRUE(form->isActiveWindow());
}

TEST_F(PickListTest, ClickOnALineTakesIt)
{
    QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(pick->IsDropped());
    TwItemList* list = pick->List();
    const QPoint second(10, 1 + list->LineHeight() + list->LineHeight() / 2);
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_FALSE(pick->IsDropped());
    EXPECT_EQ(pick->text(), "Card");
    EXPECT_TRUE(pick->hasFocus());
}

TEST_F(PickListTest, ClearedTextNoLongerStandsForTheValue)
{
    pick->SetValue("2");
    pick->clear(); // as a panel is emptied
    EXPECT_FALSE(pick->Value().isValid());
    pick->SetValue("2");
    pick->setText("Cash");
    EXPECT_EQ(pick->Value().toString(), "1"); // a shown text stands for its line
    pick->setText("Cas");
    EXPECT_EQ(pick->Value().toString(), "Cas");
}

TEST_F(PickListTest, RefusedChangeKeepsTheText)
{
    pick->SetValue("1");
    pick->CanModify = [] { return false; };
    QTest::keyClick(pick, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(pick, Qt::Key_Down);
    QTest::keyClick(pick, Qt::Key_Return);
    EXPECT_EQ(pick->text(), "Cash");
    EXPECT_EQ(pick->Value().toString(), "1");
}

} // namespace
