#pragma once

#include "support/myRect.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace skivra {

// Where the monitor layout comes from. The core answers every monitor question (which
// monitor holds a rectangle, its work area, the desktop rectangle) from one installed
// source, so the rules can be tested with a made-up layout and the window system stays out
// of the core. The X11 backend reads XRandR monitors and _NET_WORKAREA; tests use
// TMyStaticMonitorSource.
//
// Threads: the UI thread only, for every function in this header and every method of a
// source. A backend that learns of a change on another thread forwards it with
// RunOnUiThread(NotifyDisplayChange).

// Identifies one monitor for as long as the layout does not change. 0 is "no monitor".
using TMyMonitorHandle = std::uint64_t;

struct TMyMonitorInfo {
    TMyMonitorHandle Handle = 0;
    TMyRect rcMonitor; // the full rectangle
    TMyRect rcWork;    // the rectangle less the panels and docks; inside rcMonitor
    bool bPrimary = false;
    friend bool operator==(const TMyMonitorInfo&, const TMyMonitorInfo&) = default;
};

class TMyMonitorSource {
public:
    virtual ~TMyMonitorSource() = default;

    // The monitors in a stable enumeration order, in virtual-screen pixels with the
    // primary monitor's top-left corner at (0, 0) (see ShiftToPrimaryOrigin). Handles are
    // non-zero and distinct. Empty when the layout cannot be read (no display): callers
    // then get their neutral results, never an error.
    virtual std::vector<TMyMonitorInfo> Monitors() = 0;

    // The pointer position in the same coordinates; nothing when it cannot be read.
    virtual std::optional<TMyPoint> CursorPos() = 0;
};

// Installs the source the whole program reads (the UI does so at start, before the first
// monitor question). Installing re-reads MyScreen and runs the display-change listeners,
// exactly as a display change does. nullptr leaves no source: no monitors, no pointer.
void SetMonitorSource(std::shared_ptr<TMyMonitorSource> source);
TMyMonitorSource* GetMonitorSource();

// The installed source's monitors, or none without a source.
std::vector<TMyMonitorInfo> CurrentMonitors();

// The display-change event: a backend calls it when the layout changed (monitor added,
// removed, moved, resized, work area changed). MyScreen is re-read first, then every
// listener runs in the order added.
void NotifyDisplayChange();

// Returns an id for RemoveDisplayChangeListener. Listeners added or removed while the
// event is delivered take effect from the next event.
int AddDisplayChangeListener(std::function<void()> listener);
void RemoveDisplayChangeListener(int iId);

// For backends: moves every rectangle so that the primary monitor's top-left corner is
// (0, 0), the origin the rest of the program assumes. The primary is the first monitor
// flagged bPrimary, or the first monitor when none is flagged. Returns the offset that was
// subtracted (apply the same to the pointer position); (0, 0) for an empty list.
TMyPoint ShiftToPrimaryOrigin(std::vector<TMyMonitorInfo>& monitors);

// A fixed layout: the test source, and a fallback where the window system has no monitor
// list. Handles left at 0 become position + 1.
class TMyStaticMonitorSource : public TMyMonitorSource {
public:
    TMyStaticMonitorSource() = default;
    explicit TMyStaticMonitorSource(std::vector<TMyMonitorInfo> monitors,
                                    std::optional<TMyPoint> cursor = TMyPoint{});

    // Replaces the layout; does not notify (call NotifyDisplayChange as a backend would).
    void SetMonitors(std::vector<TMyMonitorInfo> monitors);
    void SetCursorPos(std::optional<TMyPoint> cursor) { FCursor = cursor; }

    std::vector<TMyMonitorInfo> Monitors() override { return FMonitors; }
    std::optional<TMyPoint> CursorPos() override { return FCursor; }

private:
    std::vector<TMyMonitorInfo> FMonitors;
    std::optional<TMyPoint> FCursor;
};

} // namespace skivra
