#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "MemGridFixture.h"
#include "controls/TwInDateEdit.h"
#include "controls/TwInNumEdit.h"
#include "controls/TwInPickList.h"
#include "controls/TwInTimeEdit.h"
#include "controls/TwInplaceEditors.h"
#include "controls/TwInplaceRules.h"
#include "controls/TwItemList.h"

namespace {

const QStringList kValues{"1", "2"};
const QStringList kItems{"Cash;현금", "Card;카드"};

QKeyEvent Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, key, mods);
}

// An in-place editor on a shown form, set up from column 0 of a grid of one
// column of the given type; the editor is asked before changes through
// `allowed`.
template <typename Editor>
class InplaceTest : public ::testing::Test
{
protected:
    void Make(TwDataType type, std::unique_ptr<TwInplaceEditor> made)
    {
        grid = MakeGrid({type});
        column = grid->Column(0);
        form = std::make_unique<QWidget>();
        form->resize(300, 120);
        made->Widget()->setParent(form.get());
        made->Widget()->setGeometry(10, 10, 150, 20);
        made->Widget()->setLocale(QLocale::c());
        holder = std::move(made);
        editor = dynamic_cast<Editor*>(holder.get());
        ASSERT_NE(editor, nullptr);
        editor->SetCanModify([this] {
            ++asked;
            return allowed;
        });
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        editor->setFocus();
    }
    void Configure() { editor->SetupFromColumn(*column); }

    std::unique_ptr<TwMemGrid> grid;
    TwMemColumn* column = nullptr;
    std::unique_ptr<QWidget> form;
    std::unique_ptr<TwInplaceEditor> holder;
    Editor* editor = nullptr;
    bool allowed = true;
    int asked = 0;
};

TEST(InplaceFactory, GivesTheEditorOfEachKindAndNoneForTheGridsOwn)
{
    QWidget parent;
    const auto is = [&](TwEditKind kind, const char* className) {
        auto editor = TwCreateInplaceEditor(kind, &parent);
        return editor && editor->Widget()->parent() == &parent
               && QString(editor->Widget()->metaObject()->className()) == className;
    };
    EXPECT_TRUE(is(wekMultiText, "TwInMultiEdit"));
    EXPECT_TRUE(is(wekCheckBox, "TwInCheckEdit"));
    EXPECT_TRUE(is(wekBoolean, "TwInBoolEdit"));
    EXPECT_TRUE(is(wekRadioGroup, "TwInRadioGroup"));
    EXPECT_TRUE(is(wekNumber, "TwInNumEdit"));
    EXPECT_TRUE(is(wekSpinEdit, "TwInNumEdit"));
    EXPECT_TRUE(is(wekDate, "TwInDateEdit"));
    EXPECT_TRUE(is(wekTime, "TwInTimeEdit"));
    EXPECT_TRUE(is(wekPickList, "TwInPickList"));
    for (TwEditKind kind : {wekNone, wekText, wekDataList, wekLookupList, wekMemo, wekPicture})
        EXPECT_EQ(TwCreateInplaceEditor(kind, &parent), nullptr) << kind;
}

TEST(InplaceRules, LengthLimitFollowsTheType)
{
    auto grid = MakeGrid({wdtString, wdtChar, wdtLong});
    TwMemColumn* text = grid->Column(0);
    text->SetDataWidth(20);
    EXPECT_EQ(TwInplaceRules::MaxLength(*text), 20);
    text->SetMaxLength(8);
    EXPECT_EQ(TwInplaceRules::MaxLength(*text), 8);
    text->SetMaxLength(30);
    EXPECT_EQ(TwInplaceRules::MaxLength(*text), 20);
    text->SetDataWidth(0);
    text->SetMaxLength(0);
    EXPECT_EQ(TwInplaceRules::MaxLength(*text), 0); // unlimited
    grid->Column(1)->SetDataWidth(3);
    EXPECT_EQ(TwInplaceRules::MaxLength(*grid->Column(1)), 3);
    grid->Column(2)->SetMaxLength(5); // other types: MaxLength alone
    EXPECT_EQ(TwInplaceRules::MaxLength(*grid->Column(2)), 5);

}

// ---- numbers ----------------------------------------------------------------

using InNumEditTest = InplaceTest<TwInNumEdit>;

TEST_F(InNumEditTest, SetsUpFromTheColumnsEditFormatAndRange)
{
    Make(wdtFloat, TwCreateInplaceEditor(wekSpinEdit, nullptr));
    column->SetEditFormat("#,##0.00");
    column->SetMaxLength(12);
    column->SetMinValue("-1000000");
    column->SetMaxValue("1000000");
    column->SetColor(Qt::yellow);
    column->SetEditColor(true);
    Configure();
    EXPECT_EQ(editor->Precision(), 2);
    EXPECT_TRUE(editor->ThousandSep());
    EXPECT_TRUE(editor->Spinner());
    EXPECT_EQ(editor->MaxLength(), 12);
    EXPECT_EQ(editor->Color(), QColor(Qt::white));
    EXPECT_TRUE(editor->EnableNull());
    EXPECT_EQ(editor->Border(), TwCustomNumEdit::bsNone);

    editor->SetValue(QVariant(-1234.5));
    EXPECT_EQ(editor->DisplayText(), "1,234.50");
    EXPECT_DOUBLE_EQ(editor->Value().toDouble(), -1234.5);
    editor->SetValue(QVariant(5e6));
    EXPECT_DOUBLE_EQ(editor->Value().toDouble(), 1e6); // clamped on the way out
    editor->SetValue(QVariant());
    EXPECT_TRUE(editor->IsEmpty());
    EXPECT_FALSE(editor->Value().isValid());
}

TEST_F(InNumEditTest, TypingIntoAnEmptyCellAndCaretEdges)
{
    Make(wdtFloat, TwCreateInplaceEditor(wekNumber, nullptr));
    column->SetEditFormat("0.00");
    Configure();
    editor->SetValue(QVariant());
    QTest::keyClicks(editor, "5.2");
    EXPECT_DOUBLE_EQ(editor->Value().toDouble(), 5.2);
    EXPECT_FALSE(editor->AtTextEnd());
    editor->CaretToEnd();
    EXPECT_TRUE(editor->AtTextEnd());
    EXPECT_FALSE(editor->AtTextStart());
    editor->SelectAll();
    QTest::keyClicks(editor, "7");
    EXPECT_EQ(editor->Num().Text(), "7.00");
}

TEST_F(InNumEditTest, UnsignedColumnsRefuseTheSignAndSpinsAskFirst)
{
    Make(wdtWord, TwCreateInplaceEditor(wekSpinEdit, nullptr));
    Configure();
    editor->SetValue(QVariant(5));
    QTest::keyClicks(editor, "-");
    EXPECT_EQ(editor->Value().toDouble(), 5);

    const QPoint upper(editor->width() - 4, 4);
    allowed = false;
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, upper);
    EXPECT_EQ(editor->Value().toDouble(), 5);
    EXPECT_EQ(asked, 1);
    allowed = true;
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, upper);
    EXPECT_EQ(editor->Value().toDouble(), 6);
}

// ---- dates and times --------------------------------------------------------

using InDateEditTest = InplaceTest<TwInDateEdit>;

TEST_F(InDateEditTest, DateCellRoundTripsAndEmpties)
{
    Make(wdtDate, TwCreateInplaceEditor(wekDate, nullptr));
    Configure();
    EXPECT_TRUE(editor->date() == QDate::currentDate()); // created on today
    editor->SetValue(QDateTime(QDate(2024, 3, 9), QTime(0, 0)));
    EXPECT_EQ(editor->text(), "2024-03-09"); // the cell's own layout
    EXPECT_EQ(editor->Value(), QVariant(QDateTime(QDate(2024, 3, 9), QTime(0, 0))));

    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_TRUE(editor->Empty());
    EXPECT_FALSE(editor->Value().isValid());
    editor->SetValue(QDateTime(QDate(2023, 12, 31), QTime(0, 0)));
    EXPECT_FALSE(editor->Empty());
    editor->SetValue(QVariant());
    EXPECT_TRUE(editor->Empty());

    // The value goes into the grid's date storage unchanged.
    grid->SetRowCount(1);
    editor->SetValue(QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    grid->Cells(0, 0).SetAsVariant(editor->Value());
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "2024-02-29");
}

TEST_F(InDateEditTest, ReadingCommitsTheTypedFieldAndTakesTheColumnFormat)
{
    Make(wdtDate, TwCreateInplaceEditor(wekDate, nullptr));
    column->SetEditFormat("dd.mm.yyyy");
    Configure();
    editor->SetValue(QDateTime(QDate(2024, 3, 9), QTime(0, 0)));
    EXPECT_EQ(editor->text(), "09.03.2024");
    // Typed over a selected editor (as the grid types a first key) the
    // digits go into the first field.
    editor->SelectAll();
    QTest::keyClicks(editor, "23");
    EXPECT_EQ(editor->text(), "23.03.2024");
    editor->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(editor, "2019");
    EXPECT_EQ(editor->Value().toDateTime().date().toString(Qt::ISODate), "2019-03-23");
    // A month of one digit may still become 10-12: only reading settles it.
    editor->setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(editor, "1");
    EXPECT_EQ(editor->date().month(), 3);
    EXPECT_EQ(editor->Value().toDateTime().date().toString(Qt::ISODate), "2019-01-23");
    EXPECT_EQ(editor->text(), "23.01.2019");
    // Characters the date type refuses are dropped.
    QTest::keyClicks(editor, "x:");
    EXPECT_EQ(editor->Value().toDateTime().date().toString(Qt::ISODate), "2019-01-23");
}

TEST_F(InDateEditTest, PickerKeysStayAndChangesAskTheColumn)
{
    Make(wdtDate, TwCreateInplaceEditor(wekDate, nullptr));
    Configure();
    editor->SetValue(QDateTime(QDate(2024, 3, 9), QTime(0, 0)));
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Up, Qt::ControlModifier)));
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Down, Qt::AltModifier)));
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Up)));
    EXPECT_FALSE(editor->AtTextEnd()); // Right leaves a filled picker only with Ctrl
    editor->setCurrentSection(QDateTimeEdit::DaySection);

    allowed = false;
    QTest::keyClick(editor, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_EQ(editor->text(), "2024-03-09");
    EXPECT_FALSE(editor->calendarWidget()->isVisible());
    allowed = true;
    QTest::keyClick(editor, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "2024-03-10"); // one step of the field
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_TRUE(editor->calendarWidget()->isVisible());
    editor->calendarWidget()->window()->hide();

    editor->SetValue(QVariant());
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Up, Qt::ControlModifier)));
    EXPECT_TRUE(editor->AtTextStart());
    EXPECT_TRUE(editor->AtTextEnd());
}

TEST_F(InDateEditTest, TimeCellsKeepTheirZeroDay)
{
    Make(wdtTime, TwCreateInplaceEditor(wekTime, nullptr));
    Configure();
    EXPECT_FALSE(editor->calendarPopup());
    grid->SetRowCount(1);
    grid->Cells(0, 0).SetAsString("13:05:00");
    editor->SetValue(grid->Cells(0, 0).AsVariant());
    EXPECT_EQ(editor->text(), "13:05:00");
    editor->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(editor, "09");
    grid->Cells(0, 0).SetAsVariant(editor->Value());
    EXPECT_EQ(grid->Cells(0, 0).AsString(), "09:05:00");

    column->SetEditFormat("hh:nn am/pm");
    Configure();
    editor->SetValue(grid->Cells(0, 0).AsVariant());
    EXPECT_EQ(editor->text(), "09:05 AM");
}

TEST_F(InDateEditTest, DateTimeCellKeepsItsTime)
{
    Make(wdtDateTime, TwCreateInplaceEditor(wekDate, nullptr));
    Configure();
    const QDateTime when(QDate(2024, 3, 9), QTime(17, 30));
    editor->SetValue(when);
    EXPECT_EQ(editor->text(), "2024-03-09 17:30:00");
    EXPECT_EQ(editor->Value().toDateTime(), when);
}

// ---- pick list --------------------------------------------------------------

class InPickListTest : public InplaceTest<TwInPickList>
{
protected:
    void SetUp() override
    {
        Make(wdtString, TwCreateInplaceEditor(wekPickList, nullptr));
        column->SetValues(kValues);
        column->SetItems(kItems);
        Configure();
    }
};

TEST_F(InPickListTest, ShowsTheCellsTextAndStoresTheValue)
{
    editor->SetValue("2");
    EXPECT_EQ(editor->text(), "Card");
    EXPECT_EQ(editor->Value(), QVariant("2"));
    EXPECT_EQ(editor->maxLength(), 32767); // paired texts are not limited

    column->ListOption().SetValuesIndex(0);
    Configure();
    editor->SetValue("2");
    EXPECT_EQ(editor->text(), "2");
    EXPECT_EQ(editor->List()->Model().ColumnCount(), 3);
    editor->SetValue(QVariant());
    EXPECT_EQ(editor->text(), "");
    EXPECT_FALSE(editor->Value().isValid());
}

TEST_F(InPickListTest, TypingOpensTheListAndItsKeysStayWithIt)
{
    editor->SetValue(QVariant());
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Down)));
    EXPECT_TRUE(editor->KeepsKey(Key(Qt::Key_Down, Qt::AltModifier)));
    QTest::keyClicks(editor, "Ca");
    ASSERT_TRUE(editor->IsDropped());
    EXPECT_EQ(editor->List()->ItemIndex(), 0);
    for (int key : {Qt::Key_Down, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Return, Qt::Key_Escape})
        EXPECT_TRUE(editor->KeepsKey(Key(key))) << key;
    EXPECT_FALSE(editor->KeepsKey(Key(Qt::Key_Right)));
    QTest::keyClick(editor, Qt::Key_Down);
    // Read while open (the grid leaving the cell): the selected line counts.
    EXPECT_EQ(editor->Value(), QVariant("2"));
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->IsDropped());
    EXPECT_EQ(editor->text(), "Cash");
    EXPECT_EQ(editor->Value(), QVariant("1"));
}

TEST_F(InPickListTest, ValuesOnlyHoldsWithoutTheListToo)
{
    column->ListOption().SetAutoDrop(false);
    Configure();
    editor->SetValue("2");
    editor->selectAll();
    QTest::keyClicks(editor, "X");
    EXPECT_FALSE(editor->IsDropped());
    EXPECT_EQ(editor->Value(), QVariant("2"));
    editor->setText("Cash"); // a listed text stands for its value
    EXPECT_EQ(editor->Value(), QVariant("1"));

    column->ListOption().SetValuesOnly(false);
    Configure();
    editor->SetValue("2");
    editor->selectAll();
    QTest::keyClicks(editor, "X");
    EXPECT_EQ(editor->Value(), QVariant("X"));
}

TEST_F(InPickListTest, RefusedChoiceKeepsTheText)
{
    editor->SetValue("1");
    allowed = false;
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_GE(asked, 1);
    EXPECT_EQ(editor->text(), "Cash");
    EXPECT_EQ(editor->Value(), QVariant("1"));
}

TEST_F(InPickListTest, UnpairedListTakesCaseAndLengthOfTheColumn)
{
    column->SetItems({});
    column->SetValues({"AB", "ABCD", "CD"});
    column->SetDataWidth(4);
    column->SetCharCase(ecUpperCase);
    column->ListOption().SetItemCount(2);
    Configure();
    EXPECT_EQ(editor->maxLength(), 4);
    editor->SetValue(QVariant());
    QTest::keyClicks(editor, "abcde");
    EXPECT_EQ(editor->text(), "ABCD");
    ASSERT_TRUE(editor->IsDropped());
    EXPECT_EQ(editor->List()->ItemIndex(), 1);
    EXPECT_EQ(editor->List()->height(), 2 + 2 * editor->List()->LineHeight()); // two lines shown
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->Value(), QVariant("ABCD"));
}

} // namespace
