#pragma once

#include <functional>
#include <optional>

#include "app/myPlayerServices.h"
#include "support/myRect.h"

class QWidget;

namespace skivra {

class TMyPlayerChannel;
class TMyX11Connection;

// The controller's desktop in the program: the sub-player's video window (found and
// started through the player's channel), placed over the monitor of the main window on the
// player's X connection; the main window's hidden video panel; the wallpaper takeover.
//
// The monitor layout is in the program's coordinates (the primary monitor's corner at the
// origin); the window system's are the root window's. fnRootOrigin tells where the
// program's origin lies on the root window, so both meet. UI thread only.
class TMyX11PlayerDesktop final : public TMyPlayerDesktop {
public:
    TMyX11PlayerDesktop(QWidget& mainWindow, QWidget& videoPanel, TMyPlayerChannel& channel,
                        TMyX11Connection& connection, std::function<TMyPoint()> fnRootOrigin);

    bool SubPlayerReady() override;
    std::uint64_t SubPlayerHwnd() override;
    TMyRect MainWindowMonitorBounds() override;
    void PlaceDesktopWindow(const TMyRect& rcMonitor) override;
    void HideDesktopWindow() override;
    std::uint64_t VideoPanelHandle() override;
    TMyRect VideoPanelClientRect() override;
    std::uint32_t OverlayKeyColour() override;
    bool ApplyVideoWallpaper(std::uint32_t clColor) override;
    void ReleaseVideoWallpaper() override;

private:
    // The main window's frame in the program's coordinates.
    TMyRect MainWindowRect();

    QWidget& FMainWindow;
    QWidget& FVideoPanel;
    TMyPlayerChannel& FChannel;
    TMyX11Connection& FConnection;
    std::function<TMyPoint()> FfnRootOrigin;
    // The window the video was last placed in, so that hiding finds it even when the
    // sub-player has been replaced since.
    std::uint64_t FhPlaced = 0;
};

} // namespace skivra
