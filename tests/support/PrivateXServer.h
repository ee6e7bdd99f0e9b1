#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace skivra::test {

// An X server of a test's own on a free display, told through -displayfd, apart from the
// display the test runs under: the test can end it (a logout, a crash of the server) and
// start another. Ended with its scope, also when an assertion ends the test early.
class TPrivateXServer {
public:
    // argv of the server without -displayfd: {"Xvfb", "-screen", "0", "640x480x24", ...}.
    explicit TPrivateXServer(std::vector<std::string> args) {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        FPid = fork();
        if (FPid == 0) {
            close(fds[0]);
            if (dup2(fds[1], 3) < 0) {
                _exit(127);
            }
            args.insert(args.begin() + 1, {"-displayfd", "3"});
            std::vector<char*> argv;
            for (std::string& sArg : args) {
                argv.push_back(sArg.data());
            }
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        // The server writes its display number once it accepts connections.
        std::string sNumber;
        char c = 0;
        while (FPid > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
            sNumber += c;
        }
        close(fds[0]);
        if (sNumber.empty()) {
            Stop();
            return;
        }
        FsName = ":" + sNumber;
    }
    ~TPrivateXServer() { Stop(); }
    TPrivateXServer(const TPrivateXServer&) = delete;
    TPrivateXServer& operator=(const TPrivateXServer&) = delete;

    // Xvfb with one screen, no listening on TCP, no reset when its last client goes.
    static std::vector<std::string> Xvfb(const std::string& sScreen,
                                         const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"Xvfb",      "-screen", "0",       sScreen,
                                         "-nolisten", "tcp",     "-noreset"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    // The display name (":12"); empty when the server did not start.
    const std::string& Name() const { return FsName; }
    void Stop(int iSignal = SIGTERM) {
        if (FPid > 0) {
            kill(FPid, iSignal);
            waitpid(FPid, nullptr, 0);
        }
        FPid = -1;
    }

private:
    pid_t FPid = -1;
    std::string FsName;
};

} // namespace skivra::test
