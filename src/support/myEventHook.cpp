#include "support/myEventHook.h"

#include "support/myUnicode.h"

#include <atomic>
#include <cstdio>
#include <thread>
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

TMyProgramMessageHook& MessageHook() {
    static TMyProgramMessageHook hook;
    return hook;
}

std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}

std::atomic<bool> g_bTerminating{false};
std::atomic<std::thread::id> g_pumpThread{};

} // namespace

void SetEventPump(TMyEventPump pump) {
    g_pumpThread.store(std::this_thread::get_id());
    Pump() = std::move(pump);
}

void PumpEvents() {
    if (g_pumpThread.load() == std::this_thread::get_id() && Pump()) {
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

void SetProgramMessageHook(TMyProgramMessageHook hook) {
    MessageHook() = std::move(hook);
}

void ShowProgramMessage(std::u16string_view sText) {
    if (MessageHook()) {
        MessageHook()(sText);
    } else {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(sText).c_str());
    }
}

void SetBeepHook(std::function<void()> hook) {
    BeepHook() = std::move(hook);
}

void MessageBeep() {
    if (BeepHook()) {
        BeepHook()();
    }
}

} // namespace skivra
