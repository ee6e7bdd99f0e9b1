#include "support/myEventHook.h"

#include <atomic>
#include <utility>

namespace skivra {

namespace {

TMyEventPump& Pump() {
    static TMyEventPump pump;
    return pump;
}

TMyUiThreadRunner& Runner() {
    static TMyUiThreadRunner runner;
    return runner;
}

std::atomic<bool> g_bTerminating{false};

} // namespace

void SetEventPump(TMyEventPump pump) {
    Pump() = std::move(pump);
}

void PumpEvents() {
    if (Pump()) {
        Pump()();
    }
}

void SetTerminating(bool bTerminating) {
    g_bTerminating.store(bTerminating);
}

bool IsTerminating() {
    return g_bTerminating.load();
}

void SetUiThreadRunner(TMyUiThreadRunner runner) {
    Runner() = std::move(runner);
}

void RunOnUiThread(std::function<void()> call) {
    if (Runner()) {
        Runner()(std::move(call));
    } else {
        call();
    }
}

} // namespace skivra
