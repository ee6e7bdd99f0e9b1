#include "platform/posix/myProcess.h"

#include "app/myParam.h"
#include "support/TempFolder.h"
#include "support/myEventHook.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace skivra {
namespace {

using namespace std::chrono_literals;

TEST(CommandLine, JoinedArgumentsSplitBackUnchanged) {
    const std::vector<std::u16string> args = {
        u"/opt/my app/skivra", u"/SUBPLAYER", u"/FROM:123", u"",
        u"say \"hi\"",         u"曲 1.mp3",   u"tab\there"};
    EXPECT_EQ(SplitCommandLine(JoinCommandLine(args)), args);
}

TEST(CommandLine, OwnCommandLineNamesThisProgram) {
    const TMyParam param(GetProcessCommandLine());
    ASSERT_GE(param.Count(), 1);
    EXPECT_NE(param.ExeName().find(u"test_support"), std::u16string::npos);
}

TEST(Launch, FileThatCannotStartReturnsAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ShellExecuteProcess(u"/no/such/program", u"").IsValid());
    EXPECT_FALSE(ShellExecuteAndWaitIdle(u"/no/such/program", u"/x", 60000, [] { return false; }));
    EXPECT_FALSE(ShellExecuteAndWaitIdle(u"", u"", 60000, [] { return false; }));
    // Not a timing claim: a generous bound that only a real wait for the time-out breaks.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST(Launch, ParametersReachTheNewProcess) {
    test::TempFolder temp;
    const std::string sOut = temp.Path() + "/args";
    const std::u16string sParams =
        u"-c \"printf '%s|' \"\"$@\"\" > " + *Utf8ToUtf16(sOut) + u"\" sh /FROM:42 \"a b\"";
    TMyProcess process = ShellExecuteProcess(u"/bin/sh", sParams);
    ASSERT_TRUE(process.IsValid());
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!process.HasEnded() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    std::ifstream in(sOut);
    std::string sLine;
    std::getline(in, sLine);
    EXPECT_EQ(sLine, "/FROM:42|a b|");
}

// The wait keeps pumping events, so a message the new process sends during the wait is
// handled during the wait; here the "message" is a file the child writes.
TEST(Launch, WaitPumpsEventsUntilTheChildIsReady) {
    test::TempFolder temp;
    const std::string sFlag = temp.Path() + "/ready";
    int iPumps = 0;
    bool bAnnounced = false;
    SetEventPump([&] {
        ++iPumps;
        bAnnounced = bAnnounced || std::filesystem::exists(sFlag);
    });
    // The child stays until the test takes the flag away, so it outlives the wait.
    const std::u16string sFlag16 = *Utf8ToUtf16(sFlag);
    const std::u16string sParams =
        u"-c \"touch " + sFlag16 + u"; while [ -e " + sFlag16 + u" ]; do sleep 0.05; done\"";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ShellExecuteAndWaitIdle(u"/bin/sh", sParams, 60000, [&] { return bAnnounced; }));
    SetEventPump({});
    std::filesystem::remove(sFlag);
    EXPECT_TRUE(bAnnounced);
    EXPECT_GT(iPumps, 0);
    // It returned on the announcement, not at the 60 s time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST(Launch, WaitEndsWhenTheChildEnds) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(ShellExecuteAndWaitIdle(u"/bin/true", u"", 60000, [] { return false; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

} // namespace
} // namespace skivra
