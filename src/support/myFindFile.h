#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace skivra {

// What the directory enumeration tells about one entry: attribute bits (support/myFile.h),
// the three file times in 100 ns ticks since 1601, the size and the name. There are no
// short names here. The device and inode name the real object behind the entry (links
// followed), so a scan can tell a folder it has already been through.
struct TMyFindData {
    std::uint32_t iAttributes = 0;
    std::uint64_t iCreationTime = 0;
    std::uint64_t iLastAccessTime = 0;
    std::uint64_t iLastWriteTime = 0;
    std::uint64_t iFileSize = 0;
    std::u16string sFileName;
    std::uint64_t iDevice = 0;
    std::uint64_t iInode = 0;
};

// The entries of a folder that match a pattern ("/music/*.mp3", "/music/*"; without a
// wildcard the one entry the path names, file or folder), one at a time, in the folder's
// own order. "." and ".." never come. Entries whose names are not UTF-8 and entries that
// vanish between reading the folder and looking at them are skipped and counted. Links are
// followed; a link whose target is missing is skipped. Nothing throws.
class TMyFindFile {
public:
    explicit TMyFindFile(std::u16string_view sPattern);
    TMyFindFile(const TMyFindFile&) = delete;
    TMyFindFile& operator=(const TMyFindFile&) = delete;
    ~TMyFindFile();

    // The next match, false when there is none (or the folder cannot be read).
    bool Next(TMyFindData& AFindData);
    // The folder that is read could be opened; its own device and inode (0 when not).
    bool FolderOpened() const { return FbOpened; }
    std::uint64_t FolderDevice() const { return FiDevice; }
    std::uint64_t FolderInode() const { return FiInode; }
    // Names skipped because they are not UTF-8.
    std::int64_t SkippedNames() const { return FiSkippedNames; }

private:
    struct TMyDir;
    std::unique_ptr<TMyDir> FDir;
    std::u16string FsFolder;
    std::u16string FsNamePattern;
    std::u16string FsSingle; // the path without a wildcard, until it has been reported
    bool FbOpened = false;
    std::uint64_t FiDevice = 0;
    std::uint64_t FiInode = 0;
    std::int64_t FiSkippedNames = 0;
};

// The first match of the pattern, as the enumeration gives it; false when there is none.
bool FindFirstFile(std::u16string_view sPattern, TMyFindData& AFindData);

} // namespace skivra
