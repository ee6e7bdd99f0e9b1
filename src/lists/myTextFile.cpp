#include "lists/myTextFile.h"

#include "platform/posix/myAtomicFile.h"
#include "support/myEventHook.h"
#include "support/myFile.h"
#include "support/myUnicode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace skivra {

namespace {

constexpr int kReadAttempts = 4;
constexpr auto kRetryWait = std::chrono::milliseconds(200);
constexpr uint64_t kTooLarge = uint64_t{4} << 30; // 4 GiB

enum class TReadResult { kRead, kNothing, kFailed };

// One attempt: open without waiting (a FIFO must not block us), take at most iWanted bytes
// of a regular file. A file that shrank meanwhile gives what it still has.
TReadResult ReadOnce(const std::string& sPath, uint64_t iWanted, std::vector<uint8_t>& aBuffer,
                     bool& bTooLarge) {
    TMyFileHandle file(open(sPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsValid()) {
        return errno == ENOENT || errno == ENOTDIR ? TReadResult::kNothing : TReadResult::kFailed;
    }
    struct stat st {};
    if (fstat(file.Fd(), &st) != 0) {
        return TReadResult::kFailed;
    }
    if (!S_ISREG(st.st_mode)) {
        return TReadResult::kNothing;
    }
    const uint64_t iSize = std::min<uint64_t>(iWanted, static_cast<uint64_t>(st.st_size));
    if (iSize >= kTooLarge) {
        bTooLarge = true;
        return TReadResult::kNothing;
    }
    // Two zero bytes after the data end every UTF-8 and UTF-16 reading.
    aBuffer.assign(static_cast<size_t>(iSize) + 2, 0);
    size_t iDone = 0;
    while (iDone < iSize) {
        const ssize_t iRead = read(file.Fd(), aBuffer.data() + iDone, iSize - iDone);
        if (iRead < 0) {
            if (errno == EINTR) {
                continue;
            }
            return TReadResult::kFailed;
        }
        if (iRead == 0) {
            break;
        }
        iDone += static_cast<size_t>(iRead);
    }
    aBuffer.resize(iDone + 2);
    return iDone > 0 ? TReadResult::kRead : TReadResult::kNothing;
}

std::string FolderOf(const std::string& sPath) {
    const size_t iSlash = sPath.rfind('/');
    if (iSlash == std::string::npos) {
        return ".";
    }
    return iSlash == 0 ? "/" : sPath.substr(0, iSlash);
}

mode_t CurrentUmask() {
    // The umask can only be read by setting it; /proc tells it without that race.
    std::ifstream status("/proc/self/status");
    std::string sLine;
    while (std::getline(status, sLine)) {
        if (sLine.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(sLine.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

// Something that is not a regular file (a device, a FIFO) cannot be replaced by renaming:
// it is written in place.
bool WriteInPlace(const std::string& sPath, const std::string& sBytes) {
    TMyFileHandle file(open(sPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK));
    return file.IsValid() && WriteAllBytes(file.Fd(), sBytes);
}

// The new content goes to a temporary file beside the old one, is flushed to the disk and
// then renamed over it: whatever happens, the file holds either the old or the new text.
bool ReplaceFile(std::string sPath, const std::string& sBytes) {
    struct stat st {};
    if (lstat(sPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Saving through a link writes the file it points at and keeps the link.
        if (char* pszReal = realpath(sPath.c_str(), nullptr)) {
            sPath = pszReal;
            std::free(pszReal);
        }
    }
    mode_t iMode = 0666 & ~CurrentUmask();
    if (stat(sPath.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            return WriteInPlace(sPath, sBytes);
        }
        iMode = st.st_mode & 07777;
    }
    return ReplaceThroughTemp(
        sPath, SaveTempTemplate(FolderOf(sPath) + "/" + std::string(kTextSavePrefix)), iMode,
        sBytes);
}

} // namespace

std::u16string_view LineEndText(TMyNewLine nlNewLine) {
    switch (nlNewLine) {
    case nlCR:
        return u"\r";
    case nlLF:
        return u"\n";
    case nlCRLF:
        break;
    }
    return u"\r\n";
}

std::u16string ReadTextFile(std::u16string_view sFile, TMyCharCode& cdCode,
                            std::optional<int64_t> iByte) {
    return ReadTextFileChecked(sFile, cdCode, iByte).value_or(std::u16string());
}

std::optional<std::u16string> ReadTextFileChecked(std::u16string_view sFile, TMyCharCode& cdCode,
                                                  std::optional<int64_t> iByte) {
    uint64_t iWanted = 0;
    if (iByte.has_value()) {
        iWanted = *iByte > 0 ? static_cast<uint64_t>(*iByte) : 0;
    } else {
        iWanted = GetFileSizeOf(sFile);
        if (iWanted >= kTooLarge) {
            return std::nullopt;
        }
    }
    if (iWanted == 0 || sFile.empty()) {
        return {};
    }
    const std::string sPath = Utf16ToUtf8(sFile);
    std::vector<uint8_t> aBuffer;
    TReadResult result = TReadResult::kFailed;
    bool bTooLarge = false;
    for (int iAttempt = 0; iAttempt < kReadAttempts; ++iAttempt) {
        if (iAttempt > 0) {
            std::this_thread::sleep_for(kRetryWait);
            PumpEvents();
        }
        try {
            result = ReadOnce(sPath, iWanted, aBuffer, bTooLarge);
        } catch (const std::bad_alloc&) {
            result = TReadResult::kNothing;
            bTooLarge = true;
        }
        if (result != TReadResult::kFailed) {
            break;
        }
    }
    if (result == TReadResult::kFailed) {
        MessageBeep();
        return std::nullopt;
    }
    if (bTooLarge) {
        return std::nullopt;
    }
    if (result == TReadResult::kNothing) {
        return std::u16string();
    }
    // The two zero bytes after the data stay out of the span: they only end the readings.
    return DecodeTextBytes(std::span<const uint8_t>(aBuffer.data(), aBuffer.size() - 2), cdCode);
}

bool WriteTextFile(std::u16string_view sFile, std::u16string_view sText, TMyCharCode cdCode) {
    if (sFile.empty()) {
        return false;
    }
    std::string sBytes;
    try {
        sBytes = EncodeText(sText, cdCode);
    } catch (const std::exception&) {
        return false;
    }
    return ReplaceFile(Utf16ToUtf8(sFile), sBytes);
}

} // namespace skivra
