#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/MessageBoxes.h"
#include "controls/TwGridDialogs.h"

class MessageBoxesTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBoxSeam::Reset(); }
};

TEST_F(MessageBoxesTest, AskYesNoTakesQueuedAnswersThenTheDefault)
{
    MessageBoxSeam::QueueAnswer(false);
    MessageBoxSeam::QueueAnswer(true);
    EXPECT_FALSE(AskYesNo("저장 하시겠습니까?"));
    EXPECT_TRUE(AskYesNo("삭제 하시겠습니까?"));
    EXPECT_TRUE(AskYesNo("default is Yes"));

    const auto shown = MessageBoxSeam::Shown();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0].kind, MessageBoxSeam::mbQuestion);
    EXPECT_EQ(shown[0].caption, "임대업장 관리");
    EXPECT_EQ(shown[0].text, "저장 하시겠습니까?");
    EXPECT_EQ(shown[1].text, "삭제 하시겠습니까?");
}

TEST_F(MessageBoxesTest, InfoAndErrorAreRecordedWithTheirKindAndExactText)
{
    ShowInfo("자료를 저장했습니다.");
    ShowError("자료를 저장하지 못했습니다.\r\r에러내용:\rORA-1");
    const auto shown = MessageBoxSeam::Shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].kind, MessageBoxSeam::mbInfo);
    EXPECT_EQ(shown[1].kind, MessageBoxSeam::mbError);
    EXPECT_EQ(shown[1].text, "자료를 저장하지 못했습니다.\r\r에러내용:\rORA-1");
    EXPECT_EQ(MessageBoxSeam::Last().caption, "임대업장 관리");
}

// The real box, with the seam off: caption, line breaks and the No button.
TEST_F(MessageBoxesTest, RealQuestionBoxShowsLineBreaksAndAnswersNo)
{
    MessageBoxSeam::SetActive(false);
    QString seenText, seenCaption;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenCaption = box->windowTitle();
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    const bool answer = AskYesNo("첫 줄\r둘째 줄");
    MessageBoxSeam::SetActive(true);
    EXPECT_FALSE(answer);
    EXPECT_EQ(seenText, "첫 줄\n둘째 줄");
    EXPECT_EQ(seenCaption, "임대업장 관리");
}

// The grids' own boxes reach the client's boxes; their question defaults to No.
TEST_F(MessageBoxesTest, GridDialogsUseTheClientBoxes)
{
    RouteGridDialogsToMessageBoxes();
    TwGridDialogs::ShowError("값이 필요합니다.");
    EXPECT_EQ(MessageBoxSeam::Last().kind, MessageBoxSeam::mbError);
    EXPECT_EQ(MessageBoxSeam::Last().caption, "임대업장 관리");

    MessageBoxSeam::SetActive(false);
    bool defaultIsNo = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
        box->button(QMessageBox::Yes)->click();
    });
    const bool answer = TwGridDialogs::AskYesNo("선택한 행을 삭제하시겠습니까?", QString());
    MessageBoxSeam::SetActive(true);
    EXPECT_TRUE(answer);
    EXPECT_TRUE(defaultIsNo);
}
