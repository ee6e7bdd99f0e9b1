#include "support/myUnicode.h"

#include <limits>
#include <unicode/ustring.h>

namespace skivra {

std::optional<std::u16string> Utf8ToUtf16(std::string_view sText) {
    if (sText.empty()) {
        return std::u16string();
    }
    if (sText.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    const auto iLength = static_cast<int32_t>(sText.size());
    // A UTF-16 text never has more units than the UTF-8 text has bytes.
    std::u16string sResult(sText.size(), u'\0');
    int32_t iWritten = 0;
    UErrorCode status = U_ZERO_ERROR;
    // A substitution character of -1 asks ICU to fail on the first ill-formed sequence.
    u_strFromUTF8WithSub(sResult.data(), iLength, &iWritten, sText.data(), iLength, -1, nullptr,
                         &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    sResult.resize(static_cast<std::size_t>(iWritten));
    return sResult;
}

std::string Utf16ToUtf8(std::u16string_view sText) {
    std::string sResult;
    sResult.reserve(sText.size());
    for (std::size_t i = 0; i < sText.size(); ++i) {
        char32_t c = sText[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < sText.size() && sText[i + 1] >= 0xDC00 &&
            sText[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (sText[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            sResult += static_cast<char>(c);
        } else if (c < 0x800) {
            sResult += static_cast<char>(0xC0 | (c >> 6));
            sResult += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            sResult += static_cast<char>(0xE0 | (c >> 12));
            sResult += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            sResult += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            sResult += static_cast<char>(0xF0 | (c >> 18));
            sResult += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            sResult += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            sResult += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return sResult;
}

} // namespace skivra
