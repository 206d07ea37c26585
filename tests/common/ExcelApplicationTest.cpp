#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include "common/EExcelError.h"
#include "common/TExcelApplication.h"
#include "common/TExcelValueArray.h"

namespace {

// Records what the application would show instead of starting a program.
class ExcelApplication : public ::testing::Test
{
protected:
    void SetUp() override { Install("viewer-program", true); }
    void TearDown() override
    {
        for (const QString& file : m_shown)
            QFile::remove(file);
        TExcelApplication::SetHost(TExcelApplication::DefaultHost());
    }
    void Install(const QString& viewer, bool showWorks)
    {
        TExcelApplication::SetHost({[viewer] { return viewer; },
                                    [this, showWorks](const QString& program, const QString& file) {
                                        m_program = program;
                                        m_shown << file;
                                        return showWorks;
                                    }});
    }

    QString m_program;
    QStringList m_shown;
};

} // namespace

TEST_F(ExcelApplication, CreationNeedsAProgramToShowWorkbooksOnlyForShowing)
{
    EXPECT_TRUE(TExcelApplication::Create("Excel.Application"));
    EXPECT_TRUE(TExcelApplication::Create("excel.APPLICATION"));
    EXPECT_FALSE(TExcelApplication::Create("Word.Application"));
    Install(QString(), true);
    EXPECT_FALSE(TExcelApplication::Create("Excel.Application"));
    EXPECT_TRUE(TExcelApplication::Create("Excel.application", TExcelApplication::epRead));
}

TEST_F(ExcelApplication, PutValuesAreTakenAsTheSpreadsheetTakesThem)
{
    auto app = TExcelApplication::Create("Excel.Application");
    app->Workbooks().Add();
    app->Cells(1, 1).SetValue("'0101");
    app->Cells(1, 2).SetValue("0101");
    app->Cells(1, 3).SetValue("12a");
    app->Cells(1, 4).SetValue(QDate(2026, 12, 8));
    app->Cells(1, 5).SetValue(7);
    app->Cells(1, 6).SetValue(true);
    app->Cells(1, 7).SetValue(" 5");
    EXPECT_EQ(app->Cells(1, 1).Value(), QVariant("0101"));
    EXPECT_EQ(app->Cells(1, 2).Value(), QVariant(101.0));
    EXPECT_EQ(app->Cells(1, 3).Value(), QVariant("12a"));
    EXPECT_EQ(app->Cells(1, 4).Value(), QVariant(QDate(2026, 12, 8)));
    EXPECT_EQ(app->Cells(1, 5).Value(), QVariant(7.0));
    EXPECT_EQ(app->Cells(1, 6).Value(), QVariant(true));
    EXPECT_EQ(app->Cells(1, 7).Value(), QVariant(" 5"));
    app->Cells(1, 3).SetValue(QVariant());
    EXPECT_FALSE(app->Cells(1, 3).Value().isValid());
    EXPECT_THROW(app->Cells(0, 1), EExcelError);
    EXPECT_THROW(app->Cells(1, 16385), EExcelError);
}

TEST_F(ExcelApplication, RangeValuesAreATwoDimensionalArrayFromOneWithEmptyCellsAsEmptyText)
{
    auto app = TExcelApplication::Create("Excel.Application");
    app->Workbooks().Add();
    app->Cells(2, 2).SetValue(1.5);
    app->Cells(3, 1).SetValue("가");
    EXPECT_EQ(app->ActiveSheet().UsedRange().Rows().Count(), 2);
    const QVariant value = app->Range(app->Cells(1, 1), app->Cells(3, 12)).Value();
    ASSERT_TRUE(value.canConvert<TExcelValueArray>());
    const TExcelValueArray array = value.value<TExcelValueArray>();
    EXPECT_EQ(array.RowCount(), 3);
    EXPECT_EQ(array.ColumnCount(), 12);
    EXPECT_EQ(array.Text(2, 2), "1.5");
    EXPECT_EQ(array.Text(3, 1), "가");
    EXPECT_EQ(TExcelValueArray::ToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(TExcelValueArray::ToText(-1.5e-7), "-0.00000015");
    EXPECT_EQ(TExcelValueArray::ToText(123456789012.25), "123456789012.25");
    EXPECT_EQ(array.Text(1, 1), "");
    EXPECT_EQ(array.Text(3, 12), "");
    // the array is a snapshot: later changes to the sheet do not reach it
    app->Cells(2, 2).SetValue(9);
    EXPECT_EQ(array.Text(2, 2), "1.5");
}

TEST_F(ExcelApplication, VisibleWritesTheWorkbookAndHandsItToTheViewer)
{
    auto app = TExcelApplication::Create("Excel.Application");
    app->Workbooks().Add();
    app->Cells(1, 2).SetValue("< 제목 :  >");
    app->Cells(4, 1).SetValue("'0101");
    app->Cells(4, 2).SetValue(1234.5);
    app->Cells(4, 3).SetValue(QDateTime(QDate(2026, 12, 8), QTime(13, 14, 26)));
    app->SetVisible(true);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_program, "viewer-program");
    EXPECT_EQ(QFileInfo(m_shown[0]).suffix(), "xlsx");
    app->SetVisible(true); // shown once only
    EXPECT_EQ(m_shown.size(), 1);

    auto reader = TExcelApplication::Create("Excel.Application", TExcelApplication::epRead);
    reader->Workbooks().Open(m_shown[0]);
    EXPECT_EQ(reader->Cells(1, 2).Value(), QVariant("< 제목 :  >"));
    EXPECT_EQ(reader->Cells(4, 1).Value(), QVariant("0101"));
    EXPECT_EQ(reader->Cells(4, 2).Value(), QVariant(1234.5));
    EXPECT_EQ(reader->Cells(4, 3).Value(), QVariant(QDateTime(QDate(2026, 12, 8), QTime(13, 14, 26))));
    reader->SetDisplayAlerts(false);
    reader->Workbooks().Close();
    EXPECT_EQ(reader->Workbooks().Count(), 0);
    EXPECT_THROW(reader->ActiveSheet(), EExcelError);
}

TEST_F(ExcelApplication, AViewerThatDoesNotStartIsAnError)
{
    Install("viewer-program", false);
    auto app = TExcelApplication::Create("Excel.Application");
    app->Workbooks().Add();
    EXPECT_THROW(app->SetVisible(true), EExcelError);
}

TEST(ExcelViewer, TheProgramsIniFileCanNameTheViewer)
{
    const QString exe = QCoreApplication::applicationFilePath();
    const QString ini = QFileInfo(exe).absolutePath() + "/" + QFileInfo(exe).completeBaseName() + ".ini";
    const auto findViewer = TExcelApplication::DefaultHost().FindViewer;
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Excel/Viewer", "/bin/true");
    }
    EXPECT_EQ(findViewer(), "/bin/true");
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Excel/Viewer", "/no/such/program");
    }
    EXPECT_NE(findViewer(), "/no/such/program"); // a missing program is not a viewer
    {
        // Saved by a Windows editor in UTF-16 with its mark: read all the same.
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QString text = QStringLiteral("[Excel]\r\nViewer=/bin/true\r\n");
        file.write("\xFF\xFE");
        file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    EXPECT_EQ(findViewer(), "/bin/true");
    QFile::remove(ini);
}
