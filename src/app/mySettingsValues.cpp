#include "app/mySettingsValues.h"

#include "lists/myString.h"
#include "lists/myTextFile.h"
#include "lists/myWStrings.h"
#include "platform/posix/myAtomicFile.h"
#include "settings/myIniFile.h"
#include "support/myUnicode.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace skivra {

namespace {

using TValues = TMySettingsValues;

// One key of the file and the field it fills; integers carry their range (a value outside
// it is clamped, as the volume bar clamps its position).
struct TMyIntField {
    std::int32_t TValues::*pField;
    std::int32_t iMin;
    std::int32_t iMax;
};
struct TMyKey {
    std::u16string_view sSection;
    std::u16string_view sKey;
    std::variant<bool TValues::*, TMyIntField, double TValues::*, std::u16string TValues::*> field;
};

// The file's order.
const TMyKey kKeys[] = {
    {u"List", u"FolderName", &TValues::bFolderName},
    {u"Play", u"Mute", &TValues::bMute},
    {u"Play", u"Volume", TMyIntField{&TValues::iVolume, 0, 100}},
    {u"Resume", u"FileName", &TValues::sFileName},
    {u"Resume", u"ResumeIndex", TMyIntField{&TValues::iResumeIndex, INT32_MIN, INT32_MAX}},
    {u"Resume", u"ResumePosition", &TValues::fResumePosition},
    {u"Option", u"Random", &TValues::bRandom},
    {u"Option", u"TaskTray", &TValues::bTaskTray},
    {u"Option", u"InfoPanel", &TValues::bInfoPanel},
    {u"Option", u"ShowStatusBar", &TValues::bShowStatusBar},
    {u"Dialog", u"OpenFileDir", &TValues::sOpenFileDir},
    {u"Dialog", u"OpenFolderDir", &TValues::sOpenFolderDir},
};

template <class... F> struct TOverloads : F... { using F::operator()...; };
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... F> TOverloads(F...) -> TOverloads<F...>;

// The largest window the X protocol can describe.
constexpr std::int64_t kMaxWindowSide = 32767;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

void ReadSettingsValues(TMyIniFile& ini, TMySettingsValues& values) {
    for (const TMyKey& key : kKeys) {
        std::visit(TOverloads{
                       [&](bool TValues::*p) {
                           values.*p = ini.ReadBool(key.sSection, key.sKey, values.*p);
                       },
                       [&](const TMyIntField& f) {
                           const std::int32_t i =
                               ini.ReadInteger(key.sSection, key.sKey, values.*f.pField);
                           values.*f.pField = std::clamp(i, f.iMin, f.iMax);
                       },
                       [&](double TValues::*p) {
                           // A position is a finite count of seconds from the start; anything else
                           // (a hand-written "nan", "-3", "1e999") keeps the value held.
                           const double f = ini.ReadFloat(key.sSection, key.sKey, values.*p);
                           if (std::isfinite(f) && f >= 0.0) {
                               values.*p = f;
                           }
                       },
                       [&](std::u16string TValues::*p) {
                           values.*p = ini.ReadString(key.sSection, key.sKey, values.*p);
                       },
                   },
                   key.field);
    }
}

void WriteSettingsValues(TMyIniFile& ini, const TMySettingsValues& values) {
    for (const TMyKey& key : kKeys) {
        std::visit(
            TOverloads{
                [&](bool TValues::*p) { ini.WriteBool(key.sSection, key.sKey, values.*p); },
                [&](const TMyIntField& f) {
                    ini.WriteInteger(key.sSection, key.sKey, values.*f.pField);
                },
                [&](double TValues::*p) { ini.WriteFloat(key.sSection, key.sKey, values.*p); },
                [&](std::u16string TValues::*p) {
                    ini.WriteString(key.sSection, key.sKey, values.*p);
                },
            },
            key.field);
    }
}

std::vector<std::u16string> ReadHistorySection(TMyIniFile& ini, std::u16string_view sSection) {
    std::vector<std::u16string> paths;
    if (!ini.SectionExists(sSection)) {
        return paths;
    }
    TMyWStrings lines;
    ini.ReadSectionText(sSection, lines);
    for (std::int32_t i = 0; i < lines.Count() && paths.size() < kMaxHistory; ++i) {
        const std::u16string_view sPath = TrimText(lines.Get(i));
        if (!sPath.empty()) {
            paths.emplace_back(sPath);
        }
    }
    return paths;
}

void WriteHistorySection(TMyIniFile& ini, std::u16string_view sSection,
                         const std::vector<std::u16string>& paths) {
    TMyWStrings lines;
    for (const std::u16string& s : paths) {
        lines.Add(s);
    }
    ini.WriteSectionText(sSection, lines);
}

TMyRect SaneWindowBounds(const TMyRect& rcSaved, const TMyRect& rcCurrent) {
    const std::int64_t w = RectWidth64(rcSaved);
    const std::int64_t h = RectHeight64(rcSaved);
    if (w < 1 || h < 1 || w > kMaxWindowSide || h > kMaxWindowSide) {
        return rcCurrent;
    }
    return rcSaved;
}

std::int32_t ChooseResumeIndex(const TMyWStrings& playlist, std::int32_t iResumeIndex,
                               std::u16string_view sFileName) {
    if (iResumeIndex >= 0 && iResumeIndex < playlist.Count() && !sFileName.empty() &&
        SameTextAscii(playlist.Get(iResumeIndex), sFileName)) {
        return iResumeIndex;
    }
    return 0;
}

bool LoadSavedPlaylist(std::u16string_view sFile, TMyWStrings& lines) {
    lines.Clear();
    const std::optional<std::string> bytes = ReadSmallFile(sFile, kMaxPlaylistBytes);
    if (!bytes) {
        return false;
    }
    const std::string_view sBytes(*bytes);
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    TMyUpdateBracket update(lines);
    if (sBytes.starts_with(kMark)) {
        std::size_t iPos = kMark.size();
        while (iPos < sBytes.size()) {
            std::size_t iEnd = iPos;
            while (iEnd < sBytes.size() && !IsLineEnd(sBytes[iEnd])) {
                ++iEnd;
            }
            const std::string_view sLine = sBytes.substr(iPos, iEnd - iPos);
            // A NUL cannot be part of a file name: the line is damage, not an entry.
            if (sLine.find('\0') == std::string_view::npos) {
                if (auto sEntry = Utf8ToUtf16(sLine); sEntry && !TrimText(*sEntry).empty()) {
                    lines.Add(*sEntry);
                }
            }
            iPos = iEnd;
            if (iPos < sBytes.size() && sBytes[iPos] == '\r') {
                ++iPos;
            }
            if (iPos < sBytes.size() && sBytes[iPos] == '\n') {
                ++iPos;
            }
        }
        return true;
    }
    TMyCharCode cdCode = cdAuto;
    const auto* pData = reinterpret_cast<const std::uint8_t*>(sBytes.data());
    TMyWStrings all;
    all.SetText(DecodeTextBytes(std::span<const std::uint8_t>(pData, sBytes.size()), cdCode));
    for (std::int32_t i = 0; i < all.Count(); ++i) {
        if (!TrimText(all.Get(i)).empty()) {
            lines.Add(all.Get(i));
        }
    }
    return true;
}

bool SaveSavedPlaylist(std::u16string_view sFile, const TMyWStrings& playlist) {
    std::u16string sText;
    for (std::int32_t i = 0; i < playlist.Count(); ++i) {
        const std::u16string& sEntry = playlist.Get(i);
        // A name with a line break in it cannot be one line: it would come back as two
        // entries naming files that do not exist. It plays for this session only.
        if (sEntry.find_first_of(u"\r\n") != std::u16string::npos) {
            continue;
        }
        sText += sEntry;
        sText += u"\r\n";
    }
    return WriteTextFile(sFile, sText, cdUTF_8);
}

} // namespace skivra
