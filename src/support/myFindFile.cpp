#include "support/myFindFile.h"

#include "support/myFile.h"
#include "support/myPath.h"
#include "support/myUnicode.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <utility>

namespace skivra {

namespace {

std::uint64_t TicksOf(const struct statx_timestamp& t) {
    return UnixTimeToFileTime(t.tv_sec, t.tv_nsec);
}

// statx rather than stat: it tells the birth time where the file system keeps one, as
// GetFileCreateTime64 does; without one the creation time is the last-write time.
bool StatEntry(int iDirFd, const char* pName, std::u16string sName, TMyFindData& AFindData) {
    struct statx stx {};
    if (statx(iDirFd, pName, 0, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0) {
        return false;
    }
    AFindData.iAttributes = FileAttributesOfMode(stx.stx_mode, sName);
    AFindData.iLastWriteTime = TicksOf(stx.stx_mtime);
    AFindData.iLastAccessTime = TicksOf(stx.stx_atime);
    AFindData.iCreationTime =
        (stx.stx_mask & STATX_BTIME) != 0 ? TicksOf(stx.stx_btime) : AFindData.iLastWriteTime;
    AFindData.iFileSize = stx.stx_size;
    AFindData.sFileName = std::move(sName);
    AFindData.iDevice = (static_cast<std::uint64_t>(stx.stx_dev_major) << 32) | stx.stx_dev_minor;
    AFindData.iInode = stx.stx_ino;
    return true;
}

} // namespace

struct TMyFindFile::TMyDir {
    DIR* pDir = nullptr;
    ~TMyDir() {
        if (pDir != nullptr) {
            closedir(pDir);
        }
    }
};

TMyFindFile::TMyFindFile(std::u16string_view sPattern) {
    std::u16string_view pattern = sPattern;
    if (pattern.size() > 1 && pattern.back() == u'/') {
        pattern.remove_suffix(1);
    }
    if (pattern.empty()) {
        return;
    }
    if (!HasWildcard(pattern)) {
        FsSingle = pattern;
        FbOpened = true;
        return;
    }
    FsFolder = GetFolderPathPart(pattern);
    FsNamePattern = GetFileNamePart(pattern);
    const std::string sNative = FsFolder.empty() ? std::string(".") : Utf16ToUtf8(FsFolder);
    const int fd = open(sNative.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        close(fd);
        return;
    }
    DIR* pDir = fdopendir(fd);
    if (pDir == nullptr) {
        close(fd);
        return;
    }
    FDir = std::make_unique<TMyDir>();
    FDir->pDir = pDir;
    FbOpened = true;
    FiDevice = (static_cast<std::uint64_t>(major(st.st_dev)) << 32) | minor(st.st_dev);
    FiInode = static_cast<std::uint64_t>(st.st_ino);
}

TMyFindFile::~TMyFindFile() = default;

bool TMyFindFile::Next(TMyFindData& AFindData) {
    if (!FsSingle.empty()) {
        const std::u16string sPath = std::exchange(FsSingle, std::u16string());
        return StatEntry(AT_FDCWD, Utf16ToUtf8(sPath).c_str(), GetFileNamePart(sPath), AFindData);
    }
    if (!FDir) {
        return false;
    }
    while (const dirent* entry = readdir(FDir->pDir)) {
        const std::string_view sRaw = entry->d_name;
        if (sRaw == "." || sRaw == "..") {
            continue;
        }
        std::optional<std::u16string> sName = Utf8ToUtf16(sRaw);
        if (!sName) {
            ++FiSkippedNames;
            continue;
        }
        if (!MatchesWildcard(*sName, FsNamePattern)) {
            continue;
        }
        if (StatEntry(dirfd(FDir->pDir), entry->d_name, std::move(*sName), AFindData)) {
            return true;
        }
        // vanished since the folder was read, or a link to nothing
    }
    return false;
}

bool FindFirstFile(std::u16string_view sPattern, TMyFindData& AFindData) {
    TMyFindFile find(sPattern);
    return find.Next(AFindData);
}

} // namespace skivra
