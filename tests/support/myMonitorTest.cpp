#include "support/myMonitor.h"
#include "support/monitorLayouts.h"

#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>

namespace skivra {

std::ostream& operator<<(std::ostream& os, const TMyRect& r) {
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
std::ostream& operator<<(std::ostream& os, const TMyPoint& p) {
    return os << "(" << p.X << ", " << p.Y << ")";
}

namespace {

using test::TMyMonitorLayout;
using test::TMyScopedMonitorLayout;
using LayoutFn = TMyMonitorLayout (*)();

TEST(MonitorScreen, LayoutFacts) {
    struct Case {
        LayoutFn layout;
        std::int32_t iCount;
        std::int32_t iPrimary;
        TMyRect rcDesktop;
        TMyRect rcWorkarea;
    };
    const Case cases[] = {
        {test::SingleLayout, 1, 0, {0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
        {test::SideBySideLayout, 2, 0, {0, 0, 3840, 1080}, {0, 0, 3840, 1080}},
        {test::LeftAboveLayout, 2, 0, {-1280, -400, 1920, 1080}, {-1280, -400, 1920, 1040}},
        {test::ThreeWithGapLayout, 3, 0, {0, 0, 4100, 1080}, {0, 0, 4100, 1040}},
        {test::PortraitLayout, 2, 0, {0, -420, 3000, 1500}, {0, -420, 3000, 1500}},
        {test::PrimaryNotFirstLayout, 2, 1, {-1920, 0, 1920, 1080}, {-1920, 0, 1920, 1080}},
    };
    for (const Case& c : cases) {
        const TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        TMyScopedMonitorLayout scoped(layout);
        const TMyScreen& screen = MyScreen();
        EXPECT_EQ(screen.MonitorCount(), c.iCount);
        EXPECT_EQ(screen.PrimaryIndex(), c.iPrimary);
        EXPECT_EQ(screen.DesktopRect(), c.rcDesktop);
        EXPECT_EQ(screen.DesktopLeft(), c.rcDesktop.Left);
        EXPECT_EQ(screen.DesktopWidth(), RectWidth64(c.rcDesktop));
        EXPECT_EQ(screen.DesktopHeight(), RectHeight64(c.rcDesktop));
        EXPECT_EQ(screen.WorkareaRect(), c.rcWorkarea);
        for (std::int32_t i = 0; i < screen.MonitorCount(); ++i) {
            const TMyMonitor& m = screen.Get(i);
            EXPECT_EQ(m.BoundsRect(), layout.Monitors[i].rcMonitor);
            EXPECT_EQ(m.WorkareaRect(), layout.Monitors[i].rcWork);
            EXPECT_EQ(screen.MonitorIndex(m.Handle()), i);
            EXPECT_EQ(screen.MonitorNum(m.Handle()), i + 1);
        }
    }
}

TEST(MonitorScreen, GetClampsTheIndexAndNeedsAMonitor) {
    {
        TMyScopedMonitorLayout scoped(test::ThreeWithGapLayout());
        EXPECT_EQ(MyScreen().Get(-5).Left(), 0);
        EXPECT_EQ(MyScreen().Get(99).Left(), 3300);
        EXPECT_EQ(MyScreen().Monitors(1).Left(), 1920);
    }
    EXPECT_EQ(MyScreen().MonitorCount(), 0);
    EXPECT_EQ(MyScreen().PrimaryIndex(), -1);
    EXPECT_EQ(MyScreen().DesktopRect(), TMyRect{});
    EXPECT_THROW(MyScreen().Get(0), std::out_of_range);
}

// A monitor whose corner is not the origin is not primary, whatever the source says; the
// snapshot of a primary-less layout answers -1.
TEST(MonitorScreen, PrimaryIsTheMonitorAtTheOrigin) {
    TMyScopedMonitorLayout scoped(
        {"Shifted",
         {test::MakeMonitor({10, 0, 810, 600}, true), test::MakeMonitor({810, 0, 1610, 600})}});
    EXPECT_FALSE(MyScreen().Get(0).Primary());
    EXPECT_EQ(MyScreen().PrimaryIndex(), -1);
}

TEST(MonitorLookup, Points) {
    struct Case {
        LayoutFn layout;
        TMyPoint pt;
        std::int32_t iIndex;  // MonitorIndex: holding monitor, else nearest
        std::int32_t iScreen; // ScreenMonitorAtPoint: holding monitor only
    };
    const Case cases[] = {
        {test::SingleLayout, {0, 0}, 0, 0},
        {test::SingleLayout, {1919, 1079}, 0, 0},
        {test::SingleLayout, {1920, 500}, 0, -1}, // right edge is exclusive
        {test::SingleLayout, {-50, -50}, 0, -1},
        {test::SideBySideLayout, {1919, 0}, 0, 0},
        {test::SideBySideLayout, {1920, 0}, 1, 1},
        {test::LeftAboveLayout, {-1, -1}, 1, 1},
        {test::LeftAboveLayout, {-1280, -400}, 1, 1},
        {test::LeftAboveLayout, {-1, 700}, 0, -1}, // below the secondary, 1 pixel from the primary
        {test::ThreeWithGapLayout, {2500, 1050}, 1, -1}, // under the shorter monitor
        {test::ThreeWithGapLayout, {3249, 100}, 1, -1},  // gap: 50 from the middle one
        {test::ThreeWithGapLayout, {3250, 100}, 2, -1},  // gap: 50 from the last one
        {test::PortraitLayout, {2000, -400}, 1, 1},
        {test::PortraitLayout, {100, -10}, 0, -1},
        {test::PrimaryNotFirstLayout, {-1, 0}, 0, 0},
        {test::PrimaryNotFirstLayout, {0, 0}, 1, 1},
    };
    for (const Case& c : cases) {
        const TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        SCOPED_TRACE(testing::PrintToString(c.pt));
        TMyScopedMonitorLayout scoped(layout);
        EXPECT_EQ(MyScreen().MonitorIndex(c.pt), c.iIndex);
        EXPECT_EQ(ScreenMonitorAtPoint(c.pt), c.iScreen);
        EXPECT_EQ(GetPointMonitorWorkarea(c.pt), layout.Monitors[c.iIndex].rcWork);
    }
}

TEST(MonitorLookup, Rectangles) {
    struct Case {
        LayoutFn layout;
        TMyRect rc;
        std::int32_t iIndex; // most overlap, else nearest, ties to the first enumerated
        std::int32_t iScreenOfWindow;
    };
    const Case cases[] = {
        {test::SideBySideLayout, {1800, 100, 2100, 400}, 1, 0},
        {test::SideBySideLayout, {1700, 100, 2000, 400}, 0, 0},
        {test::SideBySideLayout, {1820, 0, 2020, 100}, 0, 0}, // equal halves
        {test::SideBySideLayout, {-300, -300, -100, -100}, 0, -1},
        {test::ThreeWithGapLayout, {3210, 100, 3290, 200}, 1, -1}, // 11 pixels from both
        {test::ThreeWithGapLayout, {5000, 0, 5100, 100}, 2, -1},
        {test::ThreeWithGapLayout, {3150, 500, 3400, 700}, 1, 1}, // equal overlap
        {test::LeftAboveLayout, {-500, 500, 100, 900}, 1, 1},
        {test::PortraitLayout, {1900, 1100, 2000, 1200}, 1, -1},
        {test::PrimaryNotFirstLayout, {-100, 0, 300, 200}, 1, 0},
    };
    for (const Case& c : cases) {
        const TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        SCOPED_TRACE(testing::PrintToString(c.rc));
        TMyScopedMonitorLayout scoped(layout);
        EXPECT_EQ(MyScreen().MonitorIndex(c.rc), c.iIndex);
        EXPECT_EQ(MyScreen().MonitorNum(c.rc), c.iIndex + 1);
        EXPECT_EQ(GetWindowMonitorBounds(c.rc), layout.Monitors[c.iIndex].rcMonitor);
        EXPECT_EQ(GetRectMonitorWorkarea(c.rc), layout.Monitors[c.iIndex].rcWork);
        EXPECT_EQ(ScreenMonitorOfWindow(c.rc), c.iScreenOfWindow);
    }
}

TEST(MonitorLookup, HandlesAndMissingMonitors) {
    TMyScopedMonitorLayout scoped(test::SideBySideLayout());
    const TMyMonitorHandle hSecond = MyScreen().Get(1).Handle();
    ASSERT_NE(hSecond, 0u);
    EXPECT_EQ(MyScreen().MonitorIndex(TMyMonitorHandle{0}), -1);
    EXPECT_EQ(MyScreen().MonitorIndex(TMyMonitorHandle{777}), -1);
    EXPECT_EQ(MyScreen().MonitorNum(TMyMonitorHandle{777}), 0);
    EXPECT_EQ(GetMonitorBounds(hSecond), (TMyRect{1920, 0, 3840, 1080}));

    TMyMonitorInfo info{5, {1, 2, 3, 4}, {1, 2, 3, 4}, true};
    EXPECT_FALSE(GetMonitorInfoZeroed(777, info));
    EXPECT_EQ(info, TMyMonitorInfo{});
    EXPECT_TRUE(GetMonitorInfoZeroed(hSecond, info));
    EXPECT_EQ(info.rcWork, (TMyRect{1920, 0, 3840, 1080}));

    const TMyMonitor captured(hSecond);
    EXPECT_EQ(captured.Left(), 1920);
    EXPECT_EQ(captured.Width(), 1920);
    EXPECT_FALSE(captured.Primary());
    const TMyMonitor none(TMyMonitorHandle{0});
    EXPECT_EQ(none.BoundsRect(), TMyRect{});
    EXPECT_EQ(none.WorkareaRect(), TMyRect{});

    // The snapshot keeps what it captured after the monitor is gone; the live lookups don't.
    scoped.Source().SetMonitors({test::MakeMonitor({0, 0, 1920, 1080})});
    EXPECT_EQ(MyScreen().MonitorCount(), 2);
    EXPECT_EQ(captured.Left(), 1920);
    EXPECT_EQ(GetMonitorBounds(hSecond), TMyRect{});
    EXPECT_EQ(MyScreen().MonitorIndex(TMyRect{2000, 0, 2100, 100}), 0);
}

TEST(MonitorLookup, NoSourceGivesNeutralResults) {
    SetMonitorSource(nullptr);
    EXPECT_EQ(GetRectMonitor({0, 0, 10, 10}), 0u);
    EXPECT_EQ(GetPointMonitorWorkarea({5, 5}), TMyRect{});
    EXPECT_EQ(ScreenMonitorAtPoint({5, 5}), -1);
    EXPECT_EQ(MyScreen().MonitorIndex(TMyPoint{5, 5}), -1);
    EXPECT_EQ(GetCursorPoint(), TMyPoint{});
    EXPECT_EQ(CenterFormOnMonitorAt({30, 40, 830, 640}, {5, 5}), (TMyPoint{30, 40}));
    EXPECT_EQ(MyScreen().SetBounds(5000, 5000, 800, 600), (TMyRect{5000, 5000, 5800, 5600}));
}

TEST(MonitorScreen, SetBoundsKeepsTheSizeInsideTheWorkarea) {
    struct Case {
        LayoutFn layout;
        TMyRect rcIn; // left, top, left + width, top + height
        TMyPoint ptOut;
    };
    const Case cases[] = {
        {test::SingleLayout, {1800, 900, 2600, 1500}, {1120, 440}},
        {test::SingleLayout, {100, 100, 900, 700}, {100, 100}},
        {test::SingleLayout, {-30, -20, 770, 580}, {0, 0}},
        {test::SingleLayout, {100, -50, 900, 1150}, {100, 0}},    // taller, started above
        {test::SingleLayout, {100, 100, 900, 1300}, {100, -160}}, // taller: bottom on bottom
        {test::SingleLayout, {10, 0, 2010, 600}, {-80, 0}},       // wider: right on right
        {test::SingleLayout, {-10, 0, 1990, 600}, {0, 0}},
        {test::SideBySideLayout, {3500, 900, 4300, 1500}, {3040, 480}},
        {test::LeftAboveLayout, {-1300, -450, -900, -150}, {-1280, -400}},
        {test::ThreeWithGapLayout, {3220, 700, 3290, 800}, {3130, 700}}, // nearest: middle
        {test::PrimaryNotFirstLayout, {-2000, 500, -1200, 1100}, {-1920, 480}},
        {test::PortraitLayout, {2500, -600, 3100, -100}, {2400, -420}},
    };
    for (const Case& c : cases) {
        const TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        SCOPED_TRACE(testing::PrintToString(c.rcIn));
        TMyScopedMonitorLayout scoped(layout);
        const TMyRect rcOut = MyScreen().SetBounds(c.rcIn);
        EXPECT_EQ((TMyPoint{rcOut.Left, rcOut.Top}), c.ptOut);
        EXPECT_EQ(RectWidth64(rcOut), RectWidth64(c.rcIn));
        EXPECT_EQ(RectHeight64(rcOut), RectHeight64(c.rcIn));
    }
}

TEST(MonitorScreen, SetBoundsDoesNotWrapOnExtremeValues) {
    TMyScopedMonitorLayout scoped(test::SingleLayout());
    const TMyRect rc = MyScreen().SetBounds(INT32_MAX - 10, INT32_MAX - 10, 800, 600);
    EXPECT_EQ(rc, (TMyRect{1120, 440, 1920, 1040}));
    const TMyRect huge = MyScreen().SetBounds(100, 100, INT32_MAX, INT32_MAX);
    EXPECT_EQ(huge.Left, 1920 - std::int64_t{INT32_MAX});
    EXPECT_EQ(huge.Right, 1920);
}

TEST(MonitorCentre, OnTheMonitorUnderThePoint) {
    struct Case {
        LayoutFn layout;
        TMyPoint pt;
        TMySize szForm;
        TMyPoint ptOut;
    };
    const Case cases[] = {
        {test::SingleLayout, {5, 5}, {800, 600}, {560, 220}},
        {test::SingleLayout, {5, 5}, {801, 601}, {559, 219}},
        {test::SingleLayout, {5, 5}, {2001, 1101}, {-40, -30}}, // halves truncate toward zero
        {test::SideBySideLayout, {2500, 500}, {800, 600}, {2480, 240}},
        {test::LeftAboveLayout, {-600, -300}, {400, 300}, {-840, -38}},
        {test::ThreeWithGapLayout, {3250, 100}, {400, 300}, {3500, 150}}, // gap: nearest
        {test::PortraitLayout, {2500, 1400}, {600, 800}, {2160, 140}},
        {test::PrimaryNotFirstLayout, {0, 0}, {800, 600}, {560, 220}},
    };
    for (const Case& c : cases) {
        const TMyMonitorLayout layout = c.layout();
        SCOPED_TRACE(layout.sName);
        SCOPED_TRACE(testing::PrintToString(c.pt));
        TMyScopedMonitorLayout scoped(layout, c.pt);
        const TMyRect rcForm{7, 9, 7 + c.szForm.cx, 9 + c.szForm.cy};
        EXPECT_EQ(CenterFormOnMonitorAt(rcForm, c.pt), c.ptOut);
        EXPECT_EQ(CenterFormOnCursorMonitor(rcForm), c.ptOut);
    }
}

TEST(MonitorCentre, UnreadablePointerMeansTheOrigin) {
    TMyScopedMonitorLayout scoped(test::PrimaryNotFirstLayout());
    scoped.Source().SetCursorPos(std::nullopt);
    EXPECT_EQ(GetCursorPoint(), TMyPoint{});
    EXPECT_EQ(CenterFormOnCursorMonitor({0, 0, 800, 600}), (TMyPoint{560, 220}));
}

TEST(MonitorDisplayChange, RefreshesTheSnapshotBeforeTheListeners) {
    TMyScopedMonitorLayout scoped(test::SingleLayout());
    std::vector<std::int32_t> seen;
    const int iFirst = AddDisplayChangeListener([&] { seen.push_back(MyScreen().MonitorCount()); });
    int iSelf = 0;
    iSelf = AddDisplayChangeListener([&] {
        seen.push_back(-1);
        RemoveDisplayChangeListener(iSelf); // once only
    });

    scoped.Source().SetMonitors(test::ThreeWithGapLayout().Monitors);
    EXPECT_EQ(MyScreen().MonitorCount(), 1); // a snapshot until the event
    NotifyDisplayChange();
    EXPECT_EQ(MyScreen().MonitorCount(), 3);
    scoped.Source().SetMonitors(test::SideBySideLayout().Monitors);
    NotifyDisplayChange();
    RemoveDisplayChangeListener(iFirst);
    NotifyDisplayChange();
    EXPECT_EQ(seen, (std::vector<std::int32_t>{3, -1, 2}));
}

TEST(MonitorSource, ShiftToPrimaryOrigin) {
    std::vector<TMyMonitorInfo> monitors = {
        test::MakeMonitor({0, 200, 1280, 1224}),
        test::MakeMonitor({1280, 0, 3200, 1080}, {1280, 30, 3200, 1080}, true),
    };
    EXPECT_EQ(ShiftToPrimaryOrigin(monitors), (TMyPoint{1280, 0}));
    EXPECT_EQ(monitors[0].rcMonitor, (TMyRect{-1280, 200, 0, 1224}));
    EXPECT_EQ(monitors[1].rcMonitor, (TMyRect{0, 0, 1920, 1080}));
    EXPECT_EQ(monitors[1].rcWork, (TMyRect{0, 30, 1920, 1080}));

    std::vector<TMyMonitorInfo> unflagged = {test::MakeMonitor({100, 50, 900, 650})};
    EXPECT_EQ(ShiftToPrimaryOrigin(unflagged), (TMyPoint{100, 50}));
    EXPECT_EQ(unflagged[0].rcMonitor, (TMyRect{0, 0, 800, 600}));

    std::vector<TMyMonitorInfo> none;
    EXPECT_EQ(ShiftToPrimaryOrigin(none), TMyPoint{});
}

TEST(MonitorClamp, FirstTestWins) {
    struct Case {
        std::int64_t v, lo, hi, result;
    };
    const Case cases[] = {
        {5, 0, 10, 5},    {-1, 0, 10, 0},  {11, 0, 10, 10}, {0, 0, 10, 0},
        {10, 0, 10, 10},  {-5, 0, -10, 0}, // hi below lo: a value below lo gives lo ...
        {3, 0, -10, -10},                  // ... and any other value gives hi
        {0, 0, -10, -10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampFirstLow(c.v, c.lo, c.hi), c.result) << c.v << " " << c.lo << " " << c.hi;
}

} // namespace
} // namespace skivra
