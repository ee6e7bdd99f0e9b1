#pragma once

// Fakes of the controller's engine, desktop and window. Each one writes what it is asked
// into one shared log, so a test reads the order of the calls of a whole opening.

#include "app/myPlayerServices.h"
#include "support/myUnicode.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace skivra::test {

struct FakeLog {
    bool bEnabled = true;
    std::vector<std::string> aCalls;
    void Add(std::string s) {
        if (bEnabled) {
            aCalls.push_back(std::move(s));
        }
    }
    // The calls that start with one of the prefixes, in order.
    std::vector<std::string> Only(const std::vector<std::string>& aPrefixes) const {
        std::vector<std::string> a;
        for (const std::string& s : aCalls) {
            for (const std::string& p : aPrefixes) {
                if (s.rfind(p, 0) == 0) {
                    a.push_back(s);
                    break;
                }
            }
        }
        return a;
    }
    bool Has(const std::string& s) const {
        for (const std::string& c : aCalls) {
            if (c == s) {
                return true;
            }
        }
        return false;
    }
};

// How a file behaves, as the record and the graph see it.
struct FakeFile {
    std::int32_t iMediaLength = 10;
    std::int32_t iWidth = 0;
    std::int32_t iHeight = 0;
    bool bRenders = true;
    double fDuration = 10.0;
    bool bConnected = true; // the picture reaches the sink (video files)
};

inline FakeFile VideoFile(double fDuration = 12.0) {
    return {static_cast<std::int32_t>(fDuration), 640, 360, true, fDuration, true};
}
inline FakeFile AudioFile(double fDuration = 8.0) {
    return {static_cast<std::int32_t>(fDuration), 0, 0, true, fDuration, false};
}
inline FakeFile NoLengthFile() {
    return {0, 0, 0, true, 5.0, false};
}

class FakeGraph : public TMyMediaGraph {
public:
    FakeGraph(FakeLog& log, const std::map<std::u16string, FakeFile>& files)
        : FLog(log), FFiles(files) {}
    ~FakeGraph() override { FLog.Add("~graph"); }

    void SetNotify(std::function<void()> fn) override { FfnNotify = std::move(fn); }
    bool GetEvent(std::int32_t& iCode) override {
        if (aEvents.empty()) {
            return false;
        }
        iCode = aEvents.front();
        aEvents.pop_front();
        return true;
    }
    bool RenderFile(const std::u16string& sFileName) override {
        FLog.Add("RenderFile " + Utf16ToUtf8(sFileName));
        auto it = FFiles.find(sFileName);
        if (it == FFiles.end() || !it->second.bRenders) {
            FError.sMessage = u"cannot render";
            return false;
        }
        FFile = it->second;
        return true;
    }
    bool HasVideo() const override { return FFile.iWidth > 0; }
    bool HasConnectedInput() const override { return FFile.iWidth > 0 && FFile.bConnected; }
    bool GetVideoSize(std::int32_t& w, std::int32_t& h) const override {
        w = FFile.iWidth;
        h = FFile.iHeight;
        return HasVideo();
    }
    std::u16string GetFrameRateText() const override { return u"29.97"; }
    void PutOwner(std::uint64_t iWindow) override {
        FLog.Add("PutOwner " + std::to_string(iWindow));
    }
    void SetWindowPosition(const TMyRect& rc) override {
        FLog.Add("SetWindowPosition " + std::to_string(rc.Left) + "," + std::to_string(rc.Top) +
                 "," + std::to_string(rc.Right) + "," + std::to_string(rc.Bottom));
    }
    bool Run() override {
        FLog.Add("Run");
        FState = State_Running;
        return true;
    }
    bool Pause() override {
        FLog.Add("Pause");
        FState = State_Paused;
        return true;
    }
    bool Stop() override {
        FLog.Add("Stop");
        FState = State_Stopped;
        return true;
    }
    bool StopWhenReady() override {
        FLog.Add("StopWhenReady");
        return true;
    }
    TMyGraphState GetState() const override { return FState; }
    double GetDuration() const override { return FFile.fDuration; }
    double GetCurrentPosition() const override { return fPosition; }
    bool PutCurrentPosition(double f) override {
        FLog.Add("PutCurrentPosition " + Number(f));
        fPosition = f < 0 ? 0 : f > FFile.fDuration ? FFile.fDuration : f;
        return true;
    }
    bool PutVolume(std::int32_t iVolume) override {
        FLog.Add("PutVolume " + std::to_string(iVolume));
        return iVolume >= VOLUME_SILENT && iVolume <= VOLUME_FULL;
    }
    bool PutMute(bool) override { return true; }
    void StopGraphAndDisconnect() override { FLog.Add("StopGraphAndDisconnect"); }
    const TMyGraphError& GetLastError() const override { return FError; }

    static std::string Number(double f) {
        std::string s = std::to_string(f);
        s.erase(s.find_last_not_of('0') + 1);
        if (!s.empty() && s.back() == '.') {
            s.pop_back();
        }
        return s;
    }

    // Queues events and tells the controller, as the real graph does from its bus.
    void Post(std::initializer_list<std::int32_t> aCodes) {
        aEvents.insert(aEvents.end(), aCodes);
        // The handler may destroy this graph: call a copy.
        if (std::function<void()> fn = FfnNotify) {
            fn();
        }
    }

    double fPosition = 0.0;
    std::deque<std::int32_t> aEvents;

private:
    FakeLog& FLog;
    const std::map<std::u16string, FakeFile>& FFiles;
    FakeFile FFile;
    TMyGraphState FState = State_Stopped;
    std::function<void()> FfnNotify;
    TMyGraphError FError;
};

class FakeEngine : public TMyPlayerEngine {
public:
    explicit FakeEngine(FakeLog& log) : FLog(log) {}

    TMyPlayerFileInfo ReadFileInfo(const std::u16string& sFileName) override {
        // How deep the controller's stack is at this point: a chain that nested one call
        // per entry would move this address further down at every entry.
        volatile char cMark = 0;
        const auto iAddress = reinterpret_cast<std::uintptr_t>(&cMark);
        iMinStack = std::min(iMinStack, iAddress);
        iMaxStack = std::max(iMaxStack, iAddress);
        ++iReads;
        FLog.Add("ReadFileInfo " + Utf16ToUtf8(sFileName));
        auto it = files.find(sFileName);
        if (it == files.end() || missing.contains(sFileName)) {
            return {};
        }
        return {it->second.iMediaLength, it->second.iWidth, it->second.iHeight, u"1.0MB"};
    }
    std::unique_ptr<TMyMediaGraph> NewFilterGraph() override {
        FLog.Add("NewFilterGraph");
        auto graph = std::make_unique<FakeGraph>(FLog, files);
        pLastGraph = graph.get();
        return graph;
    }

    std::map<std::u16string, FakeFile> files;
    // Files that are not there at all (a drive that is not mounted); every other name is,
    // whether it plays or not.
    std::set<std::u16string> missing;
    // The controller's test for a file being there.
    std::function<bool(const std::u16string&)> FileCheck() const {
        return [this](const std::u16string& s) {
            return !missing.contains(s);
        };
    }
    FakeGraph* pLastGraph = nullptr;
    std::int64_t iReads = 0;
    std::uintptr_t iMinStack = UINTPTR_MAX;
    std::uintptr_t iMaxStack = 0;

private:
    FakeLog& FLog;
};

class FakeDesktop : public TMyPlayerDesktop {
public:
    explicit FakeDesktop(FakeLog& log) : FLog(log) {}

    bool SubPlayerReady() override {
        FLog.Add("SubPlayerReady");
        return bSubPlayer;
    }
    std::uint64_t SubPlayerHwnd() override { return 777; }
    TMyRect MainWindowMonitorBounds() override { return rcMonitor; }
    void PlaceDesktopWindow(const TMyRect& rc) override {
        FLog.Add("PlaceDesktopWindow " + std::to_string(rc.Left) + "," + std::to_string(rc.Top) +
                 "," + std::to_string(rc.Right) + "," + std::to_string(rc.Bottom));
        bWindowShown = true;
    }
    void HideDesktopWindow() override {
        FLog.Add("HideDesktopWindow");
        bWindowShown = false;
    }
    std::uint64_t VideoPanelHandle() override { return 555; }
    TMyRect VideoPanelClientRect() override { return {0, 0, 114, 58}; }
    std::uint32_t OverlayKeyColour() override { return 0x100010; }
    bool ApplyVideoWallpaper(std::uint32_t clColor) override {
        FLog.Add("ApplyVideoWallpaper " + std::to_string(clColor));
        bApplied = bCanApply;
        return bCanApply;
    }
    void ReleaseVideoWallpaper() override {
        FLog.Add("ReleaseVideoWallpaper");
        bApplied = false;
    }

    bool bSubPlayer = true;
    bool bCanApply = true; // false: the user's wallpaper cannot be kept
    TMyRect rcMonitor{1920, 0, 3200, 1024};
    bool bApplied = false;
    bool bWindowShown = false;

private:
    FakeLog& FLog;
};

class FakeView : public TMyPlayerView {
public:
    explicit FakeView(FakeLog& log) : FLog(log) {}

    void SetCaption(const std::u16string& s) override { sCaption = s; }
    void SetTimeLabel(const std::u16string& s) override { sTimeLabel = s; }
    void SetInfoLabel(const std::u16string& s) override { sInfoLabel = s; }
    std::u16string InfoLabel() const override { return sInfoLabel; }
    void SetStatusText(const std::u16string& s) override {
        sStatus = s;
        FLog.Add("Status " + Utf16ToUtf8(s));
    }
    void ShowMessage(const std::u16string& s) override {
        FLog.Add("Message " + Utf16ToUtf8(s));
        aMessages.push_back(s);
    }
    bool ConfirmYesCancel(const std::u16string& s) override {
        FLog.Add("Confirm " + Utf16ToUtf8(s));
        aQuestions.push_back(s);
        return bAnswerYes;
    }
    void SetSeekMax(std::int32_t i) override { iSeekMax = i; }
    void SetSeekPosition(std::int32_t i) override {
        iSeekPosition = i < 0 ? 0 : i > iSeekMax ? iSeekMax : i;
    }
    std::int32_t SeekPosition() const override { return iSeekPosition; }
    bool SeekThumbHeld() const override { return bThumbHeld; }
    std::int32_t VolumePosition() const override { return iVolume; }
    void EnableTimer(bool b) override { bTimer = b; }
    bool TimerEnabled() const override { return bTimer; }
    bool RandomChecked() const override { return bRandom; }
    bool ConfirmErrChecked() const override { return bConfirmErr; }
    bool MuteChecked() const override { return bMute; }
    void SetMuteImage(bool b) override { bMuteImage = b; }
    TMySkipKeys SkipKeys() const override { return keys; }
    std::int32_t FocusedIndex() const override { return iFocused; }
    void SetFocusedIndex(std::int32_t i) override { iFocused = i; }
    std::int32_t FocusedSelection() const override { return iSelection; }
    void OpenFile(bool bShowDialog) override {
        FLog.Add(bShowDialog ? "OpenFile dialog" : "OpenFile names");
    }
    void RefreshActions() override {}
    void RepaintList() override {}
    void RefreshPlaylist() override { FLog.Add("RefreshPlaylist"); }
    void RefreshInfo() override { FLog.Add("RefreshInfo"); }
    bool InfoTitleEmpty() const override { return false; }
    void ClearInfo() override { FLog.Add("ClearInfo"); }
    void ProcessMessages() override {}
    void BeginFunc() override { ++iBusy; }
    void EndFunc() override { --iBusy; }
    bool IsInFunc() const override { return iBusy > 0; }

    std::u16string sCaption, sTimeLabel, sInfoLabel, sStatus;
    std::vector<std::u16string> aMessages, aQuestions;
    bool bAnswerYes = true;
    std::int32_t iSeekMax = 0, iSeekPosition = 0, iVolume = 100;
    bool bThumbHeld = false, bTimer = false, bRandom = false, bConfirmErr = false;
    bool bMute = false, bMuteImage = false;
    TMySkipKeys keys;
    std::int32_t iFocused = -1, iSelection = -1;
    int iBusy = 0;

private:
    FakeLog& FLog;
};

} // namespace skivra::test
