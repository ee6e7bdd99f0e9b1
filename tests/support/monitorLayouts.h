#pragma once

#include "support/myMonitorSource.h"

#include <memory>
#include <string>
#include <vector>

namespace skivra::test {

// Monitor layouts for tests that need more than one screen (a virtual X server shows one).
// Coordinates put the primary monitor's top-left corner at (0, 0), rectangles are right- and
// bottom-exclusive; the work area leaves a 40-pixel panel at the bottom of the primary.
struct TMyMonitorLayout {
    std::string sName;
    std::vector<TMyMonitorInfo> Monitors;
};

inline TMyMonitorInfo MakeMonitor(TMyRect rcMonitor, TMyRect rcWork, bool bPrimary = false) {
    return {0, rcMonitor, rcWork, bPrimary};
}
inline TMyMonitorInfo MakeMonitor(TMyRect rcMonitor, bool bPrimary = false) {
    return {0, rcMonitor, rcMonitor, bPrimary};
}

inline TMyMonitorLayout SingleLayout() {
    return {"Single", {MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true)}};
}

// Two 1920x1080 monitors, the second to the right of the primary.
inline TMyMonitorLayout SideBySideLayout() {
    return {"SideBySide",
            {MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true),
             MakeMonitor({1920, 0, 3840, 1080})}};
}

// A 1280x1024 monitor to the left of the primary and 400 pixels higher.
inline TMyMonitorLayout LeftAboveLayout() {
    return {"LeftAbove",
            {MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true),
             MakeMonitor({-1280, -400, 0, 624})}};
}

// Three sizes: a 1280x1024 monitor right of the primary (its bottom 56 rows short of the
// primary's) and an 800x600 one after a 100-pixel gap.
inline TMyMonitorLayout ThreeWithGapLayout() {
    return {"ThreeWithGap",
            {MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true),
             MakeMonitor({1920, 0, 3200, 1024}), MakeMonitor({3300, 0, 4100, 600})}};
}

// A portrait 1080x1920 monitor right of the primary, centred on it vertically.
inline TMyMonitorLayout PortraitLayout() {
    return {"Portrait",
            {MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true),
             MakeMonitor({1920, -420, 3000, 1500})}};
}

// The secondary to the left of the primary is enumerated first.
inline TMyMonitorLayout PrimaryNotFirstLayout() {
    return {"PrimaryNotFirst",
            {MakeMonitor({-1920, 0, 0, 1080}),
             MakeMonitor({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true)}};
}

inline std::vector<TMyMonitorLayout> AllMonitorLayouts() {
    return {SingleLayout(),       SideBySideLayout(), LeftAboveLayout(),
            ThreeWithGapLayout(), PortraitLayout(),   PrimaryNotFirstLayout()};
}

// Installs a layout as the program's monitor source for the life of the object.
class TMyScopedMonitorLayout {
public:
    explicit TMyScopedMonitorLayout(const TMyMonitorLayout& layout, TMyPoint ptCursor = {})
        : FSource(std::make_shared<TMyStaticMonitorSource>(layout.Monitors, ptCursor)) {
        SetMonitorSource(FSource);
    }
    ~TMyScopedMonitorLayout() { SetMonitorSource(nullptr); }
    TMyScopedMonitorLayout(const TMyScopedMonitorLayout&) = delete;
    TMyScopedMonitorLayout& operator=(const TMyScopedMonitorLayout&) = delete;

    TMyStaticMonitorSource& Source() { return *FSource; }

private:
    std::shared_ptr<TMyStaticMonitorSource> FSource;
};

} // namespace skivra::test
