#include "platform/x11/myX11TaskBar.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/myXlibHelpers.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace skivra {

using xlib::IgnoreXErrors;
using xlib::TXFree;

namespace {

// The window's _NET_WM_STATE atoms; empty when it has none or does not exist.
std::vector<Atom> ReadStates(Display* display, Window window, Atom stateAtom) {
    Atom actualType = None;
    int iFormat = 0;
    unsigned long iItems = 0;
    unsigned long iBytesAfter = 0;
    unsigned char* pData = nullptr;
    const int iStatus = XGetWindowProperty(display, window, stateAtom, 0, 64, False, XA_ATOM,
                                           &actualType, &iFormat, &iItems, &iBytesAfter, &pData);
    std::unique_ptr<unsigned char, TXFree> data(pData);
    std::vector<Atom> states;
    if (iStatus == Success && data && actualType == XA_ATOM && iFormat == 32) {
        const auto* pAtoms = reinterpret_cast<const Atom*>(data.get());
        states.assign(pAtoms, pAtoms + iItems);
    }
    return states;
}

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
    const Atom stateAtom = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom skipAtom = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
    XSync(display, False);
    auto* previous = XSetErrorHandler(IgnoreXErrors);
    if (IsMapped(display, window)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = stateAtom;
        event.xclient.format = 32;
        event.xclient.data.l[0] = bSkip ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
        event.xclient.data.l[1] = static_cast<long>(skipAtom);
        event.xclient.data.l[3] = 1; // from a normal application
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        std::vector<Atom> states = ReadStates(display, window, stateAtom);
        states.erase(std::remove(states.begin(), states.end(), skipAtom), states.end());
        if (bSkip) {
            states.push_back(skipAtom);
        }
        XChangeProperty(display, window, stateAtom, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states.data()),
                        static_cast<int>(states.size()));
    }
    XSync(display, False);
    XSetErrorHandler(previous);
}

bool GetWindowSkipTaskbar(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    if (!display || window == 0) {
        return false;
    }
    const Atom stateAtom = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom skipAtom = XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False);
    XSync(display, False);
    auto* previous = XSetErrorHandler(IgnoreXErrors);
    const std::vector<Atom> states = ReadStates(display, window, stateAtom);
    XSetErrorHandler(previous);
    return std::find(states.begin(), states.end(), skipAtom) != states.end();
}

} // namespace skivra
