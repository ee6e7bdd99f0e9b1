#pragma once

// One QApplication for a whole test binary, made before the first test and kept to the
// end (Qt allows one per process, and widgets need it). Include this in exactly one source
// file of a widget test binary.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <functional>
#include <memory>

#include <QStringList>
#include <ostream>

// gtest prints Qt strings as text, not as arrays of code units.
inline void PrintTo(const QString& sText, std::ostream* pOut) {
    *pOut << '"' << sText.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* pOut) {
    PrintTo(list.join(QStringLiteral(" | ")), pOut);
}

namespace skivra::test {

class TQtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "skivra-widget-test";
        static char* argv[] = {name, nullptr};
        FApp = std::make_unique<QApplication>(argc, argv);
        // Windows close in the tests all the time; that must not end the application.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QApplication> FApp;
};

inline ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

// Processes events until the condition holds, at most iTimeoutMs; returns the condition.
inline bool WaitFor(const std::function<bool()>& condition, int iTimeoutMs = 10000) {
    QDeadlineTimer deadline(iTimeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
    return true;
}

} // namespace skivra::test
