#include "support/myProgram.h"

#include "support/TempFolder.h"
#include "support/myPath.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace skivra {
namespace {

TEST(ProgramIdentity, NamesTheRunningFile) {
    const std::u16string sProgram = GetProgramFileName();
    EXPECT_EQ(GetFileNamePart(sProgram), u"test_support");
    EXPECT_EQ(sProgram.front(), u'/');
    EXPECT_EQ(GetProgramFolder(), GetFolderPathPart(sProgram));
    EXPECT_EQ(GetProgramFolder().back(), u'/');
}

TEST(ProgramIdentity, VersionRecordBelongsToTheProgramOnly) {
    const TMyFileVersionInfo info = ReadFileVersionInfo(GetProgramFileName());
    EXPECT_EQ(info.ProductName, u"Skivra");
    EXPECT_EQ(info.FileVersion, u"3.0.15.234");
    EXPECT_EQ(info.ProductVersion, u"3.0.0.0");
    EXPECT_EQ(info.Comments, u"壁紙の代わりに動画を再生するメディアプレーヤー");
    EXPECT_EQ(info.CompanyName, u"");
    EXPECT_EQ(GetProgramProductName(), u"Skivra");
    EXPECT_EQ(GetProgramVersion(), u"3.0.15.234");

    const TMyFileVersionInfo other = ReadFileVersionInfo(u"/bin/sh");
    EXPECT_EQ(other.ProductName, u"");
    EXPECT_EQ(other.FileVersion, u"");
    EXPECT_EQ(GetFileVersionText(u"/no/such/file"), u"");
}

TEST(DataFiles, BesideTheProgramOrInTheConfigFolder) {
    unsetenv("SKIVRA_DATA_DIR");
    // The build folder is writable, so the data files sit beside the test program.
    EXPECT_EQ(GetDataFileName(u".ini"), GetProgramFolder() + u"test_support.ini");
    EXPECT_EQ(GetDataFileName(u".wallpaper.bmp"),
              GetProgramFolder() + u"test_support.wallpaper.bmp");

    test::TempFolder temp;
    setenv("SKIVRA_DATA_DIR", (temp.Path() + "/data/dir").c_str(), 1);
    EXPECT_EQ(GetDataFileName(u".playlist"), temp / u"data/dir/test_support.playlist");
    struct stat st {};
    EXPECT_EQ(stat((temp.Path() + "/data/dir").c_str(), &st), 0);
    unsetenv("SKIVRA_DATA_DIR");
}

// An installed copy keeps its data in the configuration folder even where its own folder
// is writable; a copy without the marker keeps it beside itself.
TEST(DataFiles, InstalledProgramUsesTheConfigFolder) {
    unsetenv("SKIVRA_DATA_DIR");
    test::TempFolder temp;
    const std::u16string sProgram = temp.Write(u"lib/skivra/skivra");
    setenv("XDG_CONFIG_HOME", (temp.Path() + "/config").c_str(), 1);
    EXPECT_EQ(GetDataFileName(u".playlist", sProgram), temp / u"lib/skivra/skivra.playlist");

    temp.Write(u"lib/skivra/skivra.installed");
    EXPECT_EQ(GetDataFileName(u".playlist", sProgram), temp / u"config/skivra/skivra.playlist");
    EXPECT_EQ(GetDataFileName(u".ini", sProgram), temp / u"config/skivra/skivra.ini");
    struct stat st {};
    EXPECT_EQ(stat((temp.Path() + "/config/skivra").c_str(), &st), 0);

    // The override still wins.
    setenv("SKIVRA_DATA_DIR", (temp.Path() + "/data").c_str(), 1);
    EXPECT_EQ(GetDataFileName(u".ini", sProgram), temp / u"data/skivra.ini");
    unsetenv("SKIVRA_DATA_DIR");
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace skivra
