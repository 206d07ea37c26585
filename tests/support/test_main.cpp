#include <QApplication>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/MessageBoxes.h"
#include "common/TXlsReader.h"
#include "tests/support/TTestEngine.h"

// Every test program owns one QApplication, so widget tests and plain tests
// share a binary; the message boxes answer from the seam, never a person.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MessageBoxSeam::SetActive(true);
    RouteGridDialogsToMessageBoxes();
    TXlsReader::SetHelperPath(QStringLiteral(SELVAR_XLSREAD_PATH)); // built beside the client, not the tests
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--engine=POSTGRES") == 0)
            qputenv("SELVAR_TEST_ENGINE", "POSTGRES");
    ::testing::InitGoogleTest(&argc, argv);
    if (const int refused = TTestEngine::CheckServer(); refused != 0 && !::testing::GTEST_FLAG(list_tests))
        return refused;
    return RUN_ALL_TESTS();
}
