#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace skivra {

// An Xlib connection of our own. The message panels and the desktop window talk to the X
// server through it, beside (not through) the form framework's connection, so the same
// code serves the player and the sub-player and needs nothing from the framework.
class TMyX11Display {
public:
    // Connects to $DISPLAY; IsOpen() is false when there is no X server.
    TMyX11Display();
    ~TMyX11Display();
    TMyX11Display(const TMyX11Display&) = delete;
    TMyX11Display& operator=(const TMyX11Display&) = delete;

    bool IsOpen() const { return FDisplay != nullptr; }
    Display* Get() const { return FDisplay; }
    Window Root() const { return DefaultRootWindow(FDisplay); }
    Atom Intern(const char* pName) const { return XInternAtom(FDisplay, pName, False); }

private:
    Display* FDisplay = nullptr;
};

// Collects the X errors of the requests made while it lives instead of letting Xlib's
// default handler end the process: a window of another process can vanish at any moment,
// and that is a neutral result here, not a crash. UI thread only; traps do not nest
// across threads.
class TMyX11ErrorTrap {
public:
    explicit TMyX11ErrorTrap(Display* display);
    ~TMyX11ErrorTrap();
    TMyX11ErrorTrap(const TMyX11ErrorTrap&) = delete;
    TMyX11ErrorTrap& operator=(const TMyX11ErrorTrap&) = delete;

    // Waits for the server to answer every request so far; true when none of them failed.
    bool Succeeded();

private:
    Display* FDisplay;
    XErrorHandler FPrevious;
    int FiPreviousCount;
};

} // namespace skivra
