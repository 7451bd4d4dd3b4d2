// main() for widget tests: one QApplication for the whole program. Without a display the tests
// run on the offscreen platform unless QT_QPA_PLATFORM says otherwise (xcb under Xvfb).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
