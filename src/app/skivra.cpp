// The program entry. One program file runs as the player or, started by the player with
// /SUBPLAYER, as the sub-player that owns the desktop video window.

#include "app/myParam.h"
#include "support/myProgram.h"
#include "support/myUnicode.h"

#include <cstdio>

int main() {
    using namespace skivra;
    const bool bSubPlayer = MyParam().OptionExists(u"SUBPLAYER");
    const std::string sName = Utf16ToUtf8(GetProgramProductName());
    const std::string sVersion = Utf16ToUtf8(GetProgramVersion());
    // The window and the playback roles are not part of this build yet; say so plainly
    // instead of pretending to play.
    std::printf("%s %s: the %s role is not available in this build yet.\n", sName.c_str(),
                sVersion.c_str(), bSubPlayer ? "sub-player" : "player");
    return 0;
}
