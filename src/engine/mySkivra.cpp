#include "engine/mySkivra.h"

#include "engine/myWallpaperJournal.h"
#include "engine/myWallpaperStore.h"
#include "support/myFile.h"

#include <QPainter>
#include <QString>

#include <malloc.h>

namespace skivra {

namespace {

std::unique_ptr<TMySkivra>& Engine() {
    static std::unique_ptr<TMySkivra> engine;
    return engine;
}

TMyWallpaperEnvironment& Environment() {
    static TMyWallpaperEnvironment env;
    return env;
}

std::optional<TMyWallpaperJournalRecord> ReadMatchingJournal(const TMyWallpaperEnvironment& env) {
    std::optional<TMyWallpaperJournalRecord> rec = ReadWallpaperJournal(env.JournalFileName);
    if (!rec || rec->StoreKind != env.Store->Kind()) {
        return std::nullopt;
    }
    return rec;
}

} // namespace

std::int32_t WallMonitorAtPoint(const TMyDesktopGeometry& geometry, std::optional<QPoint> pt) {
    if (!pt) {
        return 0;
    }
    for (std::size_t i = 0; i < geometry.Monitors.size(); ++i) {
        const QRect& rc = geometry.Monitors[i];
        // QRect::contains counts right and bottom as inside only for the last pixel.
        if (pt->x() >= rc.left() && pt->x() < rc.left() + rc.width() && pt->y() >= rc.top() &&
            pt->y() < rc.top() + rc.height()) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

TMySkivra::TMySkivra(TMyWallpaperEnvironment env, std::int32_t iMonitorIndex, std::uint32_t clColor,
                     std::optional<QPoint> mainWindowTopLeft)
    : FEnv(std::move(env)), FclOverlayColor(clColor) {
    TMyDesktopWallpaperStore& store = *FEnv.Store;
    // A journal left by a takeover that never ended holds what the user really had; the
    // desktop may be showing our own bitmap right now.
    if (const std::optional<TMyWallpaperJournalRecord> rec = ReadMatchingJournal(FEnv)) {
        FsWallPaperName = rec->WallPaperName;
        FwsWallpaperStyle = rec->Style;
        FsExtraLayout = rec->ExtraLayout;
    } else {
        FsWallPaperName = store.GetDesktopWallpaper();
        FwsWallpaperStyle = ReadWallpaperStyle(store);
        FsExtraLayout = store.SaveExtraLayout();
        // Our bitmap is never the user's wallpaper: with no record of the user's picture,
        // the user is taken to have had none.
        if (FsWallPaperName == FEnv.BitmapFileName) {
            FsWallPaperName.clear();
        }
    }
    FbJournalled = WriteWallpaperJournal(
        FEnv.JournalFileName, {store.Kind(), FsWallPaperName, FwsWallpaperStyle, FsExtraLayout});
    FbApplied = Run(iMonitorIndex, mainWindowTopLeft, true);
}

TMySkivra::~TMySkivra() {
    if (!FbJournalled) {
        return;
    }
    TMyDesktopWallpaperStore& store = *FEnv.Store;
    WriteWallpaperStyle(store, FwsWallpaperStyle);
    const bool bRestored = store.SetDesktopWallpaper(FsWallPaperName);
    store.RestoreExtraLayout(FsExtraLayout);
    // Only a desktop that took the user's picture back lets the journal go: otherwise the
    // next start tries again.
    if (bRestored) {
        RemoveWallpaperJournal(FEnv.JournalFileName);
    }
}

bool TMySkivra::Execute(std::int32_t iMonitorIndex, std::uint32_t /*clColor*/,
                        std::optional<QPoint> mainWindowTopLeft) {
    return Run(iMonitorIndex, mainWindowTopLeft, false);
}

bool TMySkivra::Run(std::int32_t iMonitorIndex, std::optional<QPoint> mainWindowTopLeft,
                    bool bFirst) {
    FbApplied = false;
    // Without a journal a crash could lose the user's wallpaper: leave the desktop alone.
    if (!FbJournalled) {
        return false;
    }
    const TMyDesktopGeometry geometry = FEnv.Geometry();
    const auto iCount = static_cast<std::int32_t>(geometry.Monitors.size());
    if (iCount == 0) {
        return false;
    }
    bool bMonitorChanged = false;
    if (iMonitorIndex < 0 || iMonitorIndex >= iCount) {
        FiWallMonitor = WallMonitorAtPoint(geometry, mainWindowTopLeft);
        bMonitorChanged = true;
    } else if (iMonitorIndex != FiWallMonitor) {
        FiWallMonitor = iMonitorIndex;
        bMonitorChanged = true;
    }
    if (FiWallMonitor < 0 || FiWallMonitor >= iCount) {
        FiWallMonitor = 0;
    }
    TMyDesktopWallpaperStore& store = *FEnv.Store;
    const bool bForced = FwsWallpaperStyle != wsTiling && WriteTilingStyle(store);
    // A new monitor starts from the user's own picture, which clears a key-colour area left
    // on another one; a repeated apply starts from what the desktop shows. The first apply
    // always starts from the user's picture: after a crash the desktop may still show an
    // old bitmap of ours.
    const std::u16string_view sSource =
        bMonitorChanged || bFirst ? std::u16string_view(FsWallPaperName) : std::u16string_view();
    if (!MakeWallpaperBitmap(sSource, geometry)) {
        // Nothing new to show: the desktop keeps what it had, layout values included.
        if (bForced && bFirst) {
            WriteWallpaperStyle(store, FwsWallpaperStyle);
            store.RestoreExtraLayout(FsExtraLayout);
        }
        return false;
    }
    FbApplied = store.SetDesktopWallpaper(FEnv.BitmapFileName);
    // The monitor-sized pictures of the takeover were freed into the heap, which keeps
    // their pages while a file plays: the playing player stayed 8 MB higher.
    malloc_trim(0);
    return FbApplied;
}

bool TMySkivra::MakeWallpaperBitmap(std::u16string_view sSourceName,
                                    const TMyDesktopGeometry& geometry) {
    TMyDesktopWallpaperStore& store = *FEnv.Store;
    QImage composed;
    ComposeDesktopWallpaper(composed, sSourceName, geometry, store);
    const std::uint32_t clDesktop = store.GetDesktopColor();
    {
        const QRect monitor = geometry.Monitors[static_cast<std::size_t>(FiWallMonitor)];
        QPainter painter(&composed);
        painter.fillRect(monitor.translated(-geometry.Desktop.topLeft()),
                         ResolveColor(FclOverlayColor, clDesktop));
    }
    return SaveWallpaperBitmap(ArrangeForTiling(composed, geometry, clDesktop),
                               FEnv.BitmapFileName);
}

void SetWallpaperEnvironment(TMyWallpaperEnvironment env) {
    Environment() = std::move(env);
}

bool ApplyVideoWallpaper(std::optional<QPoint> mainWindowTopLeft, std::uint32_t clColor) {
    const TMyWallpaperEnvironment& env = Environment();
    if (!env.Store || !env.Geometry) {
        return false;
    }
    const std::int32_t iMonitor = WallMonitorAtPoint(env.Geometry(), mainWindowTopLeft);
    std::unique_ptr<TMySkivra>& engine = Engine();
    if (!engine) {
        engine = std::make_unique<TMySkivra>(env, iMonitor, clColor, mainWindowTopLeft);
        return engine->Applied();
    }
    return engine->Execute(iMonitor, clColor, mainWindowTopLeft);
}

void ReleaseVideoWallpaper() {
    std::unique_ptr<TMySkivra> engine = std::move(Engine());
    engine.reset();
}

bool IsVideoWallpaperApplied() {
    return Engine() != nullptr;
}

bool RestoreWallpaperJournal(const TMyWallpaperEnvironment& env) {
    if (!env.Store) {
        return false;
    }
    const std::optional<TMyWallpaperJournalRecord> rec = ReadMatchingJournal(env);
    if (!rec) {
        return false;
    }
    WriteWallpaperStyle(*env.Store, rec->Style);
    const bool bRestored = env.Store->SetDesktopWallpaper(rec->WallPaperName);
    env.Store->RestoreExtraLayout(rec->ExtraLayout);
    if (!bRestored) {
        return false;
    }
    return RemoveWallpaperJournal(env.JournalFileName);
}

} // namespace skivra
