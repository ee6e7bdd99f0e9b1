#include "app/myPlayerDesktop.h"

#include <QWidget>

#include "app/myPlayerChannel.h"
#include "engine/myGraphUnits.h"
#include "engine/mySkivra.h"
#include "platform/x11/myX11DesktopWindow.h"
#include "support/myMonitor.h"

namespace skivra {

TMyX11PlayerDesktop::TMyX11PlayerDesktop(QWidget& mainWindow, QWidget& videoPanel,
                                         TMyPlayerChannel& channel, TMyX11Connection& connection,
                                         std::function<TMyPoint()> fnRootOrigin)
    : FMainWindow(mainWindow), FVideoPanel(videoPanel), FChannel(channel), FConnection(connection),
      FfnRootOrigin(std::move(fnRootOrigin)) {}

TMyRect TMyX11PlayerDesktop::MainWindowRect() {
    const TMyPoint origin = FfnRootOrigin();
    const QRect rc = FMainWindow.frameGeometry();
    return {rc.left() - origin.X, rc.top() - origin.Y, rc.right() + 1 - origin.X,
            rc.bottom() + 1 - origin.Y};
}

bool TMyX11PlayerDesktop::SubPlayerReady() {
    return FChannel.SubPlayerReady();
}

std::uint64_t TMyX11PlayerDesktop::SubPlayerHwnd() {
    return FChannel.SubPlayerHwnd();
}

TMyRect TMyX11PlayerDesktop::MainWindowMonitorBounds() {
    return GetWindowMonitorBounds(MainWindowRect());
}

void TMyX11PlayerDesktop::PlaceDesktopWindow(const TMyRect& rcMonitor) {
    const TMyWindowId window = FChannel.SubPlayerHwnd();
    if (!window) {
        return;
    }
    if (FhPlaced && FhPlaced != window) {
        skivra::HideDesktopWindow(FConnection, FhPlaced);
    }
    const TMyPoint origin = FfnRootOrigin();
    skivra::PlaceDesktopWindow(FConnection, window, rcMonitor.Left + origin.X,
                               rcMonitor.Top + origin.Y, rcMonitor.Right - rcMonitor.Left,
                               rcMonitor.Bottom - rcMonitor.Top);
    FhPlaced = window;
}

void TMyX11PlayerDesktop::HideDesktopWindow() {
    if (FhPlaced) {
        skivra::HideDesktopWindow(FConnection, FhPlaced);
        FhPlaced = 0;
    }
}

std::uint64_t TMyX11PlayerDesktop::VideoPanelHandle() {
    return FVideoPanel.winId();
}

TMyRect TMyX11PlayerDesktop::VideoPanelClientRect() {
    return {0, 0, FVideoPanel.width(), FVideoPanel.height()};
}

std::uint32_t TMyX11PlayerDesktop::OverlayKeyColour() {
    return GetOverlayKeyColour();
}

bool TMyX11PlayerDesktop::ApplyVideoWallpaper(std::uint32_t clColor) {
    const TMyRect rc = MainWindowRect();
    return skivra::ApplyVideoWallpaper(QPoint(rc.Left, rc.Top), clColor);
}

void TMyX11PlayerDesktop::ReleaseVideoWallpaper() {
    skivra::ReleaseVideoWallpaper();
}

} // namespace skivra
