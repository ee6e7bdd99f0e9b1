#include "media/info_get.h"

#include "lists/myString.h"
#include "support/myEventHook.h"
#include "support/myFile.h"

#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>

namespace skivra {

namespace {

// The fetchers' threads. A thread marks itself done as its last step; finished ones are
// joined whenever a new one starts, so the list stays short, and all at WaitForAll.
struct TFetcherThread {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> bDone;
};

// Neither is ever destroyed. The program can end through exit() while fetchers run (Qt
// ends it so when the X connection is lost), and destroying a std::thread that was not
// joined aborts the program; the threads end with the process instead.
std::mutex& g_threadsLock = *new std::mutex;
std::list<TFetcherThread>& g_threads = *new std::list<TFetcherThread>;

} // namespace

T_MyInfoGet::T_MyInfoGet(TMyInfoGetSink& sink, int iIndex, std::u16string sFileName,
                         const TMyCustomTag* pEntryRecord)
    : FSink(sink), FiIndex(iIndex), FsFileName(std::move(sFileName)) {
    if (pEntryRecord && FileExistsEx(FsFileName) &&
        SameTextAscii(pEntryRecord->FileName(), FsFileName) && !pEntryRecord->RawTitle().empty() &&
        static_cast<std::uint64_t>(pEntryRecord->FileWriteTimeInt()) ==
            GetFileWriteTime64(FsFileName)) {
        FbCreateTag = false;
        if (pEntryRecord->MediaDuration() < 0.001) {
            FTag = std::make_shared<TMyTag>();
            FTag->Assign(*pEntryRecord);
            FbUpdateVideoSize = true;
        }
    }
}

std::shared_ptr<T_MyInfoGet> T_MyInfoGet::Start(TMyInfoGetSink& sink, int iIndex,
                                                std::u16string sFileName,
                                                const TMyCustomTag* pEntryRecord) {
    std::shared_ptr<T_MyInfoGet> fetcher(
        new T_MyInfoGet(sink, iIndex, std::move(sFileName), pEntryRecord));
    auto bDone = std::make_shared<std::atomic<bool>>(false);
    std::list<TFetcherThread> finished;
    {
        const std::lock_guard<std::mutex> lock(g_threadsLock);
        for (auto it = g_threads.begin(); it != g_threads.end();) {
            const auto next = std::next(it);
            if (it->bDone->load()) {
                finished.splice(finished.end(), g_threads, it);
            }
            it = next;
        }
        g_threads.push_back({std::thread([fetcher, bDone]() mutable {
                                 fetcher->Execute();
                                 fetcher.reset();
                                 bDone->store(true);
                             }),
                             bDone});
    }
    for (TFetcherThread& done : finished) {
        done.thread.join();
    }
    return fetcher;
}

void T_MyInfoGet::WaitForAll() {
    std::list<TFetcherThread> threads;
    {
        const std::lock_guard<std::mutex> lock(g_threadsLock);
        threads.swap(g_threads);
    }
    for (TFetcherThread& fetcher : threads) {
        fetcher.thread.join();
    }
}

bool T_MyInfoGet::Stopped() const {
    return Terminated() || IsTerminating();
}

void T_MyInfoGet::Report(bool bSecond, std::shared_ptr<const TMyTag> tag) {
    if (Stopped()) {
        return;
    }
    // The call holds the fetcher and the record until it has run (or been dropped), so the
    // thread may end before its reports are delivered.
    RunOnUiThread([self = shared_from_this(), bSecond, tag = std::move(tag)] {
        if (self->Stopped()) {
            return;
        }
        if (bSecond) {
            self->FSink.SetInfo2(*self, self->FiIndex, tag.get());
        } else {
            self->FSink.SetInfo(*self, self->FiIndex, tag.get());
        }
    });
}

void T_MyInfoGet::Execute() {
    if (Stopped()) {
        return;
    }
    if (FbCreateTag) {
        FTag = std::make_shared<TMyTag>(FsFileName);
    }
    if (!FbCreateTag && !FbUpdateVideoSize) {
        Report(false, nullptr);
        Report(true, nullptr);
        return;
    }
    // The first report gets a copy: the probe below goes on changing this thread's record
    // while the UI thread reads the tag fields.
    auto tagFields = std::make_shared<TMyTag>();
    tagFields->Assign(*FTag);
    Report(false, std::move(tagFields));
    if (Stopped()) {
        return;
    }
    FTag->GetVideoSize();
    Report(true, std::move(FTag));
}

} // namespace skivra
