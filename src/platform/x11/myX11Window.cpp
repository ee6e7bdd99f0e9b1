#include "platform/x11/myX11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <limits.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/x11/myX11Display.h"
#include "support/myUnicode.h"

namespace skivra {

namespace {

// The first 32-bit item of a property, when it has one of that type.
std::optional<unsigned long> ReadCardinal(Display* display, Window window, const char* pName,
                                          Atom type) {
    const auto values = x11::GetLongProperty(display, window, pName, type);
    if (!values || values->empty()) {
        return std::nullopt;
    }
    return values->front();
}

void SendToRoot(TMyX11Display& x, Window window, Atom message, long l0, long l1, long l2) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = message;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    XSendEvent(x.Get(), x.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

bool HasWindowManager(TMyX11Display& x) {
    return ReadCardinal(x.Get(), x.Root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).value_or(0) != 0;
}

} // namespace

std::uint32_t GetWindowProcessId(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return 0;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    const auto iPid = ReadCardinal(x.Get(), window, "_NET_WM_PID", XA_CARDINAL);
    return iPid && !trap.Failed() ? static_cast<std::uint32_t>(*iPid) : 0;
}

std::u16string GetWindowModuleFileName(TMyX11Connection& connection, TMyWindowId window) {
    const std::uint32_t iPid = GetWindowProcessId(connection, window);
    if (iPid == 0) {
        return {};
    }
    std::vector<char> buffer(PATH_MAX + 1);
    const std::string sLink = "/proc/" + std::to_string(iPid) + "/exe";
    const ssize_t iLength = readlink(sLink.c_str(), buffer.data(), buffer.size() - 1);
    if (iLength <= 0) {
        return {};
    }
    return Utf8ToUtf16(std::string_view(buffer.data(), static_cast<std::size_t>(iLength)))
        .value_or(u"");
}

TMyWindowId GetTopLevelWindowOf(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return window;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    const Atom wmState = x.Intern("WM_STATE");
    Window current = window;
    // A window tree is a few levels deep; the bound keeps a broken one finite.
    for (int iDepth = 0; iDepth < 64; ++iDepth) {
        if (ReadCardinal(x.Get(), current, "WM_STATE", wmState)) {
            return current;
        }
        Window root = 0;
        Window parent = 0;
        Window* pChildren = nullptr;
        unsigned int iCount = 0;
        if (!XQueryTree(x.Get(), current, &root, &parent, &pChildren, &iCount)) {
            return window;
        }
        XFree(pChildren);
        if (current == root) {
            return current;
        }
        if (parent == root) {
            // Unmanaged (no window manager, or not mapped yet): the child of the root.
            return !trap.Failed() ? current : window;
        }
        current = parent;
    }
    return window;
}

bool IsIconic(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return false;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    const Atom wmState = x.Intern("WM_STATE");
    return ReadCardinal(x.Get(), window, "WM_STATE", wmState) == IconicState && !trap.Failed();
}

void RestoreMinimized(TMyX11Connection& connection, TMyWindowId window) {
    if (IsIconic(connection, window)) {
        BringWindowToFront(connection, window);
    }
}

void BringWindowToFront(TMyX11Connection& connection, TMyWindowId window) {
    if (!connection.IsOpen() || window == 0) {
        return;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    if (HasWindowManager(x)) {
        // Source 2 (a pager) asks the window manager to honour the request even though the
        // asking process is not the window's own.
        SendToRoot(x, window, x.Intern("_NET_ACTIVE_WINDOW"), 2, CurrentTime, 0);
    } else {
        XMapRaised(x.Get(), window);
    }
    XFlush(x.Get());
}

void SetSkipTaskbar(TMyX11Connection& connection, TMyWindowId window, bool bSkip) {
    if (!connection.IsOpen() || window == 0) {
        return;
    }
    TMyX11Display& x = connection.Native();
    x11::TErrorTrap trap(x.Get());
    const Atom states[] = {x.Intern("_NET_WM_STATE_SKIP_TASKBAR"),
                           x.Intern("_NET_WM_STATE_SKIP_PAGER")};
    const Atom wmState = x.Intern("_NET_WM_STATE");
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(x.Get(), window, &attributes)) {
        return;
    }
    if (attributes.map_state == IsUnmapped) {
        // Before mapping, the window manager reads the property itself.
        if (bSkip) {
            XChangeProperty(x.Get(), window, wmState, XA_ATOM, 32, PropModeAppend,
                            reinterpret_cast<const unsigned char*>(states), 2);
        } else {
            XDeleteProperty(x.Get(), window, wmState);
        }
    } else {
        // _NET_WM_STATE_ADD is 1, _NET_WM_STATE_REMOVE 0.
        SendToRoot(x, window, wmState, bSkip ? 1 : 0, static_cast<long>(states[0]),
                   static_cast<long>(states[1]));
    }
    XFlush(x.Get());
}

} // namespace skivra
