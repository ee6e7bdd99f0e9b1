#include "support/myFile.h"

#include "support/TempFolder.h"
#include "support/myPath.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skivra {
namespace {

using test::TempFolder;

TEST(Wildcard, Matching) {
    const struct {
        std::u16string sName, sPattern;
        bool bMatch;
    } cases[] = {
        {u"a.mp3", u"*.mp3", true},
        {u"a.mp3", u"*.MP3", false},
        {u"a.mp3", u"?.mp3", true},
        {u"ab.mp3", u"?.mp3", false},
        {u"", u"*", true},
        {u"", u"?", false},
        {u"[Live] 01.mp3", u"[Live]*", true},
        {u"L 01.mp3", u"[Live]*", false},
        {u"aaaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*a*a*c", false},
        {u"第１話.mp4", u"第*話.mp4", true},
        {u"abc", u"a*c*", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.sName, c.sPattern), c.bMatch);
    }
    EXPECT_TRUE(HasWildcard(u"/m/*.mp3"));
    EXPECT_FALSE(HasWildcard(u"/m*/a.mp3"));
}

TEST(FileFacts, ExistenceWithAndWithoutWildcards) {
    TempFolder temp;
    const std::u16string sSong = temp.Write(u"曲/AC:DC 01.mp3", "abc");
    temp.MakeFolder(u"only-folders/sub");
    EXPECT_TRUE(FileExistsEx(sSong));
    EXPECT_FALSE(FolderExistsEx(sSong));
    EXPECT_TRUE(FolderExistsEx(temp / u"曲"));
    EXPECT_TRUE(FolderExistsEx(temp / u"曲/"));
    EXPECT_FALSE(FileExistsEx(temp / u"曲"));
    EXPECT_TRUE(FileExistsEx(temp / u"曲/*.mp3"));
    EXPECT_FALSE(FileExistsEx(temp / u"曲/*.flac"));
    // A pattern that only matches folders finds no file.
    EXPECT_FALSE(FileExistsEx(temp / u"only-folders/*"));
    EXPECT_TRUE(FolderExistsEx(temp / u"only-folders/*"));
    EXPECT_FALSE(FolderExistsEx(temp / u"曲/*"));
    EXPECT_FALSE(FileExistsEx(temp / u"missing/*.mp3"));
    EXPECT_FALSE(FileExistsEx(u""));
    EXPECT_FALSE(FolderExistsEx(u""));
    EXPECT_EQ(FindFirstAttributes(temp / u"only-folders/*", true), -1);
    EXPECT_EQ(FindFirstAttributes(temp / u"only-folders/*", false), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FindFirstAttributes(sSong, true), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FindFirstAttributes(temp / u"nothing", false), -1);
}

TEST(FileFacts, HiddenAndReadOnlyAttributes) {
    TempFolder temp;
    const std::u16string sHidden = temp.Write(u".hidden");
    const std::u16string sReadOnly = temp.Write(u"locked");
    chmod(Utf16ToUtf8(sReadOnly).c_str(), 0444);
    EXPECT_EQ(FindFirstAttributes(sHidden, true), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FindFirstAttributes(sReadOnly, true), FILE_ATTRIBUTE_READONLY);
}

TEST(FileFacts, NearestExistingFolder) {
    TempFolder temp;
    temp.MakeFolder(u"a");
    EXPECT_EQ(NearestExistingFolder(temp / u"a/x/y/z.mp3"), temp / u"a");
    EXPECT_EQ(NearestExistingFolder(temp / u"a/"), temp / u"a");
    EXPECT_EQ(NearestExistingFolder(u"/no-such-root-skivra/x"), u"/");
    EXPECT_EQ(NearestExistingFolder(u"no-such-relative-skivra/x"), u"");
    EXPECT_EQ(NearestExistingFolder(u""), u"");
}

TEST(FileFacts, SizesAndTimes) {
    TempFolder temp;
    const std::u16string sFile = temp.Write(u"f.bin", std::string(1234, 'z'));
    temp.MakeFolder(u"dir.bin");
    EXPECT_EQ(GetFileSizeOf(sFile), 1234u);
    EXPECT_EQ(GetFileSizeOf(temp / u"*.bin"), 1234u);
    EXPECT_EQ(GetFileSizeOf(temp / u"dir.bin"), 0u);
    EXPECT_EQ(GetFileSizeOf(temp / u"missing"), 0u);
    EXPECT_EQ(GetHandleFileSize(OpenReadFile(sFile)), 1234u);
    EXPECT_FALSE(OpenReadFile(temp / u"dir.bin").IsValid());
    // A named pipe without a writer would block an ordinary open for ever.
    ASSERT_EQ(mkfifo(Utf16ToUtf8(temp / u"pipe.mp3").c_str(), 0600), 0);
    EXPECT_FALSE(OpenReadFile(temp / u"pipe.mp3").IsValid());
    EXPECT_EQ(GetHandleFileSize(TMyFileHandle()), 0u);

    // 2001-09-09 01:46:40 UTC is 1e9 seconds after 1970.
    const std::string sNative = Utf16ToUtf8(sFile);
    const struct timespec times[2] = {{1000000000, 500}, {1000000000, 1234500}};
    ASSERT_EQ(utimensat(AT_FDCWD, sNative.c_str(), times, 0), 0);
    EXPECT_EQ(GetFileWriteTime64(sFile), (1000000000ull + 11644473600ull) * 10000000ull + 12345u);
    EXPECT_EQ(GetFileWriteTime64(temp / u"*.bin"), GetFileWriteTime64(sFile));
    EXPECT_EQ(GetFileWriteTime64(temp / u"missing"), 0u);
    EXPECT_NE(GetFileCreateTime64(sFile), 0u);
    EXPECT_EQ(UnixTimeToFileTime(0, 0), 116444736000000000ull);
    EXPECT_EQ(UnixTimeToFileTime(-11644473601, 0), 0u);
}

TEST(FileFacts, LongAndInvalidNamesGiveNeutralResults) {
    std::u16string sLong = u"/tmp/";
    sLong.append(5000, u'x');
    EXPECT_FALSE(FileExistsEx(sLong));
    EXPECT_FALSE(FolderExistsEx(sLong));
    EXPECT_EQ(GetFileSizeOf(sLong), 0u);
    EXPECT_EQ(FindFirstAttributes(sLong, false), -1);
    EXPECT_EQ(GetFileWriteTime64(sLong), 0u);

    // A name that is not UTF-8 cannot be named by the program; a wildcard skips it.
    TempFolder temp;
    std::ofstream(temp.Path() + "/bad\xff.mp3") << "x";
    EXPECT_FALSE(FileExistsEx(temp / u"*.mp3"));
}

TEST(Shortcuts, DesktopLinkResolvesToItsFile) {
    TempFolder temp;
    const std::u16string sTarget = temp.Write(u"曲 1.mp3");
    const std::u16string sLink =
        temp.Write(u"link.desktop", "[Desktop Entry]\r\nType=Link\r\nName=x\r\nURL=file://" +
                                        temp.Path() + "/%E6%9B%B2%201.mp3\r\n");
    const std::u16string sApp =
        temp.Write(u"app.desktop", "[Desktop Entry]\nType=Application\nExec=true\n");
    const std::u16string sRemote =
        temp.Write(u"remote.desktop", "[Desktop Entry]\nType=Link\nURL=file://host/x\n");
    // An escaped NUL would cut the path short at another file: the shortcut stays itself.
    const std::u16string sNul =
        temp.Write(u"nul.desktop", "[Desktop Entry]\nType=Link\nURL=file:///x%00y\n");
    EXPECT_TRUE(IsShortcutFile(sLink));
    EXPECT_TRUE(IsShortcutFile(u"/x/A.DESKTOP"));
    EXPECT_FALSE(IsShortcutFile(u"/x/a.lnk"));
    EXPECT_EQ(ResolveShortcut(sLink), sTarget);
    EXPECT_EQ(ResolveShortcut(sApp), sApp);
    EXPECT_EQ(ResolveShortcut(sRemote), sRemote);
    EXPECT_EQ(ResolveShortcut(sNul), sNul);
    EXPECT_EQ(ResolveShortcut(temp / u"missing.desktop"), temp / u"missing.desktop");
    EXPECT_EQ(ResolveShortcut(sTarget), sTarget);
}

// Only a regular file of a desktop entry's size is read: a named pipe under a shortcut's
// name must not hold the caller (the window, for a drop) until someone writes to it.
TEST(Shortcuts, OnlySmallRegularFilesAreRead) {
    TempFolder temp;
    const std::u16string sTarget = temp.Write(u"clip.mp4");
    const std::string sEntry =
        "[Desktop Entry]\nType=Link\nURL=file://" + temp.Path() + "/clip.mp4\n";
    const std::u16string sHuge =
        temp.Write(u"huge.desktop", std::string(1 << 20, '#') + "\n" + sEntry);
    const std::u16string sPipe = temp / u"pipe.desktop";
    ASSERT_EQ(mkfifo(Utf16ToUtf8(sPipe).c_str(), 0600), 0);
    EXPECT_EQ(ResolveShortcut(temp.Write(u"ok.desktop", sEntry)), sTarget);
    EXPECT_EQ(ResolveShortcut(sHuge), sHuge);

    auto resolved = std::async(std::launch::async, [&] { return ResolveShortcut(sPipe); });
    const bool bReturned = resolved.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    if (!bReturned) {
        // Let the blocked reader go, so the test can end.
        const int fd = open(Utf16ToUtf8(sPipe).c_str(), O_WRONLY | O_NONBLOCK);
        close(fd);
    }
    EXPECT_TRUE(bReturned) << "reading a named pipe blocked";
    EXPECT_EQ(resolved.get(), sPipe);
}

TEST(SpecialFolders, FromXdgUserDirectories) {
    TempFolder temp;
    temp.Write(u"config/user-dirs.dirs",
               "# written by xdg-user-dirs-update\nXDG_MUSIC_DIR=\"$HOME/音楽\"\n"
               "XDG_VIDEOS_DIR=\"/media/videos\"\n");
    temp.MakeFolder(u"Documents");
    const std::string sOldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", temp.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (temp.Path() + "/config").c_str(), 1);
    EXPECT_EQ(GetMyMusicFolder(), temp / u"音楽/");
    EXPECT_EQ(GetMyVideosFolder(), u"/media/videos/");
    EXPECT_EQ(GetMyDocumentsFolder(), temp / u"Documents/");
    setenv("HOME", sOldHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace skivra
