#include "app/mainHistory.h"
#include "app/mainPartsRig.h"
#include "lists/listEntries.h"
#include "platform/x11/myX11KeyState.h"
#include "settings/myIniFile.h"
#include "support/myFolderDialog.h"
#include "support/myTrackBar.h"

#include <QApplication>
#include <QProcess>

#include <QMenu>
#include <QStatusBar>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace skivra {
namespace {

using A = TMyActionId;
using test::TPartsRig;
using test::TRigEnvironment;

template <std::size_t N> std::string Bytes(const char (&a)[N]) {
    return std::string(a, N - 1);
}
std::string ReadBytes(const std::u16string& sPath) {
    std::ifstream in(Utf16ToUtf8(sPath), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
void WriteBytes(const std::u16string& sPath, const std::string& sBytes) {
    std::ofstream(Utf16ToUtf8(sPath), std::ios::binary) << sBytes;
}
std::string Playlist(const std::vector<std::string>& lines) {
    std::string s = "\xEF\xBB\xBF";
    for (const std::string& line : lines) {
        s += line + "\r\n";
    }
    return s;
}

bool Xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

class MainSettingsTest : public ::testing::Test {
protected:
    TRigEnvironment env;
};

TEST_F(MainSettingsTest, EveryControlSurvivesExitAndStart) {
    const std::u16string sClip = env.data / u"clips/第1話.mp4";
    const std::u16string sOther = env.data / u"clips/b.mp4";
    QRect rcSaved;
    TMySettingsValues saved;
    QStringList historyFile, historyFolder, historyThis;
    {
        TPartsRig rig;
        rig.Create();
        rig.Playable(sOther);
        rig.Playable(sClip, test::VideoFile(60.0));
        rig.playlist.Add(sOther);
        rig.playlist.Add(sClip);
        rig.controller.SetItemIndex(1);
        rig.controller.PlayMedia(sClip);
        rig.engine.pLastGraph->fPosition = 42.25;
        QWindow* pHandle = rig.window.windowHandle();
        rig.window.setGeometry(140, 90, 600, 420);
        ASSERT_TRUE(test::WaitFor([&] {
            return rig.window.geometry() == QRect(140, 90, 600, 420);
        })) << pHandle;
        rig.window.Action(A::Action_List_FolderName)->setChecked(true);
        rig.window.Action(A::Action_Play_Mute)->setChecked(true);
        rig.window.TrackBar_Volume->setValue(35);
        rig.window.Action(A::Action_Opt_Random)->setChecked(true);
        rig.window.Action(A::Action_Opt_TaskTray)->setChecked(true);
        rig.window.Action(A::Action_Opt_Info)->setChecked(false);
        rig.window.Action(A::Action_Opt_StatusBar)->setChecked(false);
        rig.intake->SetOpenFileDir(QStringLiteral("/srv/動画"));
        rig.window.Dialog_OpenFolder->SetInitialDir(QStringLiteral("/srv/music/"));
        AddHistoryList({"/a/1.mp4", "/a/2 & 3.mp4"}, rig.window.PopupMenu_OpenFile);
        AddHistoryList({"/f/"}, rig.window.PopupMenu_OpenFolder);
        AddHistoryList({"/t/", "/u/"}, rig.window.PopupMenu_OpenThisFolder);
        saved = rig.settings->CurrentValues();
        rcSaved = rig.window.geometry();
        historyFile = HistoryPaths(rig.window.PopupMenu_OpenFile);
        historyFolder = HistoryPaths(rig.window.PopupMenu_OpenFolder);
        historyThis = HistoryPaths(rig.window.PopupMenu_OpenThisFolder);
        rig.window.FormDestroy();
        EXPECT_TRUE(rig.settings->LastSaveSucceeded());
    }
    EXPECT_EQ(saved.iResumeIndex, 1);
    EXPECT_EQ(saved.fResumePosition, 42.25);
    EXPECT_EQ(saved.sFileName, sClip);

    // What the file says, key by key.
    TMyIniFile ini(env.IniFile());
    struct Key {
        const char16_t* section;
        const char16_t* key;
        std::u16string value;
    };
    const Key keys[] = {
        {u"List", u"FolderName", u"1"},
        {u"Play", u"Mute", u"1"},
        {u"Play", u"Volume", u"35"},
        {u"Resume", u"FileName", sClip},
        {u"Resume", u"ResumeIndex", u"1"},
        {u"Resume", u"ResumePosition", u"42.25"},
        {u"Option", u"Random", u"1"},
        {u"Option", u"TaskTray", u"1"},
        {u"Option", u"InfoPanel", u"0"},
        {u"Option", u"ShowStatusBar", u"0"},
        {u"Dialog", u"OpenFileDir", u"/srv/動画"},
        {u"Dialog", u"OpenFolderDir", u"/srv/music/"},
        {u"Bounds", u"App_Skivra_Left", u"140"},
        {u"Bounds", u"App_Skivra_Top", u"90"},
        {u"Bounds", u"App_Skivra_Right", u"740"},
        {u"Bounds", u"App_Skivra_Bottom", u"510"},
    };
    for (const Key& k : keys) {
        EXPECT_EQ(ini.ReadString(k.section, k.key, u"?"), k.value) << Utf16ToUtf8(k.key);
    }
    EXPECT_EQ(ReadBytes(env.PlaylistFile()), Playlist({Utf16ToUtf8(sOther), Utf16ToUtf8(sClip)}));

    TPartsRig rig;
    rig.Playable(sOther);
    rig.Playable(sClip, test::VideoFile(60.0));
    rig.Create();
    TMySettingsValues loaded = rig.settings->CurrentValues();
    // The restored entry plays from the saved position.
    EXPECT_EQ(rig.controller.FileName(), sClip);
    EXPECT_EQ(rig.controller.ItemIndex(), 1);
    EXPECT_TRUE(rig.log.Has("PutCurrentPosition 42.25"));
    loaded.fResumePosition = saved.fResumePosition; // the fake graph starts at 0
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(rig.window.geometry(), rcSaved);
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenFile), historyFile);
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenFolder), historyFolder);
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenThisFolder), historyThis);
    EXPECT_EQ(rig.window.PopupMenu_OpenFile->actions().at(1)->text(), "2 && 3.mp4");
    // The list was told to show the folder names.
    EXPECT_TRUE(rig.fake.log.contains("FolderName()"));
    // The options were applied by the window creation.
    EXPECT_FALSE(rig.window.StatusBar_Hint->isVisible());
    EXPECT_FALSE(rig.window.Panel_Info->isVisible());
}

TEST_F(MainSettingsTest, ShiftAndCtrlSkipBothFilesAtStartAndAtExit) {
    WriteBytes(env.IniFile(), "[Play]\r\nVolume=30\r\n[Bounds]\r\nApp_Skivra_Left=5\r\nApp_Skivra_"
                              "Top=5\r\nApp_Skivra_Right=400\r\nApp_Skivra_Bottom=300\r\n");
    const std::string sList = Playlist({"/m/a.mp4"});
    WriteBytes(env.PlaylistFile(), sList);
    const std::string sIni = ReadBytes(env.IniFile());
    {
        TPartsRig rig;
        env.keys->down = {VK_SHIFT, VK_CONTROL};
        rig.Create();
        EXPECT_TRUE(rig.fake.log.contains("FinishStartUp"));
        EXPECT_EQ(rig.window.TrackBar_Volume->value(), 100);
        EXPECT_EQ(rig.playlist.Count(), 0);
        EXPECT_NE(rig.window.geometry().width(), 395);
        rig.playlist.Add(u"/m/other.mp4");
        rig.window.TrackBar_Volume->setValue(80);
        rig.window.FormDestroy();
    }
    EXPECT_EQ(ReadBytes(env.IniFile()), sIni);
    EXPECT_EQ(ReadBytes(env.PlaylistFile()), sList);

    // Ctrl alone changes nothing.
    env.keys->down = {VK_CONTROL};
    TPartsRig rig;
    rig.Playable(u"/m/a.mp4");
    rig.Create();
    EXPECT_EQ(rig.window.TrackBar_Volume->value(), 30);
    EXPECT_EQ(rig.playlist.Count(), 1);
}

TEST_F(MainSettingsTest, ShiftAloneLeavesOutTheBounds) {
    WriteBytes(env.IniFile(), "[Bounds]\r\nApp_Skivra_Left=20\r\nApp_Skivra_Top=30\r\nApp_Skivra_"
                              "Right=420\r\nApp_Skivra_Bottom=330\r\n[Play]\r\nVolume=30\r\n");
    TPartsRig rig;
    const QRect rcDesigned = rig.window.geometry();
    env.keys->down = {VK_SHIFT};
    rig.Create();
    EXPECT_EQ(rig.window.TrackBar_Volume->value(), 30);
    EXPECT_EQ(rig.window.geometry().size(), rcDesigned.size());
    rig.window.TrackBar_Volume->setValue(60);
    rig.window.FormDestroy();
    TMyIniFile ini(env.IniFile());
    EXPECT_FALSE(ini.SectionExists(u"Bounds"));
    EXPECT_EQ(ini.ReadInteger(u"Play", u"Volume", 0), 60);
}

TEST_F(MainSettingsTest, BoundsOffEveryMonitorComeBackOnScreen) {
    WriteBytes(env.IniFile(), "[Bounds]\r\nApp_Skivra_Left=50000\r\nApp_Skivra_Top=-9000\r\nApp_"
                              "Skivra_Right=50500\r\nApp_Skivra_Bottom=-8600\r\n");
    TPartsRig rig;
    rig.Create();
    const QRect rc = rig.window.geometry();
    EXPECT_EQ(rc.size(), QSize(500, 400));
    const QRect screen = rig.window.screen()->geometry();
    EXPECT_TRUE(screen.contains(rc)) << rc.x() << "," << rc.y();
}

TEST_F(MainSettingsTest, RestoredEntryNeedsItsIndexAndNameToAgree) {
    struct Case {
        const char* resume; // the [Resume] lines
        std::int32_t iPlayed;
    };
    const Case cases[] = {
        {"FileName=/m/b.mp4\r\nResumeIndex=1\r\nResumePosition=7.5\r\n", 1},
        {"FileName=/M/B.MP4\r\nResumeIndex=1\r\nResumePosition=7.5\r\n", 1},
        // Another file at that place: the first entry, still at the saved position.
        {"FileName=/m/c.mp4\r\nResumeIndex=1\r\nResumePosition=7.5\r\n", 0},
        {"FileName=/m/b.mp4\r\nResumeIndex=9\r\nResumePosition=7.5\r\n", 0},
        {"ResumeIndex=1\r\nResumePosition=7.5\r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resume);
        WriteBytes(env.IniFile(), std::string("[Resume]\r\n") + c.resume);
        WriteBytes(env.PlaylistFile(), Playlist({"/m/a.mp4", "/m/b.mp4", "/m/c.mp4"}));
        TPartsRig rig;
        for (const char16_t* s : {u"/m/a.mp4", u"/m/b.mp4", u"/m/c.mp4"}) {
            rig.Playable(s, test::AudioFile(30.0));
        }
        rig.Create();
        EXPECT_EQ(rig.controller.ItemIndex(), c.iPlayed);
        EXPECT_EQ(rig.controller.FileName(), rig.playlist.Get(c.iPlayed));
        EXPECT_TRUE(rig.log.Has("PutCurrentPosition 7.5"));
        EXPECT_TRUE(rig.fake.log.contains("RefreshPlaylist"));
    }
}

TEST_F(MainSettingsTest, AClearedListLeavesAnEmptyFileAndNoIndex) {
    WriteBytes(env.PlaylistFile(), Playlist({"/m/a.mp4"}));
    {
        TPartsRig rig;
        rig.Playable(u"/m/a.mp4");
        rig.Create();
        ASSERT_EQ(rig.controller.ItemIndex(), 0);
        rig.commands.Action_List_ClearExecute(false);
        rig.window.FormDestroy();
    }
    TMyWStrings lines;
    EXPECT_TRUE(LoadSavedPlaylist(env.PlaylistFile(), lines));
    EXPECT_EQ(lines.Count(), 0);
    TMyIniFile ini(env.IniFile());
    EXPECT_EQ(ini.ReadInteger(u"Resume", u"ResumeIndex", 5), -1);

    // Without a playlist file an empty list makes none.
    std::filesystem::remove(Utf16ToUtf8(env.PlaylistFile()));
    TPartsRig rig;
    rig.Create();
    rig.window.FormDestroy();
    EXPECT_FALSE(std::filesystem::exists(Utf16ToUtf8(env.PlaylistFile())));
}

TEST_F(MainSettingsTest, AFailedSaveSaysSoInTheStatusBar) {
    struct Case {
        bool bIniBlocked;
        const char16_t* text;
    };
    for (const Case c : {Case{true, TMyMainSettings::kSettingsNotSaved},
                         Case{false, TMyMainSettings::kPlaylistNotSaved}}) {
        TRigEnvironment local;
        // A folder in the file's place: not even root can replace it with a file.
        std::filesystem::create_directory(
            Utf16ToUtf8(c.bIniBlocked ? local.IniFile() : local.PlaylistFile()));
        TPartsRig rig;
        rig.Create();
        rig.playlist.Add(u"/m/a.mp4");
        rig.window.FormDestroy();
        EXPECT_FALSE(rig.settings->LastSaveSucceeded());
        EXPECT_EQ(rig.window.StatusBar_Hint->currentMessage(), QString::fromUtf16(c.text));
    }
}

// The list's files sit on a drive that is not mounted at start: none of them plays, and
// the list comes through the exit whole, ready for when the drive is back.
TEST_F(MainSettingsTest, AListOnADriveThatIsNotMountedIsKeptWhole) {
    const std::string sList =
        Playlist({"/media/usb/a.mp4", "/media/usb/b.mp4", "/media/usb/c.mp4"});
    WriteBytes(env.PlaylistFile(), sList);
    {
        TPartsRig rig;
        for (const char16_t* s : {u"/media/usb/a.mp4", u"/media/usb/b.mp4", u"/media/usb/c.mp4"}) {
            rig.Playable(s);
            rig.engine.missing.insert(s);
        }
        rig.Create();
        EXPECT_FALSE(rig.controller.IsGraphLoaded());
        EXPECT_EQ(rig.playlist.Count(), 3);
        EXPECT_EQ(rig.view.sStatus, TMyPlayerController::kNothingPlayable);
        rig.window.FormDestroy();
        EXPECT_TRUE(rig.settings->LastSaveSucceeded());
    }
    EXPECT_EQ(ReadBytes(env.PlaylistFile()), sList);
}

// A saved playlist that is there but could not be read at start is left as it is at exit,
// with a word in the status bar, instead of being replaced by the session's empty list.
TEST_F(MainSettingsTest, APlaylistThatCouldNotBeReadIsNotWrittenOver) {
    const std::string sPath = Utf16ToUtf8(env.PlaylistFile());
    // Larger than the bound of a read: a sparse file, so it costs no room.
    WriteBytes(env.PlaylistFile(), Playlist({"/m/a.mp4"}));
    ASSERT_EQ(truncate(sPath.c_str(), static_cast<off_t>(kMaxPlaylistBytes) + 1), 0);
    {
        TPartsRig rig;
        rig.Create();
        EXPECT_EQ(rig.playlist.Count(), 0);
        rig.window.FormDestroy();
        EXPECT_EQ(rig.window.StatusBar_Hint->currentMessage(),
                  QString::fromUtf16(TMyMainSettings::kPlaylistNotSaved));
    }
    EXPECT_EQ(std::filesystem::file_size(sPath), kMaxPlaylistBytes + 1);
    std::ifstream in(sPath, std::ios::binary);
    std::string sHead(3, '\0');
    in.read(sHead.data(), 3);
    EXPECT_EQ(sHead, "\xEF\xBB\xBF");

    // A link to a drive that is not mounted stays a link, even when the session made a list.
    std::filesystem::remove(sPath);
    ASSERT_EQ(symlink("/nonexistent-drive/skivra.playlist", sPath.c_str()), 0);
    {
        TPartsRig rig;
        rig.Create();
        rig.playlist.Add(u"/m/a.mp4");
        rig.window.FormDestroy();
    }
    EXPECT_TRUE(std::filesystem::is_symlink(sPath));
}

TEST_F(MainSettingsTest, DamagedFilesNeverStopTheStart) {
    const std::string damaged[] = {
        Bytes("\0\xFF\xFE\x01[Play\x80]\r\nVolume=\xFF\r\n"),
        "[Bounds]\r\nApp_Skivra_Left=1\r\nApp_Skivra_Right=-2\r\n[Resume]\r\nResumeIndex=-"
        "99999999999\r\nResumePosition=x",
        "[Bounds]\r\nApp_Skivra_Left=10\r\nApp_Skivra_Top=10\r\nApp_Skivra_Right=-500\r\nApp_"
        "Skivra_Bottom=-500\r\n[Play]\r\nVolume=1e9\r\n",
    };
    for (const std::string& sIni : damaged) {
        WriteBytes(env.IniFile(), sIni);
        WriteBytes(env.PlaylistFile(), Bytes("\xEF\xBB\xBF\xFF\xFF\r\n/m/a.mp4\r\n\0\0\r\n"));
        TPartsRig rig;
        const QSize szDesigned = rig.window.size();
        rig.Playable(u"/m/a.mp4");
        rig.Create();
        EXPECT_TRUE(rig.window.isVisible());
        EXPECT_GE(rig.window.TrackBar_Volume->value(), 0);
        EXPECT_EQ(rig.window.size(), szDesigned);
        EXPECT_EQ(test::Entries(rig.playlist), std::vector<std::u16string>{u"/m/a.mp4"});
        EXPECT_EQ(rig.controller.FileName(), u"/m/a.mp4");
    }
}

// Shift and Ctrl held on the real keyboard, as the X server reports them.
TEST_F(MainSettingsTest, ShiftAndCtrlHeldOnTheKeyboardSkipTheSettings) {
    auto* pX11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(pX11, nullptr);
    SetKeyStateSource(std::make_shared<TMyX11KeyStateSource>(pX11->display()));
    std::ofstream(Utf16ToUtf8(env.IniFile()), std::ios::binary) << "[Play]\r\nVolume=30\r\n";
    struct TRelease {
        ~TRelease() { Xdotool({"keyup", "shift", "ctrl"}); }
    } release;
    ASSERT_TRUE(Xdotool({"keydown", "shift", "ctrl"}));
    ASSERT_TRUE(test::WaitFor([] { return IsKeyDown(VK_SHIFT) && IsKeyDown(VK_CONTROL); }));
    {
        TPartsRig rig;
        rig.Create();
        EXPECT_EQ(rig.window.TrackBar_Volume->value(), 100);
        rig.window.TrackBar_Volume->setValue(70);
        rig.window.FormDestroy();
    }
    ASSERT_TRUE(Xdotool({"keyup", "shift", "ctrl"}));
    ASSERT_TRUE(test::WaitFor([] { return !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_CONTROL); }));
    TPartsRig rig;
    rig.Create();
    EXPECT_EQ(rig.window.TrackBar_Volume->value(), 30);
}

} // namespace
} // namespace skivra
