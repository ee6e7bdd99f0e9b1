// Settings files written by another INI writer (Python's configparser), read here, changed
// in one key, and read back by that writer.

#include "settings/myIniFile.h"
#include "support/TempFolder.h"
#include "support/myUnicode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace skivra {
namespace {

using test::TempFolder;

const std::string kPeer = std::string("/usr/bin/python3 ") + SKIVRA_TEST_TOOLS + "/ini_peer.py";

// Runs a command and returns its standard output; fails the test on a non-zero exit.
std::string RunPeer(const std::string& sCommand) {
    std::string sOut;
    FILE* pipe = popen(sCommand.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << sCommand;
        return sOut;
    }
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
        sOut.append(buf, n);
    EXPECT_EQ(pclose(pipe), 0) << sCommand;
    return sOut;
}

std::string ReadBytes(const std::string& sPath) {
    std::ifstream in(sPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string Replaced(std::string s, const std::string& sOld, const std::string& sNew) {
    const std::size_t i = s.find(sOld);
    EXPECT_NE(i, std::string::npos) << sOld;
    return i == std::string::npos ? s : s.replace(i, sOld.size(), sNew);
}

TEST(IniFilePeer, ConfigparserFilesReadChangeAndReadBack) {
    struct Case {
        const char* sName;
        const char* sEncoding; // Python's name for it
        TMyCharCode cdRead;
        const char16_t* sBlank; // configparser writes "key = value" unless told otherwise
    };
    const Case cases[] = {
        {"utf8_lf.ini", "utf-8", cdUTF_8N, u" "},
        {"utf8bom_crlf.ini", "utf-8-sig", cdUTF_8, u""},
        {"sjis_crlf.ini", "cp932", cdSJis, u""},
        {"utf8_cr.ini", "utf-8", cdUTF_8N, u""},
    };
    TempFolder dir;
    RunPeer(kPeer + " write " + dir.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sName);
        const std::string sPath = dir.Path() + "/" + c.sName;
        const std::string sBefore = RunPeer(kPeer + " dump " + sPath + " " + c.sEncoding);
        {
            TMyIniFile ini(*Utf8ToUtf16(sPath));
            EXPECT_EQ(ini.ReadCharCode(), c.cdRead);
            EXPECT_EQ(ini.ReadInteger(u"Play", u"Volume", 0), 75);
            EXPECT_TRUE(ini.ReadBool(u"play", u"mute", false));
            const std::u16string sBlank = c.sBlank;
            EXPECT_EQ(ini.ReadString(u"Resume", u"FileName", u""),
                      sBlank + u"/home/ユーザー/動画/夏休み ①.mp4");
            EXPECT_EQ(ini.ReadInteger(u"Resume", u"ResumeIndex", 0), 3);
            EXPECT_EQ(ini.ReadFloat(u"Resume", u"ResumePosition", 0), 12.5);
            EXPECT_EQ(ini.ReadString(u"Other program", u"quoted", u""), sBlank + u"\"a b\"");
            ini.WriteInteger(u"Play", u"Volume", 80);
        }
        // Every character fits Shift-JIS, so the file comes back in it; the peer reads the
        // same settings with the one change.
        const std::string sAfter = RunPeer(kPeer + " dump " + sPath + " cp932");
        EXPECT_EQ(sAfter, Replaced(sBefore, "\"Volume\": \"75\"", "\"Volume\": \"80\""));
    }
}

// In the peer's own encoding and line ends, the untouched sections keep every byte.
TEST(IniFilePeer, UntouchedSectionsKeepTheirBytes) {
    TempFolder dir;
    RunPeer(kPeer + " write " + dir.Path());
    const std::string sPath = dir.Path() + "/sjis_crlf.ini";
    const std::string sBefore = ReadBytes(sPath);
    {
        TMyIniFile ini(*Utf8ToUtf16(sPath));
        ini.WriteInteger(u"Play", u"Volume", 80);
    }
    const std::string sPlay = "[Play]\r\nVolume=75\r\nMute=1\r\n\r\n";
    EXPECT_EQ(ReadBytes(sPath),
              Replaced(sBefore, sPlay, "") + "[Play]\r\nVolume=80\r\nMute=1\r\n\r\n");
}

} // namespace
} // namespace skivra
