#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skivra::test {

// Small builders for hand-made tag bytes, so each test shows its structure field by field.

inline std::string Be32(std::uint32_t v) {
    return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}
inline std::string Be24(std::uint32_t v) {
    return Be32(v).substr(1);
}
inline std::string Synchsafe(std::uint32_t v) {
    return {char(v >> 21 & 0x7F), char(v >> 14 & 0x7F), char(v >> 7 & 0x7F), char(v & 0x7F)};
}
inline std::string Le16(std::uint32_t v) {
    return {char(v & 0xFF), char(v >> 8 & 0xFF)};
}
inline std::string Le32(std::uint32_t v) {
    return Le16(v) + Le16(v >> 16);
}
inline std::string Le64(std::uint64_t v) {
    return Le32(static_cast<std::uint32_t>(v)) + Le32(static_cast<std::uint32_t>(v >> 32));
}

inline std::string Utf16Le(std::u16string_view s) {
    std::string out;
    for (const char16_t c : s) {
        out += Le16(c);
    }
    return out;
}
inline std::string Utf16Be(std::u16string_view s) {
    std::string out;
    for (const char16_t c : s) {
        out += {char(c >> 8), char(c & 0xFF)};
    }
    return out;
}

// The 10-byte ID3v2 header over a body.
inline std::string Id3(int iMajor, std::uint8_t iFlags, const std::string& sBody) {
    return std::string("ID3") + char(iMajor) + '\0' + char(iFlags) +
           Synchsafe(static_cast<std::uint32_t>(sBody.size())) + sBody;
}
inline std::string Frame2(std::string_view sID, const std::string& sData) {
    return std::string(sID) + Be24(static_cast<std::uint32_t>(sData.size())) + sData;
}
inline std::string Frame3(std::string_view sID, const std::string& sData,
                          std::uint8_t iFormat = 0) {
    return std::string(sID) + Be32(static_cast<std::uint32_t>(sData.size())) + '\0' +
           char(iFormat) + sData;
}
inline std::string Frame4(std::string_view sID, const std::string& sData,
                          std::uint8_t iFormat = 0) {
    return std::string(sID) + Synchsafe(static_cast<std::uint32_t>(sData.size())) + '\0' +
           char(iFormat) + sData;
}
// A text frame's data: encoding byte and text.
inline std::string Text(std::uint8_t iEncoding, const std::string& sBytes) {
    return char(iEncoding) + sBytes;
}
// The ID3v1 block of 128 bytes.
inline std::string Id3v1(std::string_view sTitle, std::string_view sComment, int iTrack,
                         std::uint8_t iGenre) {
    auto field = [](std::string_view s, std::size_t n) {
        std::string f(s.substr(0, n));
        f.resize(n, '\0');
        return f;
    };
    std::string comment = field(sComment, 30);
    if (iTrack >= 0) {
        comment[28] = '\0';
        comment[29] = char(iTrack);
    }
    return "TAG" + field(sTitle, 30) + field("artist", 30) + field("album", 30) + field("1999", 4) +
           comment + char(iGenre);
}

} // namespace skivra::test
