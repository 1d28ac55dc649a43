// One QApplication for every test that runs on Qt. Without a display the offscreen
// platform is chosen, so that listing and running the tests works anywhere.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The program ends through _Exit, never by returning from main. Tearing sound down
    // at exit races with the sound server client's own thread and can abort inside it
    // after every test has passed, so the tests end the same way the program does.
    std::fflush(nullptr);
    std::_Exit(result);
}
