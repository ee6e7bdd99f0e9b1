#include "support/myProgram.h"

#include "support/myPath.h"
#include "support/myUnicode.h"
#include "support/myVersionRecord.h"

#include <cerrno>
#include <cstdlib>
#include <limits.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern char* program_invocation_name;

namespace skivra {

namespace {

bool IsSameFile(const std::string& sA, const std::string& sB) {
    struct stat a {};
    struct stat b {};
    return stat(sA.c_str(), &a) == 0 && stat(sB.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

bool MakeFolders(const std::string& sFolder) {
    std::string sPrefix;
    std::size_t iPos = 0;
    while (iPos != std::string::npos) {
        iPos = sFolder.find('/', iPos + 1);
        sPrefix = sFolder.substr(0, iPos);
        if (!sPrefix.empty() && mkdir(sPrefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

// A folder the data may live in: writable by this user, owned by this user and writable
// by nobody else. In a folder that others can write to (a shared or world-writable one,
// even with the sticky bit) another user could plant "skivra.ini" as a link to one of our
// files, and the next save would rewrite it.
bool IsPrivateFolder(const std::string& sFolder) {
    struct stat st {};
    return stat(sFolder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 && access(sFolder.c_str(), W_OK) == 0;
}

// A symbolic link that neither this user nor root made: someone else's, never written
// through.
bool IsForeignLink(const std::string& sFile) {
    struct stat st {};
    return lstat(sFile.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_uid != geteuid() &&
           st.st_uid != 0;
}

std::string ConfigFolder() {
    const char* pConfig = std::getenv("XDG_CONFIG_HOME");
    if (pConfig && *pConfig == '/') {
        return std::string(pConfig) + "/skivra";
    }
    const char* pHome = std::getenv("HOME");
    return std::string(pHome && *pHome ? pHome : "/tmp") + "/.config/skivra";
}

// The kernel's mark on /proc/self/exe once the program file was removed or replaced while
// the program runs, as an update does.
constexpr std::string_view kDeletedMark = " (deleted)";

// The program file's path as the kernel reports it, with that mark taken off: the data
// files are named after the program, and an update must not move them to
// "skivra (deleted).ini". A file really named "... (deleted)" keeps its name: it is still
// the running program's own file.
std::string ProgramPathOf(std::string sLink) {
    if (sLink.ends_with(kDeletedMark) && !IsSameFile(sLink, "/proc/self/exe")) {
        sLink.resize(sLink.size() - kDeletedMark.size());
    }
    return sLink;
}

// True when the running program's file is no longer on disk under its name.
bool ProgramFileReplaced() {
    struct stat st {};
    return stat("/proc/self/exe", &st) == 0 && st.st_nlink == 0;
}

} // namespace

std::u16string GetProgramFileName() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t iLength = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (iLength > 0) {
        if (auto sPath = Utf8ToUtf16(
                ProgramPathOf(std::string(buffer.data(), static_cast<size_t>(iLength))))) {
            return *sPath;
        }
    }
    return Utf8ToUtf16(program_invocation_name).value_or(u"skivra");
}

std::u16string GetProgramFolder() {
    return GetFolderPathPart(GetProgramFileName());
}

TMyFileVersionInfo ReadFileVersionInfo(std::u16string_view sName) {
    // After an update replaced the file, the name still stands for the running program.
    const bool bProgram = IsSameFile(Utf16ToUtf8(sName), "/proc/self/exe") ||
                          (ProgramFileReplaced() && sName == GetProgramFileName());
    if (sName.empty() || !bProgram) {
        return {};
    }
    namespace v = version_record;
    TMyFileVersionInfo info;
    info.Comments = v::kComments;
    info.FileDescription = v::kFileDescription;
    info.FileVersion = v::kFileVersion;
    info.InternalName = v::kInternalName;
    info.LegalTrademarks = v::kLegalTrademarks;
    info.OriginalFilename = v::kOriginalFilename;
    info.ProductName = v::kProductName;
    info.ProductVersion = v::kProductVersion;
    return info;
}

std::u16string GetFileVersionText(std::u16string_view sName) {
    return ReadFileVersionInfo(sName).FileVersion;
}

std::u16string GetProgramVersion() {
    return GetFileVersionText(GetProgramFileName());
}

std::u16string GetProgramProductName() {
    std::u16string sName = ReadFileVersionInfo(GetProgramFileName()).ProductName;
    return sName.empty() ? GetBaseNamePart(GetProgramFileName()) : sName;
}

std::u16string GetProgramComments() {
    return ReadFileVersionInfo(GetProgramFileName()).Comments;
}

std::u16string GetDataFileName(std::u16string_view sExt) {
    return GetDataFileName(sExt, GetProgramFileName());
}

std::u16string GetDataFileName(std::u16string_view sExt, const std::u16string& sProgram) {
    const std::u16string sFileName = ChangeExtPart(GetFileNamePart(sProgram), sExt);
    if (const char* pDataDir = std::getenv("SKIVRA_DATA_DIR"); pDataDir && *pDataDir) {
        MakeFolders(pDataDir);
        return IncludeSuffix(Utf8ToUtf16(pDataDir).value_or(u"/tmp"), u"/") + sFileName;
    }
    const bool bInstalled =
        access(Utf16ToUtf8(ChangeExtPart(sProgram, u".installed")).c_str(), F_OK) == 0;
    const std::u16string sBeside = ChangeExtPart(sProgram, sExt);
    if (!bInstalled && IsPrivateFolder(Utf16ToUtf8(GetFolderPathPart(sProgram))) &&
        !IsForeignLink(Utf16ToUtf8(sBeside))) {
        return sBeside;
    }
    const std::string sFolder = ConfigFolder();
    MakeFolders(sFolder);
    return Utf8ToUtf16(sFolder + "/").value_or(u"/tmp/") + sFileName;
}

} // namespace skivra
