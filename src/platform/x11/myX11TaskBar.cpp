#include "platform/x11/myX11TaskBar.h"

#include "platform/x11/myX11Util.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <vector>

namespace skivra {

namespace {

constexpr const char* kState = "_NET_WM_STATE";
constexpr const char* kSkipTaskbar = "_NET_WM_STATE_SKIP_TASKBAR";

bool IsMapped(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state != IsUnmapped;
}

} // namespace

void SetWindowSkipTaskbar(void* pDisplay, TMyWindowId window, bool bSkip) {
    auto* display = static_cast<Display*>(pDisplay);
    if (!display || window == 0) {
        return;
    }
    const Atom skipAtom = XInternAtom(display, kSkipTaskbar, False);
    bool bMapped = false;
    {
        x11::TErrorTrap trap(display);
        bMapped = IsMapped(display, window);
        if (trap.Failed()) {
            return; // the window is gone
        }
    }
    if (bMapped) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, kState, False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = bSkip ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.xclient.data.l[1] = static_cast<long>(skipAtom);
        event.xclient.data.l[3] = 1; // from a normal application
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XSync(display, False);
        return;
    }
    std::vector<unsigned long> states = x11::GetLongProperty(display, window, kState, XA_ATOM)
                                            .value_or(std::vector<unsigned long>{});
    states.erase(std::remove(states.begin(), states.end(), skipAtom), states.end());
    if (bSkip) {
        states.push_back(skipAtom);
    }
    x11::TErrorTrap trap(display);
    x11::SetLongProperty(display, window, kState, XA_ATOM, states);
    XSync(display, False);
}

bool GetWindowSkipTaskbar(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    if (!display || window == 0) {
        return false;
    }
    const Atom skipAtom = XInternAtom(display, kSkipTaskbar, False);
    const auto states = x11::GetLongProperty(display, window, kState, XA_ATOM);
    return states && std::find(states->begin(), states->end(), skipAtom) != states->end();
}

} // namespace skivra
