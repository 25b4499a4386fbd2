#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char* argv[]) {
    // Test discovery runs this binary at build time, where there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
