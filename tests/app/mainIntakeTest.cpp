#include "app/mainHistory.h"
#include "app/mainPartsRig.h"
#include "app/myPlaylistSort.h"
#include "lists/listEntries.h"
#include "support/myEventHook.h"
#include "support/myFolderDialog.h"

#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <filesystem>

namespace skivra {
namespace {

using A = TMyActionId;
using test::Entries;
using test::TPartsRig;
using test::TRigEnvironment;

std::vector<std::u16string> Paths(const QStringList& list) {
    std::vector<std::u16string> a;
    for (const QString& s : list) {
        a.push_back(s.toStdU16String());
    }
    return a;
}
QStringList Q(std::initializer_list<std::u16string> list) {
    QStringList a;
    for (const std::u16string& s : list) {
        a << QString::fromStdU16String(s);
    }
    return a;
}

class MainIntakeTest : public ::testing::Test {
protected:
    void SetUp() override { rig.Create(); }
    // Media files under the data folder, each one playable.
    std::u16string Media(std::u16string_view sName) {
        const std::u16string s = env.data.Write(sName);
        rig.Playable(s);
        return s;
    }

    TRigEnvironment env;
    TPartsRig rig;
};

TEST_F(MainIntakeTest, ExcludedExtensions) {
    const TMyWStrings* pExts = rig.intake->DisallowExts();
    ASSERT_NE(pExts, nullptr);
    EXPECT_EQ(Entries(*pExts), (std::vector<std::u16string>{
                                   u".css", u".js",  u".htm",  u".html", u".xml",  u".chm", u".h1?",
                                   u".hlp", u".doc", u".ini",  u".log",  u".txt",  u".bmp", u".cur",
                                   u".gif", u".jpg", u".jpeg", u".ico",  u".png",  u".bin", u".dat",
                                   u".db",  u".sys", u".bat",  u".cmd",  u".com",  u".dll", u".exe",
                                   u".ocx", u".pif", u".scr",  u".vbx",  u".tvpid"}));
}

TEST_F(MainIntakeTest, AFolderAddsItsMediaWithSubFoldersAndPlaysTheFirstNewEntry) {
    rig.playlist.Add(u"/old/1.mp4");
    rig.playlist.Add(u"/old/2.mp4");
    rig.commands.Sort().SetSort(skFileName);
    const std::u16string a = Media(u"in/a 10.mp4");
    const std::u16string b = Media(u"in/a 9.mp4");
    const std::u16string c = Media(u"in/sub/c.mkv");
    const std::u16string e = Media(u"elsewhere/e.mp3");
    env.data.Write(u"in/list.m3u", "#EXTM3U\n../elsewhere/e.mp3\n");
    env.data.Write(u"in/notes.txt");
    env.data.Write(u"in/cover.JPG");
    env.data.Write(u"in/page.HTML");
    rig.fake.log.clear();

    EXPECT_TRUE(rig.intake->AcquireFiles(Q({env.data / u"in"})));
    // The playlist file gives its entry in its place.
    EXPECT_EQ(Entries(rig.playlist),
              (std::vector<std::u16string>{u"/old/1.mp4", u"/old/2.mp4", b, a, e, c}));
    EXPECT_EQ(rig.controller.ItemIndex(), 2);
    EXPECT_EQ(rig.controller.FileName(), b);
    EXPECT_EQ(rig.commands.Sort().Sort(), skNone);
    EXPECT_TRUE(rig.fake.log.contains("RefreshPlaylist"));
    // Gathering reads the open-file dialog's filters without building the dialog.
    EXPECT_EQ(rig.window.findChild<QFileDialog*>(), nullptr);
}

TEST_F(MainIntakeTest, NothingFoundIsToldAndChangesNothing) {
    rig.playlist.Add(u"/old/1.mp4");
    env.data.Write(u"docs/a.txt");
    env.data.Write(u"docs/b.jpg");
    EXPECT_FALSE(rig.intake->AcquireFiles(Q({env.data / u"docs"})));
    EXPECT_FALSE(rig.intake->AcquireFiles(Q({env.data / u"missing"})));
    EXPECT_EQ(env.messages, QStringList({QString::fromUtf16(TMyMainIntake::kNoFilesFound),
                                         QString::fromUtf16(TMyMainIntake::kNoFilesFound)}));
    EXPECT_EQ(Entries(rig.playlist), std::vector<std::u16string>{u"/old/1.mp4"});
    EXPECT_FALSE(rig.controller.IsGraphLoaded());
}

TEST_F(MainIntakeTest, RandomPlayPicksOneOfTheNewEntries) {
    rig.playlist.Add(u"/old/1.mp4");
    for (int i = 0; i < 20; ++i) {
        Media(u"r/" + *Utf8ToUtf16(std::to_string(i)) + u".mp3");
    }
    rig.window.Action(A::Action_Opt_Random)->setChecked(true);
    ASSERT_TRUE(rig.intake->AcquireFiles(Q({env.data / u"r"})));
    EXPECT_GE(rig.controller.ItemIndex(), 1);
    EXPECT_LE(rig.controller.ItemIndex(), 20);
    EXPECT_EQ(rig.controller.FileName(), rig.playlist.Get(rig.controller.ItemIndex()));
}

TEST_F(MainIntakeTest, HistoriesKeepTenNewestFirst) {
    QMenu* pMenu = rig.window.PopupMenu_OpenFile;
    for (int i = 1; i <= 11; ++i) {
        AddHistory(QStringLiteral("/v/%1.mp4").arg(i), pMenu);
    }
    QStringList expected;
    for (int i = 11; i >= 2; --i) {
        expected << QStringLiteral("/v/%1.mp4").arg(i);
    }
    EXPECT_EQ(HistoryPaths(pMenu), expected);
    // Again (in other letter case): to the top, not twice.
    AddHistory(QStringLiteral("/V/5.MP4"), pMenu);
    expected.removeAll(QStringLiteral("/v/5.mp4"));
    expected.prepend(QStringLiteral("/V/5.MP4"));
    EXPECT_EQ(HistoryPaths(pMenu), expected);
    AddHistory(QString(), pMenu);
    EXPECT_EQ(HistoryPaths(pMenu).size(), 10);

    QMenu* pFolders = rig.window.PopupMenu_OpenFolder;
    AddHistoryList({"/a/", "/b/c", "/d/e & f.mp4"}, pFolders);
    EXPECT_EQ(HistoryPaths(pFolders), QStringList({"/a/", "/b/c", "/d/e & f.mp4"}));
    QStringList captions, names;
    for (QAction* pItem : pFolders->actions()) {
        captions << pItem->text();
        names << pItem->objectName();
    }
    EXPECT_EQ(captions, QStringList({"/a/", "c", "e && f.mp4"}));
    for (const QString& sName : names) {
        EXPECT_TRUE(sName.startsWith(QStringLiteral("OpenHistory_"))) << sName.toStdString();
        EXPECT_EQ(names.count(sName), 1);
    }
}

TEST_F(MainIntakeTest, AHistoryEntryRepeatsItsCommandWithoutADialog) {
    const std::u16string f = Media(u"h/one.mp4");
    const std::u16string g = Media(u"h/deep/two.mp4");
    AddHistory(QString::fromStdU16String(f), rig.window.PopupMenu_OpenFile);
    AddHistory(QString::fromStdU16String(env.data / u"h/"), rig.window.PopupMenu_OpenFolder);
    AddHistory(QString::fromStdU16String(env.data / u"h/"), rig.window.PopupMenu_OpenThisFolder);

    rig.window.PopupMenu_OpenFile->actions().first()->trigger();
    EXPECT_EQ(Entries(rig.playlist), std::vector<std::u16string>{f});
    rig.window.PopupMenu_OpenFolder->actions().first()->trigger();
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{f, f, g}));
    rig.window.PopupMenu_OpenThisFolder->actions().first()->trigger();
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{f, f, g, f}));
    // Each command put its path back on top of its own history, once.
    EXPECT_EQ(Paths(HistoryPaths(rig.window.PopupMenu_OpenFile)), std::vector<std::u16string>{f});
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenFolder).size(), 1);
    EXPECT_EQ(HistoryPaths(rig.window.PopupMenu_OpenThisFolder).size(), 1);
}

TEST_F(MainIntakeTest, OpenThisFolderTakesOnlyItsOwnFiles) {
    const std::u16string a = Media(u"t/a.mp4");
    const std::u16string h = Media(u"t/.hidden.mp4");
    Media(u"t/sub/deeper.mp4");
    rig.window.Dialog_OpenThisFolder->SetFolders({QString::fromStdU16String(env.data / u"t")});
    rig.intake->Action_File_OpenThisFolderExecute(nullptr);
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{h, a}));
    EXPECT_EQ(rig.window.Dialog_OpenThisFolder->InitialDir(),
              QString::fromStdU16String(env.data / u"t"));

    // Shift held as the folder dialog closes: the chosen folder, without its sub-folders.
    rig.playlist.Clear();
    rig.window.Dialog_OpenFolder->SetFolders({QString::fromStdU16String(env.data / u"t/")});
    env.keys->down = {VK_SHIFT};
    rig.intake->Action_File_OpenFolderExecute(nullptr);
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{h, a}));
    EXPECT_EQ(Paths(HistoryPaths(rig.window.PopupMenu_OpenFolder)),
              std::vector<std::u16string>{env.data / u"t/"});
}

TEST_F(MainIntakeTest, DroppedNamesGoThroughTheOpenFileCommand) {
    const std::u16string v = Media(u"d/video.mp4");
    const std::u16string w = Media(u"d/folder/clip.mp4");
    const std::u16string sLink = env.data.Write(
        u"d/link.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + Utf16ToUtf8(v) + "\n");
    rig.intake->FilesDropped(Q({sLink, env.data / u"d/gone.mp4", env.data / u"d/folder"}),
                             QPoint(10, 10));
    // The scan takes its paths in file order.
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{w, v}));
    EXPECT_EQ(rig.controller.FileName(), w);
    EXPECT_EQ(Paths(HistoryPaths(rig.window.PopupMenu_OpenFile)),
              (std::vector<std::u16string>{v, env.data / u"d/folder"}));
    EXPECT_EQ(rig.window.PopupMenu_OpenFile->actions().at(1)->text(), "folder");
    EXPECT_EQ(rig.intake->OpenFileDir(), QString::fromStdU16String(env.data / u"d"));

    // Nothing left of the drop: nothing happens, not even a message.
    rig.intake->FilesDropped(Q({env.data / u"d/gone.mp4"}), QPoint());
    EXPECT_EQ(rig.playlist.Count(), 2);
    EXPECT_TRUE(env.messages.isEmpty());
}

TEST_F(MainIntakeTest, TheOpenFileDialogTakesSeveralFiles) {
    const std::u16string a = Media(u"o/a.mp4");
    const std::u16string b = Media(u"o/b.mp4");
    rig.intake->SetOpenFileDir(QString::fromStdU16String(env.data / u"o/vanished/deeper"));
    QString sStartedIn;
    QTimer::singleShot(0, [&] {
        QFileDialog* pDialog = rig.window.OpenFileDialog();
        ASSERT_TRUE(test::WaitFor([&] { return pDialog->isVisible(); }));
        sStartedIn = pDialog->directory().absolutePath();
        EXPECT_TRUE(pDialog->isEnabled());
        pDialog->selectFile(QStringLiteral("\"a.mp4\" \"b.mp4\""));
        QMetaObject::invokeMethod(pDialog, "accept");
    });
    rig.window.Action(A::Action_File_OpenFile)->trigger();
    EXPECT_EQ(sStartedIn, QString::fromStdU16String(env.data / u"o"));
    EXPECT_EQ(Entries(rig.playlist), (std::vector<std::u16string>{a, b}));
    EXPECT_EQ(Paths(HistoryPaths(rig.window.PopupMenu_OpenFile)),
              (std::vector<std::u16string>{a, b}));

    // Cancelled: nothing.
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(test::WaitFor([&] { return rig.window.OpenFileDialog()->isVisible(); }));
        rig.window.OpenFileDialog()->reject();
    });
    rig.window.Action(A::Action_File_OpenFile)->trigger();
    EXPECT_EQ(rig.playlist.Count(), 2);
}

TEST_F(MainIntakeTest, ProgressShowsWhileAThousandFilesAreGathered) {
    for (int i = 0; i < 1000; ++i) {
        env.data.Write(u"k/" + *Utf8ToUtf16(std::to_string(i)) + u".mp3");
    }
    rig.Playable(env.data / u"k/0.mp3");
    test::TPumpProbe probe;
    QString sShown;
    bool bBusy = false;
    probe.iAt = 500;
    probe.fnAt = [&] {
        rig.intake->Timer_GetFileTimer();
        sShown = rig.window.Label_Info->text();
        bBusy = !rig.window.isEnabled() && !rig.window.acceptDrops();
    };
    rig.window.Dialog_OpenFolder->SetFolders({QString::fromStdU16String(env.data / u"k/")});
    rig.intake->Action_File_OpenFolderExecute(nullptr);
    EXPECT_GE(probe.iPumps, 1000);
    EXPECT_TRUE(sShown.startsWith(QStringLiteral("[")) && sShown.contains(u"] /"))
        << sShown.toStdString();
    EXPECT_TRUE(bBusy);
    EXPECT_EQ(rig.playlist.Count(), 1000);
    EXPECT_TRUE(rig.window.isEnabled());
    EXPECT_FALSE(rig.window.Timer_GetFile->isActive());
}

TEST_F(MainIntakeTest, ClosingTheWindowCancelsTheGathering) {
    for (int i = 0; i < 300; ++i) {
        env.data.Write(u"c/" + *Utf8ToUtf16(std::to_string(i)) + u".mp3");
    }
    rig.playlist.Add(u"/old/1.mp4");
    bool bClosed = false;
    QObject::connect(&rig.window, &TApp_Skivra::Closed, [&] { bClosed = true; });
    test::TPumpProbe probe;
    probe.iAt = 50;
    probe.fnAt = [&] {
        rig.window.close();
    };
    EXPECT_FALSE(rig.intake->AcquireFiles(Q({env.data / u"c"})));
    EXPECT_LT(probe.iPumps, 300);
    EXPECT_FALSE(bClosed);
    EXPECT_EQ(Entries(rig.playlist), std::vector<std::u16string>{u"/old/1.mp4"});
    EXPECT_TRUE(env.messages.isEmpty());
    // The close comes once the gathering is over.
    ASSERT_TRUE(test::WaitFor([&] { return bClosed; }));
    EXPECT_FALSE(rig.window.isVisible());
}

} // namespace
} // namespace skivra
