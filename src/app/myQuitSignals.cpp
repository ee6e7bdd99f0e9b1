#include "app/myQuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace skivra {

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe's ends; the handler may only touch async-signal-safe things.
int g_iWriteFd = -1;

extern "C" void OnQuitSignal(int) {
    const char c = 'q';
    [[maybe_unused]] const ssize_t n = write(g_iWriteFd, &c, 1);
}

} // namespace

TMyQuitSignals::TMyQuitSignals(std::function<void()> fnQuit, QObject* pParent)
    : QObject(pParent), FfnQuit(std::move(fnQuit)) {
    std::array<int, 2> aFds{-1, -1};
    if (pipe2(aFds.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    FiReadFd = aFds[0];
    FiWriteFd = aFds[1];
    g_iWriteFd = FiWriteFd;
    auto* pNotifier = new QSocketNotifier(FiReadFd, QSocketNotifier::Read, this);
    connect(pNotifier, &QSocketNotifier::activated, this, [this] {
        char aBuffer[16];
        while (read(FiReadFd, aBuffer, sizeof aBuffer) > 0) {
        }
        if (!FbQuitting) {
            FbQuitting = true;
            FfnQuit();
        }
    });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int iSignal : kSignals) {
        sigaction(iSignal, &action, nullptr);
    }
}

TMyQuitSignals::~TMyQuitSignals() {
    if (FiWriteFd < 0) {
        return;
    }
    for (const int iSignal : kSignals) {
        std::signal(iSignal, SIG_DFL);
    }
    g_iWriteFd = -1;
    close(FiWriteFd);
    close(FiReadFd);
}

} // namespace skivra
