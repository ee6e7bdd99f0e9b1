#pragma once

#include "media/myTag.h"

#include <atomic>
#include <memory>
#include <string>

namespace skivra {

class T_MyInfoGet;

// The main window's side of the background fetcher. Both calls run on the UI thread, the
// first before the second, and never after the fetcher was told to terminate or the
// application began terminating. ATag is the fetcher's record, valid for the call only;
// null means "use the record the playlist entry already holds".
class TMyInfoGetSink {
public:
    virtual ~TMyInfoGetSink() = default;
    // The tag fields are ready.
    virtual void SetInfo(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) = 0;
    // Duration, video size and frame rate are ready.
    virtual void SetInfo2(T_MyInfoGet& Sender, int iIndex, const TMyTag* ATag) = 0;
};

// Gathers the media information of one playlist entry on a short-lived thread of its own,
// so that the window stays responsive, and reports it through RunOnUiThread
// (support/myEventHook.h). The thread touches only its own record and the file system; it
// frees itself when done. Several fetchers may run at once.
class T_MyInfoGet : public std::enable_shared_from_this<T_MyInfoGet> {
public:
    // UI thread. pEntryRecord is the media record of playlist entry iIndex, or null; it is
    // read here only, before the thread starts. A record made from this very file (same
    // name ignoring case, a stored title, the file's present write time) is not read again:
    // it is only completed by the probe when its duration is missing, and otherwise both
    // reports come at once with no record. The sink must outlive every report, or
    // terminate the fetcher (through the answer, best held weakly) before it goes.
    static std::shared_ptr<T_MyInfoGet> Start(TMyInfoGetSink& sink, int iIndex,
                                              std::u16string sFileName,
                                              const TMyCustomTag* pEntryRecord);

    // Any thread: the reports still to come are dropped.
    void Terminate() { FbTerminated.store(true); }
    bool Terminated() const { return FbTerminated.load(); }
    int Index() const { return FiIndex; }
    const std::u16string& FileName() const { return FsFileName; }

    // Waits until every fetcher's thread has ended; for the application's exit (after
    // SetTerminating) and for tests. Reports still queued to the UI thread may run later.
    static void WaitForAll();

private:
    T_MyInfoGet(TMyInfoGetSink& sink, int iIndex, std::u16string sFileName,
                const TMyCustomTag* pEntryRecord);
    void Execute();
    bool Stopped() const;
    void Report(bool bSecond, std::shared_ptr<const TMyTag> tag);

    TMyInfoGetSink& FSink;
    const int FiIndex;
    const std::u16string FsFileName;
    std::shared_ptr<TMyTag> FTag;
    bool FbCreateTag = true;
    bool FbUpdateVideoSize = false;
    std::atomic<bool> FbTerminated{false};
};

} // namespace skivra
