#include "support/myMonitor.h"

#include <algorithm>
#include <stdexcept>

namespace skivra {

namespace {

// Distance in pixels between two pixel intervals [a0, a1) and [b0, b1); 0 when they overlap.
std::int64_t Gap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    if (a0 < b1 && b0 < a1)
        return 0;
    return a1 <= b0 ? b0 - (a1 - 1) : a0 - (b1 - 1);
}

bool IsEmpty(const TMyRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

// The common part's area. Each side is below 2^32, so the product fits 64 unsigned bits.
std::uint64_t OverlapArea(const TMyRect& a, const TMyRect& b) {
    const std::int64_t w =
        std::int64_t{std::min(a.Right, b.Right)} - std::int64_t{std::max(a.Left, b.Left)};
    const std::int64_t h =
        std::int64_t{std::min(a.Bottom, b.Bottom)} - std::int64_t{std::max(a.Top, b.Top)};
    if (w <= 0 || h <= 0)
        return 0;
    return static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h);
}

// Squared distance between the pixels of two rectangles; an empty rectangle counts as the
// pixel at its top-left corner. long double, since each squared gap may reach 2^64.
long double DistanceSquared(const TMyRect& r, const TMyRect& m) {
    const std::int64_t right = IsEmpty(r) ? std::int64_t{r.Left} + 1 : r.Right;
    const std::int64_t bottom = IsEmpty(r) ? std::int64_t{r.Top} + 1 : r.Bottom;
    const long double dx = static_cast<long double>(Gap(r.Left, right, m.Left, m.Right));
    const long double dy = static_cast<long double>(Gap(r.Top, bottom, m.Top, m.Bottom));
    return dx * dx + dy * dy;
}

// MonitorFromRect with the nearest-monitor fallback over a list: the monitor with the
// largest overlap, else the nearest one; ties go to the first in enumeration order. An
// empty rectangle stands for the point at its top-left corner.
const TMyMonitorInfo* FindRectMonitor(const std::vector<TMyMonitorInfo>& monitors,
                                      const TMyRect& r) {
    const TMyMonitorInfo* best = nullptr;
    if (IsEmpty(r)) {
        for (const TMyMonitorInfo& m : monitors)
            if (PtInRect(m.rcMonitor, {r.Left, r.Top}))
                return &m;
    } else {
        std::uint64_t bestArea = 0;
        for (const TMyMonitorInfo& m : monitors) {
            const std::uint64_t area = OverlapArea(r, m.rcMonitor);
            if (area > bestArea) {
                bestArea = area;
                best = &m;
            }
        }
        if (best)
            return best;
    }
    long double bestDistance = 0;
    for (const TMyMonitorInfo& m : monitors) {
        const long double d = DistanceSquared(r, m.rcMonitor);
        if (!best || d < bestDistance) {
            bestDistance = d;
            best = &m;
        }
    }
    return best;
}

std::int32_t IndexAtPoint(const std::vector<TMyMonitorInfo>& monitors, TMyPoint pt) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (PtInRect(monitors[i].rcMonitor, pt))
            return static_cast<std::int32_t>(i);
    return -1;
}

TMyRect Widened(const TMyRect& a, const TMyRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

TMyRect MakeRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    return {SaturateInt32(left), SaturateInt32(top), SaturateInt32(left + width),
            SaturateInt32(top + height)};
}

} // namespace

TMyMonitor::TMyMonitor(TMyMonitorHandle hHandle) : F_hHandle(hHandle) {
    TMyMonitorInfo info;
    if (GetMonitorInfoZeroed(hHandle, info)) {
        F_rcBoundsRect = info.rcMonitor;
        F_rcWorkareaRect = info.rcWork;
    }
}

TMyMonitor::TMyMonitor(const TMyMonitorInfo& info)
    : F_hHandle(info.Handle), F_rcBoundsRect(info.rcMonitor), F_rcWorkareaRect(info.rcWork) {}

TMyScreen::TMyScreen() {
    Reflesh();
}

void TMyScreen::Reflesh() {
    F_MonitorList.clear();
    for (const TMyMonitorInfo& info : CurrentMonitors())
        F_MonitorList.push_back(std::make_unique<TMyMonitor>(info));
}

const TMyMonitor& TMyScreen::Get(std::int64_t iIndex) const {
    if (F_MonitorList.empty())
        throw std::out_of_range("TMyScreen::Get: there is no monitor");
    const std::int64_t i = ClampFirstLow(iIndex, 0, MonitorCount() - 1);
    return *F_MonitorList[static_cast<std::size_t>(i)];
}

std::int32_t TMyScreen::PrimaryIndex() const {
    for (std::int32_t i = 0; i < MonitorCount(); ++i)
        if (F_MonitorList[i]->Primary())
            return i;
    return -1;
}

TMyRect TMyScreen::DesktopRect() const {
    TMyRect r;
    for (const auto& m : F_MonitorList)
        r = Widened(r, m->BoundsRect());
    return r;
}

TMyRect TMyScreen::WorkareaRect() const {
    TMyRect r;
    for (const auto& m : F_MonitorList)
        r = Widened(r, m->WorkareaRect());
    return r;
}

std::int32_t TMyScreen::MonitorIndex(TMyMonitorHandle hHandle) const {
    if (hHandle == 0)
        return -1;
    for (std::int32_t i = 0; i < MonitorCount(); ++i)
        if (F_MonitorList[i]->Handle() == hHandle)
            return i;
    return -1;
}

std::int32_t TMyScreen::MonitorIndex(const TMyRect& rcRect) const {
    return MonitorIndex(GetRectMonitor(rcRect));
}

std::int32_t TMyScreen::MonitorIndex(TMyPoint ptPos) const {
    return MonitorIndex(GetPointMonitor(ptPos));
}

TMyRect TMyScreen::SetBounds(std::int32_t iLeft, std::int32_t iTop, std::int32_t iWidth,
                             std::int32_t iHeight) const {
    const TMyRect r = MakeRect(iLeft, iTop, iWidth, iHeight);
    if (F_MonitorList.empty())
        return r;
    const std::int32_t i = std::max(MonitorIndex(r), 0);
    const TMyMonitor& m = Get(i);
    const std::int64_t top =
        ClampFirstLow(iTop, m.WorkareaTop(), m.WorkareaTop() + m.WorkareaHeight() - iHeight);
    const std::int64_t left =
        ClampFirstLow(iLeft, m.WorkareaLeft(), m.WorkareaLeft() + m.WorkareaWidth() - iWidth);
    return MakeRect(left, top, iWidth, iHeight);
}

TMyRect TMyScreen::SetBounds(const TMyRect& rcRect) const {
    return SetBounds(rcRect.Left, rcRect.Top, SaturateInt32(RectWidth64(rcRect)),
                     SaturateInt32(RectHeight64(rcRect)));
}

TMyScreen& MyScreen() {
    static TMyScreen screen;
    return screen;
}

std::int64_t ClampFirstLow(std::int64_t v, std::int64_t lo, std::int64_t hi) {
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

TMyMonitorHandle GetRectMonitor(const TMyRect& rcRect) {
    const std::vector<TMyMonitorInfo> monitors = CurrentMonitors();
    const TMyMonitorInfo* m = FindRectMonitor(monitors, rcRect);
    return m ? m->Handle : 0;
}

TMyMonitorHandle GetPointMonitor(TMyPoint ptPos) {
    return GetRectMonitor({ptPos.X, ptPos.Y, ptPos.X, ptPos.Y});
}

TMyMonitorHandle GetWindowMonitor(const TMyRect& rcWindow) {
    return GetRectMonitor(rcWindow);
}

bool GetMonitorInfoZeroed(TMyMonitorHandle hMonitor, TMyMonitorInfo& info) {
    info = {};
    if (hMonitor == 0)
        return false;
    for (const TMyMonitorInfo& m : CurrentMonitors()) {
        if (m.Handle == hMonitor) {
            info = m;
            return true;
        }
    }
    return false;
}

TMyRect GetMonitorWorkarea(TMyMonitorHandle hMonitor) {
    TMyMonitorInfo info;
    GetMonitorInfoZeroed(hMonitor, info);
    return info.rcWork;
}

TMyRect GetMonitorBounds(TMyMonitorHandle hMonitor) {
    TMyMonitorInfo info;
    GetMonitorInfoZeroed(hMonitor, info);
    return info.rcMonitor;
}

TMyRect GetRectMonitorWorkarea(const TMyRect& rcRect) {
    return GetMonitorWorkarea(GetRectMonitor(rcRect));
}

TMyRect GetPointMonitorWorkarea(TMyPoint ptPos) {
    return GetMonitorWorkarea(GetPointMonitor(ptPos));
}

TMyRect GetWindowMonitorBounds(const TMyRect& rcWindow) {
    return GetMonitorBounds(GetWindowMonitor(rcWindow));
}

std::int32_t ScreenMonitorAtPoint(TMyPoint ptPos) {
    return IndexAtPoint(CurrentMonitors(), ptPos);
}

std::int32_t ScreenMonitorOfWindow(const TMyRect& rcWindow) {
    return ScreenMonitorAtPoint({rcWindow.Left, rcWindow.Top});
}

TMyPoint GetCursorPoint() {
    TMyMonitorSource* source = GetMonitorSource();
    const std::optional<TMyPoint> pt = source ? source->CursorPos() : std::nullopt;
    return pt.value_or(TMyPoint{});
}

TMyPoint CenterFormOnMonitorAt(const TMyRect& rcForm, TMyPoint ptPos) {
    const std::vector<TMyMonitorInfo> monitors = CurrentMonitors();
    const std::int32_t i = IndexAtPoint(monitors, ptPos);
    // A point in a gap between monitors lies on none; the nearest monitor is what the user
    // is looking at, so the form goes there instead of failing.
    const TMyMonitorInfo* m = i >= 0
                                  ? &monitors[static_cast<std::size_t>(i)]
                                  : FindRectMonitor(monitors, {ptPos.X, ptPos.Y, ptPos.X, ptPos.Y});
    if (!m)
        return {rcForm.Left, rcForm.Top};
    const TMyRect& w = m->rcWork;
    const std::int64_t x = w.Left + (RectWidth64(w) - RectWidth64(rcForm)) / 2;
    const std::int64_t y = w.Top + (RectHeight64(w) - RectHeight64(rcForm)) / 2;
    return {SaturateInt32(x), SaturateInt32(y)};
}

TMyPoint CenterFormOnCursorMonitor(const TMyRect& rcForm) {
    return CenterFormOnMonitorAt(rcForm, GetCursorPoint());
}

} // namespace skivra
