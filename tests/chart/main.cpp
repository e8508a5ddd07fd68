#include <gtest/gtest.h>

#include <QGuiApplication>

// Chart tests measure text, so they need a GUI application; the offscreen platform lets them
// run without a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
