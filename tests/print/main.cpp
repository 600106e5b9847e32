#include <QGuiApplication>

#include <gtest/gtest.h>

// The pages are drawn with fonts, which need the GUI application; off screen, no display needed.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
