#include <QFile>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "shell/TConnectionFile.h"
#include "shell/TfrmZZD000.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray Utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar ch : text) {
        const char high = char(ch.unicode() >> 8), low = char(ch.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1} : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

} // namespace

// Databases.ini saved by a Windows editor in UTF-16 read as empty, and the
// listed database was then taken for a demonstration one.
TEST(ConfigFile, DatabasesIniInEveryTextEncodingListsItsDatabases)
{
    ProgramFolder folder;
    const QString text = "; 업장 데이터베이스\r\n[SITE]\r\nDriver=POSTGRES\r\nHost=db.example\r\nDatabase=lease\r\n";
    const QList<std::pair<const char*, QByteArray>> files = {
        {"UTF-16 LE", Utf16(text, false)},
        {"UTF-16 BE", Utf16(text, true)},
        {"UTF-8 mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"code page 949", QByteArray("; \xBE\xF7\xC0\xE5\r\n") + text.mid(text.indexOf('[')).toLatin1()},
    };
    for (const auto& [name, bytes] : files) {
        WriteBytes(folder.Path("Databases.ini"), bytes);
        const auto entry = TConnectionFile::Resolve(SessionContext::AppDir(), "SITE");
        EXPECT_FALSE(entry.demo) << name;
        EXPECT_EQ(entry.settings.Host, "db.example") << name;
    }
}

TEST(ConfigFile, ADatabasesIniThatIsNoTextIsRefusedByName)
{
    ProgramFolder folder;
    MessageBoxSeam::Reset();
    WriteBytes(folder.Path("Databases.ini"), QByteArray("[SITE]\0\x01\x02\xFF", 10));
    TfrmZZD000 dataModule({"SITE", "selvar", "E1", "홍길동"}, folder.Path("selvar_n"));
    EXPECT_FALSE(dataModule.Connected());
    ASSERT_EQ(MessageBoxSeam::Shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::Last().text.contains(folder.Path("Databases.ini")))
        << MessageBoxSeam::Last().text.toStdString();
    EXPECT_FALSE(QFile::exists(folder.Path("data/test_shell/SITE.db"))); // nothing created in its place
}
