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

} // namespace skivra
