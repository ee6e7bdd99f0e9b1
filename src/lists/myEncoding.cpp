#include "lists/myEncoding.h"

#include "support/myUnicode.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <memory>
#include <stdexcept>

namespace skivra {

namespace {

enum TConverterKind : size_t {
    kAnsi,      // for writing: best fit, "?" for the rest
    kAnsiExact, // for NeedsUnicode: round-trip mappings only, stop at the first miss
    kJis,
    kEuc,
    kUtf7,
    kConverterKinds,
};

// windows-31j is ICU's name of the Windows form of Shift-JIS (ibm-943_P15A-2003), not the
// plain Shift_JIS table, which maps 0x5C to the yen sign and 0x8160 to U+301C.
constexpr std::array<const char*, kConverterKinds> kConverterNames = {
    "windows-31j", "windows-31j", "ISO-2022-JP", "EUC-JP", "UTF-7"};

struct TConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using TConverter = std::unique_ptr<UConverter, TConverterCloser>;

// Bytes that do not decode become U+FFFD; ICU's own choice for an unassigned single byte
// would be U+001A, a control character that nobody wants in a file name.
void SubstituteReplacementCharacter(const void*, UConverterToUnicodeArgs* args, const char*,
                                    int32_t, UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    *status = U_ZERO_ERROR;
    const UChar cReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &cReplacement, 1, 0, status);
}

TConverter OpenConverter(TConverterKind kind) {
    UErrorCode status = U_ZERO_ERROR;
    TConverter c(ucnv_open(kConverterNames[kind], &status));
    if (U_FAILURE(status) || !c) {
        return nullptr;
    }
    status = U_ZERO_ERROR;
    ucnv_setToUCallBack(c.get(), SubstituteReplacementCharacter, nullptr, nullptr, nullptr,
                        &status);
    if (kind == kAnsiExact) {
        ucnv_setFallback(c.get(), false);
        ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
    } else {
        // Best fit where the table has one (half-width katakana in ISO-2022-JP, for one).
        ucnv_setFallback(c.get(), true);
        ucnv_setSubstChars(c.get(), "?", 1, &status);
    }
    return U_FAILURE(status) ? nullptr : std::move(c);
}

// Converters keep conversion state, so each thread has its own; opening one per call would
// look the table up again every time.
UConverter* Converter(TConverterKind kind) {
    thread_local std::array<TConverter, kConverterKinds> aConverters;
    TConverter& c = aConverters[kind];
    if (!c) {
        c = OpenConverter(kind);
    }
    return c.get();
}

int32_t CheckedLength(size_t iSize) {
    if (iSize > static_cast<size_t>(std::numeric_limits<int32_t>::max() / 4)) {
        throw std::length_error("text too long to convert");
    }
    return static_cast<int32_t>(iSize);
}

std::u16string Decode(TConverterKind kind, std::string_view sBytes) {
    UConverter* c = Converter(kind);
    if (c == nullptr || sBytes.empty()) {
        return {};
    }
    const int32_t iLength = CheckedLength(sBytes.size());
    // One byte never gives more than two UTF-16 units in these encodings.
    std::u16string sResult(static_cast<size_t>(iLength) * 2 + 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t iWritten = ucnv_toUChars(c, sResult.data(), static_cast<int32_t>(sResult.size()),
                                     sBytes.data(), iLength, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        sResult.assign(static_cast<size_t>(iWritten) + 1, u'\0');
        status = U_ZERO_ERROR;
        iWritten = ucnv_toUChars(c, sResult.data(), static_cast<int32_t>(sResult.size()),
                                 sBytes.data(), iLength, &status);
    }
    if (U_FAILURE(status)) {
        return {};
    }
    sResult.resize(static_cast<size_t>(iWritten));
    return sResult;
}

// The encoded bytes, or nothing when the converter stopped at a character it cannot hold.
bool TryEncode(TConverterKind kind, std::u16string_view sText, std::string& sResult) {
    UConverter* c = Converter(kind);
    if (c == nullptr) {
        throw std::runtime_error(std::string("no converter for ") + kConverterNames[kind]);
    }
    sResult.clear();
    if (sText.empty()) {
        return true;
    }
    const int32_t iLength = CheckedLength(sText.size());
    sResult.assign(static_cast<size_t>(iLength) * 2 + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t iWritten = ucnv_fromUChars(c, sResult.data(), static_cast<int32_t>(sResult.size()),
                                       sText.data(), iLength, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        sResult.assign(static_cast<size_t>(iWritten) + 1, '\0');
        status = U_ZERO_ERROR;
        iWritten = ucnv_fromUChars(c, sResult.data(), static_cast<int32_t>(sResult.size()),
                                   sText.data(), iLength, &status);
    }
    if (U_FAILURE(status)) {
        sResult.clear();
        return false;
    }
    sResult.resize(static_cast<size_t>(iWritten));
    return true;
}

std::string Encode(TConverterKind kind, std::u16string_view sText) {
    std::string sResult;
    if (!TryEncode(kind, sText, sResult)) {
        throw std::runtime_error(std::string("cannot convert to ") + kConverterNames[kind]);
    }
    return sResult;
}

bool HasExactAnsiForm(std::u16string_view sText) {
    std::string sBytes;
    // A fallback-free table can still hold characters that come back as others (the NEC
    // and IBM duplicates), so the bytes are read back and compared.
    return TryEncode(kAnsiExact, sText, sBytes) && AnsiToUnicode(sBytes) == sText;
}

// A base character and the combining marks after it, written as one precomposed character
// where the code page has that character and not the marks.
std::u16string PrecomposeForAnsi(std::u16string_view sText) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status)) {
        return std::u16string(sText);
    }
    std::u16string sResult;
    sResult.reserve(sText.size());
    UChar32 cLast = U_SENTINEL;
    size_t iLastStart = 0;
    for (size_t i = 0; i < sText.size();) {
        const size_t iStart = i;
        UChar32 c;
        U16_NEXT(sText.data(), i, sText.size(), c);
        if (cLast != U_SENTINEL && u_getCombiningClass(c) != 0) {
            const UChar32 cComposed = unorm2_composePair(nfc, cLast, c);
            if (cComposed >= 0) {
                std::u16string sComposed;
                if (cComposed > 0xFFFF) {
                    sComposed = {U16_LEAD(cComposed), U16_TRAIL(cComposed)};
                } else {
                    sComposed = {static_cast<char16_t>(cComposed)};
                }
                if (HasExactAnsiForm(sComposed)) {
                    sResult.resize(iLastStart);
                    sResult += sComposed;
                    cLast = cComposed;
                    continue;
                }
            }
        }
        iLastStart = sResult.size();
        sResult.append(sText.substr(iStart, i - iStart));
        cLast = c;
    }
    return sResult;
}

bool IsHalfWidthKatakana(char16_t c) {
    return c >= 0xFF61 && c <= 0xFF9F;
}

// ISO-2022-JP has no half-width katakana: each run of them becomes full-width, with a voiced
// mark joined to its letter (ｶﾞ is ガ, not カ゛) where such a letter exists.
std::u16string HalfWidthKatakanaToFullWidth(std::u16string_view sText) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfkc = unorm2_getNFKCInstance(&status);
    if (U_FAILURE(status)) {
        return std::u16string(sText);
    }
    std::u16string sResult;
    sResult.reserve(sText.size());
    for (size_t i = 0; i < sText.size();) {
        if (!IsHalfWidthKatakana(sText[i])) {
            sResult += sText[i++];
            continue;
        }
        const size_t iStart = i;
        while (i < sText.size() && IsHalfWidthKatakana(sText[i])) {
            ++i;
        }
        // The compatibility forms are exactly the full-width letters and the combining marks.
        char16_t aBuffer[256];
        const auto iRun = static_cast<int32_t>(std::min<size_t>(i - iStart, 64));
        i = iStart + static_cast<size_t>(iRun);
        status = U_ZERO_ERROR;
        const int32_t iLength = unorm2_normalize(nfkc, sText.data() + iStart, iRun, aBuffer,
                                                 static_cast<int32_t>(std::size(aBuffer)), &status);
        if (U_FAILURE(status)) {
            sResult.append(sText.substr(iStart, static_cast<size_t>(iRun)));
            continue;
        }
        for (int32_t k = 0; k < iLength; ++k) {
            // A mark left over had no letter to join: it is written as the spacing mark.
            const char16_t c = aBuffer[k];
            sResult += c == 0x3099 ? u'\u309B' : c == 0x309A ? u'\u309C' : c;
        }
    }
    return sResult;
}

bool HasCombiningMark(std::u16string_view sText) {
    for (size_t i = 0; i < sText.size();) {
        UChar32 c;
        U16_NEXT(sText.data(), i, sText.size(), c);
        if (c >= 0x300 && u_getCombiningClass(c) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::u16string Utf8ToUnicode(std::string_view sBytes) {
    if (sBytes.empty()) {
        return {};
    }
    const int32_t iLength = CheckedLength(sBytes.size());
    // A UTF-16 text never has more units than the UTF-8 text has bytes.
    std::u16string sResult(sBytes.size(), u'\0');
    int32_t iWritten = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(sResult.data(), iLength, &iWritten, sBytes.data(), iLength, 0xFFFD,
                         nullptr, &status);
    if (U_FAILURE(status)) {
        return {};
    }
    sResult.resize(static_cast<size_t>(iWritten));
    return sResult;
}

std::string UnicodeToUtf8(std::u16string_view sText) {
    return Utf16ToUtf8(sText);
}

std::u16string Utf7ToUnicode(std::string_view sBytes) {
    return Decode(kUtf7, sBytes);
}

std::string UnicodeToUtf7(std::u16string_view sText) {
    return Encode(kUtf7, sText);
}

std::u16string JisToUnicode(std::string_view sBytes) {
    return Decode(kJis, sBytes);
}

std::string UnicodeToJis(std::u16string_view sText) {
    return Encode(kJis, HalfWidthKatakanaToFullWidth(sText));
}

std::u16string EucToUnicode(std::string_view sBytes) {
    return Decode(kEuc, sBytes);
}

std::string UnicodeToEuc(std::u16string_view sText) {
    return Encode(kEuc, sText);
}

std::u16string AnsiToUnicode(std::string_view sBytes) {
    return Decode(kAnsi, sBytes);
}

std::string UnicodeToAnsi(std::u16string_view sText) {
    if (HasCombiningMark(sText)) {
        return Encode(kAnsi, PrecomposeForAnsi(sText));
    }
    return Encode(kAnsi, sText);
}

bool NeedsUnicode(std::u16string_view sText) {
    return !HasExactAnsiForm(sText);
}

} // namespace skivra
