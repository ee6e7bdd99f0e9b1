// The information grid over the real background fetcher and the real probe: tags written by
// an independent writer show as written, a vanished file keeps what was known of it, and
// however fast the selection moves the grid only ever shows the focused entry's data.
#include "app/mainInfo.h"

#include "app/fakeMainParts.h"
#include "app/fakePlayer.h"
#include "app/main.h"
#include "app/mainPlayer.h"
#include "app/myInfoTexts.h"
#include "app/myPlayerController.h"
#include "engine/myGstMediaProber.h"
#include "lists/myString.h"
#include "lists/myWStrings.h"
#include "media/myTag.h"
#include "media/myTagFormat.h"
#include "support/TagManifest.h"
#include "support/TempFolder.h"
#include "support/UiQueue.h"
#include "support/myUnicode.h"
#include "support/qtTestApp.h"

#include <QListView>
#include <QTableWidget>
#include <QTimer>

#include <array>
#include <filesystem>
#include <map>
#include <random>

namespace skivra {
namespace {

using test::TempFolder;

constexpr int kEntries = 12;

void RunTool(const std::string& sCommand) {
    ASSERT_EQ(std::system(sCommand.c_str()), 0) << sCommand;
}

class InfoPanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FFiles = new TempFolder();
        const std::string sTools = SKIVRA_TEST_TOOLS;
        RunTool("/usr/bin/python3 " + sTools + "/write-tags.py " + FFiles->Path() + "/peer --asf");
        RunTool("/usr/bin/python3 " + sTools + "/write-info-tags.py " + FFiles->Path() +
                "/entries " + std::to_string(kEntries));
        FPeer = test::ReadTagManifest(FFiles->Path() + "/peer/expected.txt");
        InstallGstMediaProber();
    }
    static void TearDownTestSuite() {
        delete FFiles;
        FFiles = nullptr;
    }

    void SetUp() override {
        // Reports reach the window through its event loop, as in the program.
        SetUiThreadRunner(
            [](std::function<void()> call) { QTimer::singleShot(0, qApp, std::move(call)); });
        playlist.SetObjectsFree(true);
        TMyMainParts all = parts.All();
        all.Info = &info;
        window.SetParts(all);
        window.FormCreate();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override {
        SetUiThreadRunner({});
        T_MyInfoGet::WaitForAll();
    }

    static std::u16string Entry(int i) {
        char szName[32];
        std::snprintf(szName, sizeof szName, "entries/entry_%02d.mp3", i);
        return *FFiles / *Utf8ToUtf16(szName);
    }
    void SetEntries(const std::vector<std::u16string>& aFiles) {
        playlist.Clear();
        for (const std::u16string& sFile : aFiles) {
            playlist.Add(sFile);
        }
    }
    // What the list's click does: the focus moves, the panel refreshes.
    void Click(int i) {
        view.iFocused = i;
        info.RefreshInfo();
    }
    std::array<std::string, 4> Rows() const {
        std::array<std::string, 4> a;
        for (int iRow = 0; iRow < 4; ++iRow) {
            a[static_cast<std::size_t>(iRow)] = Utf16ToUtf8(info.InfoValue(iRow));
        }
        return a;
    }
    const TMyCustomTag* Record(int i) const {
        return dynamic_cast<const TMyCustomTag*>(playlist.GetObject(i));
    }
    bool SummaryShown() const { return !info.InfoValue(3).empty(); }

    static inline TempFolder* FFiles = nullptr;
    static inline test::TTagManifest FPeer;

    TMyWStrings playlist;
    test::FakeLog log;
    test::FakeEngine engine{log};
    test::FakeDesktop desktop{log};
    test::FakeView view{log};
    TMyPlayerController controller{playlist, engine, desktop, view};
    test::TFakeMainParts parts;
    TApp_Skivra window;
    TMyMainInfo info{window, controller};
};

TEST_F(InfoPanelTest, TagsOfAnIndependentWriterShowAsWrittenWithTheFileSummary) {
    ASSERT_EQ(FPeer.size(), 10u);
    for (const auto& [sFile, fields] : FPeer) {
        const std::u16string sPath = *FFiles / *Utf8ToUtf16("peer/" + sFile);
        SetEntries({sPath});
        info.ClearInfo();
        Click(0);
        ASSERT_TRUE(test::WaitFor([&] { return SummaryShown(); }, 30000)) << sFile;
        const auto Field = [&](const char* pName) {
            const auto it = fields.find(pName);
            return it == fields.end() ? std::string() : it->second;
        };
        const auto WithOriginal = [&](const char* pName, const char* pOriginal) {
            const std::string sOriginal = Field(pOriginal);
            return Field(pName) + (sOriginal.empty() ? "" : "//" + sOriginal);
        };
        const auto rows = Rows();
        EXPECT_EQ(rows[0], Field("Title")) << sFile;
        EXPECT_EQ(rows[1], WithOriginal("Artist", "OriginalArtist")) << sFile;
        EXPECT_EQ(rows[2], WithOriginal("Album", "OriginalAlbum")) << sFile;
        // The length, then the size of the file as the file system tells it, then its time.
        const std::string sSize = Utf16ToUtf8(FormatFileSize(static_cast<std::int64_t>(
            std::filesystem::file_size(std::filesystem::path(Utf16ToUtf8(sPath))))));
        const std::string sVideo = sFile == "TAGS.WMV" ? "64x48 [0-9]+\\.[0-9]{2}fps " : "";
        const QRegularExpression summary(QString::fromStdString(
            "^" + sVideo + "([0-9]+:)*[0-9]+秒 " +
            QRegularExpression::escape(QString::fromStdString(sSize)).toStdString() +
            " \\(.+\\)$"));
        EXPECT_TRUE(summary.match(QString::fromStdString(rows[3])).hasMatch())
            << sFile << ": " << rows[3];
        // The entry keeps the record that was shown.
        ASSERT_NE(Record(0), nullptr) << sFile;
        EXPECT_EQ(Utf16ToUtf8(Record(0)->GetTitle()), Field("Title")) << sFile;
    }

    info.ClearInfo();
    EXPECT_TRUE(info.InfoTitleEmpty());
    EXPECT_EQ(Rows(), (std::array<std::string, 4>{}));
    EXPECT_EQ(window.Grid_Info->item(3, 0)->text(), QStringLiteral("ファイル情報"));
}

TEST_F(InfoPanelTest, AVanishedFileKeepsItsStoredTagsAndSaysItIsGone) {
    TempFolder temp;
    const std::u16string sCopy = temp / u"copy.mp3";
    std::filesystem::copy_file(Utf16ToUtf8(Entry(0)), Utf16ToUtf8(sCopy));
    SetEntries({sCopy});
    Click(0);
    ASSERT_TRUE(test::WaitFor([&] { return SummaryShown(); }, 30000));
    const auto before = Rows();
    ASSERT_EQ(before[0], "曲 00");
    ASSERT_EQ(before[1], "歌手 00//原曲 00");

    std::filesystem::remove(Utf16ToUtf8(sCopy));
    Click(0);
    ASSERT_TRUE(test::WaitFor(
        [&] { return info.InfoValue(3) == kInfoNoFile && !info.InfoTitleEmpty(); }, 30000))
        << Rows()[3];
    const auto after = Rows();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], before[2]);
    ASSERT_NE(Record(0), nullptr);
    EXPECT_EQ(Utf16ToUtf8(Record(0)->RawTitle()), "曲 00");
}

TEST_F(InfoPanelTest, RapidSelectionChangesNeverShowAnotherEntrysData) {
    std::vector<std::u16string> aFiles;
    for (int i = 0; i < kEntries; ++i) {
        aFiles.push_back(Entry(i));
    }
    // A video among them: its probe takes longer, so reports overtake each other.
    aFiles.push_back(*FFiles / u"peer/TAGS.WMV");
    SetEntries(aFiles);
    const int iCount = static_cast<int>(aFiles.size());

    // Every change of the grid must describe the entry focused at that moment.
    auto shown = Rows();
    int iChanges = 0;
    const auto Check = [&] {
        const auto rows = Rows();
        if (rows == shown) {
            return;
        }
        ++iChanges;
        shown = rows;
        const int iFocused = view.iFocused;
        const TMyTag fresh(aFiles[static_cast<std::size_t>(iFocused)]);
        if (!rows[0].empty()) {
            EXPECT_EQ(rows[0], Utf16ToUtf8(fresh.GetTitle())) << "focused " << iFocused;
            EXPECT_EQ(rows[1],
                      Utf16ToUtf8(InfoWithOriginal(fresh.Artist(), fresh.OriginalArtist())));
        }
        if (!rows[3].empty()) {
            ASSERT_NE(Record(iFocused), nullptr) << "focused " << iFocused;
            EXPECT_EQ(rows[3], Utf16ToUtf8(InfoSummaryText(*Record(iFocused))))
                << "focused " << iFocused;
            EXPECT_TRUE(SameTextAscii(Record(iFocused)->FileName(),
                                      aFiles[static_cast<std::size_t>(iFocused)]));
        }
    };
    std::mt19937 random(15);
    int iLast = 0;
    for (int iStep = 0; iStep < 150; ++iStep) {
        iLast = static_cast<int>(random() % static_cast<unsigned>(iCount));
        Click(iLast);
        for (unsigned iPump = random() % 3; iPump > 0; --iPump) {
            QCoreApplication::processEvents();
            Check();
        }
    }
    ASSERT_TRUE(test::WaitFor(
        [&] {
            Check();
            return Rows()[0] ==
                       Utf16ToUtf8(TMyTag(aFiles[static_cast<std::size_t>(iLast)]).GetTitle()) &&
                   SummaryShown();
        },
        30000));
    EXPECT_GT(iChanges, 1);
    // Every record the fetches left on the entries is the entry's own.
    for (int i = 0; i < iCount; ++i) {
        if (Record(i)) {
            EXPECT_TRUE(SameTextAscii(Record(i)->FileName(), playlist.Get(i))) << i;
        }
    }
}

// Reports delivered out of order: the latest fetch's first, an earlier one's after it.
TEST_F(InfoPanelTest, AnEarlierFetchReportingLateChangesNothing) {
    struct Case {
        const char* sName;
        bool bSameRow; // the entry's row now holds another file, instead of another row focused
    };
    for (const Case c :
         {Case{"another row focused", false}, Case{"the row holds another file", true}}) {
        SCOPED_TRACE(c.sName);
        info.ClearInfo();
        test::UiQueue queue;
        SetEntries({Entry(0), Entry(1)});
        Click(0);
        ASSERT_TRUE(queue.WaitQueued(2));
        if (c.bSameRow) {
            playlist.Put(0, Entry(1));
            Click(0);
        } else {
            Click(1);
        }
        ASSERT_TRUE(queue.WaitQueued(4));
        queue.RunAt(2);
        queue.RunAt(2);
        const auto latest = Rows();
        ASSERT_EQ(latest[0], "曲 01");
        ASSERT_FALSE(latest[3].empty());
        queue.Drain();
        EXPECT_EQ(Rows(), latest);
        if (c.bSameRow) {
            ASSERT_NE(Record(0), nullptr);
            EXPECT_TRUE(SameTextAscii(Record(0)->FileName(), Entry(1)));
        } else {
            EXPECT_EQ(Record(0), nullptr);
        }
    }
}

// The list of the real window as the user works it: a click and the arrow keys move the
// panel along.
TEST_F(InfoPanelTest, ClicksAndKeysInTheListFillThePanel) {
    TApp_Skivra listWindow;
    TMyMainPlayer player(listWindow, engine, desktop);
    TMyMainInfo listInfo(listWindow, player.Controller());
    listWindow.SetParts({&player, &player, nullptr, nullptr, &listInfo});
    listWindow.FormCreate();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&listWindow));
    for (int i = 0; i < 3; ++i) {
        player.Playlist().Add(Entry(i));
    }
    player.RefreshPlaylist();
    QListView* pList = listWindow.ListBox_Playlist;
    const auto Shows = [&](const char* pTitle) {
        return test::WaitFor(
            [&] {
                return Utf16ToUtf8(listInfo.InfoValue(0)) == pTitle &&
                       !listInfo.InfoValue(3).empty();
            },
            30000);
    };
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualRect(pList->model()->index(1, 0)).center());
    EXPECT_TRUE(Shows("曲 01")) << Utf16ToUtf8(listInfo.InfoValue(0));
    pList->setFocus();
    QTest::keyClick(pList, Qt::Key_Down);
    EXPECT_TRUE(Shows("曲 02")) << Utf16ToUtf8(listInfo.InfoValue(0));
    // The window goes before its parts do.
    listWindow.FormDestroy();
}

} // namespace
} // namespace skivra
