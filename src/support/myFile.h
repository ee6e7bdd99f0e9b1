#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skivra {

// File facts over POSIX. Paths are the native dialect (UTF-16 in memory, UTF-8 on disk).
// Nothing here throws or shows anything: a failure is a neutral result (false, 0, -1, the
// path unchanged). These functions touch only the file system and may run on any thread.

// Attribute bits as the rest of the program knows them.
constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02; // a name beginning with "."
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;

// The attribute bits of a file of that stat mode and name.
std::uint32_t FileAttributesOfMode(std::uint32_t iMode, std::u16string_view sName);

// "*" and "?" in the name (the last segment) of a path. Brackets are ordinary characters:
// file names like "[Live] 01.mp3" are common.
bool HasWildcard(std::u16string_view sPath);
bool MatchesWildcard(std::u16string_view sName, std::u16string_view sPattern);

// Without a wildcard: the path exists and is a folder. With one (after one trailing "/" is
// removed): the pattern matches at least one folder other than "." and "..".
bool FolderExistsEx(std::u16string_view sPath);
// Without a wildcard: the path exists and is not a folder. With one: its folder exists and
// the pattern matches at least one entry that is not a folder.
bool FileExistsEx(std::u16string_view sPath);
// The attribute bits of the first match (folder order), or -1 when nothing matches.
std::int64_t FindFirstAttributes(std::u16string_view sPattern, bool bFilesOnly);
// The deepest existing folder of the path, without trailing separator ("/" for the root),
// or empty.
std::u16string NearestExistingFolder(std::u16string_view sPath);

// An open file descriptor that closes itself.
class TMyFileHandle {
public:
    TMyFileHandle() = default;
    explicit TMyFileHandle(int fd) : FiFd(fd) {}
    TMyFileHandle(TMyFileHandle&& other) noexcept : FiFd(other.FiFd) { other.FiFd = -1; }
    TMyFileHandle& operator=(TMyFileHandle&& other) noexcept;
    TMyFileHandle(const TMyFileHandle&) = delete;
    TMyFileHandle& operator=(const TMyFileHandle&) = delete;
    ~TMyFileHandle();

    bool IsValid() const { return FiFd >= 0; }
    int Fd() const { return FiFd; }

private:
    int FiFd = -1;
};

// Opens an existing regular file for reading; invalid for folders, missing files, named
// pipes and devices (without ever waiting on them).
TMyFileHandle OpenReadFile(std::u16string_view sName);
// Creates or truncates a file for writing.
TMyFileHandle CreateWriteFile(std::u16string_view sName);
// 0 for an invalid handle.
std::uint64_t GetHandleFileSize(const TMyFileHandle& handle);

// With a wildcard: the size of the first match that is not a folder. 0 when nothing can
// be read.
std::uint64_t GetFileSizeOf(std::u16string_view sName);

// File times are 100-nanosecond ticks since 1601-01-01 00:00 UTC. The creation time is the
// file system's birth time where it records one, else the last-write time. 0 when nothing
// matches or the file cannot be read.
std::uint64_t GetFileWriteTime64(std::u16string_view sName);
std::uint64_t GetFileCreateTime64(std::u16string_view sName);
std::uint64_t UnixTimeToFileTime(std::int64_t iSeconds, std::uint32_t iNanoseconds);

// There are no short (8.3) names here.
inline std::u16string GetShortFormPath(std::u16string_view sPath) {
    return std::u16string(sPath);
}

// The value of a hexadecimal digit (either case), -1 for any other character; for the
// percent escapes of file: URLs.
int HexDigitValue(char c);

// The native shortcut is a desktop entry of Type=Link whose URL is a file: address;
// symbolic links resolve by themselves and are not shortcuts in this sense.
bool IsShortcutFile(std::u16string_view sPath);
// The target of a shortcut, or the path unchanged when it is none or cannot be read.
std::u16string ResolveShortcut(std::u16string_view sPath);

// The user's folders from the XDG user directories, with a trailing "/"; the home folder
// when the entry is missing, empty when there is no home.
std::u16string GetMyDocumentsFolder();
std::u16string GetMyVideosFolder();
std::u16string GetMyMusicFolder();

} // namespace skivra
