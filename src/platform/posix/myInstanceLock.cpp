#include "platform/posix/myInstanceLock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/myUnicode.h"

namespace skivra {

namespace {

// Where the lock may be: a folder that only this user controls. Anyone else who can write
// there could hold the lock file for ever (no player would start) or swap it for another
// (two players would fight over the desktop).
bool IsPrivate(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Makes sFolder (its parent must exist) or takes the one there when it is this user's. A
// loose mode on our own folder is tightened; another user's folder is never used.
bool MakePrivateFolder(const std::string& sFolder) {
    if (mkdir(sFolder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    const int fd = open(sFolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    const bool bOurs = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
                       ((st.st_mode & 077) == 0 || fchmod(fd, 0700) == 0);
    close(fd);
    return bOurs;
}

std::string EnvFolder(const char* pName) {
    const char* pValue = std::getenv(pName);
    return pValue && *pValue == '/' ? std::string(pValue) : std::string();
}

// The host's name, for a lock in the home folder, which several machines may share.
std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0 || !*name) {
        return "localhost";
    }
    std::string sName = name;
    for (char& c : sName) {
        if (c == '/') {
            c = '_';
        }
    }
    return sName;
}

struct TLockFolder {
    std::string sFolder;
    std::string sSuffix; // after the name, before ".lock"
};

TLockFolder RuntimeFolder() {
    const std::string sRuntime = EnvFolder("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!sRuntime.empty() && stat(sRuntime.c_str(), &st) == 0 && IsPrivate(st)) {
        return {sRuntime, {}};
    }
    // A private folder of ours in the temporary folder, as long as nobody else took its
    // name first.
    const std::string sTemp = EnvFolder("TMPDIR");
    const std::string sFolder =
        (sTemp.empty() ? std::string("/tmp") : sTemp) + "/skivra-" + std::to_string(geteuid());
    if (MakePrivateFolder(sFolder)) {
        return {sFolder, {}};
    }
    // Someone else holds that name: the user's cache folder is private by its place.
    std::string sCache = EnvFolder("XDG_CACHE_HOME");
    if (sCache.empty()) {
        const std::string sHome = EnvFolder("HOME");
        if (sHome.empty()) {
            return {};
        }
        sCache = sHome + "/.cache";
    }
    mkdir(sCache.c_str(), 0700);
    if (MakePrivateFolder(sCache + "/skivra")) {
        return {sCache + "/skivra", "-" + HostName()};
    }
    return {};
}

// Opens the lock file, which must be a file of this user's: one left by somebody else
// while the folder was still open to them is replaced.
int OpenLockFile(const std::string& sPath) {
    for (int iTry = 0; iTry < 2; ++iTry) {
        // Close-on-exec: a child (the sub-player) must not inherit the lock and keep it
        // alive after the player is gone.
        const int fd = open(sPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        struct stat st {};
        if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid()) {
            return fd;
        }
        if (fd >= 0) {
            close(fd);
        }
        unlink(sPath.c_str());
    }
    return -1;
}

} // namespace

std::string InstanceLockPath(std::u16string_view sName) {
    std::string sFile = Utf16ToUtf8(sName);
    for (char& c : sFile) {
        if (c == '/') {
            c = '_';
        }
    }
    const TLockFolder folder = RuntimeFolder();
    return folder.sFolder.empty() ? std::string()
                                  : folder.sFolder + "/" + sFile + folder.sSuffix + ".lock";
}

bool MutexAlreadyExists(std::u16string_view sName) {
    const std::string sPath = InstanceLockPath(sName);
    const int fd = sPath.empty() ? -1 : OpenLockFile(sPath);
    if (fd < 0) {
        // Nothing to lock with: this start goes on as the player, but says why a second
        // one may run beside it.
        std::fprintf(stderr,
                     "skivra: no private folder for the single-instance lock (%s); another "
                     "player started now would not be noticed\n",
                     sPath.empty() ? "runtime, temporary and cache folders refused"
                                   : sPath.c_str());
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // Held until the process ends: the descriptor is never closed.
        return false;
    }
    const bool bHeld = errno == EWOULDBLOCK;
    close(fd);
    return bHeld;
}

} // namespace skivra
