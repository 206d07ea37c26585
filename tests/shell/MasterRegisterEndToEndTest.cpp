#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/TQuery.h"
#include "controls/TwCustomMaskEdit.h"
#include "screens/ScreenRegistry.h"
#include "screens/na/TfrmNAI010.h"
#include "screens/na/TfrmNAI020.h"
#include "screens/na/TfrmNAI060.h"
#include "screens/na/TfrmNAI070.h"
#include "screens/ni/TfrmNIH001.h"
#include "server/TServerProcedures.h"
#include "shell/TfrmN0Main.h"
#include "shell/TfrmZZD000.h"
#include "tests/screens/ScreenTestSupport.h"
#include "tests/shell/DemoClientTest.h"

using namespace ScreenTest;

namespace {

// Tenants and sites registered as a clerk would: F3, F4, typing into the
// panel, F2; then the other screens find them at once.
class MasterRegisterEndToEndTest : public DemoClientTest
{
protected:
    void Retype(QWidget* box, const QString& text)
    {
        box->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(box)) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        TypeText(box, text);
    }

    void SaveWithYes(QWidget* focus)
    {
        MessageBoxSeam::Reset();
        MessageBoxSeam::QueueAnswer(true);
        QTest::keyClick(focus, Qt::Key_F2);
    }

    // A new tenant through the panel; the error shown, empty when none.
    QString NewTenant(TfrmNAI060* screen, const QString& name, const QString& bizNo)
    {
        QTest::keyClick(screen->rgrGrid, Qt::Key_F4);
        EXPECT_EQ(QApplication::focusWidget(), screen->edtName);
        Retype(screen->edtName, name);
        Retype(screen->edtBossName, "박대표");
        screen->medBizNo->setFocus();
        screen->medBizNo->setCursorPosition(0);
        QTest::keyClicks(screen->medBizNo, bizNo);
        Retype(screen->edtAddress, "강원도 평창군");
        SaveWithYes(screen->edtAddress);
        return Errors().join('\n');
    }

    // The rows the code lookup lists in a mode for a find text.
    QStringList Lookup(const QString& mode, const QString& find)
    {
        TfrmNIH001 dialog;
        dialog.SetLookupMode(mode);
        dialog.show();
        dialog.edtFindName->setText(find);
        dialog.bbtSearchClick();
        return GridColumn(dialog.rgrGrid, 0);
    }
};

} // namespace

TEST_F(MasterRegisterEndToEndTest, TenantsAreRegisteredCheckedAndFoundAtOnce)
{
    auto* screen = Open<TfrmNAI060>("NAI060");
    ASSERT_NE(screen, nullptr);
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    const QString count = Scalar("SELECT COUNT(*) FROM VA050MS");
    EXPECT_EQ(QString::number(screen->rgrGrid->RowCount()), count);
    const QString next = QString::number(Scalar("SELECT MAX(C_CODE) FROM VA050MS").toLongLong() + 1);

    EXPECT_EQ(NewTenant(screen, "눈꽃상회", "2208111115"), "");
    EXPECT_EQ(screen->StatusText(), "자료를 저장했습니다.");
    EXPECT_EQ(Scalar("SELECT C_NAME || '|' || BOSS_NAME || '|' || BIZ_NO || '|' || ADDRESS || '|' || USE_YN "
                     "FROM VA050MS WHERE C_CODE = '" + next + "'"),
              "눈꽃상회|박대표|2208111115|강원도 평창군|Y");
    // The list was searched again and shows the given code and the number as typed.
    const int row = FindRow(screen->rgrGrid, TfrmNAI060::colCode, next);
    ASSERT_GE(row, 0);
    EXPECT_EQ(screen->rgrGrid->Cells(TfrmNAI060::colBizNo, row).DisplayText(), "220-81-11115");

    // A wrong check digit and a number another tenant has are refused; nothing is stored.
    const QString before = Scalar("SELECT COUNT(*) FROM VA050MS");
    EXPECT_TRUE(NewTenant(screen, "오대산상회", "2208111116").endsWith("사업자등록번호가 올바르지 않습니다."));
    QTest::keyClick(screen->rgrGrid, Qt::Key_F9); // the refused row goes
    EXPECT_TRUE(NewTenant(screen, "오대산상회", "2208111115")
                    .endsWith("사업자등록번호(220-81-11115)는 거래처 눈꽃상회(" + next + ")에 이미 등록되어 있습니다."));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM VA050MS"), before);

    // The lookups and the contract screen know the new tenant at once.
    EXPECT_EQ(Lookup("3", "눈꽃"), QStringList({next}));
    EXPECT_EQ(Lookup("3", "박대표").count(next), 1);
    auto* contracts = Open<TfrmNAI020>("NAI020");
    ASSERT_NE(contracts, nullptr);
    QTest::keyClick(contracts->edtFindName, Qt::Key_F3);
    QTest::keyClick(contracts->rgrGrid, Qt::Key_F4);
    contracts->edt_CCode->setFocus();
    TypeText(contracts->edt_CCode, next);
    EXPECT_EQ(contracts->edt_CCodeName->text(), "눈꽃상회");
}

TEST_F(MasterRegisterEndToEndTest, ATenantWithAContractIsNotDeletedButPutOutOfUse)
{
    auto* screen = Open<TfrmNAI060>("NAI060");
    ASSERT_NE(screen, nullptr);
    const QString code = Scalar("SELECT MIN(C_CODE) FROM NA020MS");
    const QString name = Scalar("SELECT C_NAME FROM VA050MS WHERE C_CODE = '" + code + "'");
    screen->edtFindName->setText(name);
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    const int row = FindRow(screen->rgrGrid, TfrmNAI060::colCode, code);
    ASSERT_GE(row, 0);
    ClickRow(screen->rgrGrid, row);
    MessageBoxSeam::QueueAnswer(true); // delete the current row?
    QTest::keyClick(screen->rgrGrid, Qt::Key_F9);
    SaveWithYes(screen->rgrGrid);
    EXPECT_TRUE(Errors().join('\n').endsWith("계약이 있는 거래처는 삭제할 수 없습니다."));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM VA050MS WHERE C_CODE = '" + code + "'"), "1");

    // Out of use instead: the contract lookup's tenant list leaves it out.
    QTest::keyClick(screen->rgrGrid, Qt::Key_F8);
    MessageBoxSeam::Reset();
    if (!screen->SearchMode())
        QTest::keyClick(screen->rgrGrid, Qt::Key_F8);
    QTest::keyClick(screen->edtFindName, Qt::Key_F3);
    ClickRow(screen->rgrGrid, FindRow(screen->rgrGrid, TfrmNAI060::colCode, code));
    screen->cmbUseYN->setCurrentText("N");
    SaveWithYes(screen->cmbUseYN);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join('\n').toStdString();
    EXPECT_EQ(Scalar("SELECT USE_YN FROM VA050MS WHERE C_CODE = '" + code + "'"), "N");
    EXPECT_EQ(Lookup("3", name).count(code), 0);
}

TEST_F(MasterRegisterEndToEndTest, ANewLeasableSiteIsOfferedToTheShopRegister)
{
    auto* sites = Open<TfrmNAI070>("NAI070");
    ASSERT_NE(sites, nullptr);
    QTest::keyClick(sites->edtFindName, Qt::Key_F3);
    const QString next = QString::number(
        Scalar("SELECT MAX(UPJANG_CODE) FROM JA010MS WHERE UPJANG_CODE LIKE '4___'").toInt() + 1);
    QTest::keyClick(sites->rgrGrid, Qt::Key_F4);
    ASSERT_EQ(QApplication::focusWidget(), sites->edtName);
    EXPECT_EQ(sites->cmbLeasable->currentText(), "Y"); // a new site is leasable unless told otherwise
    TypeText(sites->edtName, "설원 카페");
    SaveWithYes(sites->edtName);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join('\n').toStdString();
    EXPECT_EQ(Scalar("SELECT UPJANG_NAME || '|' || ETC_FLAG || DIRECT_MANAGE_YN || USE_YN FROM JA010MS "
                     "WHERE UPJANG_CODE = '" + next + "'"),
              "설원 카페|YNY");
    EXPECT_EQ(Lookup("4", "설원"), QStringList({next}));

    auto* shops = Open<TfrmNAI010>("NAI010");
    ASSERT_NE(shops, nullptr);
    QTest::keyClick(shops->edtFindName, Qt::Key_F3);
    QTest::mouseClick(shops->bbtNewUpjang, Qt::LeftButton);
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join('\n').toStdString();
    EXPECT_GE(FindRow(shops->rgrGrid, TfrmNAI010::colShopCode, next), 0);

    // Once it is a shop, the site cannot be deleted.
    Exec("INSERT INTO NA010MS (SHOP_CODE, SHOP_NAME, SHOP_USED_YN) VALUES ('" + next + "', '설원 카페', 'Y')");
    QTest::keyClick(sites->rgrGrid, Qt::Key_F8);
    window->Tabs()->setCurrentWidget(sites->parentWidget());
    if (!sites->SearchMode())
        sites->bbtCancelClick();
    sites->edtFindName->setText("설원");
    sites->bbtSearchClick();
    ASSERT_EQ(sites->rgrGrid->RowCount(), 1);
    MessageBoxSeam::QueueAnswer(true);
    sites->bbtDeleteClick();
    SaveWithYes(sites->rgrGrid);
    EXPECT_TRUE(Errors().join('\n').endsWith("임대영업장이나 계약이 있는 업장은 삭제할 수 없습니다."));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM JA010MS WHERE UPJANG_CODE = '" + next + "'"), "1");
}
