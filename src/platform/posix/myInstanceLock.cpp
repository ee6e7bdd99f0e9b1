#include "platform/posix/myInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/myUnicode.h"

namespace skivra {

namespace {

std::string RuntimeFolder() {
    const char* pRuntime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (pRuntime && *pRuntime == '/' && stat(pRuntime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == getuid()) {
        return pRuntime;
    }
    // A private folder of ours in /tmp; one that another user made is not trusted.
    const std::string sFolder = "/tmp/skivra-" + std::to_string(getuid());
    if (mkdir(sFolder.c_str(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    if (lstat(sFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid()) {
        return {};
    }
    return sFolder;
}

} // namespace

std::string InstanceLockPath(std::u16string_view sName) {
    std::string sFile = Utf16ToUtf8(sName);
    for (char& c : sFile) {
        if (c == '/') {
            c = '_';
        }
    }
    const std::string sFolder = RuntimeFolder();
    return sFolder.empty() ? std::string() : sFolder + "/" + sFile + ".lock";
}

bool MutexAlreadyExists(std::u16string_view sName) {
    const std::string sPath = InstanceLockPath(sName);
    if (sPath.empty()) {
        return false;
    }
    // Close-on-exec: a child (the sub-player) must not inherit the lock and keep it alive
    // after the player is gone.
    const int fd = open(sPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
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
