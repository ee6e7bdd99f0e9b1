#pragma once

#include <X11/Xlib.h>

#include "platform/x11/myX11Util.h"

namespace skivra {

// An Xlib connection of our own. The message panels and the desktop window talk to the X
// server through it, beside (not through) the form framework's connection, so the same
// code serves the player and the sub-player and needs nothing from the framework.
class TMyX11Display {
public:
    // Connects to $DISPLAY; IsOpen() is false when there is no X server.
    TMyX11Display() : FDisplay(x11::OpenDisplay({})) {}
    TMyX11Display(const TMyX11Display&) = delete;
    TMyX11Display& operator=(const TMyX11Display&) = delete;

    bool IsOpen() const { return FDisplay != nullptr; }
    Display* Get() const { return FDisplay.get(); }
    Window Root() const { return DefaultRootWindow(FDisplay.get()); }
    Atom Intern(const char* pName) const { return XInternAtom(FDisplay.get(), pName, False); }

private:
    x11::TDisplayPtr FDisplay;
};

} // namespace skivra
