// A player killed while it saves must leave files that the next start can read: the old
// ones or the new ones, whole, never a mixture or a truncated file; and the next start
// removes the temporary files such a kill leaves behind.

#include "app/mySettingsValues.h"

#include "lists/myWStrings.h"
#include "platform/posix/myAtomicFile.h"
#include "settings/myIniFile.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace skivra {
namespace {

constexpr std::int32_t kEntries = 20000;

// Version v of the playlist: every entry names its version, so a mixture shows.
void FillVersion(TMyWStrings& playlist, int v) {
    for (std::int32_t i = 0; i < kEntries; ++i) {
        playlist.Add(u"/media/version" + Utf8ToUtf16(std::to_string(v)).value() + u"/clip " +
                     Utf8ToUtf16(std::to_string(i)).value() + u".mp4");
    }
}

// A journal of its version, long enough to be written in several pieces.
std::string JournalText(int v) {
    return "version=" + std::to_string(v) + "\n" + std::string(200000, static_cast<char>('a' + v));
}

struct TSaveFiles {
    std::u16string sIni, sPlaylist, sJournal;
};

void SaveVersion(const TSaveFiles& files, const TMyWStrings& playlist, int v) {
    {
        TMyIniFile ini(files.sIni);
        TMySettingsValues values;
        values.iVolume = v;
        values.sFileName = playlist.Get(kEntries - 1);
        values.iResumeIndex = kEntries - 1;
        WriteSettingsValues(ini, values);
    }
    SaveSavedPlaylist(files.sPlaylist, playlist);
    WriteFileAtomically(files.sJournal, JournalText(v));
}

// The child: saves version 1 and version 2 by turns, and stops itself (SIGSTOP) at the
// iStopAt-th step of its saves (a temporary file made, 64 KiB written, a file written
// whole, a rename), for the parent to kill it right there.
[[noreturn]] void SaveUntilStopped(const TSaveFiles& files, int iStopAt) {
    TMyWStrings one, two;
    FillVersion(one, 1);
    FillVersion(two, 2);
    int iStep = 0;
    SetSaveHook([&](TMySaveStep, std::size_t) {
        if (iStep++ == iStopAt) {
            raise(SIGSTOP);
        }
    });
    for (int i = 0;; ++i) {
        SaveVersion(files, i % 2 ? two : one, i % 2 ? 2 : 1);
    }
}

// Which version the files hold, or 0 when they are not one whole version. The three files
// are separate saves: each may hold either version, but each must be whole.
int VersionOnDisk(const TSaveFiles& files) {
    TMyWStrings playlist;
    if (!LoadSavedPlaylist(files.sPlaylist, playlist) || playlist.Count() != kEntries) {
        return 0;
    }
    const std::u16string sFirst = playlist.Get(0);
    const int v = sFirst.starts_with(u"/media/version1/")   ? 1
                  : sFirst.starts_with(u"/media/version2/") ? 2
                                                            : 0;
    const std::u16string sPrefix = u"/media/version" + Utf8ToUtf16(std::to_string(v)).value();
    if (v == 0 || !playlist.Get(kEntries - 1).starts_with(sPrefix)) {
        return 0;
    }
    TMyIniFile ini(files.sIni);
    TMySettingsValues values;
    values.iVolume = -1;
    ReadSettingsValues(ini, values);
    if (values.iVolume != 1 && values.iVolume != 2) {
        return 0;
    }
    if (!values.sFileName.starts_with(u"/media/version" +
                                      Utf8ToUtf16(std::to_string(values.iVolume)).value())) {
        return 0;
    }
    const std::optional<std::string> sJournal = ReadSmallFile(files.sJournal, 1 << 20);
    if (!sJournal || (*sJournal != JournalText(1) && *sJournal != JournalText(2))) {
        return 0;
    }
    return v;
}

std::vector<std::string> FolderNames(const std::string& sFolder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(sFolder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The player killed (SIGKILL) at every step of two whole rounds of saves: the settings, a
// playlist of 20,000 entries and the wallpaper journal, each stopped when its temporary
// file is made, after every 64 KiB, when it is written whole and after its rename. Every
// kill leaves each file whole (the old or the new version), and the next start removes the
// temporary file the killed save left.
TEST(SaveCrash, KilledAtEveryStepOfASaveLeavesWholeFiles) {
    // A kill needs no disk under the files, and a folder in memory spares the loop the
    // waits for the disk that every save's flush would cost.
    if (std::filesystem::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    test::TempFolder dir;
    unsetenv("TMPDIR");
    const TSaveFiles files{dir / u"skivra.ini", dir / u"skivra.playlist",
                           dir / u"skivra.wallpaper.journal"};
    {
        TMyWStrings one;
        FillVersion(one, 1);
        SaveVersion(files, one, 1);
    }
    const std::vector<std::string> aWhole = FolderNames(dir.Path());
    ASSERT_EQ(aWhole.size(), 3u);

    // Count the steps of one round of saves of both versions.
    int iSteps = 0;
    {
        TMyWStrings one, two;
        FillVersion(one, 1);
        FillVersion(two, 2);
        SetSaveHook([&](TMySaveStep, std::size_t) { ++iSteps; });
        SaveVersion(files, one, 1);
        SaveVersion(files, two, 2);
        SaveVersion(files, one, 1);
        SetSaveHook({});
    }
    ASSERT_GT(iSteps, 40) << "the playlist and the journal are written in pieces";

    int iSeen[3] = {0, 0, 0};
    int iLeftovers = 0;
    for (int iStopAt = 0; iStopAt < iSteps; ++iStopAt) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SaveUntilStopped(files, iStopAt);
        }
        int iStatus = 0;
        ASSERT_EQ(waitpid(pid, &iStatus, WUNTRACED), pid);
        ASSERT_TRUE(WIFSTOPPED(iStatus)) << "step " << iStopAt;
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(iStatus) && WTERMSIG(iStatus) == SIGKILL);

        const int v = VersionOnDisk(files);
        ASSERT_NE(v, 0) << "after a kill at step " << iStopAt;
        ++iSeen[v];
        // The next start clears what the killed save left, and only that.
        iLeftovers += static_cast<int>(FolderNames(dir.Path()).size() - aWhole.size());
        RemoveStaleSaveFiles(files.sIni);
        ASSERT_EQ(FolderNames(dir.Path()), aWhole) << "after a kill at step " << iStopAt;
    }
    EXPECT_GT(iSeen[1], 0);
    EXPECT_GT(iSeen[2], 0);
    EXPECT_GT(iLeftovers, 0) << "some kills must land while a temporary file exists";
}

// The clean-up at start: only our own temporary files, only plain files of this user, and
// only those whose writer is gone or that nobody touched for long.
TEST(SaveCrash, StartRemovesOnlyStaleTemporaryFilesOfOurOwn) {
    test::TempFolder dir;
    // A process id that is surely not running: a child that has ended and been reaped.
    const pid_t pidChild = fork();
    ASSERT_GE(pidChild, 0);
    if (pidChild == 0) {
        _exit(0);
    }
    ASSERT_EQ(waitpid(pidChild, nullptr, 0), pidChild);
    const std::string sDead = std::to_string(pidChild);
    const std::string sLive = std::to_string(getpid());
    struct Case {
        std::string sName;
        bool bOld;
        bool bRemoved;
    };
    const Case aCases[] = {
        {".skivra-save-" + sDead + "-a1B2c3", false, true},
        {"skivra.wallpaper.journal.tmp-" + sDead + "-Zz09aa", false, true},
        {"skivra.ini.tmp-" + sDead + "-Zz09aa", false, true},
        {".skivra-save-" + sLive + "-a1B2c3", false, false}, // a save under way
        {".skivra-save-" + sLive + "-d4E5f6", true, true},   // untouched for an hour
        {".skivra-save-a1B2c3", false, false},               // an earlier form, fresh
        {".skivra-save-d4E5f6", true, true},                 // and old
        {"other.journal.tmp-" + sDead + "-a1B2c3", true, false},
        {"skivra.tmp-" + sDead + "-a1B2c3", true, false},
        {".skivra-save-" + sDead + "-a1B2", true, false},
        {".skivra-save-" + sDead + "-a1B2c3.bak", true, false},
        {"skivra.ini", true, false},
        {"skivra.playlist", true, false},
    };
    for (const Case& c : aCases) {
        const std::u16string sFile = dir.Write(Utf8ToUtf16(c.sName).value(), "x");
        if (c.bOld) {
            const std::filesystem::path path(Utf16ToUtf8(sFile));
            std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) -
                                                       std::chrono::hours(1));
        }
    }
    // A link and a folder under our names are not ours to remove.
    const std::string sLink = dir.Path() + "/.skivra-save-" + sDead + "-LiNk00";
    ASSERT_EQ(symlink((dir.Path() + "/skivra.ini").c_str(), sLink.c_str()), 0);
    std::filesystem::create_directory(dir.Path() + "/skivra.x.tmp-" + sDead + "-Folder");

    EXPECT_EQ(RemoveStaleSaveFiles(dir / u"skivra.ini"), 5u);
    for (const Case& c : aCases) {
        EXPECT_EQ(std::filesystem::exists(dir.Path() + "/" + c.sName), !c.bRemoved) << c.sName;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(sLink));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/skivra.x.tmp-" + sDead + "-Folder"));
}

} // namespace
} // namespace skivra
