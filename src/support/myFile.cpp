#include "support/myFile.h"

#include "lists/myString.h"
#include "support/myFileUri.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace skivra {

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kFileTimeEpochOffset = 11644473600;

std::string NativeName(std::u16string_view sPath) {
    return Utf16ToUtf8(sPath);
}

std::uint32_t AttributesOf(const struct stat& st, std::u16string_view sName) {
    return FileAttributesOfMode(st.st_mode, sName);
}

bool StatPath(std::u16string_view sPath, struct stat& st) {
    return !sPath.empty() && stat(NativeName(sPath).c_str(), &st) == 0;
}

struct TDirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Calls visit(name, stat) for every entry of the folder that matches the pattern, in the
// folder's own order, until visit returns true. Names that are not UTF-8 are skipped: they
// could not be named again by the rest of the program.
template <class TVisit> bool ForEachMatch(std::u16string_view sPattern, TVisit&& visit) {
    std::u16string_view pattern = sPattern;
    if (pattern.size() > 1 && pattern.back() == u'/') {
        pattern.remove_suffix(1);
    }
    const std::u16string sFolder = GetFolderPathPart(pattern);
    const std::u16string sNamePattern = GetFileNamePart(pattern);
    std::unique_ptr<DIR, TDirCloser> dir(
        opendir(sFolder.empty() ? "." : NativeName(sFolder).c_str()));
    if (!dir) {
        return false;
    }
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view sRaw = entry->d_name;
        if (sRaw == "." || sRaw == "..") {
            continue;
        }
        const std::optional<std::u16string> sName = Utf8ToUtf16(sRaw);
        if (!sName || !MatchesWildcard(*sName, sNamePattern)) {
            continue;
        }
        struct stat st {};
        if (!StatPath(sFolder + *sName, st)) {
            continue;
        }
        if (visit(*sName, st)) {
            return true;
        }
    }
    return false;
}

// The stat of the path itself, or of the first match that is not a folder.
bool StatFile(std::u16string_view sName, struct stat& st) {
    if (!HasWildcard(sName)) {
        return StatPath(sName, st) && !S_ISDIR(st.st_mode);
    }
    return ForEachMatch(sName, [&](const std::u16string&, const struct stat& match) {
        if (S_ISDIR(match.st_mode)) {
            return false;
        }
        st = match;
        return true;
    });
}

std::u16string UserDirectory(const char* pKey, const char* pFallback) {
    const char* pHome = std::getenv("HOME");
    if (!pHome || !*pHome) {
        return {};
    }
    const std::string sHome = pHome;
    const char* pConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string sConfig = pConfig && *pConfig ? pConfig : sHome + "/.config";
    std::ifstream file(sConfig + "/user-dirs.dirs");
    std::string sLine;
    std::string sFolder;
    const std::string sPrefix = std::string(pKey) + "=\"";
    while (std::getline(file, sLine)) {
        if (sLine.rfind(sPrefix, 0) != 0 || sLine.size() < sPrefix.size() + 1 ||
            sLine.back() != '"') {
            continue;
        }
        sFolder = sLine.substr(sPrefix.size(), sLine.size() - sPrefix.size() - 1);
        if (sFolder.rfind("$HOME", 0) == 0) {
            sFolder = sHome + sFolder.substr(5);
        }
    }
    if (sFolder.empty()) {
        const std::string sDefault = sHome + "/" + pFallback;
        struct stat st {};
        sFolder = stat(sDefault.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? sDefault : sHome;
    }
    return IncludeSuffix(Utf8ToUtf16(sFolder).value_or(u""), u"/");
}

} // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::uint32_t FileAttributesOfMode(std::uint32_t iMode, std::u16string_view sName) {
    std::uint32_t iAttributes = 0;
    if (S_ISDIR(iMode)) {
        iAttributes |= FILE_ATTRIBUTE_DIRECTORY;
    }
    if ((iMode & S_IWUSR) == 0) {
        iAttributes |= FILE_ATTRIBUTE_READONLY;
    }
    if (!sName.empty() && sName.front() == u'.') {
        iAttributes |= FILE_ATTRIBUTE_HIDDEN;
    }
    return iAttributes == 0 ? FILE_ATTRIBUTE_NORMAL : iAttributes;
}

bool HasWildcard(std::u16string_view sPath) {
    return GetFileNamePart(sPath).find_first_of(u"*?") != std::u16string::npos;
}

bool MatchesWildcard(std::u16string_view sName, std::u16string_view sPattern) {
    // Iterative matching with one backtrack point: linear in practice, never exponential.
    std::size_t iName = 0;
    std::size_t iPattern = 0;
    std::size_t iStar = std::u16string_view::npos;
    std::size_t iStarName = 0;
    while (iName < sName.size()) {
        if (iPattern < sPattern.size() &&
            (sPattern[iPattern] == u'?' || sPattern[iPattern] == sName[iName])) {
            ++iName;
            ++iPattern;
        } else if (iPattern < sPattern.size() && sPattern[iPattern] == u'*') {
            iStar = iPattern++;
            iStarName = iName;
        } else if (iStar != std::u16string_view::npos) {
            iPattern = iStar + 1;
            iName = ++iStarName;
        } else {
            return false;
        }
    }
    while (iPattern < sPattern.size() && sPattern[iPattern] == u'*') {
        ++iPattern;
    }
    return iPattern == sPattern.size();
}

bool FolderExistsEx(std::u16string_view sPath) {
    if (!HasWildcard(sPath)) {
        struct stat st {};
        return StatPath(sPath, st) && S_ISDIR(st.st_mode);
    }
    return ForEachMatch(
        sPath, [](const std::u16string&, const struct stat& st) { return S_ISDIR(st.st_mode); });
}

bool FileExistsEx(std::u16string_view sPath) {
    if (!HasWildcard(sPath)) {
        struct stat st {};
        return StatPath(sPath, st) && !S_ISDIR(st.st_mode);
    }
    return FolderExistsEx(GetFolderPathPart(sPath).empty() ? u"." : GetFolderPathPart(sPath)) &&
           FindFirstAttributes(sPath, true) >= 0;
}

std::int64_t FindFirstAttributes(std::u16string_view sPattern, bool bFilesOnly) {
    std::int64_t iResult = -1;
    if (!HasWildcard(sPattern)) {
        std::u16string_view path = sPattern;
        if (path.size() > 1 && path.back() == u'/') {
            path.remove_suffix(1);
        }
        struct stat st {};
        if (StatPath(path, st) && !(bFilesOnly && S_ISDIR(st.st_mode))) {
            iResult = AttributesOf(st, GetFileNamePart(path));
        }
        return iResult;
    }
    ForEachMatch(sPattern, [&](const std::u16string& sName, const struct stat& st) {
        if (bFilesOnly && S_ISDIR(st.st_mode)) {
            return false;
        }
        iResult = AttributesOf(st, sName);
        return true;
    });
    return iResult;
}

std::u16string NearestExistingFolder(std::u16string_view sPath) {
    std::u16string sCurrent(sPath);
    while (!sCurrent.empty() && !FolderExistsEx(sCurrent)) {
        const std::u16string sParent = GetFolderPart(sCurrent);
        if (sParent == sCurrent) {
            return {};
        }
        sCurrent = sParent;
    }
    if (sCurrent.size() > 1 && sCurrent.back() == u'/') {
        sCurrent.pop_back();
    }
    return sCurrent;
}

TMyFileHandle& TMyFileHandle::operator=(TMyFileHandle&& other) noexcept {
    if (this != &other) {
        if (FiFd >= 0) {
            close(FiFd);
        }
        FiFd = other.FiFd;
        other.FiFd = -1;
    }
    return *this;
}

TMyFileHandle::~TMyFileHandle() {
    if (FiFd >= 0) {
        close(FiFd);
    }
}

TMyFileHandle OpenReadFile(std::u16string_view sName) {
    if (sName.empty()) {
        return {};
    }
    // Opened without blocking: a named pipe or a device given a media name (x.mp3) would
    // otherwise hold the reader until someone writes to it. Only regular files are kept,
    // and they read as usual once the flag is off again.
    TMyFileHandle handle(open(NativeName(sName).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (!handle.IsValid() || fstat(handle.Fd(), &st) != 0 || !S_ISREG(st.st_mode) ||
        fcntl(handle.Fd(), F_SETFL, fcntl(handle.Fd(), F_GETFL) & ~O_NONBLOCK) != 0) {
        return {};
    }
    return handle;
}

TMyFileHandle CreateWriteFile(std::u16string_view sName) {
    if (sName.empty()) {
        return {};
    }
    return TMyFileHandle(
        open(NativeName(sName).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
}

std::uint64_t GetHandleFileSize(const TMyFileHandle& handle) {
    struct stat st {};
    if (!handle.IsValid() || fstat(handle.Fd(), &st) != 0 || st.st_size < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint64_t GetFileSizeOf(std::u16string_view sName) {
    struct stat st {};
    if (!StatFile(sName, st) || st.st_size < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint64_t UnixTimeToFileTime(std::int64_t iSeconds, std::uint32_t iNanoseconds) {
    if (iSeconds < -kFileTimeEpochOffset) {
        return 0;
    }
    const auto iSince1601 = static_cast<std::uint64_t>(iSeconds + kFileTimeEpochOffset);
    return iSince1601 * 10'000'000u + iNanoseconds / 100u;
}

std::uint64_t GetFileWriteTime64(std::u16string_view sName) {
    struct stat st {};
    if (!StatFile(sName, st)) {
        return 0;
    }
    return UnixTimeToFileTime(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec));
}

std::uint64_t GetFileCreateTime64(std::u16string_view sName) {
    struct stat st {};
    if (!StatFile(sName, st)) {
        return 0;
    }
    std::u16string sPath(sName);
    if (HasWildcard(sName)) {
        // The birth time needs the real name; the match's write time stands in.
        return UnixTimeToFileTime(st.st_mtim.tv_sec,
                                  static_cast<std::uint32_t>(st.st_mtim.tv_nsec));
    }
    struct statx stx {};
    if (statx(AT_FDCWD, NativeName(sPath).c_str(), 0, STATX_BTIME, &stx) == 0 &&
        (stx.stx_mask & STATX_BTIME) != 0) {
        return UnixTimeToFileTime(stx.stx_btime.tv_sec, stx.stx_btime.tv_nsec);
    }
    return UnixTimeToFileTime(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec));
}

bool IsShortcutFile(std::u16string_view sPath) {
    return UpperCaseAscii(GetExtPart(sPath)) == u".DESKTOP";
}

namespace {

// A desktop entry is a few hundred bytes; a larger file is not one and is not read.
constexpr std::uint64_t kMaxShortcutSize = 64 * 1024;

// The whole of a regular file of at most kMaxShortcutSize bytes. Anything else (a named
// pipe with a shortcut's name would hold the window until someone writes to it, a device
// would never end) gives nothing.
std::optional<std::string> ReadShortcutText(std::u16string_view sPath) {
    const TMyFileHandle handle = OpenReadFile(sPath);
    if (!handle.IsValid() || GetHandleFileSize(handle) > kMaxShortcutSize) {
        return std::nullopt;
    }
    std::string sText(kMaxShortcutSize + 1, '\0');
    std::size_t iDone = 0;
    while (iDone < sText.size()) {
        const ssize_t iRead = read(handle.Fd(), sText.data() + iDone, sText.size() - iDone);
        if (iRead < 0 && errno == EINTR) {
            continue;
        }
        if (iRead < 0) {
            return std::nullopt;
        }
        if (iRead == 0) {
            break;
        }
        iDone += static_cast<std::size_t>(iRead);
    }
    // A file that grew past the limit while it was read is no shortcut either.
    if (iDone > kMaxShortcutSize) {
        return std::nullopt;
    }
    sText.resize(iDone);
    return sText;
}

} // namespace

std::u16string ResolveShortcut(std::u16string_view sPath) {
    if (!IsShortcutFile(sPath)) {
        return std::u16string(sPath);
    }
    const std::optional<std::string> sText = ReadShortcutText(sPath);
    if (!sText) {
        return std::u16string(sPath);
    }
    std::istringstream file(*sText);
    std::string sLine;
    bool bInEntry = false;
    bool bIsLink = false;
    std::string sUrl;
    while (std::getline(file, sLine)) {
        if (!sLine.empty() && sLine.back() == '\r') {
            sLine.pop_back();
        }
        if (!sLine.empty() && sLine.front() == '[') {
            bInEntry = sLine == "[Desktop Entry]";
        } else if (bInEntry && sLine == "Type=Link") {
            bIsLink = true;
        } else if (bInEntry && sLine.rfind("URL=", 0) == 0) {
            sUrl = sLine.substr(4);
        }
    }
    // Only local files are followed; an address that names none leaves the shortcut as it is.
    const std::optional<std::string> sLocal = bIsLink ? FileUriToPath(sUrl) : std::nullopt;
    const std::optional<std::u16string> sTarget = sLocal ? Utf8ToUtf16(*sLocal) : std::nullopt;
    return sTarget ? *sTarget : std::u16string(sPath);
}

std::u16string GetMyDocumentsFolder() {
    return UserDirectory("XDG_DOCUMENTS_DIR", "Documents");
}
std::u16string GetMyVideosFolder() {
    return UserDirectory("XDG_VIDEOS_DIR", "Videos");
}
std::u16string GetMyMusicFolder() {
    return UserDirectory("XDG_MUSIC_DIR", "Music");
}

} // namespace skivra
