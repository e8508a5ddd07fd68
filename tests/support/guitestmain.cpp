#include <gtest/gtest.h>

#include <QGuiApplication>

// Tests that measure or draw text need a GUI application; the offscreen platform lets them run
// without a display, also when started by hand.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
