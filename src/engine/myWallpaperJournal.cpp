#include "engine/myWallpaperJournal.h"

#include "engine/myKeyValueText.h"
#include "engine/myWallpaperStore.h"
#include "platform/posix/myAtomicFile.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <cerrno>
#include <string>
#include <unistd.h>

namespace skivra {

namespace {

constexpr std::u16string_view kJournalMagic = u"skivra-wallpaper-journal-1";
constexpr std::size_t kMaxJournalSize = 64 * 1024;

} // namespace

std::u16string GetWallpaperJournalFileName(const std::u16string& sProgram) {
    return GetDataFileName(u".wallpaper.journal", sProgram);
}

bool WriteWallpaperJournal(std::u16string_view sFileName, const TMyWallpaperJournalRecord& rec) {
    const std::string sStyle = std::to_string(static_cast<int>(rec.Style));
    const TMyKeyValues values = {
        {u"Journal", std::u16string(kJournalMagic)},
        {u"Store", rec.StoreKind},
        {u"Wallpaper", rec.WallPaperName},
        {u"Style", std::u16string(sStyle.begin(), sStyle.end())},
        {u"Extra", rec.ExtraLayout},
    };
    return WriteFileAtomically(sFileName, FormatKeyValueText(values));
}

std::optional<TMyWallpaperJournalRecord> ReadWallpaperJournal(std::u16string_view sFileName) {
    const std::optional<std::string> sText = ReadSmallFile(sFileName, kMaxJournalSize);
    if (!sText) {
        return std::nullopt;
    }
    const std::optional<TMyKeyValues> values = ParseKeyValueText(*sText);
    if (!values || FindKeyValue(*values, u"Journal") != kJournalMagic) {
        return std::nullopt;
    }
    const std::optional<std::u16string> sStore = FindKeyValue(*values, u"Store");
    const std::optional<std::u16string> sWallpaper = FindKeyValue(*values, u"Wallpaper");
    const std::optional<std::u16string> sStyle = FindKeyValue(*values, u"Style");
    if (!sStore || !sWallpaper || !sStyle || sStyle->empty()) {
        return std::nullopt;
    }
    const std::int32_t iStyle = WallpaperValueToInt(*sStyle);
    if (!IsValidWallpaperStyle(iStyle) || (iStyle == 0 && *sStyle != u"0")) {
        return std::nullopt;
    }
    // Journals written before the extra layout existed have none.
    return TMyWallpaperJournalRecord{*sStore, *sWallpaper, static_cast<TMyWallpaperStyle>(iStyle),
                                     FindKeyValue(*values, u"Extra").value_or(u"")};
}

bool WallpaperJournalExists(std::u16string_view sFileName) {
    return access(Utf16ToUtf8(sFileName).c_str(), F_OK) == 0;
}

bool RemoveWallpaperJournal(std::u16string_view sFileName) {
    return unlink(Utf16ToUtf8(sFileName).c_str()) == 0 || errno == ENOENT;
}

} // namespace skivra
