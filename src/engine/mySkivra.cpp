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

// The user's values to put back over our bitmap: the journal's, or, when the journal is
// there but damaged, the copy of the user's picture the store kept. A journal of another
// desktop is not ours to act on.
enum class TJournalState { None, Foreign, Readable, Damaged };

TJournalState JournalState(const TMyWallpaperEnvironment& env,
                           std::optional<TMyWallpaperJournalRecord>& rec) {
    if (!WallpaperJournalExists(env.JournalFileName)) {
        return TJournalState::None;
    }
    rec = ReadWallpaperJournal(env.JournalFileName);
    if (!rec) {
        return TJournalState::Damaged;
    }
    return rec->StoreKind == env.Store->Kind() ? TJournalState::Readable : TJournalState::Foreign;
}

// Puts the user's values back only while the desktop still shows our bitmap: what shows
// instead is the user's newer choice (a wallpaper set while we played, a repaired desktop
// after a crash, another X session after a logout), and the record is dropped unused. A
// desktop that cannot be asked keeps the record for the next try. True when the user's
// values are back.
bool RestoreOverOurBitmap(const TMyWallpaperEnvironment& env,
                          const std::optional<TMyUserWallpaper>& user) {
    TMyDesktopWallpaperStore& store = *env.Store;
    switch (store.FindInstalledWallpaper(env.BitmapFileName)) {
    case TMyInstalledWallpaper::Unknown:
        return false;
    case TMyInstalledWallpaper::Replaced:
        RemoveWallpaperJournal(env.JournalFileName);
        return false;
    case TMyInstalledWallpaper::Shown:
        break;
    }
    // With nothing known of the user's picture the desktop is left as it is: a black one
    // would be a guess.
    if (!user) {
        RemoveWallpaperJournal(env.JournalFileName);
        return false;
    }
    // Only a desktop that took the user's picture back lets the journal go: otherwise the
    // next start tries again.
    if (!store.RestoreUserWallpaper(*user)) {
        return false;
    }
    RemoveWallpaperJournal(env.JournalFileName);
    return true;
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
    FbApplied = Run(iMonitorIndex, mainWindowTopLeft, true);
}

TMySkivra::~TMySkivra() {
    if (FbJournalled) {
        RestoreOverOurBitmap(FEnv,
                             TMyUserWallpaper{FsWallPaperName, FwsWallpaperStyle, FsExtraLayout});
    }
}

bool TMySkivra::RecordTheUsersWallpaper(bool bAgain) {
    TMyDesktopWallpaperStore& store = *FEnv.Store;
    FbJournalled = false;
    std::optional<TMyWallpaperJournalRecord> rec;
    const TJournalState state = JournalState(FEnv, rec);
    // Again: the desktop was just found to show something else.
    const bool bOursShown = !bAgain && store.FindInstalledWallpaper(FEnv.BitmapFileName) ==
                                           TMyInstalledWallpaper::Shown;
    if (bOursShown && state == TJournalState::Readable) {
        // A takeover that never ended: the journal holds what the user really had.
        FsWallPaperName = rec->WallPaperName;
        FwsWallpaperStyle = rec->Style;
        FsExtraLayout = rec->ExtraLayout;
    } else if (const std::optional<TMyUserWallpaper> kept =
                   bOursShown ? store.KeptUserWallpaper() : std::nullopt) {
        // Our bitmap shows and the record of the user's is lost: the kept copy is the best
        // there is.
        FsWallPaperName = kept->WallPaperName;
        FwsWallpaperStyle = kept->Style;
        FsExtraLayout = kept->ExtraLayout;
    } else {
        const std::optional<std::u16string> sWallpaper = store.GetDesktopWallpaper();
        if (!sWallpaper) {
            // The user's picture cannot be kept: taking the desktop over could lose it.
            return false;
        }
        FsWallPaperName = *sWallpaper;
        // A picture set while we play comes with the tile mode we forced; the user's own
        // layout is still the one recorded before.
        const TMyWallpaperStyle style = ReadWallpaperStyle(store);
        if (!bAgain || style != wsTiling) {
            FwsWallpaperStyle = style;
        }
        FsExtraLayout = store.SaveExtraLayout();
        // Our bitmap is never the user's wallpaper: with no record of the user's picture,
        // the user is taken to have had none.
        if (FsWallPaperName == FEnv.BitmapFileName) {
            FsWallPaperName.clear();
        }
    }
    FbJournalled = WriteWallpaperJournal(
        FEnv.JournalFileName, {store.Kind(), FsWallPaperName, FwsWallpaperStyle, FsExtraLayout});
    return FbJournalled;
}

bool TMySkivra::Execute(std::int32_t iMonitorIndex, std::uint32_t /*clColor*/,
                        std::optional<QPoint> mainWindowTopLeft) {
    return Run(iMonitorIndex, mainWindowTopLeft, false);
}

bool TMySkivra::Run(std::int32_t iMonitorIndex, std::optional<QPoint> mainWindowTopLeft,
                    bool bFirst) {
    FbApplied = false;
    // Without a journal a crash could lose the user's wallpaper: the desktop is left alone
    // until the user's values are recorded. A wallpaper the user (or another program) set
    // while we played is the user's now, and comes back when the takeover ends.
    const bool bReplaced =
        !bFirst && FbJournalled &&
        FEnv.Store->FindInstalledWallpaper(FEnv.BitmapFileName) == TMyInstalledWallpaper::Replaced;
    if (!FbJournalled || bReplaced) {
        if (!RecordTheUsersWallpaper(bReplaced)) {
            return false;
        }
        bFirst = true;
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
    std::optional<TMyWallpaperJournalRecord> rec;
    switch (JournalState(env, rec)) {
    case TJournalState::None:
    case TJournalState::Foreign:
        return false;
    case TJournalState::Readable:
        return RestoreOverOurBitmap(env, rec->User());
    case TJournalState::Damaged:
        return RestoreOverOurBitmap(env, env.Store->KeptUserWallpaper());
    }
    return false;
}

} // namespace skivra
