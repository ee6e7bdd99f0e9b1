#include "app/myPlayerController.h"

#include <gtest/gtest.h>

#include "app/fakePlayer.h"
#include "lists/listEntries.h"
#include "lists/myWStrings.h"

namespace skivra::test {
namespace {

using S = std::vector<std::string>;

class PlayerControllerTest : public ::testing::Test {
protected:
    PlayerControllerTest() : engine(log), desktop(log), view(log) {
        controller.SetProductName(u"Skivra");
        controller.SetFileCheck(engine.FileCheck());
    }

    // Adds the files to the playlist and to what the engine knows.
    void Add(const std::u16string& sName, const FakeFile& file) {
        playlist.Add(sName);
        engine.files[sName] = file;
    }
    void PlayEntry(std::int32_t iIndex) {
        controller.SetItemIndex(iIndex);
        controller.PlayMedia(playlist.Get(iIndex));
    }
    std::string Playing() const {
        return controller.IsGraphLoaded() ? Utf16ToUtf8(controller.FileName()) : "";
    }

    FakeLog log;
    FakeEngine engine;
    FakeDesktop desktop;
    FakeView view;
    TMyWStrings playlist;
    TMyPlayerController controller{playlist, engine, desktop, view};
};

TEST_F(PlayerControllerTest, VideoOnTheDesktopInOrder) {
    Add(u"/m/clip.mp4", VideoFile(12.5));
    controller.SetResumePos(3.0);
    PlayEntry(0);

    EXPECT_EQ(log.aCalls,
              (S{"ReadFileInfo /m/clip.mp4", "NewFilterGraph", "SetWindowPosition 0,0,1280,1024",
                 "SubPlayerReady", "PutOwner 777", "RenderFile /m/clip.mp4", "PutCurrentPosition 3",
                 "PlaceDesktopWindow 1920,0,3200,1024", "SetWindowPosition 0,0,1280,1024",
                 "PutVolume 0", "Run", "ApplyVideoWallpaper 1048592"}));
    EXPECT_TRUE(view.bTimer);
    EXPECT_EQ(view.iSeekMax, 125);
    EXPECT_EQ(view.sInfoLabel, u"640x360 29.97fps 13秒 1.0MB");
    EXPECT_EQ(view.sCaption, u"Skivra/clip");
    EXPECT_EQ(view.iFocused, 0); // nothing was focused: the first entry is
    EXPECT_EQ(controller.ResumePos(), 0.0);
    EXPECT_FALSE(controller.MediaEndedFlag());
    EXPECT_EQ(view.iBusy, 0);
}

TEST_F(PlayerControllerTest, AudioGivesTheWallpaperBackAndTheNextVideoTakesItAgain) {
    Add(u"/m/a.mp4", VideoFile());
    Add(u"/m/b.mp3", AudioFile());
    Add(u"/m/c.mp4", VideoFile());
    PlayEntry(0);
    EXPECT_TRUE(desktop.bApplied);
    EXPECT_TRUE(desktop.bWindowShown);

    log.aCalls.clear();
    controller.Action_Play_NextExecute(TMyPlaySender::Action);
    EXPECT_EQ(Playing(), "/m/b.mp3");
    EXPECT_FALSE(desktop.bApplied);
    EXPECT_FALSE(desktop.bWindowShown);
    EXPECT_TRUE(log.Only({"PutOwner", "SubPlayerReady"}).empty());
    EXPECT_EQ(view.sInfoLabel, u"8秒 1.0MB");

    controller.Action_Play_NextExecute(TMyPlaySender::Action);
    EXPECT_EQ(Playing(), "/m/c.mp4");
    EXPECT_TRUE(desktop.bApplied);
    EXPECT_TRUE(desktop.bWindowShown);
}

// A desktop whose wallpaper cannot be kept is not taken over: the video plays in its window
// and the status bar says why the wallpaper stayed.
TEST_F(PlayerControllerTest, AWallpaperThatCannotBeKeptIsLeftAndSaidSo) {
    Add(u"/m/clip.mp4", VideoFile());
    desktop.bCanApply = false;
    PlayEntry(0);
    EXPECT_EQ(Playing(), "/m/clip.mp4");
    EXPECT_TRUE(desktop.bWindowShown);
    EXPECT_EQ(view.sStatus, TMyPlayerController::kWallpaperKeptStatus);
}

TEST_F(PlayerControllerTest, WithoutSubPlayerTheVideoGoesToThePanelAndTheDesktopStaysTheUsers) {
    for (bool bConfirm : {false, true}) {
        SCOPED_TRACE(bConfirm);
        log.aCalls.clear();
        playlist.Clear();
        view.aMessages.clear();
        view.sStatus.clear();
        Add(u"/m/v.mp4", VideoFile());
        desktop.bSubPlayer = false;
        view.bConfirmErr = bConfirm;
        PlayEntry(0);

        EXPECT_EQ(log.Only({"PutOwner", "SetWindowPosition", "ApplyVideo", "ReleaseVideo"}),
                  (S{"SetWindowPosition 0,0,1280,1024", "PutOwner 555",
                     "SetWindowPosition 0,0,114,58", "ReleaseVideoWallpaper"}));
        // A sub-player that does not come is waited for once per file, not once per step.
        EXPECT_EQ(log.Only({"SubPlayerReady"}).size(), 1u);
        if (bConfirm) {
            EXPECT_EQ(view.aMessages,
                      std::vector<std::u16string>{TMyPlayerController::kDesktopFailedBox});
        } else {
            EXPECT_EQ(view.sStatus, TMyPlayerController::kDesktopFailedStatus);
        }
        EXPECT_EQ(Playing(), "/m/v.mp4");
    }
}

TEST_F(PlayerControllerTest, VideoThatNeverReachesTheSinkIsShownNowhere) {
    FakeFile file = VideoFile();
    file.bConnected = false;
    Add(u"/m/v.mp4", file);
    PlayEntry(0);
    // The picture cannot reach the desktop window: the panel takes it and the desktop keeps
    // its own wallpaper.
    EXPECT_TRUE(log.Has("PutOwner 555"));
    EXPECT_FALSE(desktop.bApplied);
    EXPECT_TRUE(log.Has("Run"));
}

TEST_F(PlayerControllerTest, RecordWithoutLengthIsRefusedBeforeAnyGraph) {
    Add(u"/m/broken.mp4", NoLengthFile());
    Add(u"/m/good.mp3", AudioFile());
    PlayEntry(0);

    EXPECT_EQ(log.Only({"ReadFileInfo", "NewFilterGraph", "RenderFile", "Status"}),
              (S{"ReadFileInfo /m/broken.mp4", "Status broken.mp4 をリストから削除しました",
                 "ReadFileInfo /m/good.mp3", "NewFilterGraph", "RenderFile /m/good.mp3"}));
    EXPECT_EQ(playlist.Count(), 1);
    EXPECT_EQ(controller.ItemIndex(), 0);
    EXPECT_EQ(Playing(), "/m/good.mp3");
}

TEST_F(PlayerControllerTest, UnrenderableFileIsDroppedAndTheFollowingOnePlays) {
    Add(u"/m/a.mp3", AudioFile());
    FakeFile bad = VideoFile();
    bad.bRenders = false;
    Add(u"/m/bad.wmv", bad);
    Add(u"/m/c.mp3", AudioFile());
    PlayEntry(1);
    EXPECT_EQ(Entries(playlist), (std::vector<std::u16string>{u"/m/a.mp3", u"/m/c.mp3"}));
    EXPECT_EQ(controller.ItemIndex(), 1);
    EXPECT_EQ(Playing(), "/m/c.mp3");
}

TEST_F(PlayerControllerTest, ConfirmationAsksAndCancelKeepsTheEntryWithNothingPlaying) {
    Add(u"/m/v.mp4", VideoFile());
    Add(u"/m/dir/x.avi", NoLengthFile());
    view.bConfirmErr = true;
    PlayEntry(0);
    ASSERT_TRUE(desktop.bApplied);

    view.bAnswerYes = false;
    controller.Action_Play_NextExecute(TMyPlaySender::Action);
    EXPECT_EQ(view.aQuestions,
              std::vector<std::u16string>{
                  u"x.avi\rは再生できないためリストから削除します\rよろしいですか"});
    EXPECT_EQ(playlist.Count(), 2);
    EXPECT_FALSE(controller.IsGraphLoaded());
    // Nothing plays, so the desktop does not keep showing the bare key colour.
    EXPECT_FALSE(desktop.bApplied);
    EXPECT_FALSE(desktop.bWindowShown);

    view.bAnswerYes = true;
    controller.Action_Play_NextExecute(TMyPlaySender::Action); // wraps to v.mp4
    controller.Action_Play_NextExecute(TMyPlaySender::Action); // x.avi again, now dropped
    EXPECT_EQ(Entries(playlist), std::vector<std::u16string>{u"/m/v.mp4"});
    EXPECT_EQ(Playing(), "/m/v.mp4");
}

TEST_F(PlayerControllerTest, NextAndBackWrapAround) {
    struct Case {
        std::int32_t iCount;
        std::int32_t iFrom;
        TMyPlaySender sender;
        std::int32_t iExpected;
    };
    const Case cases[] = {
        {3, -1, TMyPlaySender::Action, 0}, // after stop: the first entry
        {3, -1, TMyPlaySender::Back, 1},   // after stop: two before the end
        {5, -1, TMyPlaySender::Back, 3},   //
        {3, 2, TMyPlaySender::Action, 0},  // after the last comes the first
        {3, 0, TMyPlaySender::Back, 2},    // before the first comes the last
        {3, 1, TMyPlaySender::None, 2},    // from code: forward
        {1, 0, TMyPlaySender::Action, 0},  // one entry replays
        {1, 0, TMyPlaySender::Back, 0},    //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.iCount << " from " << c.iFrom);
        playlist.Clear();
        for (std::int32_t i = 0; i < c.iCount; ++i) {
            Add(u"/m/" + std::u16string(1, char16_t(u'a' + i)) + u".mp3", AudioFile());
        }
        controller.SetItemIndex(c.iFrom);
        controller.Action_Play_NextExecute(c.sender);
        EXPECT_EQ(controller.ItemIndex(), c.iExpected);
        EXPECT_EQ(controller.FileName(), playlist.Get(c.iExpected));
        EXPECT_TRUE(controller.IsGraphLoaded());
    }
}

TEST_F(PlayerControllerTest, RandomAvoidsOnlyTheImmediateRepeat) {
    for (int i = 0; i < 4; ++i) {
        Add(u"/m/" + std::u16string(1, char16_t(u'a' + i)) + u".mp3", AudioFile());
    }
    view.bRandom = true;
    std::deque<std::int32_t> draws{2, 2, 2, 1, 2, 9};
    controller.SetRandom([&](std::int32_t iCount) {
        EXPECT_EQ(iCount, 4);
        const std::int32_t i = draws.front();
        draws.pop_front();
        return i;
    });
    controller.SetItemIndex(2);
    controller.Action_Play_NextExecute(TMyPlaySender::Back); // 2, 2, 2 redrawn; then 1
    EXPECT_EQ(controller.ItemIndex(), 1);
    controller.Action_Play_NextExecute(TMyPlaySender::Action); // 2
    EXPECT_EQ(controller.ItemIndex(), 2);
    controller.Action_Play_NextExecute(TMyPlaySender::Action); // 9 is outside: wrapped to 1
    EXPECT_EQ(controller.ItemIndex(), 1);

    playlist.Clear();
    Add(u"/m/only.mp3", AudioFile());
    controller.SetRandom([](std::int32_t) -> std::int32_t {
        ADD_FAILURE() << "one entry needs no draw";
        return 0;
    });
    controller.SetItemIndex(0);
    controller.Action_Play_NextExecute(TMyPlaySender::Action);
    EXPECT_EQ(controller.ItemIndex(), 0);
}

TEST_F(PlayerControllerTest, SkipChainEndsAfterOnePassOverTheList) {
    FakeFile empty = AudioFile();
    empty.fDuration = 0.0; // a length in the record, none in the graph
    for (int i = 0; i < 5; ++i) {
        Add(u"/m/" + std::u16string(1, char16_t(u'a' + i)) + u".mp3", empty);
    }
    PlayEntry(0);
    EXPECT_FALSE(controller.IsGraphLoaded());
    EXPECT_EQ(view.sStatus, TMyPlayerController::kNothingPlayable);
    EXPECT_EQ(engine.iReads, 6);    // the first entry once more, then the chain stops
    EXPECT_EQ(playlist.Count(), 5); // skipped, not dropped
    EXPECT_FALSE(desktop.bApplied);
}

TEST_F(PlayerControllerTest, ResumePositionBeyondTheEndSkipsOnceThenPlays) {
    Add(u"/m/short.mp3", AudioFile(8.0));
    controller.SetResumePos(30.0);
    PlayEntry(0);
    EXPECT_EQ(Playing(), "/m/short.mp3");
    EXPECT_EQ(log.Only({"PutCurrentPosition"}), S{"PutCurrentPosition 0"});
    EXPECT_EQ(engine.iReads, 2);
    EXPECT_TRUE(view.sStatus.empty());
}

TEST_F(PlayerControllerTest, TenThousandUnplayableEntriesNeitherNestNorLoop) {
    log.bEnabled = false;
    for (int i = 0; i < 10000; ++i) {
        Add(u"/m/bad" + std::u16string(1, char16_t(u'0' + i % 10)) + u".mp4", NoLengthFile());
    }
    // Random play that always draws one of the last two entries: each drop then removes an
    // entry near the end, which keeps ten thousand removals quick under the sanitizers.
    view.bRandom = true;
    controller.SetRandom([&](std::int32_t iCount) {
        return controller.ItemIndex() == iCount - 1 ? iCount - 2 : iCount - 1;
    });
    PlayEntry(9999);
    EXPECT_EQ(playlist.Count(), 0);
    EXPECT_EQ(engine.iReads, 10000);
    EXPECT_FALSE(controller.IsGraphLoaded());
    EXPECT_FALSE(desktop.bApplied);
    // Every entry was opened from the same depth of the stack.
    EXPECT_LT(engine.iMaxStack - engine.iMinStack, 1024u);
    EXPECT_EQ(view.iBusy, 0);
}

TEST_F(PlayerControllerTest, EndReportedTwiceAdvancesOnce) {
    Add(u"/m/a.mp3", AudioFile(8.0));
    Add(u"/m/b.mp3", AudioFile(8.0));
    Add(u"/m/c.mp3", AudioFile(8.0));
    PlayEntry(0);
    engine.pLastGraph->fPosition = 8.0;
    controller.Timer_TimeTimer(); // the tick notices the end
    EXPECT_EQ(controller.ItemIndex(), 1);
    EXPECT_TRUE(controller.IsGraphLoaded());

    // The tick and the completion event both report the end of b.
    engine.pLastGraph->fPosition = 8.0;
    engine.pLastGraph->aEvents.push_back(EC_COMPLETE);
    controller.Timer_TimeTimer();
    EXPECT_EQ(controller.ItemIndex(), 2);
    controller.MediaEnded(); // c has not ended: this one counts
    EXPECT_EQ(controller.ItemIndex(), 0);
    engine.pLastGraph->Post({EC_COMPLETE, EC_COMPLETE});
    EXPECT_EQ(controller.ItemIndex(), 1);
}

TEST_F(PlayerControllerTest, PausedAtTheEndTheTickMovesOn) {
    Add(u"/m/a.mp3", AudioFile(8.0));
    Add(u"/m/b.mp3", AudioFile(8.0));
    PlayEntry(0);
    engine.pLastGraph->fPosition = 8.0;
    controller.Action_Play_PauseExecute(TMyPlaySender::Action);
    EXPECT_EQ(controller.ItemIndex(), 1);
}

TEST_F(PlayerControllerTest, TickShowsTimeAndMovesTheBarUnlessHeld) {
    Add(u"/m/a.mp3", AudioFile(3723.0));
    PlayEntry(0);
    engine.pLastGraph->fPosition = 65.46;
    controller.Timer_TimeTimer();
    EXPECT_EQ(view.sTimeLabel, u"1:05/1:02:03");
    EXPECT_EQ(view.iSeekPosition, 654);
    view.bThumbHeld = true;
    engine.pLastGraph->fPosition = 70.0;
    controller.Timer_TimeTimer();
    EXPECT_EQ(view.iSeekPosition, 654);
    EXPECT_EQ(view.sTimeLabel, u"1:10/1:02:03");
}

TEST_F(PlayerControllerTest, VolumeAndMute) {
    Add(u"/m/a.mp3", AudioFile());
    PlayEntry(0);
    const std::pair<std::int32_t, std::int32_t> cases[] = {{100, 0},   {50, -693},  {10, -2303},
                                                           {1, -4605}, {0, -10000}, {-5, -10000}};
    for (auto [iPosition, iVolume] : cases) {
        log.aCalls.clear();
        view.iVolume = iPosition;
        controller.Action_Play_MuteExecute(TMyPlaySender::None);
        EXPECT_EQ(log.aCalls, S{"PutVolume " + std::to_string(iVolume)}) << iPosition;
    }
    view.iVolume = 80;
    view.bMute = true;
    log.aCalls.clear();
    controller.Action_Play_MuteExecute(TMyPlaySender::Action);
    view.iVolume = 30; // the bar moves while muted
    controller.Action_Play_MuteExecute(TMyPlaySender::None);
    EXPECT_EQ(log.aCalls, (S{"PutVolume -10000", "PutVolume -10000"}));
    EXPECT_TRUE(view.bMuteImage);
    view.bMute = false;
    log.aCalls.clear();
    controller.Action_Play_MuteExecute(TMyPlaySender::Action);
    EXPECT_EQ(log.aCalls, S{"PutVolume -1204"});
    EXPECT_FALSE(view.bMuteImage);
}

TEST_F(PlayerControllerTest, SkipStepsFollowTheKeys) {
    Add(u"/m/a.mp3", AudioFile(100.0));
    PlayEntry(0);
    struct Case {
        bool bShift, bCtrl;
        TMyPlaySender sender;
        const char* sSeek; // nullptr: no seek
    };
    const Case cases[] = {
        {false, false, TMyPlaySender::SkipBack, "PutCurrentPosition -17.5"},
        {false, true, TMyPlaySender::SkipBack, "PutCurrentPosition 11.5"},
        {true, false, TMyPlaySender::SkipNext, "PutCurrentPosition 102.5"},
        {true, true, TMyPlaySender::SkipNext, "PutCurrentPosition 22.5"},
        {false, false, TMyPlaySender::Action, nullptr},
    };
    for (const Case& c : cases) {
        view.iSeekMax = 1000;
        view.iSeekPosition = 125;
        view.keys = {c.bShift, c.bCtrl};
        log.aCalls.clear();
        controller.Action_Play_SkipBackExecute(c.sender);
        EXPECT_EQ(log.Only({"PutCurrentPosition"}), c.sSeek ? S{c.sSeek} : S{});
        EXPECT_TRUE(view.bTimer);
    }
    // Inside a busy section the command does nothing.
    view.iBusy = 1;
    log.aCalls.clear();
    controller.Action_Play_SkipBackExecute(TMyPlaySender::SkipNext);
    EXPECT_TRUE(log.aCalls.empty());
}

TEST_F(PlayerControllerTest, ErrorWhilePlayingMovesOn) {
    Add(u"/m/a.mp4", VideoFile());
    Add(u"/m/b.mp4", VideoFile());
    PlayEntry(0);
    engine.pLastGraph->Post({EC_ERRORABORT});
    EXPECT_EQ(Entries(playlist), std::vector<std::u16string>{u"/m/b.mp4"});
    EXPECT_EQ(Playing(), "/m/b.mp4");
    EXPECT_TRUE(desktop.bApplied);
}

// A drive that is not mounted: its files are not unplayable, they are not there now. They
// are skipped with a word in the status bar and stay in the list, asked about or not.
TEST_F(PlayerControllerTest, MissingFilesAreSkippedAndKept) {
    for (const bool bConfirm : {false, true}) {
        SCOPED_TRACE(bConfirm);
        playlist.Clear();
        log.aCalls.clear();
        view.bConfirmErr = bConfirm;
        Add(u"/media/usb/a.mp4", VideoFile());
        Add(u"/media/usb/b.mp4", VideoFile());
        Add(u"/m/c.mp3", AudioFile());
        engine.missing = {u"/media/usb/a.mp4", u"/media/usb/b.mp4"};
        PlayEntry(0);
        EXPECT_EQ(Playing(), "/m/c.mp3");
        EXPECT_EQ(playlist.Count(), 3);
        EXPECT_EQ(view.sStatus, u"b.mp4 が見つからないため飛ばしました");
        EXPECT_TRUE(log.Only({"Confirm"}).empty());

        // The file goes away while it plays (the drive is pulled): the same.
        engine.missing.insert(u"/m/c.mp3");
        engine.pLastGraph->Post({EC_ERRORABORT});
        EXPECT_EQ(playlist.Count(), 3);
        EXPECT_FALSE(controller.IsGraphLoaded());
        EXPECT_EQ(view.sStatus, TMyPlayerController::kNothingPlayable);
        EXPECT_TRUE(log.Only({"Confirm"}).empty());
    }
}

// An address that does not open (a stream that is down, a scheme no decoder knows) is no
// file on an unmounted drive: stat cannot see it either way, so it must not count as
// missing and be skipped and kept for ever. It is an entry that cannot be played.
TEST_F(PlayerControllerTest, AddressesThatFailAreUnplayableNotMissing) {
    Add(u"rtsp://cam.example/live", VideoFile());
    Add(u"https://radio.example/a.pls", AudioFile());
    Add(u"/m/c.mp3", AudioFile());
    engine.missing = {u"rtsp://cam.example/live", u"https://radio.example/a.pls"};
    PlayEntry(0);
    EXPECT_EQ(Entries(playlist), std::vector<std::u16string>{u"/m/c.mp3"});
    EXPECT_EQ(Playing(), "/m/c.mp3");

    // A stream that breaks while it plays: the same.
    playlist.Clear();
    Add(u"mms://radio.example/live", AudioFile());
    Add(u"/m/c.mp3", AudioFile());
    PlayEntry(0);
    engine.missing.insert(u"mms://radio.example/live");
    engine.pLastGraph->Post({EC_ERRORABORT});
    EXPECT_EQ(Entries(playlist), std::vector<std::u16string>{u"/m/c.mp3"});
    EXPECT_EQ(Playing(), "/m/c.mp3");
}

// Every entry missing, in order and at random: the chain stops after one pass over the
// list with a word in the status bar, the list whole.
TEST_F(PlayerControllerTest, AListOfMissingFilesEndsAfterOnePass) {
    log.bEnabled = false;
    for (int i = 0; i < 200; ++i) {
        const std::u16string sName = u"/media/usb/" + std::u16string(1, char16_t(u'a' + i % 26)) +
                                     Utf8ToUtf16(std::to_string(i)).value() + u".mp4";
        Add(sName, VideoFile());
        engine.missing.insert(sName);
    }
    for (const bool bRandom : {false, true}) {
        view.bRandom = bRandom;
        engine.iReads = 0;
        std::int32_t iDraw = 0;
        controller.SetRandom([&](std::int32_t iCount) { return iDraw++ % iCount; });
        PlayEntry(0);
        EXPECT_FALSE(controller.IsGraphLoaded());
        EXPECT_EQ(playlist.Count(), 200);
        EXPECT_EQ(engine.iReads, 201);
        EXPECT_EQ(view.sStatus, TMyPlayerController::kNothingPlayable);
        EXPECT_FALSE(desktop.bApplied);
        EXPECT_EQ(view.iBusy, 0);
    }
}

TEST_F(PlayerControllerTest, ClockThenPauseRefreshesTheInfoOnce) {
    Add(u"/m/a.mp3", AudioFile());
    PlayEntry(0);
    log.aCalls.clear();
    engine.pLastGraph->Post({EC_PAUSED, EC_CLOCK_CHANGED, EC_PAUSED, EC_PAUSED, 99});
    EXPECT_EQ(log.Only({"RefreshInfo"}), S{"RefreshInfo"});
}

TEST_F(PlayerControllerTest, TransportCommands) {
    Add(u"/m/a.mp3", AudioFile());
    Add(u"/m/b.mp4", VideoFile());

    // Without a graph, play opens the names of the open dialog; play/pause without a
    // selection shows the dialog, with one plays it.
    controller.Action_Play_PlayExecute(TMyPlaySender::Action);
    controller.Action_Play_PlayPauseExecute(TMyPlaySender::Action);
    EXPECT_EQ(log.Only({"OpenFile"}), (S{"OpenFile names", "OpenFile dialog"}));
    view.iSelection = 1;
    controller.Action_Play_PlayPauseExecute(TMyPlaySender::Action);
    EXPECT_EQ(Playing(), "/m/b.mp4");
    EXPECT_EQ(controller.ItemIndex(), 1);

    log.aCalls.clear();
    controller.Action_Play_PlayPauseExecute(TMyPlaySender::Action);
    EXPECT_FALSE(view.bTimer);
    controller.Action_Play_PlayPauseExecute(TMyPlaySender::Action);
    EXPECT_TRUE(view.bTimer);
    controller.Action_Play_ReplayExecute(TMyPlaySender::Action);
    EXPECT_EQ(log.Only({"Run", "Pause", "Stop", "PutCurrentPosition"}),
              (S{"Pause", "Run", "Stop", "StopWhenReady", "PutCurrentPosition 0", "Run"}));

    controller.Action_Play_StopExecute(TMyPlaySender::Action);
    EXPECT_FALSE(controller.IsGraphLoaded());
    EXPECT_EQ(controller.ItemIndex(), -1);
    EXPECT_EQ(controller.FileName(), u"/m/b.mp4"); // kept for the sort and the settings
    EXPECT_FALSE(desktop.bApplied);
    EXPECT_FALSE(view.bTimer);
    EXPECT_EQ(view.sCaption, u"Skivra");

    controller.Action_Play_NextExecute(TMyPlaySender::Action);
    EXPECT_EQ(Playing(), "/m/a.mp3");
}

TEST_F(PlayerControllerTest, DeletingThePlayingLastEntryEmptiesEverything) {
    Add(u"/m/a.mp4", VideoFile());
    PlayEntry(0);
    controller.Action_List_DeletePlayingExecute(TMyPlaySender::Action);
    EXPECT_EQ(playlist.Count(), 0);
    EXPECT_FALSE(controller.IsGraphLoaded());
    EXPECT_TRUE(log.Has("ClearInfo"));
    EXPECT_FALSE(desktop.bApplied);
    EXPECT_EQ(controller.ItemIndex(), -1);
}

} // namespace
} // namespace skivra::test
