#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace skivra {

// An X window id as the program passes it around (messages carry it as a decimal number).
// 0 is "no window".
using TMyWindowId = std::uint64_t;

// What the connection reports from the server, on the thread that drains it.
struct TMyX11Event {
    enum class TKind {
        // A message text was added to one of this process's message windows.
        MessageArrived,
        // A window this connection watches (see WatchWindow) was destroyed.
        WindowGone,
    };
    TKind kind;
    TMyWindowId window;
};

class TMyX11Display;

// A connection to the X server of $DISPLAY, kept beside the form framework's own one. This
// header deliberately includes no X11 header: Xlib's macros (None, Bool, Status) collide
// with the form framework's names, so only src/platform/x11 sees Xlib.
// One thread (the UI thread) uses a connection.
class TMyX11Connection {
public:
    TMyX11Connection();
    ~TMyX11Connection();
    TMyX11Connection(const TMyX11Connection&) = delete;
    TMyX11Connection& operator=(const TMyX11Connection&) = delete;

    // False when there is no X server; every operation then gives a neutral result.
    bool IsOpen() const;
    // The socket to watch for readability; -1 when closed.
    int Fd() const;
    TMyWindowId Root() const;
    // Sends buffered requests to the server.
    void Flush();
    // Handles every event already received or readable without blocking.
    void ProcessPendingEvents(const std::function<void(const TMyX11Event&)>& handler);
    // Asks for a WindowGone event when the window is destroyed. False when it is no window.
    bool WatchWindow(TMyWindowId window);
    // Whether the id names an existing window.
    bool IsWindow(TMyWindowId window);
    // Destroys a window this connection created; nothing for 0 or a window already gone.
    void DestroyWindow(TMyWindowId window);

    TMyX11Display& Native();
    // The Xlib Display* (as void*, for the helpers that take one); null when closed.
    void* NativeDisplay();

private:
    std::unique_ptr<TMyX11Display> FDisplay;
};

} // namespace skivra
