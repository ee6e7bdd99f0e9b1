// Encoding detection of text files without a byte-order mark.

#include "lists/myTextFile.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace skivra {

namespace {

struct TDetectorCloser {
    void operator()(UCharsetDetector* d) const { ucsdet_close(d); }
};

struct TCharsetCodePage {
    const char* pszName;
    int32_t iCodePage;
};

// ICU's charset names and the code-page numbers the rest of the detection speaks.
constexpr TCharsetCodePage kCharsetCodePages[] = {
    {"UTF-8", 65001},       {"UTF-16LE", 1200},      {"UTF-16BE", 1201},     {"UTF-32LE", 12000},
    {"UTF-32BE", 12001},    {"Shift_JIS", 932},      {"EUC-JP", 51932},      {"EUC-KR", 51949},
    {"GB18030", 54936},     {"Big5", 950},           {"ISO-2022-JP", 50220}, {"ISO-2022-KR", 50225},
    {"ISO-2022-CN", 50227}, {"ISO-8859-1", 28591},   {"windows-1252", 1252}, {"ISO-8859-2", 28592},
    {"windows-1250", 1250}, {"ISO-8859-5", 28595},   {"windows-1251", 1251}, {"KOI8-R", 20866},
    {"ISO-8859-6", 28596},  {"windows-1256", 1256},  {"ISO-8859-7", 28597},  {"windows-1253", 1253},
    {"ISO-8859-8", 28598},  {"ISO-8859-8-I", 38598}, {"windows-1255", 1255}, {"ISO-8859-9", 28599},
    {"windows-1254", 1254}, {"IBM424_rtl", 20424},   {"IBM424_ltr", 20424},  {"IBM420_rtl", 20420},
    {"IBM420_ltr", 20420},
};

constexpr int32_t kUsAscii = 20127;
// Below this the detector is guessing: on a single short line it names UTF-16 or KOI8-R
// with a confidence of 10 to 40, and taking UTF-16 from that would garble a Shift-JIS
// playlist. Real answers on Japanese text come with 70 to 100.
constexpr int32_t kMinConfidence = 50;
constexpr int32_t kDefaultCodePage = 1252;

// Seven-bit text without the escape that starts ISO-2022-JP's shifts.
bool IsAscii(std::span<const uint8_t> aBytes) {
    for (const uint8_t b : aBytes) {
        if (b == 0 || b == 0x1B || b >= 0x80) {
            return false;
        }
    }
    return true;
}

// The length of the UTF-8 sequence at the start of aBytes, or 0 when it is not a valid one
// (overlong forms, surrogates and values beyond U+10FFFF are not).
size_t Utf8SequenceLength(std::span<const uint8_t> aBytes) {
    const uint8_t b = aBytes[0];
    if (b < 0x80) {
        return 1;
    }
    size_t iLength = 0;
    uint8_t iMin = 0x80;
    uint8_t iMax = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        iLength = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        iLength = 3;
        iMin = b == 0xE0 ? 0xA0 : 0x80;
        iMax = b == 0xED ? 0x9F : 0xBF;
    } else if (b >= 0xF0 && b <= 0xF4) {
        iLength = 4;
        iMin = b == 0xF0 ? 0x90 : 0x80;
        iMax = b == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (aBytes.size() < iLength || aBytes[1] < iMin || aBytes[1] > iMax) {
        return 0;
    }
    for (size_t i = 2; i < iLength; ++i) {
        if (aBytes[i] < 0x80 || aBytes[i] > 0xBF) {
            return 0;
        }
    }
    return iLength;
}

bool HasMark(std::span<const uint8_t> aBytes, std::initializer_list<uint8_t> aMark) {
    return aBytes.size() >= aMark.size() && std::equal(aMark.begin(), aMark.end(), aBytes.begin());
}

} // namespace

int32_t DetectCodePage(std::span<const uint8_t> aBytes) {
    // Plain ASCII is every one of these encodings; name it as such rather than as UTF-8,
    // so that such a file is written back in the ANSI code page, as it came.
    if (!aBytes.empty() && IsAscii(aBytes)) {
        return kUsAscii;
    }
    if (aBytes.empty() ||
        aBytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        return kDefaultCodePage;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, TDetectorCloser> detector(ucsdet_open(&status));
    if (U_FAILURE(status)) {
        return kDefaultCodePage;
    }
    ucsdet_setText(detector.get(), reinterpret_cast<const char*>(aBytes.data()),
                   static_cast<int32_t>(aBytes.size()), &status);
    const UCharsetMatch* match = ucsdet_detect(detector.get(), &status);
    if (U_FAILURE(status) || match == nullptr) {
        return kDefaultCodePage;
    }
    const char* pszName = ucsdet_getName(match, &status);
    const int32_t iConfidence = ucsdet_getConfidence(match, &status);
    if (U_FAILURE(status) || pszName == nullptr || iConfidence < kMinConfidence) {
        return kDefaultCodePage;
    }
    for (const TCharsetCodePage& entry : kCharsetCodePages) {
        if (std::strcmp(entry.pszName, pszName) == 0) {
            return entry.iCodePage;
        }
    }
    return kDefaultCodePage;
}

TMyCharCode CharCodeOfCodePage(int32_t iCodePage) {
    switch (iCodePage) {
    case 1200:
        return cdUTF_16LE;
    case 1201:
        return cdUTF_16BE;
    case 20932:
    case 51932:
    case 51936:
    case 51949:
        return cdEUC;
    case 50220:
    case 50221:
    case 50222:
    case 50225:
    case 50227:
        return cdJIS;
    case 65000:
        return cdUTF_7;
    case 65001:
        return cdUTF_8N;
    default:
        return cdSJis;
    }
}

bool IsUtf8Text(std::span<const uint8_t> aBytes) {
    bool bBeyondAscii = false;
    while (!aBytes.empty()) {
        const size_t iLength = Utf8SequenceLength(aBytes);
        if (iLength == 0) {
            return false;
        }
        bBeyondAscii = bBeyondAscii || iLength > 1;
        aBytes = aBytes.subspan(iLength);
    }
    return bBeyondAscii;
}

TMyCharCode GuessSJisOrUtf16(std::span<const uint8_t> aBytes) {
    // One zero byte is damage (a stray byte of a crash or an editor), not the high half of
    // UTF-16 text: ASCII in UTF-16 has a zero in every other byte, and even Japanese text
    // in UTF-16 has two at each line end. Taking it as UTF-16 would turn every other line
    // of a Shift-JIS or ASCII file into garbage.
    const bool bStrayZero = std::count(aBytes.begin(), aBytes.end(), uint8_t{0}) == 1;
    bool bLead = false;
    bool bOddZero = false;
    bool bEvenZero = false;
    bool bValid = true;
    for (size_t i = 0; i < aBytes.size(); ++i) {
        const uint8_t b = aBytes[i];
        if (b == 0 && bStrayZero) {
            bLead = false;
        } else if (b == 0) {
            bLead = false;
            bValid = false;
            if (i % 2 == 1) {
                if (bEvenZero) {
                    return cdSJis;
                }
                bOddZero = true;
            } else {
                if (bOddZero) {
                    return cdSJis;
                }
                bEvenZero = true;
            }
        } else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            // Every lead byte of the Windows code page, the IBM kanji rows FA to FC (髙, 﨑)
            // and the user-defined rows F0 to F9 included: counting those as stray bytes
            // would turn a Shift-JIS file holding 髙 into UTF-16.
            bLead = !bLead;
        } else if (b <= 0x3F) {
            if (bLead) {
                bValid = false;
            }
            bLead = false;
        } else if (b == 0x7F || b >= 0xFD) {
            bValid = false;
            bLead = false;
        } else if (b == 0x80 || b == 0xA0) {
            if (!bLead) {
                bValid = false;
            }
            bLead = false;
        } else {
            bLead = false;
        }
    }
    if (bValid) {
        return cdSJis;
    }
    if (bOddZero) {
        return cdUTF_16LE;
    }
    if (bEvenZero) {
        return cdUTF_16BE;
    }
    size_t iUnits = 0;
    size_t iKana = 0;
    for (size_t i = 0; i < aBytes.size(); i += 2) {
        const uint8_t iHigh = i + 1 < aBytes.size() ? aBytes[i + 1] : 0;
        const auto c = static_cast<char16_t>(aBytes[i] | (iHigh << 8));
        if (c == 0) {
            break;
        }
        ++iUnits;
        if ((c >= 0x3041 && c <= 0x3093) || (c >= 0x30A1 && c <= 0x30F6)) {
            ++iKana;
        }
    }
    // 1 per cent or more of kana: the text is Japanese read the right way round.
    return iKana * 100 >= iUnits && iKana > 0 ? cdUTF_16LE : cdUTF_16BE;
}

TMyCharCode DetectCharCode(std::span<const uint8_t> aBytes) {
    if (HasMark(aBytes, {0xEF, 0xBB, 0xBF})) {
        return cdUTF_8;
    }
    if (HasMark(aBytes, {0xFF, 0xFE})) {
        return cdUnicodeLE;
    }
    if (HasMark(aBytes, {0xFE, 0xFF})) {
        return cdUnicodeBE;
    }
    const TMyCharCode cdCode = CharCodeOfCodePage(DetectCodePage(aBytes));
    if (cdCode != cdSJis) {
        return cdCode;
    }
    return GuessSJisOrUtf16(aBytes);
}

TMyCharCode DetectTextCharCode(std::span<const uint8_t> aBytes) {
    // Decided on the whole text: a file whose first kilobyte is ASCII (a list of names
    // that starts with English ones) is no Shift-JIS file when UTF-8 follows, and reading
    // it as one would save the names back as mojibake. Text that is valid UTF-8 throughout
    // is hardly ever meant as anything else.
    if (IsUtf8Text(aBytes)) {
        return cdUTF_8N;
    }
    const std::span<const uint8_t> aHead = aBytes.first(std::min<size_t>(aBytes.size(), 1024));
    const TMyCharCode cdCode = DetectCharCode(aHead);
    // A head that looks like UTF-8 in a text that is not must not decide it either: the
    // text is read in the ANSI code page, as a text of no known encoding is.
    return cdCode == cdUTF_8N ? cdSJis : cdCode;
}

} // namespace skivra
