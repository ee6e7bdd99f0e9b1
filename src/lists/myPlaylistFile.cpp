#include "lists/myPlaylistFile.h"

#include "lists/myString.h"
#include "lists/myTextFile.h"
#include "lists/myWStrings.h"
#include "settings/myIniFile.h"
#include "support/myFile.h"
#include "support/myPath.h"

#include <algorithm>
#include <array>
#include <unistd.h>

namespace skivra {

namespace {

// The encoding a UTF-16 byte-order mark at the start of the file names, else cdUTF_8N.
TMyCharCode WplCharCode(std::u16string_view sFile) {
    const TMyFileHandle handle = OpenReadFile(sFile);
    std::array<unsigned char, 2> aHead{};
    if (!handle.IsValid() || read(handle.Fd(), aHead.data(), aHead.size()) != 2) {
        return cdUTF_8N;
    }
    if (aHead[0] == 0xFF && aHead[1] == 0xFE) {
        return cdUnicodeLE;
    }
    if (aHead[0] == 0xFE && aHead[1] == 0xFF) {
        return cdUnicodeBE;
    }
    return cdUTF_8N;
}

// "File" and the decimal number as "%s%d" writes it (no sign, no leading zero), in any
// ASCII case; 0 when the name is none of these or the number is above iMax.
int32_t PlsFileNumber(std::u16string_view sName, int32_t iMax) {
    if (sName.size() < 5 || !SameTextAscii(sName.substr(0, 4), u"File") || sName[4] == u'0') {
        return 0;
    }
    int64_t iNumber = 0;
    for (const char16_t c : sName.substr(4)) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        iNumber = iNumber * 10 + (c - u'0');
        if (iNumber > iMax) {
            return 0;
        }
    }
    return static_cast<int32_t>(iNumber);
}

std::u16string DecimalText(int32_t k) {
    const std::string sDigits = std::to_string(k);
    return std::u16string(sDigits.begin(), sDigits.end());
}

} // namespace

TMyPlaylistFormat PlaylistFormatOf(std::u16string_view sPath) {
    const std::u16string sExt = UpperCaseAscii(GetExtPart(sPath));
    if (sExt == u".M3U" || sExt == u".M3U8") {
        return TMyPlaylistFormat::M3u;
    }
    if (sExt == u".PLS") {
        return TMyPlaylistFormat::Pls;
    }
    if (sExt == u".WPL") {
        return TMyPlaylistFormat::Wpl;
    }
    return TMyPlaylistFormat::None;
}

bool IsPlaylistFile(std::u16string_view sPath) {
    return PlaylistFormatOf(sPath) != TMyPlaylistFormat::None;
}

void ReadPlaylistLines(std::u16string_view sFile, TMyPlaylistFormat format, TMyWStrings& slLines) {
    TMyCharCode cdCode = cdUTF_8N;
    if (format == TMyPlaylistFormat::M3u && SameTextAscii(GetExtPart(sFile), u".m3u8")) {
        cdCode = cdAuto;
    } else if (format == TMyPlaylistFormat::Wpl) {
        cdCode = WplCharCode(sFile);
    }
    std::u16string sText = ReadTextFile(sFile, cdCode, kMaxPlaylistBytes);
    if (GetFileSizeOf(sFile) > static_cast<uint64_t>(kMaxPlaylistBytes)) {
        // The read stopped inside the file: its last line is a piece of a line.
        const std::size_t iEnd = sText.find_last_of(u"\r\n");
        sText.resize(iEnd == std::u16string::npos ? 0 : iEnd + 1);
    }
    slLines.AddText(sText);
}

std::vector<std::u16string> M3uEntryTexts(const TMyWStrings& slKeptLines) {
    std::vector<std::u16string> aEntries;
    for (int32_t i = 0; i < slKeptLines.Count(); ++i) {
        const std::u16string_view sLine = TrimText(slKeptLines.Get(i));
        if (sLine.empty() || (i == 0 && sLine == u"#EXTM3U") || sLine.starts_with(u"#EXTINF:")) {
            continue;
        }
        aEntries.emplace_back(sLine);
    }
    return aEntries;
}

std::vector<std::u16string> WplEntryTexts(const TMyWStrings& slLines) {
    // Read from the end: only the last sequence counts, and it ends at its "<seq>".
    std::vector<std::u16string> aEntries;
    bool bInSeq = false;
    for (int32_t i = slLines.Count() - 1; i >= 0; --i) {
        const std::u16string_view sLine = TrimText(slLines.Get(i));
        const std::u16string sUpper = UpperCaseAscii(sLine);
        if (!bInSeq) {
            bInSeq = sUpper == u"</SEQ>";
            continue;
        }
        if (sUpper == u"<SEQ>") {
            break;
        }
        if (!sUpper.starts_with(u"<MEDIA")) {
            continue;
        }
        const std::size_t iFirst = sLine.find(u'"');
        const std::size_t iSecond =
            iFirst == std::u16string_view::npos ? iFirst : sLine.find(u'"', iFirst + 1);
        if (iSecond == std::u16string_view::npos || iSecond == iFirst + 1) {
            continue;
        }
        aEntries.emplace_back(sLine.substr(iFirst + 1, iSecond - iFirst - 1));
    }
    std::reverse(aEntries.begin(), aEntries.end());
    return aEntries;
}

std::u16string DecodeWplPath(std::u16string_view sPath) {
    return ReplaceAll(ReplaceAll(sPath, u"&apos;", u"'"), u"&amp;", u"&");
}

std::vector<std::u16string> ReadPlsEntryTexts(const std::u16string& sFile) {
    TMyIniFile ini(sFile, cdAuto);
    const int32_t n = ini.ReadInteger(u"playlist", u"NumberOfEntries", 0);
    std::vector<std::u16string> aEntries;
    if (n <= 0) {
        return aEntries;
    }
    TMyWStrings slNames;
    ini.ReadSection(u"playlist", slNames);
    std::vector<int32_t> aNumbers;
    for (int32_t i = 0; i < slNames.Count(); ++i) {
        if (const int32_t k = PlsFileNumber(slNames.Get(i), n); k > 0) {
            aNumbers.push_back(k);
        }
    }
    std::sort(aNumbers.begin(), aNumbers.end());
    aNumbers.erase(std::unique(aNumbers.begin(), aNumbers.end()), aNumbers.end());
    for (const int32_t k : aNumbers) {
        const std::u16string sValue = ini.ReadString(u"playlist", u"File" + DecimalText(k), u"");
        const std::u16string_view sTrimmed = TrimText(sValue);
        if (!sTrimmed.empty()) {
            aEntries.emplace_back(sTrimmed);
        }
    }
    return aEntries;
}

} // namespace skivra
