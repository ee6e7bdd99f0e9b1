#include "support/myMonitorSource.h"

#include "support/myMonitor.h"

#include <algorithm>
#include <utility>

namespace skivra {

namespace {

std::shared_ptr<TMyMonitorSource>& InstalledSource() {
    static std::shared_ptr<TMyMonitorSource> source;
    return source;
}

struct TMyListener {
    int iId;
    std::function<void()> fn;
};

std::vector<TMyListener>& Listeners() {
    static std::vector<TMyListener> listeners;
    return listeners;
}

TMyRect Shifted(const TMyRect& r, TMyPoint offset) {
    auto sub = [](std::int32_t v, std::int32_t d) {
        return SaturateInt32(std::int64_t{v} - d);
    };
    return {sub(r.Left, offset.X), sub(r.Top, offset.Y), sub(r.Right, offset.X),
            sub(r.Bottom, offset.Y)};
}

} // namespace

void SetMonitorSource(std::shared_ptr<TMyMonitorSource> source) {
    InstalledSource() = std::move(source);
    NotifyDisplayChange();
}

TMyMonitorSource* GetMonitorSource() {
    return InstalledSource().get();
}

std::vector<TMyMonitorInfo> CurrentMonitors() {
    TMyMonitorSource* source = GetMonitorSource();
    return source ? source->Monitors() : std::vector<TMyMonitorInfo>{};
}

void NotifyDisplayChange() {
    MyScreen().Reflesh();
    // A copy, so that a listener may add or remove listeners (itself included) as it runs.
    const std::vector<TMyListener> listeners = Listeners();
    for (const TMyListener& listener : listeners)
        listener.fn();
}

int AddDisplayChangeListener(std::function<void()> listener) {
    static int iNextId = 0;
    Listeners().push_back({++iNextId, std::move(listener)});
    return iNextId;
}

void RemoveDisplayChangeListener(int iId) {
    std::erase_if(Listeners(), [iId](const TMyListener& l) { return l.iId == iId; });
}

TMyPoint ShiftToPrimaryOrigin(std::vector<TMyMonitorInfo>& monitors) {
    if (monitors.empty())
        return {};
    auto primary = std::find_if(monitors.begin(), monitors.end(),
                                [](const TMyMonitorInfo& m) { return m.bPrimary; });
    if (primary == monitors.end())
        primary = monitors.begin();
    const TMyPoint offset{primary->rcMonitor.Left, primary->rcMonitor.Top};
    for (TMyMonitorInfo& m : monitors) {
        m.rcMonitor = Shifted(m.rcMonitor, offset);
        m.rcWork = Shifted(m.rcWork, offset);
    }
    return offset;
}

TMyStaticMonitorSource::TMyStaticMonitorSource(std::vector<TMyMonitorInfo> monitors,
                                               std::optional<TMyPoint> cursor)
    : FCursor(cursor) {
    SetMonitors(std::move(monitors));
}

void TMyStaticMonitorSource::SetMonitors(std::vector<TMyMonitorInfo> monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].Handle == 0)
            monitors[i].Handle = i + 1;
    FMonitors = std::move(monitors);
}

} // namespace skivra
