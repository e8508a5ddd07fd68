#include <gtest/gtest.h>

#include <QGuiApplication>

// The recomputation measures label text, so the tests run a GUI application on the offscreen
// platform.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
