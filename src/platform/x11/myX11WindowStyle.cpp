#include "platform/x11/myX11WindowStyle.h"

#include "platform/x11/myX11Util.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

namespace skivra {

namespace {

struct TStyleStates {
    std::uint32_t iStyle;
    std::vector<const char*> states;
};

const std::vector<TStyleStates>& StyleStates() {
    static const std::vector<TStyleStates> table = {
        {WS_EX_TOOLWINDOW, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}},
        {WS_EX_TOPMOST, {"_NET_WM_STATE_ABOVE"}},
    };
    return table;
}

bool WindowExists(Display* display, Window window, XWindowAttributes& attributes) {
    if (!display || window == None) {
        return false;
    }
    x11::TErrorTrap trap(display);
    const Status ok = XGetWindowAttributes(display, window, &attributes);
    return !trap.Failed() && ok != 0;
}

std::vector<unsigned long> States(Display* display, Window window) {
    return x11::GetLongProperty(display, window, "_NET_WM_STATE", XA_ATOM)
        .value_or(std::vector<unsigned long>{});
}

bool HasState(const std::vector<unsigned long>& states, Atom atom) {
    return std::find(states.begin(), states.end(), atom) != states.end();
}

void SendToRoot(Display* display, Window window, const char* pszType,
                const std::vector<long>& data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, pszType, False);
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i) {
        event.xclient.data.l[i] = data[i];
    }
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Adds or removes the states; a mapped window's states belong to the window manager.
void ChangeStates(Display* display, Window window, const std::vector<Atom>& atoms, bool bAdd) {
    XWindowAttributes attributes{};
    if (!WindowExists(display, window, attributes) || atoms.empty()) {
        return;
    }
    if (attributes.map_state != IsUnmapped) {
        constexpr long kSourceApplication = 1;
        for (std::size_t i = 0; i < atoms.size(); i += 2) {
            const long second = i + 1 < atoms.size() ? static_cast<long>(atoms[i + 1]) : 0;
            SendToRoot(display, window, "_NET_WM_STATE",
                       {bAdd ? 1L : 0L, static_cast<long>(atoms[i]), second, kSourceApplication});
        }
    } else {
        std::vector<unsigned long> states = States(display, window);
        for (const Atom atom : atoms) {
            const bool bHas = HasState(states, atom);
            if (bAdd && !bHas) {
                states.push_back(atom);
            } else if (!bAdd && bHas) {
                states.erase(std::remove(states.begin(), states.end(), atom), states.end());
            }
        }
        x11::SetLongProperty(display, window, "_NET_WM_STATE", XA_ATOM, states);
    }
    XFlush(display);
}

std::vector<Atom> AtomsOf(Display* display, std::uint32_t iStyles) {
    std::vector<Atom> atoms;
    for (const TStyleStates& entry : StyleStates()) {
        if ((iStyles & entry.iStyle) == entry.iStyle) {
            for (const char* pszState : entry.states) {
                atoms.push_back(XInternAtom(display, pszState, False));
            }
        }
    }
    return atoms;
}

} // namespace

std::uint32_t GetExStyle(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    XWindowAttributes attributes{};
    if (!WindowExists(display, window, attributes)) {
        return 0;
    }
    const std::vector<unsigned long> states = States(display, window);
    std::uint32_t iStyles = 0;
    for (const TStyleStates& entry : StyleStates()) {
        const bool bAll = std::all_of(entry.states.begin(), entry.states.end(), [&](const char* p) {
            return HasState(states, XInternAtom(display, p, False));
        });
        if (bAll) {
            iStyles |= entry.iStyle;
        }
    }
    return iStyles;
}

bool AddExStyle(void* pDisplay, TMyWindowId window, std::uint32_t iStyles) {
    auto* display = static_cast<Display*>(pDisplay);
    XWindowAttributes attributes{};
    if (!WindowExists(display, window, attributes)) {
        return false;
    }
    ChangeStates(display, window, AtomsOf(display, iStyles), true);
    return true;
}

bool RemoveExStyle(void* pDisplay, TMyWindowId window, std::uint32_t iStyles) {
    auto* display = static_cast<Display*>(pDisplay);
    const std::uint32_t iPresent = GetExStyle(pDisplay, window) & iStyles;
    if (iPresent == 0) {
        return false;
    }
    ChangeStates(display, window, AtomsOf(display, iPresent), false);
    return true;
}

bool RestoreMinimized(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    XWindowAttributes attributes{};
    if (!WindowExists(display, window, attributes)) {
        return false;
    }
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const auto state = x11::GetLongProperty(display, window, "WM_STATE", wmState);
    const bool bIconic =
        (state && !state->empty() && (*state)[0] == IconicState) ||
        HasState(States(display, window), XInternAtom(display, "_NET_WM_STATE_HIDDEN", False));
    if (!bIconic) {
        return false;
    }
    constexpr long kSourceApplication = 1;
    SendToRoot(display, window, "_NET_ACTIVE_WINDOW", {kSourceApplication, CurrentTime, 0});
    XMapRaised(display, window);
    XFlush(display);
    return true;
}

TMyWindowId GetTopLevelWindowOf(void* pDisplay, TMyWindowId window) {
    auto* display = static_cast<Display*>(pDisplay);
    XWindowAttributes attributes{};
    if (!WindowExists(display, window, attributes)) {
        return window;
    }
    const Window root = attributes.root;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Window current = window;
    Window managed = None;
    Window belowRoot = None;
    // Window trees are shallow; the bound only guards against a server that lies.
    for (int iDepth = 0; iDepth < 1000 && current != root && current != None; ++iDepth) {
        if (x11::GetLongProperty(display, current, "WM_STATE", wmState)) {
            managed = current;
        }
        Window parent = None;
        Window rootReturn = None;
        Window* pChildren = nullptr;
        unsigned int iCount = 0;
        x11::TErrorTrap trap(display);
        const Status ok = XQueryTree(display, current, &rootReturn, &parent, &pChildren, &iCount);
        if (pChildren) {
            XFree(pChildren);
        }
        if (trap.Failed() || !ok) {
            return window;
        }
        if (parent == root) {
            belowRoot = current;
        }
        current = parent;
    }
    if (managed != None) {
        return managed;
    }
    return belowRoot != None ? belowRoot : window;
}

} // namespace skivra
