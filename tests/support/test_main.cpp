#include <QApplication>
#include <gtest/gtest.h>

#include "common/MessageBoxSeam.h"
#include "common/MessageBoxes.h"
#include "common/TXlsReader.h"

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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
