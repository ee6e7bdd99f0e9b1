#include "platform/posix/myProcess.h"

#include "app/myParam.h"
#include "support/myEventHook.h"
#include "support/myUnicode.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace skivra {

std::u16string JoinCommandLine(const std::vector<std::u16string>& args) {
    std::u16string sLine;
    for (const auto& sArg : args) {
        if (!sLine.empty()) {
            sLine += u' ';
        }
        const bool bQuote =
            sArg.empty() || sArg.find_first_of(u" \t\r\n\"") != std::u16string::npos;
        if (!bQuote) {
            sLine += sArg;
            continue;
        }
        sLine += u'"';
        for (char16_t c : sArg) {
            sLine += c;
            if (c == u'"') {
                sLine += u'"';
            }
        }
        sLine += u'"';
    }
    return sLine;
}

std::u16string GetProcessCommandLine() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string sRaw{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::u16string> args;
    std::size_t iStart = 0;
    while (iStart < sRaw.size()) {
        std::size_t iEnd = sRaw.find('\0', iStart);
        if (iEnd == std::string::npos) {
            iEnd = sRaw.size();
        }
        // An argument that is not UTF-8 carries no option this program understands; it is
        // kept as its decodable approximation rather than dropped, so positions stay right.
        const std::string_view sArg(sRaw.data() + iStart, iEnd - iStart);
        args.push_back(Utf8ToUtf16(sArg).value_or(u"\uFFFD"));
        iStart = iEnd + 1;
    }
    return JoinCommandLine(args);
}

TMyProcess::TMyProcess(TMyProcess&& other) noexcept : FiPid(other.FiPid) {
    other.FiPid = -1;
}

TMyProcess& TMyProcess::operator=(TMyProcess&& other) noexcept {
    if (this != &other) {
        Close();
        FiPid = other.FiPid;
        other.FiPid = -1;
    }
    return *this;
}

TMyProcess::~TMyProcess() {
    Close();
}

bool TMyProcess::HasEnded() {
    if (!IsValid()) {
        return false;
    }
    int iStatus = 0;
    const pid_t result = waitpid(FiPid, &iStatus, WNOHANG);
    if (result == FiPid || (result < 0 && errno == ECHILD)) {
        FiPid = -1;
        return true;
    }
    return false;
}

void TMyProcess::Close() {
    if (!IsValid() || HasEnded()) {
        return;
    }
    // Someone has to wait for the child, or it stays a zombie until this process ends.
    std::thread([pid = FiPid] {
        int iStatus = 0;
        while (waitpid(pid, &iStatus, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    FiPid = -1;
}

TMyProcess ShellExecuteProcess(std::u16string_view sFile, std::u16string_view sParameters) {
    if (sFile.empty()) {
        return {};
    }
    std::vector<std::string> args{Utf16ToUtf8(sFile)};
    for (const auto& sParam : SplitCommandLine(sParameters)) {
        args.push_back(Utf16ToUtf8(sParam));
    }
    std::vector<char*> argv;
    for (auto& sArg : args) {
        argv.push_back(sArg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    // glibc reports a failed exec (missing file, no permission) as the result of
    // posix_spawn itself, so a file that cannot run never yields a handle.
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return {};
    }
    return TMyProcess(pid);
}

bool ShellExecuteAndWaitIdle(std::u16string_view sFile, std::u16string_view sParameters,
                             int iMilliseconds, const std::function<bool()>& bIsReady) {
    TMyProcess process = ShellExecuteProcess(sFile, sParameters);
    if (!process.IsValid()) {
        return false;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(iMilliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        PumpEvents();
        if ((bIsReady && bIsReady()) || process.HasEnded()) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace skivra
