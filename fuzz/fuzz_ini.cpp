// Any file can be handed to the settings reader: a hand-edited skivra.ini, a playlist from
// another program, a video renamed to .pls. The bytes are read as a file (so the encoding
// detection runs as well), then every read path and the section rewrites are exercised.
#include "settings/myIniFile.h"
#include "support/myUnicode.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const std::string& InputPath() {
    static const std::string sPath = "/tmp/fuzz_ini_" + std::to_string(getpid()) + ".ini";
    return sPath;
}

void Check(bool bCondition) {
    if (!bCondition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    using namespace skivra;
    {
        std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(iSize));
    }
    TMyIniFile ini(*Utf8ToUtf16(InputPath()));
    ini.SetDebug(true);          // never write
    unlink(InputPath().c_str()); // the document is in memory now; leave nothing behind

    TMyWStrings sections;
    ini.ReadSections(sections);
    TMyWStrings lines;
    for (std::int32_t i = 0; i < sections.Count() && i < 8; ++i) {
        const std::u16string sSection = sections.Get(i);
        Check(ini.SectionExists(sSection));
        ini.ReadSectionText(sSection, lines);
        ini.ReadSection(sSection, lines);
        for (std::int32_t k = 0; k < lines.Count() && k < 16; ++k) {
            const std::u16string sKey = lines.Get(k);
            (void)ini.ReadString(sSection, sKey, u"d");
            (void)ini.ReadInteger(sSection, sKey, 7);
            (void)ini.ReadFloat(sSection, sKey, 0.5);
            (void)ini.ReadBool(sSection, sKey, true);
            (void)ini.ReadRect(sSection, sKey, {1, 2, 3, 4});
            TMyFontValue font;
            ini.SetFont(sSection, sKey, font);
            Check(font.iCharset >= 0 && font.iCharset <= 255);
        }
    }
    (void)ini.ReadMonitorBoundsRect(u"Bounds", u"App_Skivra", {0, 0, 640, 480});

    // Writes that read back as written, whatever surrounds them.
    if (sections.Count() > 0) {
        const std::u16string sSection = sections.Get(0);
        ini.WriteString(sSection, u"FuzzKey", u"value");
        Check(ini.ReadString(sSection, u"fuzzkey", u"") == u"value");
        ini.WriteSectionValues(sSection, lines);
        ini.EraseSection(sSection);
        // Only the first section of a repeated name goes; a later one may hold the key.
        if (!ini.SectionExists(sSection))
            Check(ini.ReadString(sSection, u"FuzzKey", u"gone") == u"gone");
    }
    ini.WriteInteger(u"Play", u"Volume", -5);
    Check(ini.ReadInteger(u" play ", u"VOLUME", 0) == -5);
    ini.WriteSectionText(u"OpenFileHistory", lines);
    Check(ini.SectionExists(u"OpenFileHistory"));
    Check(!ini.UpdateFile());
    return 0;
}
