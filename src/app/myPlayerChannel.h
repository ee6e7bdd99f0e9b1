#pragma once

#include <memory>
#include <string>

#include "app/myMessagePanel.h"
#include "app/mySubPlayerProgram.h"

namespace skivra {

class TMyX11Session;

// The player's side of the two-process arrangement: its message panel (below the main
// window, and owner of the selection by which a second start finds the running player),
// the sub-player it launches, and what the sub-player announced. UI thread only.
class TMyPlayerChannel {
public:
    // The class name that a second start looks for.
    static constexpr char kMainWindowClass[] = "TApp_Skivra";

    // sProgramFile is the program started as the sub-player.
    TMyPlayerChannel(TMyX11Session& session, TMyWindowId mainWindow,
                     std::u16string sProgramFile = SubPlayerProgramFile());

    // The player's MyMessagePanel1.
    TMyWindowId MessagePanel() const { return MyMessagePanel1.Handle(); }
    // Whether this process now owns the player selection.
    bool IsClaimed() const { return FbClaimed; }
    // The last text the panel received.
    const std::u16string& MessageCaption() const { return MyMessagePanel1.Caption(); }

    // A text from a second start or from the sub-player: every /TO_SUBPLAYER in it stores
    // the announced panel (a later one overrides an earlier one; a negative value is
    // refused; a value that is not a number counts as 0); anything else is ignored.
    void MyMessagePanel1TextChange(const std::u16string& sText);

    // Launches "/SUBPLAYER /FROM:<panel>" from the sub-player's program and waits up to 2 s,
    // handling events meanwhile, so an announcement within that time is stored at once.
    void StartSubPlayer();
    // Launches a sub-player when the known one is gone; true when one is in place now.
    bool SubPlayerReady();

    TMyWindowId SubPlayerMsgHwnd() const { return FhSubPlayerMsgHwnd; }
    // The sub-player's top-level window: the desktop video window.
    TMyWindowId SubPlayerHwnd() const { return FhSubPlayerHwnd; }

private:
    TMyX11Session& FSession;
    std::u16string FsProgramFile;
    TMyMessagePanel MyMessagePanel1;
    bool FbClaimed = false;
    TMyWindowId FhSubPlayerMsgHwnd = 0;
    TMyWindowId FhSubPlayerHwnd = 0;
};

// A second start's part: true when another player runs (this process must end); it then
// has handed this process's command line (without the program path) to the running
// player, or, when there was none or no player could be found, shown "すでに起動しています".
// In both cases the running player is restored and raised. The player that holds the lock
// may still be starting: its panel is awaited for a few seconds before giving up.
// sMessage is sent to the player's window after the box when not empty.
bool ActivatePrevInstance(const std::u16string& sMutexName, const char* pClassName,
                          const std::u16string& sTitle, const std::u16string& sMessage);

} // namespace skivra
