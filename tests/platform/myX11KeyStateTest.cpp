#include "platform/x11/myX11KeyState.h"

// gtest before Xlib: Xlib's macros (None, Bool, Status) break gtest's templates.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <cstdlib>
#include <string>

namespace skivra {
namespace {

// xdotool and xmodmap drive the server as a person's keyboard and mouse would.
void RunTool(const std::string& sCommand) {
    ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
}

class X11KeyStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X server on DISPLAY";
    }
    void TearDown() override {
        std::system("xdotool keyup shift ctrl mouseup 1 mouseup 3 >/dev/null 2>&1");
        std::system("xmodmap -e 'pointer = default' >/dev/null 2>&1");
        if (display) {
            XCloseDisplay(display);
        }
    }
    Display* display = nullptr;
};

TEST_F(X11KeyStateTest, ShiftAndCtrlAsHeldOnTheKeyboard) {
    TMyX11KeyStateSource keys(display);
    EXPECT_FALSE(keys.KeyDown(VK_SHIFT));
    RunTool("xdotool keydown shift");
    EXPECT_TRUE(keys.KeyDown(VK_SHIFT));
    EXPECT_FALSE(keys.KeyDown(VK_CONTROL));
    RunTool("xdotool keydown ctrl");
    EXPECT_TRUE(keys.KeyDown(VK_CONTROL));
    RunTool("xdotool keyup shift keyup ctrl");
    EXPECT_FALSE(keys.KeyDown(VK_SHIFT));
    EXPECT_FALSE(keys.KeyDown(VK_CONTROL));
}

TEST_F(X11KeyStateTest, ButtonsAreTheLogicalOnesOfASwappedMouse) {
    TMyX11KeyStateSource keys(display);
    RunTool("xdotool mousedown 1");
    EXPECT_TRUE(keys.KeyDown(VK_LBUTTON));
    EXPECT_FALSE(keys.KeyDown(VK_RBUTTON));
    RunTool("xdotool mouseup 1");
    EXPECT_FALSE(keys.KeyDown(VK_LBUTTON));

    // A left-handed mouse: the physical right button is the primary one.
    RunTool("xmodmap -e 'pointer = 3 2 1'");
    RunTool("xdotool mousedown 3");
    EXPECT_TRUE(keys.KeyDown(VK_LBUTTON));
    EXPECT_FALSE(keys.KeyDown(VK_RBUTTON));
    RunTool("xdotool mouseup 3");
}

TEST_F(X11KeyStateTest, WithoutADisplayNothingIsDown) {
    TMyX11KeyStateSource keys(nullptr);
    EXPECT_FALSE(keys.KeyDown(VK_SHIFT));
    EXPECT_FALSE(keys.KeyDown(VK_LBUTTON));
    EXPECT_FALSE(TMyX11KeyStateSource(display).KeyDown(0x7777));
}

} // namespace
} // namespace skivra
