#include "support/myPath.h"

#include "support/myFileUri.h"
#include "support/myUnicode.h"

#include <climits>
#include <optional>
#include <unicode/uchar.h>
#include <unistd.h>
#include <vector>

namespace skivra {

namespace {

template <class D> constexpr bool IsSeparatorOrDrive(char16_t c) {
    return D::IsFolderSeparator(c) || D::IsDriveEnd(c);
}

// Index of the last folder separator or drive end, or npos.
template <class D> std::size_t LastSeparator(std::u16string_view sPath) {
    for (std::size_t i = sPath.size(); i-- > 0;) {
        if (IsSeparatorOrDrive<D>(sPath[i])) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

constexpr bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The local path that a "file:" address names, as players on this system write them into
// playlists.
std::optional<std::u16string> LocalPathOfFileUri(std::u16string_view sEntry) {
    const std::optional<std::string> sPath = FileUriToPath(Utf16ToUtf8(sEntry));
    return sPath ? Utf8ToUtf16(*sPath) : std::nullopt;
}

// Reads "server\share" starting at iStart (0-based) of a path that begins with two
// backslashes; gives "\\server\share", or empty when the server or the share is missing.
std::u16string ReadUncShare(std::u16string_view sPath, std::size_t iStart) {
    if (iStart >= sPath.size() || sPath[iStart] == u'\\') {
        return {};
    }
    const std::size_t iServerEnd = sPath.find(u'\\', iStart);
    if (iServerEnd == std::u16string_view::npos) {
        return {};
    }
    if (iServerEnd + 1 >= sPath.size() || sPath[iServerEnd + 1] == u'\\') {
        return {};
    }
    std::size_t iShareEnd = sPath.find(u'\\', iServerEnd + 1);
    if (iShareEnd == std::u16string_view::npos) {
        iShareEnd = sPath.size();
    }
    return u"\\\\" + std::u16string(sPath.substr(iStart, iShareEnd - iStart));
}

std::u16string WindowsDrivePart(std::u16string_view sPath) {
    if (sPath.size() > 1 && sPath[1] == u':') {
        return IsAsciiLetter(sPath[0]) ? std::u16string(sPath.substr(0, 2)) : std::u16string();
    }
    if (sPath.size() < 2 || sPath[0] != u'\\' || sPath[1] != u'\\') {
        return {};
    }
    if (sPath.size() > 7) {
        std::u16string sHead(sPath.substr(0, 8));
        for (auto& c : sHead) {
            if (c >= u'a' && c <= u'z') {
                c = static_cast<char16_t>(c - u'a' + u'A');
            }
        }
        if (sHead == u"\\\\?\\UNC\\") {
            return ReadUncShare(sPath, 8);
        }
    }
    if (sPath.size() >= 3 && sPath[2] == u'?') {
        if (sPath.size() > 5 && sPath[5] == u':' && IsAsciiLetter(sPath[4])) {
            return std::u16string(sPath.substr(4, 2));
        }
        return {};
    }
    return ReadUncShare(sPath, 2);
}

std::u16string CurrentFolder() {
    std::vector<char> buffer(PATH_MAX + 1);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            return u"/";
        }
        buffer.resize(buffer.size() * 2);
    }
    return Utf8ToUtf16(buffer.data()).value_or(u"/");
}

// Resolves "." and ".." segments of sRest as text and joins the result to sRoot (the part
// of the path that ".." can never climb above: "/", "C:\" or "\\server\share\").
template <class D>
std::u16string NormaliseSegments(std::u16string_view sRoot, std::u16string_view sRest) {
    std::vector<std::u16string_view> segments;
    std::size_t iPos = 0;
    while (iPos <= sRest.size()) {
        std::size_t iEnd = iPos;
        while (iEnd < sRest.size() && !D::IsFolderSeparator(sRest[iEnd])) {
            ++iEnd;
        }
        const std::u16string_view segment = sRest.substr(iPos, iEnd - iPos);
        if (segment == u"..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != u".") {
            segments.push_back(segment);
        }
        iPos = iEnd + 1;
    }
    std::u16string sResult(sRoot);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) {
            sResult += D::cSeparator;
        }
        sResult += segments[i];
    }
    // A trailing separator says "this is a folder"; keep it.
    if (!sRest.empty() && D::IsFolderSeparator(sRest.back()) && !segments.empty()) {
        sResult += D::cSeparator;
    }
    return sResult;
}

} // namespace

template <class D> std::u16string GetDrivePart(std::u16string_view sPath) {
    if constexpr (std::is_same_v<D, TMyWindowsPath>) {
        return WindowsDrivePart(sPath);
    } else {
        return {};
    }
}

template <class D> std::u16string GetFolderPart(std::u16string_view sPath) {
    const std::size_t i = LastSeparator<D>(sPath);
    if (i == std::u16string_view::npos) {
        return {};
    }
    if (D::IsDriveEnd(sPath[i])) {
        return std::u16string(sPath.substr(0, i + 1));
    }
    if (i == 0 && std::is_same_v<D, TMyPosixPath>) {
        return u"/";
    }
    return std::u16string(sPath.substr(0, i));
}

template <class D> std::u16string GetFolderPathPart(std::u16string_view sPath) {
    const std::size_t i = LastSeparator<D>(sPath);
    if (i == std::u16string_view::npos) {
        return {};
    }
    if (D::IsDriveEnd(sPath[i])) {
        return std::u16string(sPath.substr(0, i + 1)) + D::cSeparator;
    }
    return std::u16string(sPath.substr(0, i + 1));
}

template <class D> std::u16string GetFileNamePart(std::u16string_view sPath) {
    const std::size_t i = LastSeparator<D>(sPath);
    return std::u16string(i == std::u16string_view::npos ? sPath : sPath.substr(i + 1));
}

template <class D> TMyBaseAndExt SplitBaseAndExt(std::u16string_view sName) {
    const std::size_t iSep = LastSeparator<D>(sName);
    const std::size_t iNameStart = iSep == std::u16string_view::npos ? 0 : iSep + 1;
    const std::size_t iDot = sName.rfind(u'.');
    if (iDot == std::u16string_view::npos || iDot < iNameStart) {
        return {std::u16string(sName), {}};
    }
    return {std::u16string(sName.substr(0, iDot)), std::u16string(sName.substr(iDot))};
}

template <class D> std::u16string GetBaseNamePart(std::u16string_view sPath) {
    return SplitBaseAndExt<D>(GetFileNamePart<D>(sPath)).sBase;
}

template <class D> std::u16string GetExtPart(std::u16string_view sPath) {
    return SplitBaseAndExt<D>(GetFileNamePart<D>(sPath)).sExt;
}

template <class D>
std::u16string ChangeExtPart(std::u16string_view sPath, std::u16string_view sExt) {
    std::u16string sNewExt(sExt);
    if (!sNewExt.empty() && sNewExt.front() != u'.') {
        sNewExt.insert(sNewExt.begin(), u'.');
    }
    for (std::size_t i = sPath.size(); i-- > 0;) {
        if (D::EndsNameForExtension(sPath[i])) {
            break;
        }
        if (sPath[i] == u'.') {
            if (i == 0) {
                return sNewExt;
            }
            return std::u16string(sPath.substr(0, i)) + sNewExt;
        }
    }
    return std::u16string(sPath) + sNewExt;
}

template <class D> TMyFolderAndName SplitFolderAndName(std::u16string_view sPath) {
    return {GetFolderPart<D>(sPath), GetFileNamePart<D>(sPath)};
}

template <class D> TMyFolderAndName SplitPathAndName(std::u16string_view sPath) {
    const std::size_t i = LastSeparator<D>(sPath);
    if (i == std::u16string_view::npos) {
        return {{}, std::u16string(sPath)};
    }
    return {std::u16string(sPath.substr(0, i + 1)), std::u16string(sPath.substr(i + 1))};
}

template <class D> TMyFilePathParts SplitFilePath(std::u16string_view sPath) {
    TMyFolderAndName parts = SplitPathAndName<D>(sPath);
    TMyBaseAndExt name = SplitBaseAndExt<D>(parts.sName);
    return {std::move(parts.sFolder), std::move(parts.sName), std::move(name.sExt),
            std::move(name.sBase)};
}

template <class D> std::u16string ExpandFullPath(std::u16string_view sPath) {
    if constexpr (std::is_same_v<D, TMyWindowsPath>) {
        const std::u16string sDrive = WindowsDrivePart(sPath);
        if (sDrive.empty()) {
            return NormaliseSegments<D>({}, sPath);
        }
        // "C:x" and "C:\x" both come out as "C:\x": there is no current folder per drive here.
        std::size_t iRest = sPath.size() >= 4 && sPath.substr(0, 4) == u"\\\\?\\" ? 4 : 0;
        iRest = sPath.find(sDrive, iRest) + sDrive.size();
        return NormaliseSegments<D>(sDrive + u"\\", sPath.substr(iRest));
    } else {
        if (!sPath.empty() && sPath.front() == u'/') {
            return NormaliseSegments<D>(u"/", sPath);
        }
        const std::u16string sAbsolute =
            IncludeSuffix(CurrentFolder(), u"/") + std::u16string(sPath);
        return NormaliseSegments<D>(u"/", sAbsolute);
    }
}

template <class D>
std::u16string ResolveRelativePath(std::u16string_view sEntry, std::u16string_view sBaseFolder) {
    std::size_t iFirst = 0;
    while (iFirst < sEntry.size() && (sEntry[iFirst] <= u' ')) {
        ++iFirst;
    }
    std::u16string sHead(sEntry.substr(iFirst, 7));
    for (auto& c : sHead) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    if (sHead == u"http://") {
        return std::u16string(sEntry);
    }
    std::u16string sPath(sEntry);
    if constexpr (std::is_same_v<D, TMyPosixPath>) {
        if (const auto sLocal = LocalPathOfFileUri(sEntry.substr(iFirst))) {
            return ExpandFullPath<D>(*sLocal);
        }
        if (!WindowsDrivePart(sEntry).empty()) {
            return sPath;
        }
        for (auto& c : sPath) {
            if (c == u'\\') {
                c = u'/';
            }
        }
    } else {
        if (!WindowsDrivePart(sEntry).empty()) {
            return sPath.find(u"..\\") == std::u16string::npos ? sPath : ExpandFullPath<D>(sPath);
        }
    }
    if (sPath.front() == D::cSeparator) {
        return ExpandFullPath<D>(GetDrivePart<D>(sBaseFolder) + sPath);
    }
    return ExpandFullPath<D>(IncludeSuffix(sBaseFolder, std::u16string(1, D::cSeparator)) + sPath);
}

std::u16string IncludeSuffix(std::u16string_view sText, std::u16string_view sSuffix) {
    if (sText.ends_with(sSuffix) && !sText.empty()) {
        return std::u16string(sText);
    }
    return std::u16string(sText) + std::u16string(sSuffix);
}

std::u16string RemoveSuffix(std::u16string_view sText, std::u16string_view sSuffix) {
    if (sText.ends_with(sSuffix)) {
        sText.remove_suffix(sSuffix.size());
    }
    return std::u16string(sText);
}

std::u16string RemovePrefix(std::u16string_view sText, std::u16string_view sPrefix) {
    if (sText.starts_with(sPrefix)) {
        sText.remove_prefix(sPrefix.size());
    }
    return std::u16string(sText);
}

namespace {

// Upper-cases unit by unit (simple case mapping), so that positions in the upper-cased text
// are positions in the original text.
std::u16string UpperUnits(std::u16string_view sText) {
    std::u16string sResult(sText);
    for (auto& c : sResult) {
        if (c < 0xD800 || c > 0xDFFF) {
            c = static_cast<char16_t>(u_toupper(c));
        }
    }
    return sResult;
}

} // namespace

std::u16string ReplaceTextAll(std::u16string_view sText, std::u16string_view sOld,
                              std::u16string_view sNew, bool bCaseSensitive) {
    if (sText.empty() || sOld.empty()) {
        return std::u16string(sText);
    }
    const std::u16string sFoldedText = bCaseSensitive ? std::u16string() : UpperUnits(sText);
    const std::u16string sFoldedOld = bCaseSensitive ? std::u16string() : UpperUnits(sOld);
    const std::u16string_view haystack = bCaseSensitive ? sText : sFoldedText;
    const std::u16string_view needle = bCaseSensitive ? sOld : sFoldedOld;
    std::u16string sResult;
    std::size_t iPos = 0;
    for (std::size_t iHit = haystack.find(needle); iHit != std::u16string_view::npos;
         iHit = haystack.find(needle, iPos)) {
        sResult.append(sText.substr(iPos, iHit - iPos));
        sResult.append(sNew);
        iPos = iHit + needle.size();
    }
    sResult.append(sText.substr(iPos));
    return sResult;
}

// Every path function exists in both dialects.
#define SKIVRA_PATH_DIALECT(D)                                                                     \
    template std::u16string GetDrivePart<D>(std::u16string_view);                                  \
    template std::u16string GetFolderPart<D>(std::u16string_view);                                 \
    template std::u16string GetFolderPathPart<D>(std::u16string_view);                             \
    template std::u16string GetFileNamePart<D>(std::u16string_view);                               \
    template std::u16string GetBaseNamePart<D>(std::u16string_view);                               \
    template std::u16string GetExtPart<D>(std::u16string_view);                                    \
    template std::u16string ChangeExtPart<D>(std::u16string_view, std::u16string_view);            \
    template TMyFolderAndName SplitFolderAndName<D>(std::u16string_view);                          \
    template TMyFolderAndName SplitPathAndName<D>(std::u16string_view);                            \
    template TMyFilePathParts SplitFilePath<D>(std::u16string_view);                               \
    template TMyBaseAndExt SplitBaseAndExt<D>(std::u16string_view);                                \
    template std::u16string ExpandFullPath<D>(std::u16string_view);                                \
    template std::u16string ResolveRelativePath<D>(std::u16string_view, std::u16string_view);

SKIVRA_PATH_DIALECT(TMyPosixPath)
SKIVRA_PATH_DIALECT(TMyWindowsPath)

#undef SKIVRA_PATH_DIALECT

} // namespace skivra
