#include "engine/myGraphUnits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/myMediaGraph.h"

namespace skivra {
namespace {

TEST(GraphUnits, FrameRateTextRoundsToTwoDecimalsInShortestForm) {
    struct Case {
        std::int32_t iNumerator, iDenominator;
        const char16_t* sText;
    };
    const Case cases[] = {
        {30000, 1001, u"29.97"}, {24000, 1001, u"23.98"},
        {25, 1, u"25"},          {60, 1, u"60"},
        {15, 2, u"7.5"},         {1, 8, u"0.13"}, // 0.125: half up
        {1, 1000, u"0"},         {0, 1, u"-"},
        {25, 0, u"-"},           {-25, 1, u"-"},
        {2997, 100, u"29.97"},   {1000000, 1, u"1e+06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFrameRateText(c.iNumerator, c.iDenominator), c.sText)
            << c.iNumerator << "/" << c.iDenominator;
    }
}

TEST(GraphUnits, VolumeInHundredthsOfADecibelBecomesLinear) {
    struct Case {
        std::int32_t iVolume;
        double fLinear;
    };
    // 20 log10(linear) = volume / 100; silence is exactly 0, not 10^-5.
    const Case cases[] = {
        {0, 1.0},          {-600, 0.501187},   {-693, 0.450298}, {-2000, 0.1},  {-2303, 0.070550},
        {-4605, 0.004983}, {-9999, 0.0000100}, {-10000, 0.0},    {-20000, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(VolumeToLinear(c.iVolume), c.fLinear, 1e-6) << c.iVolume;
    }
    EXPECT_EQ(VolumeToLinear(VOLUME_SILENT), 0.0);
}

TEST(GraphUnits, VideoRectangleCoversTheWholeMonitor) {
    struct Case {
        TMyRect rcMonitor, rcVideo;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
        // Another monitor's rectangle gives the same window-relative result.
        {{1920, -200, 3200, 824}, {0, 0, 1280, 1024}},
        {{-1080, 0, 0, 1920}, {0, 0, 1080, 1920}},
        // Sizes whose ratio is no exact binary fraction keep every pixel.
        {{0, 0, 1366, 768}, {0, 0, 1366, 768}},
        {{0, 0, 7, 3}, {0, 0, 7, 3}},
        {{0, 0, 0, 1080}, {0, 0, 0, 0}},
        {{10, 10, 5, 20}, {0, 0, 0, 0}},
        // Wider than any coordinate: nothing.
        {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const TMyRect rc = GetMonitorVideoRect(c.rcMonitor);
        EXPECT_EQ(rc, c.rcVideo) << c.rcMonitor.Left << "," << c.rcMonitor.Top << " "
                                 << c.rcMonitor.Right << "," << c.rcMonitor.Bottom;
    }
}

TEST(GraphUnits, OverlayKeyColourDefaultsAndReadsTheEnvironment) {
    struct Case {
        const char* sValue; // nullptr: unset
        std::uint32_t iColour;
    };
    const Case cases[] = {
        {nullptr, 0x100010},     {"0x204080", 0x804020}, {"204080", 0x804020},
        {"0XFF0000", 0x0000FF},  {"0", 0x000000},        {"", 0x100010},
        {"0x1000000", 0x100010}, {"12345g", 0x100010},   {"-1", 0x100010},
        {"0x", 0x100010},
    };
    for (const Case& c : cases) {
        if (c.sValue) {
            setenv("SKIVRA_OVERLAY_KEY_COLOUR", c.sValue, 1);
        } else {
            unsetenv("SKIVRA_OVERLAY_KEY_COLOUR");
        }
        EXPECT_EQ(GetOverlayKeyColour(), c.iColour) << (c.sValue ? c.sValue : "(unset)");
    }
    unsetenv("SKIVRA_OVERLAY_KEY_COLOUR");
}

} // namespace
} // namespace skivra
