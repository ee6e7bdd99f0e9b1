#include "platform/x11/myX11Window.h"

// gtest before Xlib: Xlib's macros (None, Bool, Status) break gtest's templates.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include "support/myProgram.h"

namespace skivra {
namespace {

class X11WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X server on DISPLAY";
    }
    void TearDown() override {
        if (display) {
            XCloseDisplay(display);
        }
    }
    Display* display = nullptr;
};

TEST_F(X11WindowTest, ProcessOfAWindowFromItsPidProperty) {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    const unsigned long iPid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&iPid), 1);
    XSync(display, False);
    EXPECT_EQ(GetWindowProcessId(display, window), getpid());
    EXPECT_EQ(GetWindowModuleFileName(display, window), GetProgramFileName());

    const Window bare =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    EXPECT_EQ(GetWindowProcessId(display, bare), 0u);
    EXPECT_EQ(GetWindowModuleFileName(display, bare), u"");
    XDestroyWindow(display, window);
    XDestroyWindow(display, bare);
}

TEST_F(X11WindowTest, IdThatIsNoWindowGivesNothing) {
    // Ids of this client's range that were never created: the server answers BadWindow.
    const Window none =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, none);
    XSync(display, False);
    EXPECT_EQ(GetWindowProcessId(display, none), 0u);
    EXPECT_EQ(GetWindowProcessId(display, 0), 0u);
    EXPECT_EQ(GetWindowProcessId(nullptr, none), 0u);
}

} // namespace
} // namespace skivra
