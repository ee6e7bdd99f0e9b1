// The sub-player's own program, started by the player as "/SUBPLAYER /FROM:<player's
// panel>". It loads Qt Core and Xlib alone: neither the widgets, nor the media framework,
// nor the picture code that putting the user's wallpaper back needs. When the player dies
// with the wallpaper still taken over, this process becomes the player's program with the
// same command line, which finds the player gone and restores the wallpaper.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "app/mySubPlayerProgram.h"
#include "app/sub.h"
#include "engine/myWallpaperJournal.h"
#include "support/myFile.h"
#include "support/myUnicode.h"

int main(int argc, char** argv) {
    using namespace skivra;
    return RunSubPlayer(argc, argv, [argv] {
        const std::u16string sPlayer = PlayerProgramFile();
        if (!FileExistsEx(GetWallpaperJournalFileName(sPlayer))) {
            return; // nothing was taken over
        }
        const std::string sProgram = Utf16ToUtf8(sPlayer);
        execv(sProgram.c_str(), argv);
        // The next start of the player restores the wallpaper from the journal instead.
        std::fprintf(stderr, "skivra: cannot start %s to restore the wallpaper: %s\n",
                     sProgram.c_str(), std::strerror(errno));
    });
}
