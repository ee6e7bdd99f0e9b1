#include "engine/mySkivra.h"

#include "GnomeSettings.h"
#include "WallpaperTestImages.h"
#include "engine/myFileWallpaperStore.h"
#include "engine/myGnomeWallpaperStore.h"
#include "engine/myQtPictureCodec.h"
#include "engine/myWallpaperDesktop.h"
#include "engine/myWallpaperJournal.h"
#include "engine/myWallpaperStore.h"
#include "platform/x11/myX11RootWallpaperStore.h"
#include "support/TempFolder.h"
#include "support/myFileUri.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace skivra {
namespace {

using test::Layouts;
using test::Mod;
using test::MonitorAt;
using test::NumberedImage;
using test::ShowsOnScreen;

constexpr std::uint32_t clDesk = 0x605040;
const QRgb rgbDesk = qRgb(0x40, 0x50, 0x60);
constexpr std::uint32_t clKey = 0x100010;
const QRgb rgbKey = qRgb(16, 0, 16);

class TakeoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(folder.Path() + "/desktop.txt") << "@DesktopColor=" << clDesk << "\n";
        store = std::make_shared<TMyFileWallpaperStore>(folder / u"desktop.txt");
        picture = NumberedImage(9, 7);
        sPicture = folder / u"user.bmp";
        ASSERT_TRUE(picture.save(QString::fromStdU16String(sPicture), "bmp"));
        UseLayout(Layouts()[1].monitors);
    }
    void UseLayout(std::vector<QRect> monitors) {
        geometry = TMyDesktopGeometry::FromMonitors(std::move(monitors));
        env.Store = store;
        env.Geometry = [this] {
            return geometry;
        };
        env.BitmapFileName = folder / u"skivra.wallpaper.bmp";
        env.JournalFileName = folder / u"skivra.wallpaper.journal";
    }
    void GiveUser(std::optional<std::u16string> sTile, std::optional<std::u16string> sStyle,
                  std::u16string_view sWallpaper) {
        if (sTile) {
            store->WriteValue(u"TileWallpaper", *sTile);
        }
        if (sStyle) {
            store->WriteValue(u"WallpaperStyle", *sStyle);
        }
        store->SetDesktopWallpaper(sWallpaper);
    }
    // What the desktop shows at a screen point: the installed bitmap tiled from the
    // primary's top-left.
    QImage Installed() {
        const QString sName = QString::fromStdU16String(store->GetDesktopWallpaper().value_or(u""));
        QFile file(sName);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        EXPECT_EQ(header.size(), 30);
        EXPECT_EQ(header.left(2), "BM");
        EXPECT_EQ(header.at(28), 24) << "bits per pixel";
        return QImage(sName, "bmp");
    }
    ::testing::AssertionResult ShowsKeyOn(int iMonitor) {
        const QImage bitmap = Installed();
        const QRect& anchor = geometry.Monitors[0];
        QImage view(geometry.Desktop.size(), QImage::Format_RGB32);
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                view.setPixel(x, y,
                              bitmap.pixel(Mod(x + geometry.Desktop.left(), bitmap.width()),
                                           Mod(y + geometry.Desktop.top(), bitmap.height())));
            }
        }
        return ShowsOnScreen(view, geometry, [&](int X, int Y) {
            const int m = MonitorAt(geometry, X, Y);
            if (m < 0) {
                return view.pixel(X - geometry.Desktop.left(), Y - geometry.Desktop.top());
            }
            if (m == iMonitor) {
                return rgbKey;
            }
            return picture.pixel(Mod(X - anchor.left(), 9), Mod(Y - anchor.top(), 7));
        });
    }
    QByteArray Bytes(std::u16string_view sName) {
        QFile file(QString::fromStdU16String(std::u16string(sName)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::TempFolder folder;
    std::shared_ptr<TMyFileWallpaperStore> store;
    TMyDesktopGeometry geometry;
    TMyWallpaperEnvironment env;
    QImage picture;
    std::u16string sPicture;
};

TEST_F(TakeoverTest, KeyColourOnTheMonitorAndTheUserBackAfterwards) {
    // Layouts whose first monitor is the primary, on every monitor of each.
    for (const std::size_t iLayout : {0u, 1u, 2u, 3u, 4u, 6u}) {
        UseLayout(Layouts()[iLayout].monitors);
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(geometry.Monitors.size()); ++i) {
            GiveUser(u"0", u"10", sPicture);
            {
                TMySkivra engine(env, i, clKey, std::nullopt);
                EXPECT_TRUE(engine.Applied());
                EXPECT_EQ(engine.WallMonitor(), i);
                EXPECT_EQ(engine.WallPaperName(), sPicture);
                EXPECT_EQ(engine.WallpaperStyle(), wsCenter);
                EXPECT_EQ(store->GetDesktopWallpaper(), env.BitmapFileName);
                EXPECT_EQ(store->ReadValue(u"TileWallpaper"), u"1");
                EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), u"1");
                EXPECT_TRUE(ShowsKeyOn(i)) << Layouts()[iLayout].pName << ", monitor " << i;
                EXPECT_TRUE(WallpaperJournalExists(env.JournalFileName));
            }
            EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
            EXPECT_EQ(store->ReadValue(u"TileWallpaper"), u"0");
            EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), u"0");
            EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
        }
    }
}

TEST_F(TakeoverTest, LayoutValuesForcedAndRestored) {
    struct Case {
        std::optional<std::u16string> sTile, sStyle;
        bool bWritesOnApply;
        std::u16string_view sTileBack, sStyleBack;
    };
    const Case cases[] = {
        {u"0", u"10", true, u"0", u"0"},
        {std::nullopt, std::nullopt, false, u"1", u"1"},
        {u"1", u"0", false, u"1", u"1"},
        {u"0", u"2", true, u"0", u"2"},
    };
    for (const Case& c : cases) {
        std::ofstream(folder.Path() + "/desktop.txt", std::ios::trunc)
            << "@DesktopColor=" << clDesk << "\n";
        GiveUser(c.sTile, c.sStyle, sPicture);
        const int iWrites = store->ValueWriteCount();
        {
            TMySkivra engine(env, 0, clKey, std::nullopt);
            EXPECT_EQ(store->ValueWriteCount() != iWrites, c.bWritesOnApply);
            EXPECT_EQ(ReadWallpaperStyle(*store), wsTiling);
            EXPECT_TRUE(ShowsKeyOn(0));
        }
        EXPECT_EQ(store->ReadValue(u"TileWallpaper"), c.sTileBack);
        EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), c.sStyleBack);
    }
}

TEST_F(TakeoverTest, RepeatedAndMovedApplies) {
    GiveUser(u"0", u"0", sPicture);
    TMySkivra engine(env, 0, clKey, std::nullopt);
    const QByteArray first = Bytes(env.BitmapFileName);
    ASSERT_FALSE(first.isEmpty());
    // The same monitor again starts from the installed bitmap and gives the same file; the
    // colour of a later call does not change the key.
    EXPECT_TRUE(engine.Execute(0, 0x00FF00, std::nullopt));
    EXPECT_EQ(Bytes(env.BitmapFileName), first);
    // Another monitor starts from the user's picture: monitor 0 shows it again.
    EXPECT_TRUE(engine.Execute(1, clKey, std::nullopt));
    EXPECT_TRUE(ShowsKeyOn(1));
    // Out of range: the monitor under the main window, or monitor 0 when it is on none.
    EXPECT_TRUE(engine.Execute(5, clKey, QPoint(0, 0)));
    EXPECT_EQ(engine.WallMonitor(), 0);
    EXPECT_TRUE(ShowsKeyOn(0));
    EXPECT_TRUE(engine.Execute(-1, clKey, QPoint(45, 3)));
    EXPECT_EQ(engine.WallMonitor(), 1);
    EXPECT_TRUE(engine.Execute(-1, clKey, QPoint(-100, -100)));
    EXPECT_EQ(engine.WallMonitor(), 0);
}

TEST_F(TakeoverTest, UserWithoutPicture) {
    GiveUser(u"0", u"0", u"");
    {
        TMySkivra engine(env, 1, clKey, std::nullopt);
        const QImage bitmap = Installed();
        EXPECT_EQ(bitmap.pixel(5, 5), rgbDesk);
        EXPECT_EQ(bitmap.pixel(45, 5), rgbKey);
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), u"");
    EXPECT_EQ(store->SetCount(), 3);
}

TEST_F(TakeoverTest, UnitLevelApplyAndRelease) {
    GiveUser(u"0", u"0", sPicture);
    SetWallpaperEnvironment(env);
    EXPECT_FALSE(IsVideoWallpaperApplied());
    // The main window's monitor.
    EXPECT_TRUE(ApplyVideoWallpaper(QPoint(41, 0), clKey));
    EXPECT_TRUE(ShowsKeyOn(1));
    EXPECT_TRUE(ApplyVideoWallpaper(std::nullopt, clKey));
    EXPECT_TRUE(ShowsKeyOn(0));
    ReleaseVideoWallpaper();
    EXPECT_FALSE(IsVideoWallpaperApplied());
    EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
    ReleaseVideoWallpaper(); // nothing left to release
    SetWallpaperEnvironment({});
}

// A player killed while the key colour is installed leaves its journal; the next start
// puts the user's desktop back from it.
TEST_F(TakeoverTest, JournalSurvivesACrash) {
    GiveUser(u"0", u"2", sPicture);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        auto* engine = new TMySkivra(env, 1, clKey, std::nullopt);
        _exit(engine->Applied() ? 0 : 1); // dies without restoring anything
    }
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
    EXPECT_EQ(store->GetDesktopWallpaper(), env.BitmapFileName);
    const std::optional<TMyWallpaperJournalRecord> rec = ReadWallpaperJournal(env.JournalFileName);
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->StoreKind, u"file");
    EXPECT_EQ(rec->WallPaperName, sPicture);
    EXPECT_EQ(rec->Style, wsStretch);

    // An engine created now takes the user's values from the journal, never our bitmap.
    {
        TMySkivra engine(env, 0, clKey, std::nullopt);
        EXPECT_EQ(engine.WallPaperName(), sPicture);
        EXPECT_EQ(engine.WallpaperStyle(), wsStretch);
        EXPECT_TRUE(ShowsKeyOn(0)); // the old key area on monitor 1 is gone
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
    EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), u"2");

    // The start-up restore.
    ASSERT_TRUE(WriteWallpaperJournal(env.JournalFileName, *rec));
    store->SetDesktopWallpaper(env.BitmapFileName);
    WriteTilingStyle(*store);
    EXPECT_TRUE(RestoreWallpaperJournal(env));
    EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
    EXPECT_EQ(store->ReadValue(u"TileWallpaper"), u"0");
    EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), u"2");
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
    EXPECT_FALSE(RestoreWallpaperJournal(env)); // nothing to do
}

TEST_F(TakeoverTest, OurBitmapIsNeverTheUsersWallpaper) {
    GiveUser(u"1", u"1", env.BitmapFileName);
    {
        TMySkivra engine(env, 0, clKey, std::nullopt);
        EXPECT_EQ(engine.WallPaperName(), u"");
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), u"");
}

TEST_F(TakeoverTest, JournalOfAnotherDesktopIsLeftAlone) {
    GiveUser(u"0", u"0", sPicture);
    ASSERT_TRUE(
        WriteWallpaperJournal(env.JournalFileName, {u"gnome", u"/elsewhere.jpg", wsTiling, u""}));
    EXPECT_FALSE(RestoreWallpaperJournal(env));
    EXPECT_EQ(store->SetCount(), 1);
    EXPECT_TRUE(WallpaperJournalExists(env.JournalFileName));
}

TEST_F(TakeoverTest, FailuresLeaveTheUsersDesktopAsItWas) {
    GiveUser(u"0", u"2", sPicture);
    const int iSets = store->SetCount();
    // The bitmap cannot be written.
    {
        TMyWallpaperEnvironment broken = env;
        broken.BitmapFileName = folder / u"missing/skivra.wallpaper.bmp";
        TMySkivra engine(broken, 0, clKey, std::nullopt);
        EXPECT_FALSE(engine.Applied());
        EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
        EXPECT_EQ(store->ReadValue(u"TileWallpaper"), u"0");
        EXPECT_EQ(store->ReadValue(u"WallpaperStyle"), u"2");
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
    // The journal cannot be written: nothing is touched at all.
    {
        TMyWallpaperEnvironment broken = env;
        broken.JournalFileName = folder / u"missing/skivra.wallpaper.journal";
        const int iWrites = store->ValueWriteCount();
        const int iSetsBefore = store->SetCount();
        TMySkivra engine(broken, 0, clKey, std::nullopt);
        EXPECT_FALSE(engine.Applied());
        EXPECT_FALSE(engine.Execute(1, clKey, std::nullopt));
        EXPECT_EQ(store->ValueWriteCount(), iWrites);
        EXPECT_EQ(store->SetCount(), iSetsBefore);
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), sPicture);
    EXPECT_GE(store->SetCount(), iSets);
}

// An X server that is gone: the user's picture cannot be read, so nothing is taken over
// and no journal written; a journal left from before stays for a server that answers.
TEST_F(TakeoverTest, VanishedXServerTakesNothingOverAndKeepsAJournal) {
    env.Store = std::make_shared<TMyX11RootWallpaperStore>(std::make_shared<TMyQtPictureCodec>(),
                                                           folder / u"capture.bmp", ":9999");
    {
        TMySkivra engine(env, 0, clKey, std::nullopt);
        EXPECT_FALSE(engine.Applied());
        EXPECT_FALSE(engine.Execute(0, clKey, std::nullopt));
    }
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
    ASSERT_TRUE(
        WriteWallpaperJournal(env.JournalFileName, {u"x11-root", sPicture, wsTiling, u"#102030"}));
    EXPECT_FALSE(RestoreWallpaperJournal(env));
    EXPECT_TRUE(WallpaperJournalExists(env.JournalFileName));
}

// Whatever shows instead of our bitmap is the user's newer choice: a release, a re-apply
// and the start-up restore all leave it, and the journal goes.
TEST_F(TakeoverTest, AWallpaperSetMeanwhileIsNeverOverwritten) {
    const std::u16string sNewer = folder / u"newer.bmp";
    ASSERT_TRUE(NumberedImage(5, 3).save(QString::fromStdU16String(sNewer), "bmp"));
    // Set while we play, before the next file and before the end.
    GiveUser(u"0", u"2", sPicture);
    {
        TMySkivra engine(env, 0, clKey, std::nullopt);
        ASSERT_TRUE(engine.Applied());
        store->SetDesktopWallpaper(sNewer);
        EXPECT_TRUE(engine.Execute(1, clKey, std::nullopt));
        EXPECT_EQ(engine.WallPaperName(), sNewer) << "the next file records the newer picture";
        EXPECT_EQ(engine.WallpaperStyle(), wsStretch) << "the tile mode is ours, not the user's";
        EXPECT_EQ(ReadWallpaperJournal(env.JournalFileName)->WallPaperName, sNewer);
        store->SetDesktopWallpaper(folder / u"newest.bmp");
    }
    EXPECT_EQ(store->GetDesktopWallpaper(), folder / u"newest.bmp");
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));

    // Set after a crash, before the next start.
    GiveUser(u"0", u"2", sPicture);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        auto* engine = new TMySkivra(env, 1, clKey, std::nullopt);
        _exit(engine->Applied() ? 0 : 1);
    }
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
    ASSERT_TRUE(WallpaperJournalExists(env.JournalFileName));
    store->SetDesktopWallpaper(sNewer);
    const int iSets = store->SetCount();
    EXPECT_FALSE(RestoreWallpaperJournal(env));
    EXPECT_EQ(store->GetDesktopWallpaper(), sNewer);
    EXPECT_EQ(store->SetCount(), iSets);
    EXPECT_FALSE(WallpaperJournalExists(env.JournalFileName));
}

// The store of the running desktop: the GNOME settings where a GNOME-family desktop runs
// and its settings answer, the root window everywhere else.
TEST_F(TakeoverTest, TheRunningDesktopChoosesTheStore) {
    test::GnomeSettings settings;
    const char* pszSaved = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string sSaved = pszSaved ? pszSaved : "";
    for (const auto& [pszDesktop, sKind] : {std::pair{"GNOME", u"gnome"},
                                            {"ubuntu:GNOME", u"gnome"},
                                            {"Budgie:GNOME", u"gnome"},
                                            {"XFCE", u"x11-root"},
                                            {"LXDE", u"x11-root"},
                                            {"", u"x11-root"}}) {
        setenv("XDG_CURRENT_DESKTOP", pszDesktop, 1);
        EXPECT_EQ(MakeDesktopWallpaperStore(folder / u"capture.bmp")->Kind(), sKind) << pszDesktop;
    }
    if (pszSaved) {
        setenv("XDG_CURRENT_DESKTOP", sSaved.c_str(), 1);
    } else {
        unsetenv("XDG_CURRENT_DESKTOP");
    }
}

// A GNOME user with a zoomed picture and a dark picture of its own gets both back exactly,
// after a release and after a crash.
TEST_F(TakeoverTest, GnomeDesktopValuesComeBackExactly) {
    test::GnomeSettings settings;
    const std::string sUserUri = FilePathToUri(Utf16ToUtf8(sPicture));
    ASSERT_TRUE(test::GnomeSettings::Set("picture-uri", "'" + sUserUri + "'"));
    ASSERT_TRUE(test::GnomeSettings::Set("picture-uri-dark", "'file:///dark%20one.png'"));
    ASSERT_TRUE(test::GnomeSettings::Set("picture-options", "'zoom'"));
    ASSERT_TRUE(test::GnomeSettings::Set("primary-color", "'#405060'"));
    auto gnome = std::make_shared<TMyGnomeWallpaperStore>();
    ASSERT_TRUE(gnome->CanOpenValues());
    EXPECT_EQ(gnome->GetDesktopWallpaper(), sPicture);
    EXPECT_EQ(gnome->GetDesktopColor(), clDesk);
    EXPECT_EQ(ReadWallpaperStyle(*gnome), wsCenter);
    env.Store = gnome;
    const auto value = [](const char* pszKey) {
        std::string sOut;
        FILE* pipe = popen(
            ("gsettings get org.gnome.desktop.background " + std::string(pszKey)).c_str(), "r");
        char buffer[512];
        while (pipe && fgets(buffer, sizeof buffer, pipe)) {
            sOut += buffer;
        }
        if (pipe) {
            pclose(pipe);
        }
        while (!sOut.empty() && sOut.back() == '\n') {
            sOut.pop_back();
        }
        return sOut;
    };
    const std::string sOurs = "'" + FilePathToUri(Utf16ToUtf8(env.BitmapFileName)) + "'";
    const auto expectOurs = [&] {
        EXPECT_EQ(value("picture-options"), "'wallpaper'");
        EXPECT_EQ(value("picture-uri"), sOurs);
        EXPECT_EQ(value("picture-uri-dark"), sOurs);
    };
    for (const bool bCrash : {false, true}) {
        if (!bCrash) {
            TMySkivra engine(env, 1, clKey, std::nullopt);
            EXPECT_TRUE(engine.Applied());
            expectOurs();
        } else {
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                auto* engine = new TMySkivra(env, 1, clKey, std::nullopt);
                _exit(engine->Applied() ? 0 : 1); // gone without restoring
            }
            int iStatus = 0;
            ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
            ASSERT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0);
            expectOurs();
            TMyWallpaperEnvironment next = env;
            next.Store = std::make_shared<TMyGnomeWallpaperStore>();
            ASSERT_TRUE(RestoreWallpaperJournal(next));
        }
        EXPECT_EQ(value("picture-options"), "'zoom'");
        EXPECT_EQ(value("picture-uri"), "'" + sUserUri + "'");
        EXPECT_EQ(value("picture-uri-dark"), "'file:///dark%20one.png'");
    }
}

} // namespace
} // namespace skivra
