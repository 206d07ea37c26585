#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <pty.h>
#include <unistd.h>

#include "common/MessageBoxSeam.h"
#include "screens/ScreenRegistry.h"
#include "shell/TfrmN0Main.h"
#include "tests/shell/ShellTestSupport.h"

// The card reader's side of a pseudo-terminal; the client opens the other end
// as its serial port.
class FakeReader
{
public:
    FakeReader()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
            devicePath = QString::fromLocal8Bit(name);
    }
    ~FakeReader()
    {
        if (master >= 0)
            close(master);
        if (slave >= 0)
            close(slave);
    }
    bool Send(const QByteArray& block) const
    {
        return write(master, block.constData(), block.size()) == block.size();
    }

    int master = -1;
    int slave = -1;
    QString devicePath;
};

class RfidLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::Reset();
        SessionContext::SetLastCardNumber({});
        ScreenRegistry::Register("NAI010", [this] { return screen = new TestScreen(); });
    }
    void TearDown() override { ScreenRegistry::Unregister("NAI010"); }

    std::unique_ptr<TfrmN0Main> OpenWithReader(const QString& devicePath)
    {
        folder.SetIni("selvar_n.ini", "RF15693/PORT", 3);
        folder.SetIni("selvar_n.ini", "SerialPorts/COM3", devicePath);
        return std::make_unique<TfrmN0Main>(nullptr);
    }

    ProgramFolder folder;
    TestScreen* screen = nullptr;
};

TEST_F(RfidLinkTest, TenCharactersOfACardReachTheActiveScreenOnceAndNineNothing)
{
    FakeReader reader;
    ASSERT_FALSE(reader.devicePath.isEmpty());
    auto window = OpenWithReader(reader.devicePath);
    ASSERT_TRUE(window->RfidPortOpen());
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    ASSERT_TRUE(window->OpenProgram("A", "NAI010"));

    ASSERT_TRUE(reader.Send("0123456789AB"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen->cardReads > 0; }, 3000));
    EXPECT_EQ(SessionContext::LastCardNumber(), "0123456789");

    ASSERT_TRUE(reader.Send("987654321"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return SessionContext::LastCardNumber() == "987654321"; }, 3000));
    QTest::qWait(50);
    EXPECT_EQ(screen->cardReads, 1);
}

TEST_F(RfidLinkTest, CardsReadWithoutAnOpenScreenAreDiscarded)
{
    FakeReader reader;
    auto window = OpenWithReader(reader.devicePath);
    SessionContext::SetLastCardNumber("previous");
    ASSERT_TRUE(reader.Send("0123456789"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return SessionContext::LastCardNumber().isEmpty(); }, 3000));
}

TEST_F(RfidLinkTest, AnUnopenablePortIsNamedAndTheWindowGoesOn)
{
    auto window = OpenWithReader("/nonexistent/ttyRF");
    EXPECT_FALSE(window->RfidPortOpen());
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::Last().text,
              "RFID리더 포트(COM3)를 열 수 없습니다.\r해당 포트를 다른 장치나 프로그램에서 사용중일 수 있습니다.");
    EXPECT_TRUE(window->OpenProgram("A", "NAI010"));
}

TEST_F(RfidLinkTest, WithoutAPortSettingNothingIsOpenedOrSaid)
{
    TfrmN0Main window(nullptr);
    EXPECT_EQ(window.RfidPort(), 0);
    EXPECT_FALSE(window.RfidPortOpen());
    EXPECT_TRUE(MessageBoxSeam::Shown().isEmpty());
    EXPECT_EQ(TfrmZZMain::SerialDevicePath(1), "/dev/ttyS0");
}
