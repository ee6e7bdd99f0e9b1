#include "support/myProgram.h"

#include "support/TempFolder.h"
#include "support/myPath.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// An update replaces the program file while it runs; the kernel then names the running
// file "... (deleted)", and the data must still go to the files named after the program.
TEST(ProgramIdentity, NamesSurviveAnUpdate) {
    test::TempFolder temp;
    const std::string sProgram = temp.Path() + "/skivra";
    std::filesystem::copy_file(SKIVRA_PROGRAM_IDENTITY, sProgram);
    std::filesystem::permissions(sProgram, std::filesystem::perms::owner_all);
    int toChild[2];
    int fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        unsetenv("SKIVRA_DATA_DIR");
        execl(sProgram.c_str(), sProgram.c_str(), nullptr);
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    FILE* pOutput = fdopen(fromChild[0], "r");
    ASSERT_NE(pOutput, nullptr);
    std::string sOutput;
    char line[4096];
    while (sOutput.find("ready\n") == std::string::npos && fgets(line, sizeof line, pOutput)) {
        sOutput += line;
    }
    // The update: the old file goes, a new one takes its name.
    ASSERT_EQ(unlink(sProgram.c_str()), 0);
    temp.Write(u"skivra", "the next version");
    ASSERT_EQ(write(toChild[1], "\n", 1), 1);
    close(toChild[1]);
    while (fgets(line, sizeof line, pOutput)) {
        sOutput += line;
    }
    fclose(pOutput);
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 0) << sOutput;
    EXPECT_NE(sOutput.find("program=" + sProgram + "\n"), std::string::npos) << sOutput;
    EXPECT_NE(sOutput.find("ini=" + sProgram + ".ini\n"), std::string::npos) << sOutput;
    EXPECT_NE(sOutput.find("playlist=" + sProgram + ".playlist\n"), std::string::npos) << sOutput;
    EXPECT_NE(sOutput.find("version=3.0.15.234\n"), std::string::npos) << sOutput;
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

// Data beside the program only in a folder private to the user: where others can write,
// another user could plant "skivra.ini" as a link to one of the user's own files.
TEST(DataFiles, NeverInAFolderOthersCanWriteTo) {
    unsetenv("SKIVRA_DATA_DIR");
    // Tests run as root here, so "another user" is an unused uid.
    constexpr uid_t kOtherUser = 12345;
    struct Case {
        const char* sWhat;
        mode_t iMode;
        bool bOtherOwner;
        bool bBeside;
    };
    const Case kCases[] = {
        {"private folder", 0755, false, true},
        {"world-writable with sticky bit", 01777, false, false},
        {"world-writable", 0777, false, false},
        {"group-writable", 0775, false, false},
        {"another user's folder", 0755, true, false},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.sWhat);
        test::TempFolder temp;
        setenv("XDG_CONFIG_HOME", (temp.Path() + "/config").c_str(), 1);
        const std::u16string sProgram = temp.Write(u"bin/skivra");
        const std::string sFolder = temp.Path() + "/bin";
        ASSERT_EQ(chmod(sFolder.c_str(), c.iMode), 0);
        if (c.bOtherOwner) {
            ASSERT_EQ(chown(sFolder.c_str(), kOtherUser, kOtherUser), 0);
        }
        EXPECT_EQ(GetDataFileName(u".ini", sProgram),
                  c.bBeside ? temp / u"bin/skivra.ini" : temp / u"config/skivra/skivra.ini");
    }
    unsetenv("XDG_CONFIG_HOME");
}

// A link that another user left in the program's folder is never written through: the
// file it names goes to the configuration folder instead.
TEST(DataFiles, AnotherUsersLinkIsNotUsed) {
    unsetenv("SKIVRA_DATA_DIR");
    test::TempFolder temp;
    setenv("XDG_CONFIG_HOME", (temp.Path() + "/config").c_str(), 1);
    const std::u16string sProgram = temp.Write(u"bin/skivra");
    const std::u16string sVictim = temp.Write(u"victim/private.txt", "mine");
    const std::string sLink = temp.Path() + "/bin/skivra.ini";
    ASSERT_EQ(symlink(Utf16ToUtf8(sVictim).c_str(), sLink.c_str()), 0);
    ASSERT_EQ(lchown(sLink.c_str(), 12345, 12345), 0);
    EXPECT_EQ(GetDataFileName(u".ini", sProgram), temp / u"config/skivra/skivra.ini");
    // The user's own link is theirs to keep.
    ASSERT_EQ(lchown(sLink.c_str(), geteuid(), getegid()), 0);
    EXPECT_EQ(GetDataFileName(u".ini", sProgram), temp / u"bin/skivra.ini");
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace skivra
