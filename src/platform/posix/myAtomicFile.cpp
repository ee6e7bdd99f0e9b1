#include "platform/posix/myAtomicFile.h"

#include "support/myFile.h"
#include "support/myUnicode.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skivra {

namespace {

bool WriteAll(int fd, std::string_view sData) {
    while (!sData.empty()) {
        const ssize_t iWritten = write(fd, sData.data(), sData.size());
        if (iWritten < 0 && errno == EINTR) {
            continue;
        }
        if (iWritten <= 0) {
            return false;
        }
        sData.remove_prefix(static_cast<std::size_t>(iWritten));
    }
    return true;
}

} // namespace

bool WriteFileAtomically(std::u16string_view sName, std::string_view sData) {
    if (sName.empty()) {
        return false;
    }
    const std::string sTarget = Utf16ToUtf8(sName);
    std::string sTemp = sTarget + ".tmp-XXXXXX";
    const int fd = mkstemp(sTemp.data());
    if (fd < 0) {
        return false;
    }
    // mkstemp creates the file readable by its owner only; the target is an ordinary file.
    bool bWritten = fchmod(fd, 0644) == 0 && WriteAll(fd, sData) && fsync(fd) == 0;
    // close() reports the errors of a delayed write.
    bWritten = close(fd) == 0 && bWritten;
    if (!bWritten || rename(sTemp.c_str(), sTarget.c_str()) != 0) {
        unlink(sTemp.c_str());
        return false;
    }
    return true;
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

} // namespace skivra
