#include "platform/posix/myAtomicFile.h"

#include "support/myFile.h"
#include "support/myUnicode.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace skivra {

namespace {

// A save writes its file in one go within seconds; a temporary file untouched for this long
// is left over, whatever its name says about its writer.
constexpr std::time_t kStaleSeconds = 10 * 60;

// With a progress hook the data goes out in pieces of this size, so that a test can stop
// a save part-way through a file.
constexpr std::size_t kHookedPiece = 64 * 1024;

TMySaveHook& SaveHook() {
    static TMySaveHook hook;
    return hook;
}

void Report(TMySaveStep step, std::size_t iBytes) {
    if (const TMySaveHook& hook = SaveHook()) {
        hook(step, iBytes);
    }
}

std::string FolderOfPath(const std::string& sPath) {
    const std::size_t iSlash = sPath.rfind('/');
    if (iSlash == std::string::npos) {
        return ".";
    }
    return iSlash == 0 ? "/" : sPath.substr(0, iSlash);
}

std::string NameOfPath(const std::string& sPath) {
    const std::size_t iSlash = sPath.rfind('/');
    return iSlash == std::string::npos ? sPath : sPath.substr(iSlash + 1);
}

bool AllDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

bool AllAlphaNumeric(std::string_view s) {
    for (const char c : s) {
        const bool bAlnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!bAlnum) {
            return false;
        }
    }
    return true;
}

// The part of a temporary name after its prefix: "<pid>-XXXXXX" as saves name them now, or
// "XXXXXX" as earlier ones did. The writer's process id, 0 when the name has none, or
// nothing when the tail is not one of ours.
std::optional<pid_t> WriterOfTail(std::string_view sTail) {
    constexpr std::size_t kRandom = 6;
    if (sTail.size() < kRandom || !AllAlphaNumeric(sTail.substr(sTail.size() - kRandom))) {
        return std::nullopt;
    }
    if (sTail.size() == kRandom) {
        return 0;
    }
    const std::string_view sPid = sTail.substr(0, sTail.size() - kRandom);
    if (!sPid.ends_with('-') || !AllDigits(sPid.substr(0, sPid.size() - 1)) || sPid.size() > 11) {
        return std::nullopt;
    }
    const long iPid = std::strtol(std::string(sPid).c_str(), nullptr, 10);
    return iPid > 0 && iPid <= 0x7FFFFFFF ? std::optional<pid_t>(static_cast<pid_t>(iPid))
                                          : std::nullopt;
}

// The writer named in one of our temporary names in a folder whose data files are named
// sBase + "." + extension, or nothing when the name is not one of ours.
std::optional<pid_t> WriterOfTempName(std::string_view sName, std::string_view sBase) {
    if (sName.starts_with(kTextSavePrefix)) {
        return WriterOfTail(sName.substr(kTextSavePrefix.size()));
    }
    if (sBase.empty() || !sName.starts_with(sBase) || sName.size() <= sBase.size() ||
        sName[sBase.size()] != '.') {
        return std::nullopt;
    }
    const std::size_t iTmp = sName.rfind(kAtomicTempInfix);
    if (iTmp == std::string_view::npos || iTmp <= sBase.size()) {
        return std::nullopt;
    }
    return WriterOfTail(sName.substr(iTmp + kAtomicTempInfix.size()));
}

bool ProcessAlive(pid_t pid) {
    return kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

void SetSaveHook(TMySaveHook hook) {
    SaveHook() = std::move(hook);
}

std::string SaveTempTemplate(std::string_view sPrefix) {
    std::string sTemplate(sPrefix);
    sTemplate += std::to_string(getpid());
    sTemplate += "-XXXXXX";
    return sTemplate;
}

bool WriteAllBytes(int fd, std::string_view sData) {
    std::size_t iDone = 0;
    const std::size_t iTotal = sData.size();
    while (!sData.empty()) {
        const std::size_t iPiece = SaveHook() ? std::min(sData.size(), kHookedPiece) : sData.size();
        const ssize_t iWritten = write(fd, sData.data(), iPiece);
        if (iWritten < 0 && errno == EINTR) {
            continue;
        }
        if (iWritten <= 0) {
            return false;
        }
        sData.remove_prefix(static_cast<std::size_t>(iWritten));
        iDone += static_cast<std::size_t>(iWritten);
        if (iDone < iTotal) {
            Report(TMySaveStep::Writing, iDone);
        }
    }
    return true;
}

bool ReplaceThroughTemp(const std::string& sTarget, std::string sTemp, unsigned iMode,
                        std::string_view sData) {
    const int fd = mkostemp(sTemp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    Report(TMySaveStep::TempCreated, 0);
    bool bWritten = fchmod(fd, static_cast<mode_t>(iMode)) == 0 && WriteAllBytes(fd, sData);
    Report(TMySaveStep::Written, sData.size());
    bWritten = bWritten && fsync(fd) == 0;
    // close() reports the errors of a delayed write (a full disk over NFS, for one).
    bWritten = close(fd) == 0 && bWritten;
    if (!bWritten || rename(sTemp.c_str(), sTarget.c_str()) != 0) {
        unlink(sTemp.c_str());
        return false;
    }
    Report(TMySaveStep::Renamed, sData.size());
    // The rename itself reaches the disk with the folder's own entry: without this, a
    // power cut can bring back the old name, or none.
    TMyFileHandle folder(open(FolderOfPath(sTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsValid()) {
        fsync(folder.Fd());
    }
    return true;
}

bool WriteFileAtomically(std::u16string_view sName, std::string_view sData) {
    if (sName.empty()) {
        return false;
    }
    const std::string sTarget = Utf16ToUtf8(sName);
    return ReplaceThroughTemp(sTarget, SaveTempTemplate(sTarget + std::string(kAtomicTempInfix)),
                              0644, sData);
}

std::size_t RemoveStaleSaveFiles(std::u16string_view sDataFile) {
    const std::string sPath = Utf16ToUtf8(sDataFile);
    const std::string sFolder = FolderOfPath(sPath);
    std::string sBase = NameOfPath(sPath);
    sBase = sBase.substr(0, sBase.find('.'));
    DIR* pDir = opendir(sFolder.c_str());
    if (pDir == nullptr) {
        return 0;
    }
    const std::time_t now = std::time(nullptr);
    std::size_t iRemoved = 0;
    while (const dirent* pEntry = readdir(pDir)) {
        const std::string_view sName = pEntry->d_name;
        const std::optional<pid_t> writer = WriterOfTempName(sName, sBase);
        if (!writer) {
            continue;
        }
        const std::string sFile = sFolder + "/" + std::string(sName);
        struct stat st {};
        // Only plain files of this user: a link or somebody else's file is not ours to
        // remove, whatever its name.
        if (lstat(sFile.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
            continue;
        }
        // A live writer (this process included) may be in the middle of its save; a file
        // untouched for long is left over even when its process id came back to life.
        const bool bOld = now - st.st_mtime > kStaleSeconds;
        const bool bWriterGone = *writer != 0 && !ProcessAlive(*writer);
        if ((bOld || bWriterGone) && unlink(sFile.c_str()) == 0) {
            ++iRemoved;
        }
    }
    closedir(pDir);
    return iRemoved;
}

std::optional<std::string> ReadSmallFile(std::u16string_view sName, std::size_t iLimit) {
    const TMyFileHandle handle = OpenReadFile(sName);
    if (!handle.IsValid() || GetHandleFileSize(handle) > iLimit) {
        return std::nullopt;
    }
    std::string sData;
    char buffer[4096];
    for (;;) {
        const ssize_t iRead = read(handle.Fd(), buffer, sizeof buffer);
        if (iRead < 0 && errno == EINTR) {
            continue;
        }
        if (iRead < 0) {
            return std::nullopt;
        }
        if (iRead == 0) {
            return sData;
        }
        // The size can grow while it is read; the limit still holds.
        if (sData.size() + static_cast<std::size_t>(iRead) > iLimit) {
            return std::nullopt;
        }
        sData.append(buffer, static_cast<std::size_t>(iRead));
    }
}

bool SomethingAtPath(std::u16string_view sName) {
    struct stat st {};
    const std::string sPath = Utf16ToUtf8(sName);
    if (lstat(sPath.c_str(), &st) == 0) {
        return true;
    }
    return errno != ENOENT && errno != ENOTDIR;
}

} // namespace skivra
