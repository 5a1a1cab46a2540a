#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("BRIMO_SOURCE_DIR"))
        qputenv("BRIMO_SOURCE_DIR", BRIMO_TEST_SOURCE_DIR);
    if (qEnvironmentVariableIsEmpty("BRIMO_BINARY_DIR"))
        qputenv("BRIMO_BINARY_DIR", BRIMO_TEST_BINARY_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
