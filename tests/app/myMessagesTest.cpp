#include "app/myMessages.h"

#include <gtest/gtest.h>

#include "app/myParam.h"

namespace skivra {
namespace {

TEST(Messages, TextsParseBackToTheirWindowIds) {
    EXPECT_EQ(SubPlayerParameters(123), u"/SUBPLAYER /FROM:123");
    EXPECT_EQ(ToSubPlayerMessage(0), u"/TO_SUBPLAYER:0");
    const TMyParam sub(SubPlayerParameters(536870911));
    EXPECT_TRUE(sub.OptionExists(kSubPlayerOption));
    EXPECT_EQ(sub.FindOption(kFromOption)->ValueInt(), 536870911);
    EXPECT_EQ(TMyParam(ToSubPlayerMessage(77)).FindOption(kToSubPlayerOption)->ValueInt(), 77);
}

} // namespace
} // namespace skivra
