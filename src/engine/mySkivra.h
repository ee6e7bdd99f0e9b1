#pragma once

#include "engine/myWallpaperImage.h"
#include "engine/myWallpaperStyle.h"

#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace skivra {

class TMyDesktopWallpaperStore;

// The desktop the takeover works on: the store of the running desktop, the monitor layout
// as it is now, and where the generated bitmap and the journal live. The program installs
// it at start; tests install their own.
struct TMyWallpaperEnvironment {
    std::shared_ptr<TMyDesktopWallpaperStore> Store;
    std::function<TMyDesktopGeometry()> Geometry;
    std::u16string BitmapFileName;  // the generated key-colour wallpaper
    std::u16string JournalFileName; // what the user had, while the takeover lasts
};

// The takeover: while it exists, the desktop shows the user's picture on every monitor but
// one, which shows the overlay key colour; destroying it puts the user's picture and layout
// back. Creating it records the user's values in the journal before anything changes.
// UI thread only.
class TMySkivra {
public:
    // iMonitorIndex indexes the monitor list; an index out of range takes the monitor under
    // the main window's top-left corner (monitor 0 when there is none).
    TMySkivra(TMyWallpaperEnvironment env, std::int32_t iMonitorIndex, std::uint32_t clColor,
              std::optional<QPoint> mainWindowTopLeft);
    ~TMySkivra();
    TMySkivra(const TMySkivra&) = delete;
    TMySkivra& operator=(const TMySkivra&) = delete;

    // Installs the key-colour wallpaper for the monitor. The key colour stays the one given
    // when the engine was created. False when nothing was installed (the bitmap could not
    // be written, or the journal could not be, so the user's desktop was left alone).
    bool Execute(std::int32_t iMonitorIndex, std::uint32_t clColor,
                 std::optional<QPoint> mainWindowTopLeft);

    const std::u16string& WallPaperName() const { return FsWallPaperName; }
    TMyWallpaperStyle WallpaperStyle() const { return FwsWallpaperStyle; }
    std::int32_t WallMonitor() const { return FiWallMonitor; }
    // Whether the last apply installed the key-colour wallpaper.
    bool Applied() const { return FbApplied; }

private:
    // Reads what the user has now (or what a takeover that never ended recorded) and
    // journals it; false when it could not be read or journalled. bAgain: the user set a
    // wallpaper while this takeover lasted.
    bool RecordTheUsersWallpaper(bool bAgain = false);
    bool Run(std::int32_t iMonitorIndex, std::optional<QPoint> mainWindowTopLeft, bool bFirst);
    bool MakeWallpaperBitmap(std::u16string_view sSourceName, const TMyDesktopGeometry& geometry);

    TMyWallpaperEnvironment FEnv;
    std::u16string FsWallPaperName;
    TMyWallpaperStyle FwsWallpaperStyle = wsCenter;
    std::u16string FsExtraLayout;
    std::uint32_t FclOverlayColor = clDefaultOverlayKey;
    std::int32_t FiWallMonitor = 0;
    bool FbJournalled = false;
    bool FbApplied = false;
};

// The index of the first monitor whose rectangle holds the point; -1 when none does.
std::int32_t WallMonitorAtPoint(const TMyDesktopGeometry& geometry, std::optional<QPoint> pt);

// The program's one engine. Apply creates it (or re-applies on the main window's monitor);
// release destroys it, which brings the user's wallpaper back.
void SetWallpaperEnvironment(TMyWallpaperEnvironment env);
bool ApplyVideoWallpaper(std::optional<QPoint> mainWindowTopLeft, std::uint32_t clColor);
void ReleaseVideoWallpaper();
bool IsVideoWallpaperApplied();

// Puts back what a journal left by a takeover that never ended records, while the desktop
// still shows our bitmap; a desktop that shows anything else keeps it, and the journal goes.
// A damaged journal falls back to the store's kept copy of the user's picture. True when
// the user's values are back (the journal is gone then).
bool RestoreWallpaperJournal(const TMyWallpaperEnvironment& env);

} // namespace skivra
