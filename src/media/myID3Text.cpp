#include "media/myID3Text.h"

#include "lists/myEncoding.h"

#include <algorithm>

namespace skivra {

namespace {

std::string_view UpToZero(std::span<const std::uint8_t> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::size_t>(end - bytes.begin())};
}

std::u16string Utf16Units(std::span<const std::uint8_t> bytes, bool bBigEndian) {
    std::u16string sText;
    sText.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = bBigEndian ? static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1])
                                      : static_cast<char16_t>(bytes[i + 1] << 8 | bytes[i]);
        if (c == 0) {
            break;
        }
        sText += c;
    }
    return sText;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

} // namespace

std::u16string DecodeID3Text(std::uint8_t iEncoding, std::span<const std::uint8_t> bytes) {
    switch (iEncoding) {
    case 0:
        return DecodeAnsiField(bytes);
    case 1:
    case 2:
        if (StartsWith(bytes, {0xFF, 0xFE})) {
            return Utf16Units(bytes.subspan(2), false);
        }
        if (StartsWith(bytes, {0xFE, 0xFF})) {
            return Utf16Units(bytes.subspan(2), true);
        }
        if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
            return Utf8ToUnicode(UpToZero(bytes.subspan(3)));
        }
        return Utf16Units(bytes, iEncoding == 2);
    case 3:
        return Utf8ToUnicode(UpToZero(bytes));
    default:
        return {};
    }
}

std::size_t FindID3Terminator(std::uint8_t iEncoding, std::span<const std::uint8_t> bytes,
                              std::size_t iStart) {
    if (iEncoding == 1 || iEncoding == 2) {
        for (std::size_t i = iStart; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == 0 && bytes[i + 1] == 0) {
                return i + 2;
            }
        }
        return std::u16string::npos;
    }
    for (std::size_t i = iStart; i < bytes.size(); ++i) {
        if (bytes[i] == 0) {
            return i + 1;
        }
    }
    return std::u16string::npos;
}

std::u16string DecodeID3DescribedText(std::span<const std::uint8_t> content, std::size_t iStart) {
    if (content.empty()) {
        return {};
    }
    const std::uint8_t iEncoding = content[0];
    const std::size_t iText = FindID3Terminator(iEncoding, content, iStart);
    if (iText == std::u16string::npos) {
        return {};
    }
    return DecodeID3Text(iEncoding, content.subspan(iText));
}

std::u16string DecodeID3UserLink(std::span<const std::uint8_t> content) {
    if (content.empty() || content[0] > 3) {
        return {};
    }
    const std::size_t iTerminator = FindID3Terminator(content[0], content, 1);
    std::span<const std::uint8_t> url =
        content.subspan(iTerminator == std::u16string::npos ? 1 : iTerminator);
    // What a writer leaves between description and address (a zero, a stray mark) is no
    // part of the address.
    while (!url.empty() && (url[0] <= 31 || url[0] == 127 || url[0] >= 253)) {
        url = url.subspan(1);
    }
    return DecodeAnsiField(url);
}

std::size_t RemoveUnsynchronisation(std::uint8_t* pData, std::size_t iSize) {
    std::size_t iOut = 0;
    bool bAfterFF = false;
    for (std::size_t i = 0; i < iSize; ++i) {
        const std::uint8_t b = pData[i];
        if (!(bAfterFF && b == 0)) {
            pData[iOut++] = b;
        }
        bAfterFF = b == 0xFF;
    }
    return iOut;
}

std::u16string DecodeAnsiField(std::span<const std::uint8_t> bytes) {
    return AnsiToUnicode(UpToZero(bytes));
}

} // namespace skivra
