#pragma once

#include "engine/myWallpaperStore.h"
#include "support/myProgram.h"

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// What the user had before the takeover changed the desktop. It is written, atomically,
// before the first change and removed once the user's values are back, so a player that
// dies (or is killed) with the key-colour wallpaper installed leaves a record from which
// the next start, or the sub-player, puts the user's desktop back.
struct TMyWallpaperJournalRecord {
    std::u16string StoreKind;     // the store the values belong to
    std::u16string WallPaperName; // the user's picture, empty for none
    TMyWallpaperStyle Style = wsCenter;
    std::u16string ExtraLayout; // the store's own layout settings, see the store

    TMyUserWallpaper User() const { return {WallPaperName, Style, ExtraLayout}; }
};

// The journal's file: beside the generated wallpaper, among the data files of the player's
// program sProgram.
std::u16string GetWallpaperJournalFileName(const std::u16string& sProgram = GetProgramFileName());

bool WriteWallpaperJournal(std::u16string_view sFileName, const TMyWallpaperJournalRecord& rec);
// Nothing when there is no journal or it cannot be understood.
std::optional<TMyWallpaperJournalRecord> ReadWallpaperJournal(std::u16string_view sFileName);
bool WallpaperJournalExists(std::u16string_view sFileName);
// True when no journal is left afterwards.
bool RemoveWallpaperJournal(std::u16string_view sFileName);

} // namespace skivra
