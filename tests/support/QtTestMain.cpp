// main() for test binaries that need the Qt application object: it must exist before any
// widget, socket notifier or timer, and live until every test has run.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
