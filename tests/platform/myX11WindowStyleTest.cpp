#include "platform/x11/myX11WindowStyle.h"

#include "X11Desktop.h"

// gtest before Xlib: Xlib's macros (None, Bool, Status) break gtest's templates.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace skivra {
namespace {

using test::WaitFor;

// Runs under the window manager: the states are its business.
class X11WindowStyleTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override {
        if (display) {
            XCloseDisplay(display);
        }
    }
    Window MappedWindow() {
        const Window window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 100, 80, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
        // Managed once the window manager gave it its WM_STATE.
        const Atom wmState = XInternAtom(display, "WM_STATE", False);
        EXPECT_TRUE(WaitFor([&] {
            Atom type = 0;
            int iFormat = 0;
            unsigned long iItems = 0;
            unsigned long iAfter = 0;
            unsigned char* pData = nullptr;
            XGetWindowProperty(display, window, wmState, 0, 2, False, wmState, &type, &iFormat,
                               &iItems, &iAfter, &pData);
            if (pData) {
                XFree(pData);
            }
            return iItems >= 1;
        }));
        return window;
    }
    Display* display = nullptr;
};

TEST_F(X11WindowStyleTest, TopLevelOfWindowsAndNonWindows) {
    const Window top = MappedWindow();
    const Window child = XCreateSimpleWindow(display, top, 0, 0, 10, 10, 0, 0, 0);
    const Window grandchild = XCreateSimpleWindow(display, child, 0, 0, 5, 5, 0, 0, 0);
    const Window unmapped =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 5, 5, 0, 0, 0);
    XSync(display, False);
    EXPECT_EQ(GetTopLevelWindowOf(display, top), top);
    EXPECT_EQ(GetTopLevelWindowOf(display, child), top);
    EXPECT_EQ(GetTopLevelWindowOf(display, grandchild), top);
    EXPECT_EQ(GetTopLevelWindowOf(display, unmapped), unmapped);
    const Window gone = XCreateSimpleWindow(display, top, 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XSync(display, False);
    EXPECT_EQ(GetTopLevelWindowOf(display, gone), gone);
    EXPECT_EQ(GetTopLevelWindowOf(display, DefaultRootWindow(display)), DefaultRootWindow(display));
    XDestroyWindow(display, top);
    XDestroyWindow(display, unmapped);
}

TEST_F(X11WindowStyleTest, ToolWindowLeavesTheTaskBar) {
    const Window window = MappedWindow();
    EXPECT_EQ(GetExStyle(display, window), 0u);
    // Nothing to remove: nothing is sent.
    EXPECT_FALSE(RemoveExStyle(display, window, WS_EX_TOOLWINDOW));
    ASSERT_TRUE(AddExStyle(display, window, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(WaitFor([&] { return GetExStyle(display, window) == WS_EX_TOOLWINDOW; }));
    EXPECT_TRUE(RemoveExStyle(display, window, WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_TRUE(WaitFor([&] { return GetExStyle(display, window) == 0; }));
    // A window not yet shown carries the states for the window manager to read.
    const Window hidden =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 5, 5, 0, 0, 0);
    ASSERT_TRUE(AddExStyle(display, hidden, WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_EQ(GetExStyle(display, hidden), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_FALSE(AddExStyle(display, 0, WS_EX_TOOLWINDOW));
    XDestroyWindow(display, window);
    XDestroyWindow(display, hidden);
}

TEST_F(X11WindowStyleTest, RestoresAMinimisedWindowOnly) {
    const Window window = MappedWindow();
    EXPECT_FALSE(RestoreMinimized(display, window));
    XIconifyWindow(display, window, DefaultScreen(display));
    XSync(display, False);
    const auto viewable = [&] {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        return attributes.map_state == IsViewable;
    };
    ASSERT_TRUE(WaitFor([&] { return !viewable(); }));
    ASSERT_TRUE(WaitFor([&] { return RestoreMinimized(display, window) || viewable(); }));
    EXPECT_TRUE(WaitFor(viewable));
    XDestroyWindow(display, window);
}

} // namespace
} // namespace skivra
