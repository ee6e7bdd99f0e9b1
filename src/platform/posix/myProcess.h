#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace skivra {

// The process's own command line as one text that the command-line splitter turns back
// into its arguments: an argument with blanks, quotes or nothing in it is quoted, and its
// quotes are doubled.
std::u16string GetProcessCommandLine();
std::u16string JoinCommandLine(const std::vector<std::u16string>& args);

// A started process. Closing the handle does not end the process; the handle reaps it
// in the background once it ends, so no zombie is left behind.
class TMyProcess {
public:
    TMyProcess() = default;
    explicit TMyProcess(pid_t pid) : FiPid(pid) {}
    TMyProcess(TMyProcess&& other) noexcept;
    TMyProcess& operator=(TMyProcess&& other) noexcept;
    TMyProcess(const TMyProcess&) = delete;
    TMyProcess& operator=(const TMyProcess&) = delete;
    ~TMyProcess();

    bool IsValid() const { return FiPid > 0; }
    pid_t Pid() const { return FiPid; }
    // Whether the process has ended (it is reaped then). False for an invalid handle.
    bool HasEnded();
    void Close();

private:
    pid_t FiPid = -1;
};

// Starts sFile with the parameters (split as a command line) and the caller's environment.
// An invalid handle when it cannot be started.
TMyProcess ShellExecuteProcess(std::u16string_view sFile, std::u16string_view sParameters);

// Starts the program and waits until bIsReady() says it is ready for input, the process
// ends, or iMilliseconds pass. The wait keeps calling PumpEvents(), so a message that the
// new process sends while it starts is handled during the wait (that message is what
// usually makes bIsReady() true). A file that cannot be started returns false at once.
bool ShellExecuteAndWaitIdle(std::u16string_view sFile, std::u16string_view sParameters,
                             int iMilliseconds, const std::function<bool()>& bIsReady);

} // namespace skivra
