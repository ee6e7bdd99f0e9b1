#include "platform/x11/myX11DesktopWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/x11/myX11Display.h"

namespace skivra {

namespace {

unsigned long PixelOf(TMyX11Display& x, std::uint32_t iColour) {
    XColor colour{};
    colour.red = static_cast<unsigned short>((iColour & 0xFF) * 257);
    colour.green = static_cast<unsigned short>(((iColour >> 8) & 0xFF) * 257);
    colour.blue = static_cast<unsigned short>(((iColour >> 16) & 0xFF) * 257);
    colour.flags = DoRed | DoGreen | DoBlue;
    const Colormap colormap = DefaultColormap(x.Get(), DefaultScreen(x.Get()));
    return XAllocColor(x.Get(), colormap, &colour) ? colour.pixel
                                                   : BlackPixel(x.Get(), DefaultScreen(x.Get()));
}

void SetAtoms(TMyX11Display& x, Window window, const char* pProperty,
              std::initializer_list<const char*> values) {
    std::vector<unsigned long> atoms;
    for (const char* pValue : values) {
        atoms.push_back(x.Intern(pValue));
    }
    x11::SetLongProperty(x.Get(), window, pProperty, XA_ATOM, atoms);
}

void SetGeometryHints(TMyX11Display& x, Window window, int iLeft, int iTop, int iWidth,
                      int iHeight) {
    XSizeHints hints{};
    hints.flags = USPosition | PPosition | USSize | PSize | PWinGravity;
    hints.x = iLeft;
    hints.y = iTop;
    hints.width = iWidth;
    hints.height = iHeight;
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(x.Get(), window, &hints);
}

// A window manager maps a window a few milliseconds after the request. A picture drawn
// before that is lost, and the next one comes only once the video plays, when the decoder
// keeps both processors busy and the frame reaches the screen about a tenth of a second
// later. Waiting here lets the paused first frame, drawn next, land on the screen.
void WaitUntilViewable(TMyX11Display& x, Window window) {
    constexpr auto kBound = std::chrono::milliseconds(250);
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    XWindowAttributes attributes{};
    while (XGetWindowAttributes(x.Get(), window, &attributes) &&
           attributes.map_state != IsViewable && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

TMyWindowId CreateDesktopWindow(TMyX11Connection& connection, std::uint32_t iKeyColour) {
    if (!connection.IsOpen()) {
        return 0;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    XSetWindowAttributes attributes{};
    attributes.background_pixel = PixelOf(x, iKeyColour);
    attributes.border_pixel = 0;
    // Made at the screen's size, which is the monitor's on a single-monitor desktop: the
    // sink that draws into it reads its size once given it, and a size changed afterwards
    // makes the stream renegotiate and the sink allocate a second set of monitor-sized
    // images while the first is still in use.
    const int iWidth = DisplayWidth(x.Get(), DefaultScreen(x.Get()));
    const int iHeight = DisplayHeight(x.Get(), DefaultScreen(x.Get()));
    const Window window = XCreateWindow(
        x.Get(), x.Root(), 0, 0, static_cast<unsigned>(iWidth), static_cast<unsigned>(iHeight), 0,
        CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWBorderPixel, &attributes);
    XStoreName(x.Get(), window, "Skivra");
    XClassHint classHint{};
    std::string sName = "skivra";
    std::string sClass = "TApp_SkivraSubForm";
    classHint.res_name = sName.data();
    classHint.res_class = sClass.data();
    XSetClassHint(x.Get(), window, &classHint);
    // The desktop takes no keyboard focus.
    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = False;
    XSetWMHints(x.Get(), window, &wmHints);
    SetGeometryHints(x, window, 0, 0, iWidth, iHeight);
    SetAtoms(x, window, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DESKTOP"});
    SetAtoms(x, window, "_NET_WM_STATE",
             {"_NET_WM_STATE_BELOW", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
              "_NET_WM_STATE_SKIP_PAGER"});
    x11::SetLongProperty(x.Get(), window, "_NET_WM_DESKTOP", XA_CARDINAL, {0xFFFFFFFFul});
    x11::SetLongProperty(x.Get(), window, "_NET_WM_PID", XA_CARDINAL,
                         {static_cast<unsigned long>(getpid())});
    // Motif hints: flags = decorations, decorations = none.
    x11::SetLongProperty(x.Get(), window, "_MOTIF_WM_HINTS", x.Intern("_MOTIF_WM_HINTS"),
                         {2, 0, 0, 0, 0});
    return !trap.Failed() ? window : 0;
}

void PlaceDesktopWindow(TMyX11Connection& connection, TMyWindowId window, int iLeft, int iTop,
                        int iWidth, int iHeight) {
    if (!connection.IsOpen() || window == 0 || iWidth <= 0 || iHeight <= 0) {
        return;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    SetGeometryHints(x, window, iLeft, iTop, iWidth, iHeight);
    XMoveResizeWindow(x.Get(), window, iLeft, iTop, static_cast<unsigned>(iWidth),
                      static_cast<unsigned>(iHeight));
    XMapWindow(x.Get(), window);
    // Some window managers place a window when it is mapped; a configure after the map puts
    // it back where it belongs.
    XMoveResizeWindow(x.Get(), window, iLeft, iTop, static_cast<unsigned>(iWidth),
                      static_cast<unsigned>(iHeight));
    XLowerWindow(x.Get(), window);
    XFlush(x.Get());
    WaitUntilViewable(x, window);
}

void HideDesktopWindow(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    XUnmapWindow(x.Get(), window);
    XFlush(x.Get());
}

} // namespace skivra
