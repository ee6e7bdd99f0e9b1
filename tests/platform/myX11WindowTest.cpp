#include "platform/x11/myX11Window.h"

// gtest before Xlib: Xlib's macros (None, Bool, Status) break gtest's templates.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <thread>
#include <unistd.h>

#include "platform/x11/myX11DesktopWindow.h"
#include "platform/x11/myX11Display.h"
#include "platform/x11/myX11MessageWindow.h"
#include "platform/x11/myX11WindowStyle.h"
#include "support/myProgram.h"

namespace skivra {
namespace {

using namespace std::chrono_literals;

class X11Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(connection.IsOpen()) << "no X server on DISPLAY"; }

    Display* display() { return connection.Native().Get(); }

    Window MakeWindow(Window parent = 0) {
        const Window window = XCreateSimpleWindow(display(), parent ? parent : connection.Root(),
                                                  10, 10, 50, 40, 0, 0, 0);
        XSync(display(), False);
        return window;
    }

    // Waits (with a generous bound) until the predicate holds, handling events meanwhile.
    template <class F> bool WaitFor(F predicate) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!predicate()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(10ms);
        }
        return true;
    }

    TMyX11Connection connection;
};

TEST_F(X11Test, ProcessOfAWindowFromItsPidProperty) {
    const Window window = MakeWindow();
    const unsigned long iPid = static_cast<unsigned long>(getpid());
    XChangeProperty(display(), window, XInternAtom(display(), "_NET_WM_PID", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&iPid), 1);
    XSync(display(), False);
    EXPECT_EQ(GetWindowProcessId(connection, window), static_cast<std::uint32_t>(getpid()));
    EXPECT_EQ(GetWindowModuleFileName(connection, window), GetProgramFileName());
    EXPECT_EQ(GetWindowProcessId(connection, MakeWindow()), 0u);
    EXPECT_EQ(GetWindowModuleFileName(connection, MakeWindow()), u"");
}

TEST_F(X11Test, WindowsThatAreGoneGiveNeutralResults) {
    const Window gone = MakeWindow();
    XDestroyWindow(display(), gone);
    XSync(display(), False);
    EXPECT_FALSE(connection.IsWindow(gone));
    EXPECT_FALSE(connection.IsWindow(0));
    EXPECT_EQ(GetWindowProcessId(connection, gone), 0u);
    EXPECT_EQ(GetTopLevelWindowOf(display(), gone), gone);
    EXPECT_FALSE(RestoreMinimized(display(), gone));
    EXPECT_FALSE(connection.WatchWindow(gone));
    EXPECT_FALSE(SendMessageText(connection, u"/X", gone));
    EXPECT_TRUE(TakeMessageTexts(connection, gone).empty());
    BringWindowToFront(connection, gone);
    EXPECT_TRUE(connection.IsOpen());
}

TEST_F(X11Test, TopLevelWindowOfAChild) {
    const Window top = MakeWindow();
    const Window child = MakeWindow(top);
    const Window grandChild = MakeWindow(child);
    EXPECT_EQ(GetTopLevelWindowOf(display(), top), top);
    EXPECT_EQ(GetTopLevelWindowOf(display(), grandChild), top);
    // Once the window manager manages the window (it sets WM_STATE on the client, which
    // it reparents into its frame), the client is the answer, not the frame.
    XMapWindow(display(), top);
    XSync(display(), False);
    const Atom wmState = XInternAtom(display(), "WM_STATE", False);
    ASSERT_TRUE(WaitFor([&] {
        Atom type = 0;
        int iFormat = 0;
        unsigned long iItems = 0, iAfter = 0;
        unsigned char* pData = nullptr;
        XGetWindowProperty(display(), top, wmState, 0, 2, False, wmState, &type, &iFormat, &iItems,
                           &iAfter, &pData);
        XFree(pData);
        return iItems > 0;
    }));
    EXPECT_EQ(GetTopLevelWindowOf(display(), grandChild), top);
}

TEST_F(X11Test, MessagesArriveInOrderAndOnlyOnce) {
    const TMyWindowId panel = CreateMessageWindow(connection, 0);
    ASSERT_NE(panel, 0u);
    EXPECT_TRUE(IsMessagePanel(connection, panel));
    TMyX11Connection sender;
    EXPECT_TRUE(SendMessageText(sender, u"/TO_SUBPLAYER:1", panel));
    EXPECT_TRUE(SendMessageText(sender, u"日本語 \"a b\"", panel));
    EXPECT_TRUE(SendMessageText(sender, u"", panel));
    sender.Flush();
    std::vector<std::u16string> received;
    ASSERT_TRUE(WaitFor([&] {
        connection.ProcessPendingEvents([&](const TMyX11Event& event) {
            if (event.kind == TMyX11Event::TKind::MessageArrived && event.window == panel) {
                for (auto& sText : TakeMessageTexts(connection, panel)) {
                    received.push_back(sText);
                }
            }
        });
        return received.size() >= 3;
    }));
    EXPECT_EQ(received, (std::vector<std::u16string>{u"/TO_SUBPLAYER:1", u"日本語 \"a b\"", u""}));
    EXPECT_TRUE(TakeMessageTexts(connection, panel).empty());
}

TEST_F(X11Test, HostileMessagesAreRefusedOrDropped) {
    const TMyWindowId panel = CreateMessageWindow(connection, 0);
    const std::u16string sHuge(kMaxMessageBytes + 1, u'x');
    EXPECT_FALSE(SendMessageText(connection, sHuge, panel));
    // A window that is not a panel and holds none is no target.
    EXPECT_FALSE(SendMessageText(connection, u"/X", MakeWindow()));
    // Bytes that are not UTF-8, written by some other client: dropped, the next kept.
    const Atom property = XInternAtom(display(), kMessagePropertyName, False);
    const unsigned char bad[] = {'/', 0xFF, 0xFE, 0, '/', 'O', 'K', 0, 'c', 'u', 't'};
    XChangeProperty(display(), panel, property, XInternAtom(display(), "UTF8_STRING", False), 8,
                    PropModeReplace, bad, sizeof bad);
    XSync(display(), False);
    EXPECT_EQ(TakeMessageTexts(connection, panel), (std::vector<std::u16string>{u"/OK"}));
}

TEST_F(X11Test, PanelIsFoundBelowItsParentAndThroughTheSelection) {
    const Window top = MakeWindow();
    const Window inner = MakeWindow(top);
    const TMyWindowId panel = CreateMessageWindow(connection, inner);
    EXPECT_EQ(FindMessagePanel(connection, top), panel);
    EXPECT_EQ(FindMessagePanel(connection, MakeWindow()), 0u);
    // A text sent to the top-level window reaches the panel inside it.
    TMyX11Connection other;
    EXPECT_TRUE(SendMessageText(other, u"/CLOSE", top));
    other.Flush();
    EXPECT_TRUE(WaitFor([&] { return !TakeMessageTexts(connection, panel).empty(); }));

    const char* pClass = "TApp_Skivra_Test_Selection";
    EXPECT_EQ(FindAppMessagePanel(other, pClass), 0u);
    EXPECT_TRUE(ClaimAppSelection(connection, pClass, panel));
    EXPECT_EQ(FindAppMessagePanel(other, pClass), panel);
    // The claim goes with the window: a dead player leaves nothing behind.
    connection.DestroyWindow(panel);
    XSync(display(), False);
    EXPECT_EQ(FindAppMessagePanel(other, pClass), 0u);
}

TEST_F(X11Test, DesktopWindowIsPlacedWhereAskedAndStaysOffTheTaskBar) {
    const TMyWindowId window = CreateDesktopWindow(connection, 0x100010);
    ASSERT_NE(window, 0u);
    // Unmapped at the screen's size: placing it on a lone monitor does not resize it, which
    // would make a sink already drawing into it renegotiate.
    XWindowAttributes created;
    ASSERT_TRUE(XGetWindowAttributes(display(), window, &created));
    EXPECT_EQ(created.map_state, IsUnmapped);
    EXPECT_EQ(created.width, DisplayWidth(display(), DefaultScreen(display())));
    EXPECT_EQ(created.height, DisplayHeight(display(), DefaultScreen(display())));
    PlaceDesktopWindow(connection, window, 100, 50, 640, 360);
    const Atom typeAtom = XInternAtom(display(), "_NET_WM_WINDOW_TYPE", False);
    Atom type = 0;
    int iFormat = 0;
    unsigned long iItems = 0, iAfter = 0;
    unsigned char* pData = nullptr;
    XGetWindowProperty(display(), window, typeAtom, 0, 4, False, XA_ATOM, &type, &iFormat, &iItems,
                       &iAfter, &pData);
    ASSERT_EQ(iItems, 1u);
    EXPECT_EQ(*reinterpret_cast<Atom*>(pData),
              XInternAtom(display(), "_NET_WM_WINDOW_TYPE_DESKTOP", False));
    XFree(pData);
    // Where the window manager really put it, in root coordinates.
    EXPECT_TRUE(WaitFor([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(display(), window, &attributes);
        int iX = 0, iY = 0;
        Window child = 0;
        XTranslateCoordinates(display(), window, connection.Root(), 0, 0, &iX, &iY, &child);
        return attributes.map_state == IsViewable && iX == 100 && iY == 50 &&
               attributes.width == 640 && attributes.height == 360;
    }));
    HideDesktopWindow(connection, window);
    EXPECT_TRUE(WaitFor([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(display(), window, &attributes);
        return attributes.map_state == IsUnmapped;
    }));
}

} // namespace
} // namespace skivra
