#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "controls/TwColumnTitle.h"
#include "controls/TwMemColumn.h"
#include "framework/TStatusBar.h"
#include "screens/ni/TfrmNIH001.h"
#include "screens/ni/TfrmNIH002.h"
#include "tests/screens/LeaseFixture.h"
#include "tests/screens/ScreenTestSupport.h"

using namespace ScreenTest;

namespace {

class LookupDialogTest : public LeaseFixture
{
protected:
    // A code lookup shown (not modally) in a mode, optionally searched with a find text.
    std::unique_ptr<TfrmNIH001> Show(const QString& mode)
    {
        auto dialog = std::make_unique<TfrmNIH001>();
        dialog->SetLookupMode(mode);
        dialog->show();
        return dialog;
    }

    static QStringList Search(TfrmNIH001& dialog, const QString& find)
    {
        if (!dialog.SearchMode())
            dialog.bbtCancelClick();
        dialog.edtFindName->setText(find);
        dialog.bbtSearchClick();
        return GridColumn(dialog.rgrGrid, 0);
    }
};

QStringList VisibleCaptions(TwMemGrid* grid)
{
    QStringList captions;
    for (int i = 0; i < grid->Columns()->VCount(); ++i)
        captions << grid->Columns()->VItems(i)->Title()->Caption();
    return captions;
}

} // namespace

TEST_F(LookupDialogTest, CodeListsOpenLoadedWithoutFindBoxAndLeaveBlankCodesOut)
{
    auto arcades = Show("1");
    EXPECT_FALSE(arcades->SearchMode()); // searched at once
    EXPECT_FALSE(arcades->edtFindName->isVisible());
    EXPECT_FALSE(arcades->lbl_Find->isVisible());
    EXPECT_EQ(VisibleCaptions(arcades->rgrGrid), QStringList({"코드", "코드 명"}));
    EXPECT_EQ(GridRows(arcades->rgrGrid, 2),
              QList<QStringList>({{"01", "본관 아케이드"}, {"02", "신관 아케이드"}}));
    EXPECT_TRUE(arcades->bbtSave->isHidden());
    EXPECT_TRUE(arcades->bbtAdd->isHidden());
    EXPECT_TRUE(arcades->bbtDelete->isHidden());
    EXPECT_FALSE(arcades->bbtCancel->isHidden());
    EXPECT_EQ(arcades->size(), QSize(368, 507));
    EXPECT_TRUE(arcades->FreeStanding());

    auto leaseTypes = Show("2");
    EXPECT_EQ(GridColumn(leaseTypes->rgrGrid, 1), QStringList({"임대", "수수료 임대"}));
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(LookupDialogTest, PartnersMatchNameOrRepresentativeAnywhereAndAnEmptyFindListsNone)
{
    auto dialog = Show("3");
    EXPECT_TRUE(dialog->SearchMode()); // waits for a find text
    EXPECT_EQ(dialog->lbl_Find->text(), "거래처명");
    EXPECT_EQ(dialog->focusWidget(), dialog->edtFindName);
    EXPECT_EQ(VisibleCaptions(dialog->rgrGrid), QStringList({"코드", "코드 명", "대표자명"}));

    EXPECT_EQ(Search(*dialog, "한빛"), QStringList({"C001"}));  // inside the name
    EXPECT_EQ(Search(*dialog, "영희"), QStringList({"C002"}));  // the representative
    EXPECT_EQ(GridRows(dialog->rgrGrid, 3), QList<QStringList>({{"C002", "스파푸드", "이영희"}}));
    EXPECT_EQ(Search(*dialog, "영"), QStringList({"C001", "C002"})); // C003 is not in use
    // Both names bound empty: no partner, and no complaint about a missing value.
    EXPECT_TRUE(Search(*dialog, "").isEmpty());
    EXPECT_EQ(dialog->StatusText(), "조회할 내용이 없습니다.");
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(LookupDialogTest, SitesAreOnlyLeasableOnesWhoseCodeBeginsWith4)
{
    auto dialog = Show("4");
    EXPECT_EQ(dialog->lbl_Find->text(), "영업장명");
    EXPECT_EQ(dialog->focusWidget(), dialog->edtFindName);
    EXPECT_EQ(VisibleCaptions(dialog->rgrGrid), QStringList({"코드", "코드 명"}));
    // 4005 is not in use, 4006 directly managed, 1001 no shop site.
    EXPECT_EQ(Search(*dialog, ""), QStringList({"4001", "4002", "4003", "4004", "4007"}));
    EXPECT_EQ(Search(*dialog, "카페"), QStringList({"4002", "4007"}));
    EXPECT_TRUE(Search(*dialog, "x'y").isEmpty()); // an apostrophe is only text
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(LookupDialogTest, DoubleClickPicksTheRowAndClosesOtherwiseTheOutputsStayEmpty)
{
    TfrmNIH001 dialog;
    dialog.SetLookupMode("4");
    const bool leftOpen = DriveModal<TfrmNIH001>(
        "frmNIH001", [&] { dialog.ShowModal(); },
        [](TfrmNIH001* shown) {
            shown->bbtSearchClick();
            DoubleClickCell(shown->rgrGrid, 1, FindRow(shown->rgrGrid, 0, "4003"));
        });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(dialog.PickedCode(), "4003");
    EXPECT_EQ(dialog.PickedName(), "골프 샵");

    TfrmNIH001 closed;
    closed.SetLookupMode("1");
    DriveModal<TfrmNIH001>("frmNIH001", [&] { closed.ShowModal(); },
                           [](TfrmNIH001* shown) { QTest::keyClick(shown->rgrGrid, Qt::Key_F12); });
    EXPECT_TRUE(closed.PickedCode().isEmpty());
    EXPECT_TRUE(closed.PickedName().isEmpty());
}

TEST_F(LookupDialogTest, DoubleClickOnAnEmptyListPicksNothingAndKeepsTheDialogOpen)
{
    TfrmNIH001 dialog;
    dialog.SetLookupMode("4");
    const bool leftOpen = DriveModal<TfrmNIH001>(
        "frmNIH001", [&] { dialog.ShowModal(); },
        [](TfrmNIH001* shown) {
            shown->edtFindName->setText("없는 이름");
            shown->bbtSearchClick();
            ASSERT_EQ(shown->rgrGrid->RowCount(), 0);
            QTest::mouseDClick(shown->rgrGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
            shown->rgrGridDblClick();
        });
    EXPECT_TRUE(leftOpen);
    EXPECT_TRUE(dialog.PickedCode().isEmpty());
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
}

TEST_F(LookupDialogTest, CancelEmptiesTheListAndKeepsWhatWasPicked)
{
    TfrmNIH001 dialog;
    dialog.SetLookupMode("2");
    DriveModal<TfrmNIH001>("frmNIH001", [&] { dialog.ShowModal(); },
                           [](TfrmNIH001* shown) { DoubleClickCell(shown->rgrGrid, 0, 1); });
    ASSERT_EQ(dialog.PickedCode(), "02");
    dialog.bbtCancelClick();
    EXPECT_EQ(dialog.rgrGrid->RowCount(), 0);
    EXPECT_TRUE(dialog.SearchMode());
    EXPECT_EQ(dialog.PickedCode(), "02");
    EXPECT_EQ(dialog.PickedName(), "수수료 임대");
}

TEST_F(LookupDialogTest, ContractLookupListsSitesInUseWithEveryContractAndReturnsThree)
{
    TfrmNIH002 dialog;
    const bool leftOpen = DriveModal<TfrmNIH002>(
        "frmNIH002", [&] { dialog.ShowModal(); },
        [](TfrmNIH002* shown) {
            EXPECT_TRUE(shown->SearchMode()); // no search of its own
            EXPECT_EQ(shown->rgrGrid->RowCount(), 0);
            EXPECT_EQ(shown->focusWidget(), shown->edtFindName);
            shown->bbtSearchClick();
            // 000003 belongs to a site out of use.
            QList<QStringList> rows = GridRows(shown->rgrGrid, 6);
            std::sort(rows.begin(), rows.end());
            EXPECT_EQ(rows, QList<QStringList>({{"4001", "본관 매점", "000001", "김영수", "20271231", ""},
                                                {"4002", "신관 카페", "000002", "이영희", "20260228", "20250115"}}));
            DoubleClickCell(shown->rgrGrid, 2, FindRow(shown->rgrGrid, 2, "000002"));
        });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(dialog.size(), QSize(537, 507));
    EXPECT_EQ(dialog.PickedSiteCode(), "4002");
    EXPECT_EQ(dialog.PickedSiteName(), "신관 카페");
    EXPECT_EQ(dialog.PickedContractCode(), "000002");

    TfrmNIH002 narrowed;
    narrowed.show();
    narrowed.edtFindName->setText("본관");
    narrowed.bbtSearchClick();
    EXPECT_EQ(GridColumn(narrowed.rgrGrid, 2), QStringList({"000001"}));
    narrowed.hide();
}
