#include "support/myPath.h"

#include "support/myUnicode.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace skivra {
namespace {

using Win = TMyWindowsPath;

struct PathCase {
    std::u16string sInput;
    std::u16string sExpected;
};

std::string Narrow(const std::u16string& s) {
    return Utf16ToUtf8(s);
}

template <class F> void ExpectTable(F function, std::initializer_list<PathCase> cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(function(c.sInput)), Narrow(c.sExpected)) << "input: " << Narrow(c.sInput);
    }
}

TEST(WindowsPath, FolderParts) {
    ExpectTable(GetFolderPart<Win>, {{u"C:\\a.txt", u"C:"},
                                     {u"C:\\dir\\a.txt", u"C:\\dir"},
                                     {u"C:a.txt", u"C:"},
                                     {u"dir/sub/x.mp3", u"dir/sub"},
                                     {u"a.txt", u""},
                                     {u"", u""},
                                     {u"C:\\dir\\", u"C:\\dir"}});
    ExpectTable(GetFolderPathPart<Win>, {{u"C:\\a.txt", u"C:\\"},
                                         {u"C:a.txt", u"C:\\"},
                                         {u"a.txt", u""},
                                         {u"dir/sub/x.mp3", u"dir/sub/"},
                                         {u"\\\\srv\\music\\a.mp3", u"\\\\srv\\music\\"}});
}

TEST(WindowsPath, NameParts) {
    ExpectTable(GetFileNamePart<Win>, {{u"dir/sub/x.mp3", u"x.mp3"},
                                       {u"C:x", u"x"},
                                       {u"C:\\d\\", u""},
                                       {u"plain", u"plain"},
                                       {u"曲\\第１話.mp4", u"第１話.mp4"}});
    ExpectTable(GetBaseNamePart<Win>, {{u"song.live.mp3", u"song.live"},
                                       {u".wallpaper", u""},
                                       {u"C:\\v.1\\clip", u"clip"},
                                       {u"noext", u"noext"}});
    ExpectTable(GetExtPart<Win>, {{u"C:\\v.1\\clip", u""},
                                  {u"song.live.mp3", u".mp3"},
                                  {u".wallpaper", u".wallpaper"},
                                  {u"a.", u"."}});
}

TEST(WindowsPath, ChangeExtPart) {
    const struct {
        std::u16string sPath, sExt, sExpected;
    } cases[] = {
        {u"C:\\Tools\\app.exe", u".ini", u"C:\\Tools\\app.ini"},
        {u"C:\\Tools\\app.exe", u"ini", u"C:\\Tools\\app.ini"},
        {u"C:\\dir.d\\file", u".bmp", u"C:\\dir.d\\file.bmp"},
        {u".profile", u".bak", u".bak"},
        {u"C:\\a.mp3", u"", u"C:\\a"},
        // Only "\" and ":" end the name here, so the dot before "/" counts.
        {u"C:\\dir.d/file", u".bmp", u"C:\\dir.bmp"},
        {u"C:file", u".ini", u"C:file.ini"},
        {u"app.exe", u".wallpaper.bmp", u"app.wallpaper.bmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(ChangeExtPart<Win>(c.sPath, c.sExt)), Narrow(c.sExpected));
    }
}

TEST(WindowsPath, DrivePart) {
    ExpectTable(GetDrivePart<Win>, {{u"C:\\a", u"C:"},
                                    {u"c:x", u"c:"},
                                    {u"1:\\x", u""},
                                    {u"\\\\server", u""},
                                    {u"\\\\server\\", u""},
                                    {u"\\\\server\\\\share", u""},
                                    {u"\\\\\\share", u""},
                                    {u"\\\\server\\share\\x", u"\\\\server\\share"},
                                    {u"\\\\srv\\music", u"\\\\srv\\music"},
                                    {u"\\\\?\\UNC\\srv\\music\\a.mp3", u"\\\\srv\\music"},
                                    {u"\\\\?\\unc\\srv\\music", u"\\\\srv\\music"},
                                    {u"\\\\?\\D:\\x", u"D:"},
                                    {u"\\\\?\\1:\\x", u""},
                                    {u"\\\\?", u""},
                                    {u"", u""},
                                    {u"relative\\x", u""}});
}

TEST(WindowsPath, Splits) {
    const TMyFolderAndName folderAndName = SplitFolderAndName<Win>(u"C:\\m\\a.mp3");
    EXPECT_EQ(folderAndName.sFolder, u"C:\\m");
    EXPECT_EQ(folderAndName.sName, u"a.mp3");
    EXPECT_EQ(SplitFolderAndName<Win>(u"C:a.mp3").sFolder, u"C:");
    const TMyFolderAndName pathAndName = SplitPathAndName<Win>(u"C:\\m\\a.mp3");
    EXPECT_EQ(pathAndName.sFolder, u"C:\\m\\");
    EXPECT_EQ(SplitPathAndName<Win>(u"a.mp3").sFolder, u"");
    EXPECT_EQ(SplitPathAndName<Win>(u"a.mp3").sName, u"a.mp3");
    const TMyFilePathParts parts = SplitFilePath<Win>(u"C:\\m\\song.live.mp3");
    EXPECT_EQ(parts.sFolder, u"C:\\m\\");
    EXPECT_EQ(parts.sName, u"song.live.mp3");
    EXPECT_EQ(parts.sExt, u".mp3");
    EXPECT_EQ(parts.sBase, u"song.live");
    const TMyBaseAndExt hidden = SplitBaseAndExt<Win>(u".profile");
    EXPECT_EQ(hidden.sBase, u"");
    EXPECT_EQ(hidden.sExt, u".profile");
}

TEST(WindowsPath, ResolveRelativePath) {
    const struct {
        std::u16string sEntry, sBase, sExpected;
    } cases[] = {
        {u"..\\b.mp3", u"C:\\m\\list\\", u"C:\\m\\b.mp3"},
        {u"\\x\\a.mp3", u"D:\\p\\", u"D:\\x\\a.mp3"},
        {u"HTTP://host/a.mp3", u"C:\\", u"HTTP://host/a.mp3"},
        {u"  http://host/a.mp3", u"C:\\", u"  http://host/a.mp3"},
        {u"sub\\.\\a.mp3", u"C:\\m", u"C:\\m\\sub\\a.mp3"},
        {u"E:\\x\\a.mp3", u"C:\\m\\", u"E:\\x\\a.mp3"},
        {u"E:\\x\\..\\a.mp3", u"C:\\m\\", u"E:\\a.mp3"},
        {u"..\\..\\..\\..\\a.mp3", u"C:\\m\\", u"C:\\a.mp3"},
        {u"a.mp3", u"\\\\srv\\music\\", u"\\\\srv\\music\\a.mp3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(ResolveRelativePath<Win>(c.sEntry, c.sBase)), Narrow(c.sExpected));
    }
    // https is not taken for an address: it is a relative path like any other.
    EXPECT_EQ(ResolveRelativePath<Win>(u"https://h/a", u"C:\\m\\"), u"C:\\m\\https:\\h\\a");
}

TEST(PosixPath, SeparatorsAndNames) {
    // A colon and a backslash are ordinary characters of a name.
    ExpectTable(GetFileNamePart<>, {{u"/music/AC:DC - T.N.T.mp3", u"AC:DC - T.N.T.mp3"},
                                    {u"/music/a\\b.mp3", u"a\\b.mp3"},
                                    {u"/music/dir/", u""},
                                    {u"name", u"name"},
                                    {u"", u""}});
    ExpectTable(GetFolderPart<>, {{u"/music/a.mp3", u"/music"},
                                  {u"/a.mp3", u"/"},
                                  {u"/", u"/"},
                                  {u"C:\\a.mp3", u""},
                                  {u"rel/a", u"rel"},
                                  {u"/music/dir/", u"/music/dir"}});
    ExpectTable(GetFolderPathPart<>, {{u"/music/a.mp3", u"/music/"}, {u"a:b", u""}});
    ExpectTable(GetDrivePart<>, {{u"C:\\x", u""}, {u"//srv/share", u""}});
    ExpectTable(GetExtPart<>,
                {{u"/v.1/clip", u""}, {u"/m/曲.flac", u".flac"}, {u"/m/.hidden", u".hidden"}});
    ExpectTable(GetBaseNamePart<>, {{u"/m/song.live.mp3", u"song.live"}, {u"/m/.hidden", u""}});
}

TEST(PosixPath, ChangeExtPart) {
    EXPECT_EQ(ChangeExtPart(u"/opt/skivra/skivra", u".ini"), u"/opt/skivra/skivra.ini");
    EXPECT_EQ(ChangeExtPart(u"/opt/sk.d/skivra", u"ini"), u"/opt/sk.d/skivra.ini");
    EXPECT_EQ(ChangeExtPart(u"/opt/skivra.bin", u".wallpaper.bmp"), u"/opt/skivra.wallpaper.bmp");
    EXPECT_EQ(ChangeExtPart(u"/m/a\\b.c\\d", u".x"), u"/m/a\\b.x");
    EXPECT_EQ(ChangeExtPart(u"/m/a.mp3", u""), u"/m/a");
}

TEST(PosixPath, ExpandFullPath) {
    ExpectTable(ExpandFullPath<>, {{u"/a/./b/../c", u"/a/c"},
                                   {u"//a///b", u"/a/b"},
                                   {u"/../..", u"/"},
                                   {u"/a/b/", u"/a/b/"},
                                   {u"/", u"/"}});
    char buffer[4096];
    ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
    const std::u16string sCwd = *Utf8ToUtf16(buffer);
    EXPECT_EQ(ExpandFullPath(u"x/./y"), IncludeSuffix(sCwd, u"/") + u"x/y");
}

TEST(PosixPath, ResolveRelativePath) {
    const struct {
        std::u16string sEntry, sBase, sExpected;
    } cases[] = {
        {u"../b.mp3", u"/m/list/", u"/m/b.mp3"},
        {u"sub/a.mp3", u"/m/list", u"/m/list/sub/a.mp3"},
        {u"/abs/a.mp3", u"/m/", u"/abs/a.mp3"},
        // Entries written on Windows: "\" separates.
        {u"..\\b.mp3", u"/m/list/", u"/m/b.mp3"},
        {u"\\x\\a.mp3", u"/m/", u"/x/a.mp3"},
        // A drive letter names no file here: left as it is, to be dropped as missing.
        {u"C:\\music\\a.mp3", u"/m/", u"C:\\music\\a.mp3"},
        {u"http://host/a.mp3", u"/m/", u"http://host/a.mp3"},
        {u"AC:DC.mp3", u"/m/", u"/m/AC:DC.mp3"},
        {u"第１話 ＯＰ.mp4", u"/アニメ/", u"/アニメ/第１話 ＯＰ.mp4"},
        // Addresses of local files, as other players here write them: escapes are UTF-8.
        {u"file:///m/a%20b.mp3", u"/x/", u"/m/a b.mp3"},
        {u"FILE://localhost/m/%E7%AC%AC1%E8%A9%B1.mkv", u"/x/", u"/m/第1話.mkv"},
        {u"file:///m/第２話/../c%2B.mp4", u"/x/", u"/m/c+.mp4"},
        // Another host, a broken escape or an escaped NUL names no local file: the text
        // stays a name in the playlist's folder, to be dropped as missing.
        {u"file://server/m/a.mp3", u"/x/", u"/x/file:/server/m/a.mp3"},
        {u"file:///m/a%2.mp3", u"/x/", u"/x/file:/m/a%2.mp3"},
        {u"file:///m/a%00.mp3", u"/x/", u"/x/file:/m/a%00.mp3"},
        {u"file:///m/%FF.mp3", u"/x/", u"/x/file:/m/%FF.mp3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(ResolveRelativePath(c.sEntry, c.sBase)), Narrow(c.sExpected));
    }
}

TEST(PosixPath, VeryLongPathsStayText) {
    std::u16string sLong = u"/";
    for (int i = 0; i < 600; ++i) {
        sLong += u"フォルダ/";
    }
    sLong += u"曲.mp3";
    EXPECT_EQ(GetFileNamePart(sLong), u"曲.mp3");
    EXPECT_EQ(GetExtPart(sLong), u".mp3");
    EXPECT_EQ(ExpandFullPath(sLong), sLong);
}

TEST(TextSuffixes, IncludeRemove) {
    EXPECT_EQ(IncludeSuffix(u"/m", u"/"), u"/m/");
    EXPECT_EQ(IncludeSuffix(u"/m/", u"/"), u"/m/");
    EXPECT_EQ(IncludeSuffix(u"", u"/"), u"/");
    EXPECT_EQ(RemoveSuffix(u"a.MP3", u".mp3"), u"a.MP3");
    EXPECT_EQ(RemoveSuffix(u"a.mp3", u".mp3"), u"a");
    EXPECT_EQ(RemovePrefix(u"/m/a", u"/m/"), u"a");
    EXPECT_EQ(RemovePrefix(u"/m/a", u"/M/"), u"/m/a");
}

TEST(TextSuffixes, ReplaceTextAll) {
    EXPECT_EQ(ReplaceTextAll(u"aaa", u"aa", u"b"), u"ba");
    EXPECT_EQ(ReplaceTextAll(u"Track track", u"TRACK", u"曲"), u"Track track");
    EXPECT_EQ(ReplaceTextAll(u"Track track", u"TRACK", u"曲", false), u"曲 曲");
    EXPECT_EQ(ReplaceTextAll(u"Ärger ärger", u"ÄRGER", u"x", false), u"x x");
    EXPECT_EQ(ReplaceTextAll(u"", u"a", u"b"), u"");
    EXPECT_EQ(ReplaceTextAll(u"abc", u"", u"b"), u"abc");
}

} // namespace
} // namespace skivra
