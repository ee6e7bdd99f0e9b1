#pragma once

// Helpers for widget test binaries (built with QT_MAIN, whose main() makes the
// QApplication): windows opening and closing all the time must not end the application,
// gtest prints Qt strings as text, and WaitFor waits for a condition with a bound.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <functional>

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

class TKeepRunningEnvironment : public ::testing::Environment {
public:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }
};

inline ::testing::Environment* const kKeepRunning =
    ::testing::AddGlobalTestEnvironment(new TKeepRunningEnvironment);

// Processes events until the condition holds, at most iTimeoutMs (generous: the machine is
// shared and the tests run under sanitizers); returns the condition.
inline bool WaitFor(const std::function<bool()>& condition, int iTimeoutMs = 30000) {
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
