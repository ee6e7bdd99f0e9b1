#include "e2e/e2eProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

extern char** environ;

namespace skivra::e2e {

namespace {

std::vector<std::string> SplitNul(const std::string& sText) {
    std::vector<std::string> words;
    std::size_t iStart = 0;
    while (iStart < sText.size()) {
        const std::size_t iEnd = sText.find('\0', iStart);
        const std::size_t iStop = iEnd == std::string::npos ? sText.size() : iEnd;
        words.push_back(sText.substr(iStart, iStop - iStart));
        iStart = iStop + 1;
    }
    return words;
}

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& env) {
    std::vector<std::string> merged;
    for (char** p = environ; *p; ++p) {
        const std::string sEntry = *p;
        const std::string sName = sEntry.substr(0, sEntry.find('='));
        if (!env.contains(sName)) {
            merged.push_back(sEntry);
        }
    }
    for (const auto& [sName, sValue] : env) {
        merged.push_back(sName + "=" + sValue);
    }
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& s : words) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

TChild::TChild(TChild&& other) noexcept {
    *this = std::move(other);
}

TChild& TChild::operator=(TChild&& other) noexcept {
    if (this != &other) {
        if (IsValid() && !HasEnded()) {
            Kill(SIGKILL);
            WaitEnded(10s);
        }
        FPid = std::exchange(other.FPid, 0);
        FsLogFile = std::move(other.FsLogFile);
        FbEnded = other.FbEnded;
        FExitCode = other.FExitCode;
        FSignal = other.FSignal;
    }
    return *this;
}

TChild::~TChild() {
    if (IsValid() && !HasEnded()) {
        Kill(SIGKILL);
        WaitEnded(10s);
    }
}

bool TChild::HasEnded() {
    if (FbEnded || FPid <= 0) {
        return true;
    }
    int iStatus = 0;
    const pid_t r = waitpid(FPid, &iStatus, WNOHANG);
    if (r == 0) {
        return false;
    }
    FbEnded = true;
    if (r == FPid && WIFEXITED(iStatus)) {
        FExitCode = WEXITSTATUS(iStatus);
    } else if (r == FPid && WIFSIGNALED(iStatus)) {
        FSignal = WTERMSIG(iStatus);
    }
    return true;
}

bool TChild::WaitEnded(std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!HasEnded()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

void TChild::Kill(int iSignal) {
    if (FPid > 0 && !FbEnded) {
        kill(FPid, iSignal);
    }
}

std::string TChild::Log() const {
    return FsLogFile.empty() ? std::string() : ReadWholeFile(FsLogFile);
}

TChild Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& sLogFile) {
    std::vector<std::string> args = argv;
    std::vector<std::string> vars = MergedEnvironment(env);
    std::vector<char*> pArgs = Pointers(args);
    std::vector<char*> pVars = Pointers(vars);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, sLogFile.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int iError = posix_spawnp(&pid, pArgs[0], &actions, nullptr, pArgs.data(), pVars.data());
    posix_spawn_file_actions_destroy(&actions);
    if (iError != 0) {
        return {};
    }
    return TChild(pid, sLogFile);
}

int RunTool(const std::vector<std::string>& argv, const std::string& sLogFile,
            std::chrono::milliseconds bound) {
    TChild child = Spawn(argv, {}, sLogFile);
    if (!child.IsValid() || !child.WaitEnded(bound)) {
        return -1;
    }
    return child.ExitCode().value_or(-1);
}

std::optional<std::string> ToolOutput(const std::vector<std::string>& argv,
                                      std::chrono::milliseconds bound) {
    char sTemplate[] = "/tmp/skivra-tool-XXXXXX";
    const int fd = mkstemp(sTemplate);
    if (fd < 0) {
        return std::nullopt;
    }
    close(fd);
    const int iStatus = RunTool(argv, sTemplate, bound);
    std::string sOutput = ReadWholeFile(sTemplate);
    unlink(sTemplate);
    if (iStatus != 0) {
        return std::nullopt;
    }
    return sOutput;
}

std::string ReadWholeFile(const std::string& sFile) {
    std::ifstream in(sFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool HasTool(const std::string& sName) {
    const char* pPath = std::getenv("PATH");
    std::istringstream folders(pPath ? pPath : "/usr/bin:/bin");
    std::string sFolder;
    while (std::getline(folders, sFolder, ':')) {
        if (!sFolder.empty() && access((sFolder + "/" + sName).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

std::vector<pid_t> FindProcesses(const std::vector<std::string>& programs,
                                 const std::string& sVariable, const std::string& sValue) {
    std::vector<pid_t> found;
    const std::string sWanted = sVariable + "=" + sValue;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string sName = entry.path().filename().string();
        if (sName.empty() || sName.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::error_code ignored;
        // A zombie or a process of another user has no readable exe link.
        const auto exe = std::filesystem::read_symlink(entry.path() / "exe", ignored);
        if (ignored ||
            std::find(programs.begin(), programs.end(), exe.string()) == programs.end()) {
            continue;
        }
        for (const std::string& sVar : SplitNul(ReadWholeFile(entry.path() / "environ"))) {
            if (sVar == sWanted) {
                found.push_back(static_cast<pid_t>(std::stol(sName)));
                break;
            }
        }
    }
    return found;
}

std::vector<std::string> ProcessArguments(pid_t pid) {
    return SplitNul(ReadWholeFile("/proc/" + std::to_string(pid) + "/cmdline"));
}

bool IsRunning(pid_t pid) {
    const std::string sStat = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
    // The state follows the command name in parentheses, which may itself hold ")".
    const std::size_t iClose = sStat.rfind(')');
    if (iClose == std::string::npos || iClose + 2 >= sStat.size()) {
        return false;
    }
    const char cState = sStat[iClose + 2];
    return cState != 'Z' && cState != 'X';
}

} // namespace skivra::e2e
