#include "app/myBusySection.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace skivra {
namespace {

class BusySectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBusySectionHooks({[this] { sLog += "enter;"; },
                             [this] {
                                 sLog += "leave;";
                             }});
    }
    void TearDown() override {
        while (IsInFunc()) {
            EndFunc();
        }
        SetBusySectionHooks({});
    }
    std::string sLog;
};

TEST_F(BusySectionTest, OnlyTheOutermostSectionTouchesTheWindow) {
    EXPECT_FALSE(IsInFunc());
    BeginFunc();
    BeginFunc();
    EXPECT_TRUE(IsInFunc());
    EndFunc();
    EXPECT_TRUE(IsInFunc());
    EXPECT_EQ(sLog, "enter;");
    EndFunc();
    EXPECT_FALSE(IsInFunc());
    EXPECT_EQ(sLog, "enter;leave;");
    // An unmatched end neither refreshes again nor opens anything.
    EndFunc();
    EXPECT_FALSE(IsInFunc());
    EXPECT_EQ(sLog, "enter;leave;");
}

TEST_F(BusySectionTest, ScopedSectionClosesOnException) {
    try {
        TMyBusySection outer;
        TMyBusySection inner;
        throw std::runtime_error("scan failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(IsInFunc());
    EXPECT_EQ(sLog, "enter;leave;");
}

} // namespace
} // namespace skivra
