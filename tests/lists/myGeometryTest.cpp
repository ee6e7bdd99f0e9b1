#include "lists/myGeometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace skivra {
namespace {

TEST(DirectionName, NamesTheDirectionOfADrag) {
    struct Case {
        TMyPoint p2; // from (0, 0)
        int32_t iAngle;
        std::u16string sName;
    };
    const Case aCases[] = {
        {{10, -10}, -1, u""},
        {{12, 12}, -1, u""},
        {{100, 0}, 0, u"右"},
        {{0, -100}, 90, u"上"},
        {{-100, 0}, 180, u"左"},
        {{0, 100}, 270, u"下"},
        {{100, -100}, 45, u"右"},
        {{100, -101}, 45, u"右"},
        {{100, -102}, 46, u"上"},
        {{-100, -100}, 135, u"上"},
        {{-100, -101}, 135, u"上"},
        {{-100, 100}, 225, u"左"},
        {{-100, 102}, 226, u"下"},
        {{100, 100}, 315, u"下"},
        {{100, 101}, 315, u"下"},
        {{100, 102}, 314, u"下"},
        {{5, 50}, 270, u"下"},
        {{13, 5}, 0, u"右"},
        // Nearly level to the right: the angle rounds to 360, which is right too.
        {{10000, 13}, 360, u"右"},
    };
    for (const Case& c : aCases) {
        EXPECT_EQ(DirectionAngle({0, 0}, c.p2), c.iAngle) << c.p2.X << "," << c.p2.Y;
        EXPECT_EQ(DirectionName({0, 0}, c.p2), c.sName) << c.p2.X << "," << c.p2.Y;
    }
}

TEST(DirectionName, FollowsTheDragThreshold) {
    SetDragThreshold({10, 1});
    EXPECT_EQ(DirectionName({0, 0}, {30, 0}), u"");
    EXPECT_EQ(DirectionName({0, 0}, {0, 4}), u"下");
    SetDragThreshold({4, 4});
}

TEST(Rectangles, SizesAndCentring) {
    EXPECT_EQ(RectWidth({10, 20, 110, 70}), 100);
    EXPECT_EQ(RectHeight({10, 20, 110, 70}), 50);
    EXPECT_EQ(CenterRect({0, 0, 100, 50}, {7, 7, 37, 28}), (TMyRect{35, 14, 65, 35}));
    EXPECT_EQ(CenterRect({0, 0, 10, 10}, {0, 0, 15, 15}), (TMyRect{-2, -2, 13, 13}));
    EXPECT_EQ(CenterRect({-100, -100, 0, 0}, {0, 0, 10, 11}), (TMyRect{-55, -56, -45, -45}));
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_THROW(RectWidth({kMin, 0, kMax, 0}), std::range_error);
}

} // namespace
} // namespace skivra
