#pragma once

#include "media/info_get.h"
#include "support/myEventHook.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace skivra::test {

// The UI thread's queue: fetcher threads post, the test thread runs the calls.
class UiQueue {
public:
    UiQueue() {
        SetUiThreadRunner([this](std::function<void()> call) {
            {
                const std::lock_guard<std::mutex> lock(FLock);
                FCalls.push_back(std::move(call));
            }
            FPosted.notify_all();
        });
    }
    ~UiQueue() {
        SetUiThreadRunner(nullptr);
        T_MyInfoGet::WaitForAll();
    }
    // Runs queued calls until done() holds; false when 30 s pass first.
    bool RunUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            std::unique_lock<std::mutex> lock(FLock);
            if (!FPosted.wait_until(lock, deadline, [this] { return !FCalls.empty(); })) {
                return false;
            }
            std::function<void()> call = std::move(FCalls.front());
            FCalls.pop_front();
            lock.unlock();
            call();
        }
        return true;
    }
    // Waits until at least n calls are queued (other threads post them); false after 30 s.
    bool WaitQueued(std::size_t n) {
        std::unique_lock<std::mutex> lock(FLock);
        return FPosted.wait_for(lock, std::chrono::seconds(30), [&] { return FCalls.size() >= n; });
    }
    // Runs the call queued at position i (0 is the oldest) ahead of the others.
    void RunAt(std::size_t i) {
        std::unique_lock<std::mutex> lock(FLock);
        std::function<void()> call = std::move(FCalls.at(i));
        FCalls.erase(FCalls.begin() + static_cast<std::ptrdiff_t>(i));
        lock.unlock();
        call();
    }
    // Runs everything that is queued now.
    void Drain() {
        for (;;) {
            std::unique_lock<std::mutex> lock(FLock);
            if (FCalls.empty()) {
                return;
            }
            std::function<void()> call = std::move(FCalls.front());
            FCalls.pop_front();
            lock.unlock();
            call();
        }
    }

private:
    std::mutex FLock;
    std::condition_variable FPosted;
    std::deque<std::function<void()>> FCalls;
};

} // namespace skivra::test
