#include "support/myEventHook.h"

#include <gtest/gtest.h>

#include <thread>

namespace skivra {
namespace {

TEST(EventHookTest, PumpRunsOnlyOnTheThreadThatInstalledIt) {
    int iPumped = 0;
    SetEventPump([&iPumped] { ++iPumped; });
    PumpEvents();
    std::thread([] { PumpEvents(); }).join();
    PumpEvents();
    SetEventPump(nullptr);
    PumpEvents();
    EXPECT_EQ(iPumped, 2);
}

} // namespace
} // namespace skivra
