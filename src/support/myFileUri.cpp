#include "support/myFileUri.h"

#include "support/myFile.h"

#include <algorithm>

namespace skivra {

std::string FilePathToUri(std::string_view sPath) {
    static const char* const pszHex = "0123456789ABCDEF";
    std::string sUri = "file://";
    for (const char c : sPath) {
        const auto u = static_cast<unsigned char>(c);
        const bool bPlain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                            (u >= '0' && u <= '9') || c == '/' || c == '-' || c == '_' ||
                            c == '.' || c == '~';
        if (bPlain) {
            sUri += c;
        } else {
            sUri += '%';
            sUri += pszHex[u >> 4];
            sUri += pszHex[u & 0xF];
        }
    }
    return sUri;
}

std::optional<std::string> FileUriToPath(std::string_view sUri) {
    constexpr std::string_view kScheme = "file://";
    if (sUri.size() < kScheme.size() ||
        !std::equal(kScheme.begin(), kScheme.end(), sUri.begin(), [](char a, char b) {
            return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b - 'A' + 'a') : b);
        })) {
        return std::nullopt;
    }
    std::string_view rest = sUri.substr(kScheme.size());
    // "file://localhost/path" names a local file too; any other host does not.
    if (rest.starts_with("localhost/")) {
        rest.remove_prefix(9);
    }
    if (!rest.starts_with('/')) {
        return std::nullopt;
    }
    std::string sPath;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            sPath += rest[i];
            continue;
        }
        if (i + 2 >= rest.size() || HexDigitValue(rest[i + 1]) < 0 ||
            HexDigitValue(rest[i + 2]) < 0) {
            return std::nullopt;
        }
        sPath += static_cast<char>(HexDigitValue(rest[i + 1]) * 16 + HexDigitValue(rest[i + 2]));
        i += 2;
    }
    if (sPath.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return sPath;
}

} // namespace skivra
