#include "platform/x11/myX11Monitors.h"

#include "platform/x11/myX11Util.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace skivra {

namespace {

struct TMonitorsFree {
    void operator()(XRRMonitorInfo* p) const { XRRFreeMonitors(p); }
};

std::vector<TMyMonitorInfo> ReadRandrMonitors(Display* display, Window root) {
    std::vector<TMyMonitorInfo> monitors;
    int iEventBase = 0;
    int iErrorBase = 0;
    int iMajor = 0;
    int iMinor = 0;
    if (!XRRQueryExtension(display, &iEventBase, &iErrorBase) ||
        !XRRQueryVersion(display, &iMajor, &iMinor) || iMajor * 100 + iMinor < 105) {
        return monitors;
    }
    int iCount = 0;
    std::unique_ptr<XRRMonitorInfo, TMonitorsFree> list(
        XRRGetMonitors(display, root, True, &iCount));
    for (int i = 0; list && i < iCount; ++i) {
        const XRRMonitorInfo& m = list.get()[i];
        TMyMonitorInfo info;
        info.Handle = m.name != None ? m.name : static_cast<TMyMonitorHandle>(i + 1);
        info.rcMonitor = {m.x, m.y, m.x + m.width, m.y + m.height};
        info.bPrimary = m.primary != 0;
        monitors.push_back(info);
    }
    return monitors;
}

std::vector<TMyMonitorInfo> ReadXineramaHeads(Display* display) {
    std::vector<TMyMonitorInfo> monitors;
    int iEventBase = 0;
    int iErrorBase = 0;
    if (!XineramaQueryExtension(display, &iEventBase, &iErrorBase) || !XineramaIsActive(display)) {
        return monitors;
    }
    int iCount = 0;
    XineramaScreenInfo* pHeads = XineramaQueryScreens(display, &iCount);
    for (int i = 0; pHeads && i < iCount; ++i) {
        const XineramaScreenInfo& h = pHeads[i];
        TMyMonitorInfo info;
        // Atoms and heads never share a value in practice, but handles must only be
        // distinct within one list, which they are.
        info.Handle = static_cast<TMyMonitorHandle>(i + 1);
        info.rcMonitor = {h.x_org, h.y_org, h.x_org + h.width, h.y_org + h.height};
        // Xinerama has no primary flag; its first head is the server's first screen.
        info.bPrimary = i == 0;
        monitors.push_back(info);
    }
    XFree(pHeads);
    return monitors;
}

TMyRect Intersect(const TMyRect& a, const TMyRect& b) {
    TMyRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom)};
    if (r.Left >= r.Right || r.Top >= r.Bottom) {
        return {};
    }
    return r;
}

void ApplyWorkarea(Display* display, Window root, std::vector<TMyMonitorInfo>& monitors) {
    const auto workareas = x11::GetLongProperty(display, root, "_NET_WORKAREA", XA_CARDINAL);
    const auto current = x11::GetLongProperty(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    std::size_t iDesktop = current && !current->empty() ? (*current)[0] : 0;
    if (workareas && (iDesktop + 1) * 4 > workareas->size()) {
        iDesktop = 0;
    }
    for (TMyMonitorInfo& info : monitors) {
        info.rcWork = info.rcMonitor;
        if (!workareas || workareas->size() < 4) {
            continue;
        }
        const auto value = [&](std::size_t i) {
            return static_cast<std::int32_t>(static_cast<long>((*workareas)[iDesktop * 4 + i]));
        };
        const TMyRect rcArea{value(0), value(1), value(0) + value(2), value(1) + value(3)};
        const TMyRect rcWork = Intersect(info.rcMonitor, rcArea);
        // A work area that misses the monitor altogether says nothing about it.
        if (rcWork != TMyRect{}) {
            info.rcWork = rcWork;
        }
    }
}

} // namespace

std::vector<TMyMonitorInfo> ReadX11Monitors(void* pDisplay) {
    auto* display = static_cast<Display*>(pDisplay);
    if (!display) {
        return {};
    }
    const Window root = DefaultRootWindow(display);
    std::vector<TMyMonitorInfo> monitors = ReadRandrMonitors(display, root);
    std::vector<TMyMonitorInfo> heads = ReadXineramaHeads(display);
    if (heads.size() > monitors.size()) {
        monitors = std::move(heads);
    }
    if (monitors.empty()) {
        TMyMonitorInfo whole;
        whole.Handle = 1;
        whole.rcMonitor = {0, 0, DisplayWidth(display, DefaultScreen(display)),
                           DisplayHeight(display, DefaultScreen(display))};
        whole.bPrimary = true;
        monitors.push_back(whole);
    }
    // The primary first: the wallpaper's tile reference is monitor 0, and the desktop tiles
    // from the primary's corner.
    std::stable_partition(monitors.begin(), monitors.end(),
                          [](const TMyMonitorInfo& info) { return info.bPrimary; });
    if (!monitors.empty() && !monitors.front().bPrimary) {
        monitors.front().bPrimary = true;
    }
    for (std::size_t i = 1; i < monitors.size(); ++i) {
        monitors[i].bPrimary = false;
    }
    ApplyWorkarea(display, root, monitors);
    return monitors;
}

std::shared_ptr<TMyX11MonitorSource> TMyX11MonitorSource::Open(const std::string& sDisplayName) {
    x11::TDisplayPtr display = x11::OpenDisplay(sDisplayName);
    if (!display) {
        return nullptr;
    }
    std::shared_ptr<TMyX11MonitorSource> source(new TMyX11MonitorSource(display.release()));
    return source;
}

TMyX11MonitorSource::TMyX11MonitorSource(void* pDisplay) : FpDisplay(pDisplay) {
    auto* display = static_cast<Display*>(FpDisplay);
    const Window root = DefaultRootWindow(display);
    int iErrorBase = 0;
    if (XRRQueryExtension(display, &FiRandrEventBase, &iErrorBase)) {
        XRRSelectInput(display, root,
                       RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask |
                           RROutputChangeNotifyMask | RRResourceChangeNotifyMask);
    } else {
        FiRandrEventBase = -1;
    }
    XSelectInput(display, root, PropertyChangeMask);
    XFlush(display);
}

TMyX11MonitorSource::~TMyX11MonitorSource() {
    XCloseDisplay(static_cast<Display*>(FpDisplay));
}

std::vector<TMyMonitorInfo> TMyX11MonitorSource::Monitors() {
    std::vector<TMyMonitorInfo> monitors = ReadX11Monitors(FpDisplay);
    ShiftToPrimaryOrigin(monitors);
    return monitors;
}

std::optional<TMyPoint> TMyX11MonitorSource::CursorPos() {
    auto* display = static_cast<Display*>(FpDisplay);
    Window rootReturn = None;
    Window child = None;
    int iRootX = 0;
    int iRootY = 0;
    int iWinX = 0;
    int iWinY = 0;
    unsigned int iMask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &rootReturn, &child, &iRootX, &iRootY,
                       &iWinX, &iWinY, &iMask)) {
        return std::nullopt;
    }
    std::vector<TMyMonitorInfo> monitors = ReadX11Monitors(FpDisplay);
    const TMyPoint offset = ShiftToPrimaryOrigin(monitors);
    return TMyPoint{iRootX - offset.X, iRootY - offset.Y};
}

TMyPoint TMyX11MonitorSource::RootOrigin() {
    std::vector<TMyMonitorInfo> monitors = ReadX11Monitors(FpDisplay);
    return ShiftToPrimaryOrigin(monitors);
}

int TMyX11MonitorSource::EventFd() const {
    return XConnectionNumber(static_cast<Display*>(FpDisplay));
}

bool TMyX11MonitorSource::DispatchEvents() {
    auto* display = static_cast<Display*>(FpDisplay);
    const Atom workarea = XInternAtom(display, "_NET_WORKAREA", False);
    bool bChanged = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (FiRandrEventBase >= 0 && (event.type == FiRandrEventBase + RRScreenChangeNotify ||
                                      event.type == FiRandrEventBase + RRNotify)) {
            XRRUpdateConfiguration(&event);
            bChanged = true;
        } else if (event.type == PropertyNotify && event.xproperty.atom == workarea) {
            bChanged = true;
        }
    }
    if (bChanged) {
        NotifyDisplayChange();
    }
    return bChanged;
}

} // namespace skivra
