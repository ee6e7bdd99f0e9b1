#include "lists/myPlaylistFile.h"

#include "lists/myString.h"
#include "lists/myTextFile.h"
#include "lists/myWStrings.h"
#include "settings/myIniFile.h"
#include "support/myFile.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <expat.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <span>
#include <type_traits>
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

// Text read in the ANSI code page that did not decode cleanly there: a byte that maps to
// nothing, or to the user-defined rows that no real file name uses.
bool UncleanAnsiText(std::u16string_view sText) {
    return std::any_of(sText.begin(), sText.end(),
                       [](char16_t c) { return c == 0xFFFD || (c >= 0xE000 && c <= 0xF8FF); });
}

// The file's first iMaxBytes bytes.
std::string ReadFileBytes(std::u16string_view sFile, int64_t iMaxBytes) {
    const TMyFileHandle handle = OpenReadFile(sFile);
    std::string sBytes;
    std::array<char, 65536> aBuffer{};
    while (handle.IsValid() && static_cast<int64_t>(sBytes.size()) < iMaxBytes) {
        const ssize_t iRead = read(handle.Fd(), aBuffer.data(), aBuffer.size());
        if (iRead <= 0) {
            break;
        }
        sBytes.append(aBuffer.data(), static_cast<std::size_t>(iRead));
    }
    sBytes.resize(std::min<std::size_t>(sBytes.size(), static_cast<std::size_t>(iMaxBytes)));
    return sBytes;
}

std::u16string Windows1252ToUnicode(std::string_view sBytes) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open("windows-1252", &status),
                                                                 &ucnv_close);
    if (U_FAILURE(status) || sBytes.size() > std::numeric_limits<int32_t>::max() / 2) {
        return {};
    }
    // A single-byte code page never makes more units than bytes.
    std::u16string sText(sBytes.size(), u'\0');
    const int32_t iLength =
        ucnv_toUChars(converter.get(), sText.data(), static_cast<int32_t>(sText.size()),
                      sBytes.data(), static_cast<int32_t>(sBytes.size()), &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return {};
    }
    sText.resize(static_cast<std::size_t>(iLength));
    return sText;
}

// An M3U file's text. A mark decides; text that is valid UTF-8 throughout is UTF-8. Without
// a zero byte the text cannot be UTF-16 (every list has line ends and dots), so it is the
// ANSI code page when it is clean there, else Windows-1252: the accented letters of a
// Western player's list would otherwise become replacement characters or stray kanji.
// Anything else goes to the detector.
std::u16string DecodeM3uBytes(std::string_view sBytes) {
    const std::span<const uint8_t> aBytes(reinterpret_cast<const uint8_t*>(sBytes.data()),
                                          sBytes.size());
    TMyCharCode cdCode = cdAuto;
    const bool bMark = sBytes.starts_with("\xEF\xBB\xBF") || sBytes.starts_with("\xFF\xFE") ||
                       sBytes.starts_with("\xFE\xFF");
    if (bMark || sBytes.find('\0') != std::string_view::npos) {
        return DecodeTextBytes(aBytes, cdCode);
    }
    if (IsUtf8Text(aBytes) || std::all_of(sBytes.begin(), sBytes.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80;
        })) {
        cdCode = cdUTF_8N;
        return DecodeTextBytes(aBytes, cdCode);
    }
    cdCode = cdSJis;
    std::u16string sText = DecodeTextBytes(aBytes, cdCode);
    return UncleanAnsiText(sText) ? Windows1252ToUnicode(sBytes) : sText;
}

bool SameNameAscii(const XML_Char* pszName, std::u16string_view sName) {
    const std::string_view sGiven(pszName);
    return sGiven.size() == sName.size() &&
           SameTextAscii(std::u16string(sGiven.begin(), sGiven.end()), sName);
}

struct TWplReader {
    std::vector<std::u16string> aEntries;
    int32_t iSeqDepth = 0;

    static void XMLCALL StartElement(void* pData, const XML_Char* pszName,
                                     const XML_Char** apszAttributes) {
        auto& reader = *static_cast<TWplReader*>(pData);
        if (SameNameAscii(pszName, u"seq")) {
            ++reader.iSeqDepth;
            return;
        }
        if (reader.iSeqDepth == 0 || !SameNameAscii(pszName, u"media")) {
            return;
        }
        for (const XML_Char** p = apszAttributes; p[0] != nullptr; p += 2) {
            if (SameNameAscii(p[0], u"src")) {
                // Expat hands over well-formed UTF-8 only.
                const std::u16string sValue = Utf8ToUtf16(p[1]).value_or(u"");
                if (const std::u16string_view sTrimmed = TrimText(sValue); !sTrimmed.empty()) {
                    reader.aEntries.emplace_back(sTrimmed);
                }
                return;
            }
        }
    }

    static void XMLCALL EndElement(void* pData, const XML_Char* pszName) {
        auto& reader = *static_cast<TWplReader*>(pData);
        if (reader.iSeqDepth > 0 && SameNameAscii(pszName, u"seq")) {
            --reader.iSeqDepth;
        }
    }
};

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

std::u16string ReadPlaylistText(std::u16string_view sFile, TMyPlaylistFormat format) {
    std::u16string sText;
    if (format == TMyPlaylistFormat::M3u) {
        sText = DecodeM3uBytes(ReadFileBytes(sFile, kMaxPlaylistBytes));
    } else {
        TMyCharCode cdCode = format == TMyPlaylistFormat::Wpl ? WplCharCode(sFile) : cdUTF_8N;
        sText = ReadTextFile(sFile, cdCode, kMaxPlaylistBytes);
    }
    if (GetFileSizeOf(sFile) > static_cast<uint64_t>(kMaxPlaylistBytes)) {
        // The read stopped inside the file: its last line is a piece of a line.
        const std::size_t iEnd = sText.find_last_of(u"\r\n");
        sText.resize(iEnd == std::u16string::npos ? 0 : iEnd + 1);
    }
    return sText;
}

void ReadPlaylistLines(std::u16string_view sFile, TMyPlaylistFormat format, TMyWStrings& slLines) {
    slLines.AddText(ReadPlaylistText(sFile, format));
}

bool IsUrlEntry(std::u16string_view sEntry) {
    sEntry = TrimText(sEntry);
    const std::size_t iColon = sEntry.find(u"://");
    // Two letters at least: "C://x" is a drive, not a scheme.
    if (iColon == std::u16string_view::npos || iColon < 2) {
        return false;
    }
    const auto IsAlpha = [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    };
    if (!IsAlpha(sEntry[0])) {
        return false;
    }
    for (const char16_t c : sEntry.substr(1, iColon - 1)) {
        if (!IsAlpha(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.') {
            return false;
        }
    }
    return !SameTextAscii(sEntry.substr(0, iColon), u"file");
}

std::vector<std::u16string> M3uEntryTexts(const TMyWStrings& slLines) {
    std::vector<std::u16string> aEntries;
    for (int32_t i = 0; i < slLines.Count(); ++i) {
        const std::u16string_view sLine = TrimText(slLines.Get(i));
        if (!sLine.empty() && !sLine.starts_with(u'#')) {
            aEntries.emplace_back(sLine);
        }
    }
    return aEntries;
}

std::vector<std::u16string> WplEntryTexts(std::u16string_view sText) {
    if (sText.starts_with(u'\uFEFF')) {
        sText.remove_prefix(1);
    }
    const std::string sUtf8 = Utf16ToUtf8(sText);
    TWplReader reader;
    // The text is UTF-8 by now, whatever the declaration says. Expat reads no external
    // entity or DTD and bounds the expansion of internal ones.
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate("UTF-8"), &XML_ParserFree);
    if (!parser || sUtf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {};
    }
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), &TWplReader::StartElement, &TWplReader::EndElement);
    // A damaged file stops the parse where the damage is; what came before is kept.
    XML_Parse(parser.get(), sUtf8.data(), static_cast<int>(sUtf8.size()), XML_TRUE);
    return std::move(reader.aEntries);
}

std::vector<std::u16string> ReadPlsEntryTexts(const std::u16string& sFile) {
    TMyIniFile ini(sFile, cdAuto);
    TMyWStrings slNames;
    ini.ReadSection(u"playlist", slNames);
    std::vector<int32_t> aNumbers;
    for (int32_t i = 0; i < slNames.Count(); ++i) {
        if (const int32_t k = PlsFileNumber(slNames.Get(i), kMaxPlsNumber); k > 0) {
            aNumbers.push_back(k);
        }
    }
    std::sort(aNumbers.begin(), aNumbers.end());
    aNumbers.erase(std::unique(aNumbers.begin(), aNumbers.end()), aNumbers.end());
    std::vector<std::u16string> aEntries;
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
