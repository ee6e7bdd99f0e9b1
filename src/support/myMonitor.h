#pragma once

#include "support/myMonitorSource.h"
#include "support/myRect.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace skivra {

// The monitor layout as the program sees it: full rectangles and work areas in
// virtual-screen pixels, the primary monitor's top-left corner at (0, 0), other monitors
// possibly at negative coordinates. Everything here is read from the installed
// TMyMonitorSource; windows are passed as their frame rectangle in screen coordinates, so
// no window system is needed. UI thread only.

// One monitor, captured once: its values never change afterwards.
class TMyMonitor {
public:
    // Captures the monitor's rectangles from the source; a null handle or one the source
    // does not know gives zero rectangles.
    explicit TMyMonitor(TMyMonitorHandle hHandle);
    explicit TMyMonitor(const TMyMonitorInfo& info);

    TMyMonitorHandle Handle() const { return F_hHandle; }
    const TMyRect& BoundsRect() const { return F_rcBoundsRect; }
    std::int32_t Left() const { return F_rcBoundsRect.Left; }
    std::int32_t Top() const { return F_rcBoundsRect.Top; }
    std::int64_t Width() const { return RectWidth64(F_rcBoundsRect); }
    std::int64_t Height() const { return RectHeight64(F_rcBoundsRect); }
    const TMyRect& WorkareaRect() const { return F_rcWorkareaRect; }
    std::int32_t WorkareaLeft() const { return F_rcWorkareaRect.Left; }
    std::int32_t WorkareaTop() const { return F_rcWorkareaRect.Top; }
    std::int64_t WorkareaWidth() const { return RectWidth64(F_rcWorkareaRect); }
    std::int64_t WorkareaHeight() const { return RectHeight64(F_rcWorkareaRect); }
    // True exactly when the monitor's top-left corner is the origin; the source's primary
    // flag is not consulted (the origin is defined by the primary monitor).
    bool Primary() const { return Left() == 0 && Top() == 0; }

private:
    TMyMonitorHandle F_hHandle = 0;
    TMyRect F_rcBoundsRect;
    TMyRect F_rcWorkareaRect;
};

// A snapshot of the layout, in the source's enumeration order. It follows a display change
// only through Reflesh (NotifyDisplayChange calls it for MyScreen).
class TMyScreen {
public:
    TMyScreen(); // takes the snapshot
    TMyScreen(const TMyScreen&) = delete;
    TMyScreen& operator=(const TMyScreen&) = delete;

    void Reflesh();

    // The monitor at clamp(iIndex, 0, MonitorCount - 1): an index beyond either end gives
    // the first or the last one. Throws std::out_of_range when there is no monitor.
    const TMyMonitor& Get(std::int64_t iIndex) const;
    const TMyMonitor& Monitors(std::int64_t iIndex) const { return Get(iIndex); }
    std::int32_t MonitorCount() const { return static_cast<std::int32_t>(F_MonitorList.size()); }
    // The first monitor whose Primary is true; -1 when none is.
    std::int32_t PrimaryIndex() const;

    // The bounding box of every monitor and of the origin; (0, 0, 0, 0) without monitors.
    TMyRect DesktopRect() const;
    std::int32_t DesktopLeft() const { return DesktopRect().Left; }
    std::int32_t DesktopTop() const { return DesktopRect().Top; }
    std::int64_t DesktopWidth() const { return RectWidth64(DesktopRect()); }
    std::int64_t DesktopHeight() const { return RectHeight64(DesktopRect()); }
    // The same over the work areas.
    TMyRect WorkareaRect() const;
    std::int32_t WorkareaLeft() const { return WorkareaRect().Left; }
    std::int32_t WorkareaTop() const { return WorkareaRect().Top; }
    std::int64_t WorkareaWidth() const { return RectWidth64(WorkareaRect()); }
    std::int64_t WorkareaHeight() const { return RectHeight64(WorkareaRect()); }

    // The snapshot position of the monitor; -1 for a null handle or one not in the snapshot.
    std::int32_t MonitorIndex(TMyMonitorHandle hHandle) const;
    // The monitor the source assigns to the rectangle (GetRectMonitor): most overlap, else
    // nearest. For a window, pass its frame rectangle.
    std::int32_t MonitorIndex(const TMyRect& rcRect) const;
    // The monitor holding the point, else the nearest one.
    std::int32_t MonitorIndex(TMyPoint ptPos) const;
    // MonitorIndex + 1: a 1-based monitor number, 0 when not found.
    std::int32_t MonitorNum(TMyMonitorHandle hHandle) const { return MonitorIndex(hHandle) + 1; }
    std::int32_t MonitorNum(const TMyRect& rcWindow) const { return MonitorIndex(rcWindow) + 1; }

    // The bounds that keep a form of that size inside the work area of its monitor: the
    // size never changes, the position moves just far enough; a form larger than the work
    // area ends at its top (or left) edge when it started above (left of) it and otherwise
    // with its bottom (right) on the far edge. The caller applies the result to the form.
    // Without monitors the bounds come back unchanged.
    TMyRect SetBounds(std::int32_t iLeft, std::int32_t iTop, std::int32_t iWidth,
                      std::int32_t iHeight) const;
    TMyRect SetBounds(const TMyRect& rcRect) const;

private:
    std::vector<std::unique_ptr<TMyMonitor>> F_MonitorList;
};

// The program's snapshot, taken on first use and re-read on every display change.
TMyScreen& MyScreen();

// clamp(v, lo, hi): lo when v < lo, otherwise hi when v > hi, otherwise v. The first test
// wins, so with hi < lo a value below lo gives lo and any other value gives hi.
std::int64_t ClampFirstLow(std::int64_t v, std::int64_t lo, std::int64_t hi);

// The platform lookups, answered live from the source. A null handle (0) means there is
// no monitor at all.
TMyMonitorHandle GetRectMonitor(const TMyRect& rcRect); // most overlap, else nearest
TMyMonitorHandle GetPointMonitor(TMyPoint ptPos);       // holds the point, else nearest
TMyMonitorHandle GetWindowMonitor(const TMyRect& rcWindow);
// Zeroes the record, then fills it for a handle the source knows; returns whether it did.
bool GetMonitorInfoZeroed(TMyMonitorHandle hMonitor, TMyMonitorInfo& info);
TMyRect GetMonitorWorkarea(TMyMonitorHandle hMonitor); // zero when unknown
TMyRect GetMonitorBounds(TMyMonitorHandle hMonitor);   // zero when unknown
TMyRect GetRectMonitorWorkarea(const TMyRect& rcRect);
TMyRect GetPointMonitorWorkarea(TMyPoint ptPos);
TMyRect GetWindowMonitorBounds(const TMyRect& rcWindow);

// Indexes into the source's current list (the UI toolkit's own list follows the same
// source): the first monitor whose full rectangle contains the point, -1 when none does.
std::int32_t ScreenMonitorAtPoint(TMyPoint ptPos);
// ScreenMonitorAtPoint of the window's top-left corner.
std::int32_t ScreenMonitorOfWindow(const TMyRect& rcWindow);

// The pointer position; (0, 0) when it cannot be read.
TMyPoint GetCursorPoint();

// The top-left corner that centres a form of rcForm's size on the work area of the monitor
// under the point (each half truncated toward zero). The caller moves the form there with
// its size unchanged and raises it. A point on no monitor uses the nearest one; without
// monitors the form stays where it is.
TMyPoint CenterFormOnMonitorAt(const TMyRect& rcForm, TMyPoint ptPos);
TMyPoint CenterFormOnCursorMonitor(const TMyRect& rcForm);

} // namespace skivra
