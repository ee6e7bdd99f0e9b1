// A player killed while it saves must leave files that the next start can read: the old
// ones or the new ones, whole, never a mixture or a truncated file.

#include "app/mySettingsValues.h"

#include "lists/myWStrings.h"
#include "settings/myIniFile.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace skivra {
namespace {

constexpr std::int32_t kEntries = 2000;
constexpr int kKills = 200;

// Version v of the playlist: every entry names its version, so a mixture shows.
void FillVersion(TMyWStrings& playlist, int v) {
    for (std::int32_t i = 0; i < kEntries; ++i) {
        playlist.Add(u"/media/version" + Utf8ToUtf16(std::to_string(v)).value() + u"/clip " +
                     Utf8ToUtf16(std::to_string(i)).value() + u".mp4");
    }
}

void SaveVersion(const std::u16string& sIni, const std::u16string& sPlaylist,
                 const TMyWStrings& playlist, int v) {
    {
        TMyIniFile ini(sIni);
        TMySettingsValues values;
        values.iVolume = v;
        values.sFileName = playlist.Get(kEntries - 1);
        values.iResumeIndex = kEntries - 1;
        WriteSettingsValues(ini, values);
    }
    SaveSavedPlaylist(sPlaylist, playlist);
}

// The child: saves version 1 and version 2 by turns for ever, saying before every save
// that one begins, so the parent's kill lands while a save is under way.
[[noreturn]] void SaveForEver(int fdReady, const std::u16string& sIni,
                              const std::u16string& sPlaylist) {
    TMyWStrings one, two;
    FillVersion(one, 1);
    FillVersion(two, 2);
    for (int i = 0;; ++i) {
        if (write(fdReady, "s", 1) != 1) {
            _exit(1);
        }
        SaveVersion(sIni, sPlaylist, i % 2 ? two : one, i % 2 ? 2 : 1);
    }
}

// Which version the files hold, or 0 when they are not one whole version.
int VersionOnDisk(const std::u16string& sIni, const std::u16string& sPlaylist) {
    TMyWStrings playlist;
    if (!LoadSavedPlaylist(sPlaylist, playlist) || playlist.Count() != kEntries) {
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
    TMyIniFile ini(sIni);
    TMySettingsValues values;
    values.iVolume = -1;
    ReadSettingsValues(ini, values);
    // The two files are separate saves: the settings may already be the other version.
    if (values.iVolume != 1 && values.iVolume != 2) {
        return 0;
    }
    if (!values.sFileName.starts_with(u"/media/version" +
                                      Utf8ToUtf16(std::to_string(values.iVolume)).value())) {
        return 0;
    }
    return v;
}

TEST(SaveCrash, KilledMidSaveLeavesWholeFiles) {
    // A kill needs no disk under the files, and a folder in memory spares the loop the
    // waits for the disk that every save's flush would cost.
    if (std::filesystem::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    test::TempFolder dir;
    unsetenv("TMPDIR");
    const std::u16string sIni = dir / u"skivra.ini";
    const std::u16string sPlaylist = dir / u"skivra.playlist";
    {
        TMyWStrings one;
        FillVersion(one, 1);
        SaveVersion(sIni, sPlaylist, one, 1);
    }
    int iSeen[3] = {0, 0, 0};
    int iLeftovers = 0;
    for (int iKill = 0; iKill < kKills; ++iKill) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            SaveForEver(fds[1], sIni, sPlaylist);
        }
        close(fds[1]);
        // Let the child begin one to three saves, then kill it a varying while into the
        // last one (the spin only spreads the kills over the save; any point must do).
        char c = 0;
        for (int i = 0; i <= iKill % 3; ++i) {
            ASSERT_EQ(read(fds[0], &c, 1), 1);
        }
        volatile int iSpin = 0;
        while (iSpin < (iKill % 17) * 20000) {
            iSpin = iSpin + 1;
        }
        kill(pid, SIGKILL);
        int iStatus = 0;
        ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
        close(fds[0]);
        const int v = VersionOnDisk(sIni, sPlaylist);
        ASSERT_NE(v, 0) << "after kill " << iKill;
        ++iSeen[v];
        // What a kill leaves behind is a hidden temporary file, never a damaged file; they
        // go at once, so the loop's disk use stays small.
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string sName = entry.path().filename().string();
            if (sName != "skivra.ini" && sName != "skivra.playlist") {
                EXPECT_EQ(sName[0], '.') << sName;
                std::filesystem::remove(entry.path());
                ++iLeftovers;
            }
        }
    }
    RecordProperty("version1", iSeen[1]);
    RecordProperty("version2", iSeen[2]);
    RecordProperty("leftover_temporary_files", iLeftovers);
}

} // namespace
} // namespace skivra
