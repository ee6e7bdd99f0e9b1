#include "app/myPlaylistCommands.h"

#include <gtest/gtest.h>

#include <set>

#include "app/fakePlayer.h"
#include "app/myPlayerController.h"
#include "lists/listEntries.h"
#include "lists/myWStrings.h"

namespace skivra::test {
namespace {

using L = std::vector<std::u16string>;

class FakeListBox : public TMyPlaylistListBox {
public:
    bool IsSelected(std::int32_t i) const override { return selected.count(i) > 0; }
    bool ConfirmYesNo(const std::u16string& s, bool bYesDefault) override {
        questions.push_back(s);
        defaults.push_back(bYesDefault);
        return bYes;
    }
    void ShowMessage(const std::u16string& s) override { messages.push_back(s); }

    std::set<std::int32_t> selected;
    bool bYes = true;
    std::vector<std::u16string> questions, messages;
    std::vector<bool> defaults;
};

class PlaylistCommandsTest : public ::testing::Test {
protected:
    PlaylistCommandsTest() : engine(log), desktop(log), view(log) {
        controller.SetFileCheck(engine.FileCheck());
    }
    void Add(const std::vector<std::u16string>& aNames) {
        for (const auto& s : aNames) {
            playlist.Add(s);
            engine.files[s] = AudioFile();
        }
    }
    void Play(std::int32_t i) {
        controller.SetItemIndex(i);
        controller.PlayMedia(playlist.Get(i));
    }

    FakeLog log;
    FakeEngine engine;
    FakeDesktop desktop;
    FakeView view;
    FakeListBox listBox;
    TMyWStrings playlist;
    TMyPlayerController controller{playlist, engine, desktop, view};
    TMyPlaylistCommands commands{controller, listBox};
};

TEST_F(PlaylistCommandsTest, DeletingASelectionWithThePlayingEntryStartsTheOneAfterIt) {
    Add({u"/a", u"/b", u"/c", u"/d", u"/e"});
    Play(2);
    listBox.selected = {0, 2, 4};
    commands.Action_List_DeleteExecute();
    EXPECT_EQ(listBox.questions, L{TMyPlaylistCommands::kDeleteQuestion});
    EXPECT_EQ(listBox.defaults, std::vector<bool>{true});
    EXPECT_EQ(Entries(playlist), (L{u"/b", u"/d"}));
    // c played when it went; the entry after it, d, plays now and keeps its mark.
    EXPECT_EQ(controller.FileName(), u"/d");
    EXPECT_EQ(controller.ItemIndex(), 1);
    EXPECT_EQ(view.iBusy, 0);
}

TEST_F(PlaylistCommandsTest, DeleteAsksOnlyWithASelectionAndNoKeepsEverything) {
    Add({u"/a", u"/b"});
    commands.Action_List_DeleteExecute();
    EXPECT_TRUE(listBox.questions.empty());
    listBox.selected = {1};
    listBox.bYes = false;
    commands.Action_List_DeleteExecute();
    EXPECT_EQ(playlist.Count(), 2);
    listBox.bYes = true;
    listBox.selected = {0, 1};
    commands.Action_List_DeleteExecute();
    EXPECT_EQ(playlist.Count(), 0);
    EXPECT_TRUE(log.Has("ClearInfo"));
}

TEST_F(PlaylistCommandsTest, ClearAsksTheUserWithNoAsDefaultButNotCode) {
    Add({u"/a", u"/b"});
    Play(0);
    listBox.bYes = false;
    commands.Action_List_ClearExecute(true);
    EXPECT_EQ(listBox.defaults, std::vector<bool>{false});
    EXPECT_EQ(playlist.Count(), 2);
    commands.Action_List_ClearExecute(false);
    EXPECT_EQ(listBox.questions.size(), 1u);
    EXPECT_EQ(playlist.Count(), 0);
    EXPECT_FALSE(controller.IsGraphLoaded());
    EXPECT_EQ(controller.ItemIndex(), -1);
}

TEST_F(PlaylistCommandsTest, SortFindsThePlayingFileAgainOrSaysSo) {
    Add({u"/m/c10.mp3", u"/m/C2.mp3", u"/m/a.mp3"});
    Play(0);
    commands.Action_Sort_FileNameExecute(skFileName, true);
    EXPECT_EQ(Entries(playlist), (L{u"/m/a.mp3", u"/m/C2.mp3", u"/m/c10.mp3"}));
    EXPECT_EQ(controller.ItemIndex(), 2); // the bold entry follows the playing file
    EXPECT_TRUE(listBox.messages.empty());

    // The same file under another ASCII case is the same file.
    playlist.Put(2, u"/M/C10.MP3");
    commands.Action_Sort_FileNameExecute(skFileName, true); // now descending
    EXPECT_EQ(controller.ItemIndex(), 0);

    // Nothing was played yet: the list is sorted all the same, with the error shown.
    controller.StopMedia(true);
    playlist.Clear();
    Add({u"/b", u"/a"});
    TMyPlayerController fresh(playlist, engine, desktop, view);
    TMyPlaylistCommands freshCommands(fresh, listBox);
    freshCommands.Action_Sort_FileNameExecute(skName, true);
    EXPECT_EQ(Entries(playlist), (L{u"/a", u"/b"}));
    EXPECT_EQ(listBox.messages, L{TMyPlaylistCommands::kSortError});
    EXPECT_EQ(fresh.ItemIndex(), -1);
}

} // namespace
} // namespace skivra::test
