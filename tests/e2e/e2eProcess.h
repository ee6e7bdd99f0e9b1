#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skivra::e2e {

using namespace std::chrono_literals;

// A child process of the test: started with posix_spawn, its output in a log file,
// reaped when it ends. Ending the object kills a process that is still running.
class TChild {
public:
    TChild() = default;
    TChild(pid_t pid, std::string sLogFile) : FPid(pid), FsLogFile(std::move(sLogFile)) {}
    TChild(TChild&& other) noexcept;
    TChild& operator=(TChild&& other) noexcept;
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;
    ~TChild();

    pid_t Pid() const { return FPid; }
    bool IsValid() const { return FPid > 0; }
    // Reaps the process when it has ended; true from then on.
    bool HasEnded();
    // Waits (polling) until it ended; false after the bound.
    bool WaitEnded(std::chrono::milliseconds bound);
    // The exit status once it ended normally; nothing while it runs or after a signal.
    std::optional<int> ExitCode() const { return FExitCode; }
    std::optional<int> TermSignal() const { return FSignal; }
    void Kill(int iSignal);
    std::string Log() const;

private:
    pid_t FPid = 0;
    std::string FsLogFile;
    bool FbEnded = false;
    std::optional<int> FExitCode;
    std::optional<int> FSignal;
};

// Starts argv[0] (searched on PATH when it holds no "/") with the test's environment plus
// the given variables; its standard output and error go to sLogFile.
TChild Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& sLogFile);

// Runs a tool to its end; its exit status, or -1 when it could not start or outlived the
// bound (it is killed then). Its output is appended to sLogFile.
int RunTool(const std::vector<std::string>& argv, const std::string& sLogFile,
            std::chrono::milliseconds bound = 60s);
// Runs a tool and returns its standard output; nothing when it failed.
std::optional<std::string> ToolOutput(const std::vector<std::string>& argv,
                                      std::chrono::milliseconds bound = 60s);

// Whether a program of that name is on PATH.
bool HasTool(const std::string& sName);

// The whole of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& sFile);

// The processes that run sProgram (by /proc/PID/exe) with the environment variable
// sVariable=sValue: this test's processes of the program, whoever started them.
std::vector<pid_t> FindProcesses(const std::vector<std::string>& programs,
                                 const std::string& sVariable, const std::string& sValue);
// The process's command-line words.
std::vector<std::string> ProcessArguments(pid_t pid);
// Whether the process exists and has not ended (a zombie has ended).
bool IsRunning(pid_t pid);

} // namespace skivra::e2e
