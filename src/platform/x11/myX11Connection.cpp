#include "platform/x11/myX11Connection.h"

#include "platform/x11/myX11Display.h"
#include "platform/x11/myX11MessageWindow.h"

namespace skivra {

TMyX11Connection::TMyX11Connection() : FDisplay(std::make_unique<TMyX11Display>()) {}

TMyX11Connection::~TMyX11Connection() = default;

bool TMyX11Connection::IsOpen() const {
    return FDisplay->IsOpen();
}

int TMyX11Connection::Fd() const {
    return IsOpen() ? ConnectionNumber(FDisplay->Get()) : -1;
}

TMyWindowId TMyX11Connection::Root() const {
    return IsOpen() ? FDisplay->Root() : 0;
}

void TMyX11Connection::Flush() {
    if (IsOpen()) {
        XFlush(FDisplay->Get());
    }
}

TMyX11Display& TMyX11Connection::Native() {
    return *FDisplay;
}

void TMyX11Connection::ProcessPendingEvents(
    const std::function<void(const TMyX11Event&)>& handler) {
    if (!IsOpen()) {
        return;
    }
    Display* display = FDisplay->Get();
    const Atom messageAtom = FDisplay->Intern(kMessagePropertyName);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == PropertyNotify && event.xproperty.atom == messageAtom &&
            event.xproperty.state == PropertyNewValue) {
            handler({TMyX11Event::TKind::MessageArrived, event.xproperty.window});
        } else if (event.type == DestroyNotify) {
            handler({TMyX11Event::TKind::WindowGone, event.xdestroywindow.window});
        }
    }
}

bool TMyX11Connection::WatchWindow(TMyWindowId window) {
    if (!IsOpen() || window == 0) {
        return false;
    }
    x11::TErrorTrap trap(FDisplay->Get());
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(FDisplay->Get(), window, &attributes)) {
        return false;
    }
    // Keep the window's existing event mask of ours and add structure changes.
    XSelectInput(FDisplay->Get(), window, attributes.your_event_mask | StructureNotifyMask);
    return !trap.Failed();
}

bool TMyX11Connection::IsWindow(TMyWindowId window) {
    if (!IsOpen() || window == 0) {
        return false;
    }
    x11::TErrorTrap trap(FDisplay->Get());
    XWindowAttributes attributes;
    return XGetWindowAttributes(FDisplay->Get(), window, &attributes) != 0 && !trap.Failed();
}

} // namespace skivra

namespace skivra {

void TMyX11Connection::DestroyWindow(TMyWindowId window) {
    if (!IsOpen() || window == 0) {
        return;
    }
    x11::TErrorTrap trap(FDisplay->Get());
    XDestroyWindow(FDisplay->Get(), window);
}

} // namespace skivra

namespace skivra {

void* TMyX11Connection::NativeDisplay() { return IsOpen() ? FDisplay->Get() : nullptr; }

} // namespace skivra
