// Playlists come from anywhere: other players, the web, a file renamed by mistake. The bytes
// become a playlist file of the format the first byte picks, beside a second playlist of
// the same bytes and a media file, and the whole expansion runs over them: reading,
// encodings, entry rules, resolution, nesting and cycles. Every entry that comes out must
// be a real path text, and every object must end up in the list or destroyed.
#include "lists/myFileStrings.h"
#include "lists/myPlaylistExpand.h"
#include "support/myUnicode.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

int iAlive = 0;

class TCounted : public skivra::TMyObject {
public:
    TCounted() { ++iAlive; }
    ~TCounted() override { --iAlive; }
};

const std::string& Folder() {
    static const std::string sFolder = [] {
        std::string s = "/tmp/fuzz_playlist_" + std::to_string(getpid());
        mkdir(s.c_str(), 0700);
        std::ofstream(s + "/a.mp3") << "x";
        return s;
    }();
    return sFolder;
}

void Check(bool bCondition) {
    if (!bCondition) {
        std::abort();
    }
}

void WriteFile(const std::string& sPath, const std::uint8_t* pData, std::size_t iSize) {
    std::ofstream out(sPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(iSize));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    using namespace skivra;
    if (iSize == 0) {
        return 0;
    }
    static const char* const aExts[] = {".m3u", ".m3u8", ".pls", ".wpl"};
    const std::uint8_t iSelect = pData[0];
    const std::string sList = Folder() + "/list" + aExts[iSelect & 3];
    const std::string sSecond = Folder() + "/b" + aExts[(iSelect >> 2) & 3];
    WriteFile(sList, pData + 1, iSize - 1);
    WriteFile(sSecond, pData + 1, iSize - 1);
    {
        TMyFileStrings sl;
        sl.SetObjectsFree(true);
        if ((iSelect & 0x10) != 0) {
            sl.AllowExtAdd({u".mp3", u".m3u", u".m3u8", u".pls", u".wpl"});
        }
        sl.Add(u"/first.mp3");
        sl.Add(*Utf8ToUtf16(sList));
        sl.Add(*Utf8ToUtf16(Folder() + "/a.mp3"));
        const int32_t iBefore = sl.Count();
        TMyPlaylistExpansion expansion(sl, [](const std::u16string&) { return new TCounted; });
        const int32_t iChange = expansion.ExpandAll((iSelect & 0x20) != 0);
        Check(sl.Count() == iBefore + iChange);
        Check(sl.Get(0) == u"/first.mp3");
        for (int32_t i = 0; i < sl.Count(); ++i) {
            Check(!sl.Get(i).empty());
            // An address passes without an extension to judge it by.
            Check(IsUrlEntry(sl.Get(i)) || sl.IsAllowedFile(sl.Get(i)));
        }
        // The two plain entries carry no object; every inserted one does.
        Check(iAlive == sl.Count() - 2);
    }
    Check(iAlive == 0);
    unlink(sList.c_str());
    unlink(sSecond.c_str());
    return 0;
}
