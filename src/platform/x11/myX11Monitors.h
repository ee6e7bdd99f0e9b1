#pragma once

#include "support/myMonitorSource.h"

#include <memory>
#include <string>
#include <vector>

namespace skivra {

// The monitors of an X screen in root-window coordinates, the primary first and the others
// in the server's order: XRandR 1.5 monitors, or the Xinerama heads when Xinerama reports
// more of them (nested and older servers describe their heads only there). Work areas are
// the current desktop's _NET_WORKAREA intersected with each monitor (the whole monitor
// without it). pDisplay is an Xlib Display*; empty without one.
std::vector<TMyMonitorInfo> ReadX11Monitors(void* pDisplay);

// The monitor source of the running X server, on a connection of its own. Monitors() is
// read live on every call, shifted so that the primary's top-left is (0, 0).
class TMyX11MonitorSource : public TMyMonitorSource {
public:
    // Nothing when the display cannot be opened.
    static std::shared_ptr<TMyX11MonitorSource> Open(const std::string& sDisplayName = {});
    ~TMyX11MonitorSource() override;

    std::vector<TMyMonitorInfo> Monitors() override;
    std::optional<TMyPoint> CursorPos() override;
    // Where the origin of Monitors() lies in root-window coordinates: add it to go from the
    // program's coordinates to the X server's, subtract it for the way back.
    TMyPoint RootOrigin();

    // The connection's file descriptor: readable when events wait. The UI watches it and
    // calls DispatchEvents, which turns RandR screen changes and work-area changes into
    // NotifyDisplayChange(). Returns whether the layout changed.
    int EventFd() const;
    bool DispatchEvents();

private:
    explicit TMyX11MonitorSource(void* pDisplay);
    void* FpDisplay;
    int FiRandrEventBase = -1;
};

} // namespace skivra
