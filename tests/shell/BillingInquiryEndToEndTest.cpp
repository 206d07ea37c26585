#include <QComboBox>
#include <QPushButton>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "common/CommonHelpers.h"
#include "common/MessageBoxSeam.h"
#include "common/TBusinessClock.h"
#include "common/TQuery.h"
#include "controls/TwColumn.h"
#include "controls/TwColumnFooter.h"
#include "controls/TwColumns.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwMemGrid.h"
#include "screens/nb/TfrmNBS040.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// The billing and arrears inquiry in the running client on a fresh
// demonstration database.
class BillingInquiryEndToEndTest : public DemoClientTest
{
protected:
    // Searches anew with the kind, month and names given.
    QStringList Listed(TfrmNBS040* screen, int kind, const QString& month, const QString& shop = QString())
    {
        if (!screen->SearchMode())
            QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
        screen->cbxGubn->setCurrentIndex(kind);
        screen->medMonth->SetText(month);
        screen->edtFindShopName->setText(shop);
        QTest::mouseClick(screen->bbtSearch, Qt::LeftButton);
        return GridColumn(screen->rgrMain, 0);
    }

    static qint64 Sum(TwMemGrid* grid, int column)
    {
        qint64 total = 0;
        for (int r = 0; r < grid->RowCount(); ++r)
            total += qint64(grid->Cells(column, r).AsFloat());
        return total;
    }

    int Errors()
    {
        int n = 0;
        for (const auto& box : MessageBoxSeam::Shown())
            n += box.kind == MessageBoxSeam::mbError;
        return n;
    }
};

} // namespace

TEST_F(BillingInquiryEndToEndTest, KindsLayTheGridOutAndTheMonthHidesForDeposits)
{
    auto* screen = Open<TfrmNBS040>("NBS040");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->cbxGubn->currentIndex(), 2);
    EXPECT_EQ(screen->rgrMain->Columns()->Count(), 21);
    EXPECT_EQ(screen->medMonth->Text(), TBusinessClock::TodayText().left(6));

    const QString month = StepMonth(TBusinessClock::TodayText().left(6), -1);
    const QStringList fees = Listed(screen, 2, month);
    EXPECT_EQ(Errors(), 0);
    EXPECT_FALSE(fees.isEmpty());
    EXPECT_EQ(screen->rgrMain->Columns()->Items(7)->Footer()->Values(0).remove(','),
              QString::number(Sum(screen->rgrMain, 7)));

    QTest::mouseClick(screen->bbtCancel, Qt::LeftButton);
    screen->cbxGubn->setCurrentIndex(0);
    EXPECT_EQ(screen->rgrMain->Columns()->Count(), 10);
    EXPECT_TRUE(screen->medMonth->Text().isEmpty());
    EXPECT_TRUE(screen->medMonth->isHidden());
    EXPECT_TRUE(screen->btnMinus->isHidden());
    screen->cbxGubn->setCurrentIndex(1);
    EXPECT_FALSE(screen->medMonth->isHidden());
    EXPECT_TRUE(screen->medMonth->Text().isEmpty());
    EXPECT_FALSE(screen->SearchStatement().contains("CONT_MONTH ="));

    // A quote in a typed name stays inside its literal.
    EXPECT_TRUE(Listed(screen, 1, month, "O'Neil").isEmpty());
    EXPECT_EQ(Errors(), 0);
    EXPECT_TRUE(screen->SearchStatement().contains("LIKE 'O''Neil%'"));

    EXPECT_FALSE(Listed(screen, 0, QString()).isEmpty());
    EXPECT_EQ(screen->rgrMain->Columns()->Items(8)->Footer()->Values(0).remove(','),
              QString::number(Sum(screen->rgrMain, 8)));
    EXPECT_EQ(Errors(), 0);

    const QStringList rent = Listed(screen, 1, month);
    ASSERT_FALSE(rent.isEmpty());
    EXPECT_EQ(screen->rgrMain->Columns()->Items(8)->Footer()->Values(0).remove(','),
              QString::number(Sum(screen->rgrMain, 8)));
    EXPECT_EQ(screen->rgrMain->Columns()->Items(9)->Footer()->Values(0).remove(','),
              QString::number(Sum(screen->rgrMain, 9)));
}

TEST_F(BillingInquiryEndToEndTest, TheMonthCountsByTextBetweenStartAndEnd)
{
    auto* screen = Open<TfrmNBS040>("NBS040");
    ASSERT_NE(screen, nullptr);
    const QString month = StepMonth(TBusinessClock::TodayText().left(6), -1);
    const QString contract = Listed(screen, 1, month).value(0);
    ASSERT_FALSE(contract.isEmpty());
    auto dates = [&](const QString& start, const QString& end) {
        Exec("UPDATE NA020MS SET CONT_START_DATE = '" + start + "', CONT_END_DATE = '" + end
             + "' WHERE CONT_CODE = '" + contract + "'");
        return Listed(screen, 1, month).contains(contract);
    };
    const QString next = StepMonth(month, 1);
    EXPECT_TRUE(dates(month + "05", next + "28"));
    EXPECT_FALSE(dates("20000101", month + "20"));
    EXPECT_TRUE(dates("20000101", next + "01"));
    EXPECT_EQ(Errors(), 0);
}
