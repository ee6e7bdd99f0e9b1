// The byte forms of text files: decoding what was read, encoding what is written.

#include "lists/myEncoding.h"
#include "lists/myTextFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace skivra {

namespace {

constexpr char16_t kByteOrderMark = 0xFEFF;

std::string_view UpToZeroByte(std::span<const uint8_t> aBytes) {
    const auto* p = reinterpret_cast<const char*>(aBytes.data());
    const void* pZero = std::memchr(p, 0, aBytes.size());
    const size_t iLength =
        pZero != nullptr ? static_cast<size_t>(static_cast<const char*>(pZero) - p) : aBytes.size();
    return std::string_view(p, iLength);
}

std::u16string Utf16UpToZeroUnit(std::span<const uint8_t> aBytes, bool bBigEndian) {
    std::u16string sResult;
    sResult.reserve(aBytes.size() / 2 + 1);
    for (size_t i = 0; i < aBytes.size(); i += 2) {
        // An odd last byte is completed with a zero byte.
        const uint8_t b0 = aBytes[i];
        const uint8_t b1 = i + 1 < aBytes.size() ? aBytes[i + 1] : 0;
        const auto c = static_cast<char16_t>(bBigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
        if (c == 0) {
            break;
        }
        sResult += c;
    }
    return sResult;
}

bool IsLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// A detected text is read past its zero bytes: one stray zero in a settings file would
// otherwise end the text there, and whatever followed it would be gone when the file is
// written back. A zero-filled tail (a crash before the data reached the disk) adds nothing.
std::string WithoutZeroBytes(std::span<const uint8_t> aBytes) {
    std::string sResult;
    sResult.reserve(aBytes.size());
    for (const uint8_t b : aBytes) {
        if (b != 0) {
            sResult += static_cast<char>(b);
        }
    }
    return sResult;
}

std::u16string_view WithoutMark(std::u16string_view sText) {
    if (!sText.empty() && sText[0] == kByteOrderMark) {
        sText.remove_prefix(1);
    }
    return sText;
}

std::string Utf16Bytes(std::u16string_view sText, bool bBigEndian, bool bMark) {
    sText = WithoutMark(sText);
    std::string sResult;
    sResult.reserve(sText.size() * 2 + 2);
    auto put = [&](char16_t c) {
        const auto lo = static_cast<char>(c & 0xFF);
        const auto hi = static_cast<char>(c >> 8);
        sResult += bBigEndian ? hi : lo;
        sResult += bBigEndian ? lo : hi;
    };
    if (bMark) {
        put(kByteOrderMark);
    }
    for (const char16_t c : sText) {
        put(c);
    }
    return sResult;
}

} // namespace

std::string HexDump(std::span<const uint8_t> aBytes) {
    constexpr size_t kPerLine = 16;
    constexpr int kHexWidth = 50;
    std::string sResult;
    sResult.reserve((aBytes.size() / kPerLine + 1) * 68);
    bool bAfterLead = false;
    for (size_t iLine = 0; iLine < aBytes.size(); iLine += kPerLine) {
        const size_t iCount = std::min(kPerLine, aBytes.size() - iLine);
        std::string sHex;
        std::string sText(kPerLine, ' ');
        for (size_t j = 0; j < iCount; ++j) {
            const uint8_t b = aBytes[iLine + j];
            char szHex[4];
            std::snprintf(szHex, sizeof szHex, "%.2x ", b);
            sHex += szHex;
            if (j == 7) {
                sHex += "- ";
            }
            char c = static_cast<char>(b);
            if (b < 0x20 || b == 0x7F || b > 0xFC) {
                c = '.';
                bAfterLead = false;
            } else if (bAfterLead) {
                bAfterLead = false; // a trail byte shows with its lead
            } else if (IsLeadByte(b)) {
                // A lead byte whose trail would fall on the next line cannot be shown.
                if (j == kPerLine - 1) {
                    c = '.';
                } else {
                    bAfterLead = true;
                }
            } else if (b == 0xA0) {
                c = '.';
            }
            sText[j] = c;
        }
        char szLine[96];
        std::snprintf(szLine, sizeof szLine, "%-*s\t%s\r", kHexWidth, sHex.c_str(), sText.c_str());
        sResult += szLine;
    }
    return sResult;
}

std::u16string DecodeTextBytes(std::span<const uint8_t> aBytes, TMyCharCode& cdCode) {
    if (cdCode > cdBINDUMP) {
        cdCode = cdAuto;
    }
    std::string sDetectedBytes;
    if (cdCode == cdAuto) {
        const size_t n = aBytes.size();
        if (n > 2 && aBytes[0] == 0xEF && aBytes[1] == 0xBB && aBytes[2] == 0xBF) {
            cdCode = cdUTF_8;
            aBytes = aBytes.subspan(3);
        } else if (n > 1 && aBytes[0] == 0xFF && aBytes[1] == 0xFE) {
            cdCode = cdUnicodeLE;
            aBytes = aBytes.subspan(2);
        } else if (n > 1 && aBytes[0] == 0xFE && aBytes[1] == 0xFF) {
            cdCode = cdUnicodeBE;
            aBytes = aBytes.subspan(2);
        } else {
            cdCode = DetectTextCharCode(aBytes);
        }
        const bool bUtf16 = cdCode == cdUnicodeLE || cdCode == cdUnicodeBE ||
                            cdCode == cdUTF_16LE || cdCode == cdUTF_16BE;
        if (!bUtf16 && std::find(aBytes.begin(), aBytes.end(), uint8_t{0}) != aBytes.end()) {
            sDetectedBytes = WithoutZeroBytes(aBytes);
            aBytes = std::span<const uint8_t>(
                reinterpret_cast<const uint8_t*>(sDetectedBytes.data()), sDetectedBytes.size());
        }
    }
    switch (cdCode) {
    case cdBINDUMP:
        return AnsiToUnicode(HexDump(aBytes));
    case cdUTF_8:
    case cdUTF_8N:
        return Utf8ToUnicode(UpToZeroByte(aBytes));
    case cdUnicodeLE:
    case cdUTF_16LE:
        return Utf16UpToZeroUnit(aBytes, false);
    case cdUnicodeBE:
    case cdUTF_16BE:
        return Utf16UpToZeroUnit(aBytes, true);
    case cdUTF_7:
        return Utf7ToUnicode(UpToZeroByte(aBytes));
    case cdJIS:
        return JisToUnicode(UpToZeroByte(aBytes));
    case cdEUC:
        return EucToUnicode(UpToZeroByte(aBytes));
    case cdAuto:
    case cdSJis:
        break;
    }
    cdCode = cdSJis;
    return AnsiToUnicode(UpToZeroByte(aBytes));
}

std::string EncodeText(std::u16string_view sText, TMyCharCode cdCode) {
    if (cdCode == cdAuto) {
        cdCode = NeedsUnicode(sText) ? cdUTF_8 : cdSJis;
    }
    switch (cdCode) {
    case cdUTF_8:
        return "\xEF\xBB\xBF" + UnicodeToUtf8(WithoutMark(sText));
    case cdUTF_8N:
        return UnicodeToUtf8(WithoutMark(sText));
    case cdUTF_7:
        return UnicodeToUtf7(sText);
    case cdUnicodeLE:
        return Utf16Bytes(sText, false, true);
    case cdUTF_16LE:
        return Utf16Bytes(sText, false, false);
    case cdUnicodeBE:
        return Utf16Bytes(sText, true, true);
    case cdUTF_16BE:
        return Utf16Bytes(sText, true, false);
    case cdJIS:
        return UnicodeToJis(sText);
    case cdEUC:
        return UnicodeToEuc(sText);
    default:
        return UnicodeToAnsi(sText);
    }
}

} // namespace skivra
