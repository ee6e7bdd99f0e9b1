#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "app/myMessagePanel.h"

namespace skivra {

class TMyX11Session;

// The sub-player: the second process of the program, started by the player with
// "/SUBPLAYER /FROM:<player's panel>". It owns the desktop video window (the player renders
// into it and places it), announces that window's panel to the player, and ends by itself
// shortly after the player is gone, or when a text with /CLOSE arrives.
class TApp_SkivraSubForm : public QObject {
    Q_OBJECT

public:
    // Called once the player is found gone, before the process ends: the place to give
    // the user's wallpaper back when the player could not do it itself.
    using TPlayerGoneHook = std::function<void()>;

    explicit TApp_SkivraSubForm(TMyX11Session& session, TPlayerGoneHook onPlayerGone = {});
    ~TApp_SkivraSubForm() override;

    // Creates the video window and its panel, reads the message text of the process's own
    // command line and starts the watchdog, whose first look is at once: a player already
    // gone is handled before the loop starts.
    void FormCreate(const std::u16string& sMessageText);
    void MyMessagePanel1TextChange(TMyMessagePanel* pSender, const std::u16string& sText);
    // The watchdog tick: closes when the player's panel is gone.
    void Timer2Timer();

    TMyWindowId VideoWindow() const { return FhVideoWindow; }
    TMyWindowId MessagePanel() const;
    TMyWindowId MainPlayer() const { return FhMainPlayer; }

signals:
    // The form closed; the process ends.
    void Closed();

private:
    void Close();

    TMyX11Session& FSession;
    TPlayerGoneHook FOnPlayerGone;
    TMyWindowId FhVideoWindow = 0;
    std::unique_ptr<TMyMessagePanel> MyMessagePanel1;
    QTimer Timer2;
    TMyWindowId FhMainPlayer = 0;
    bool FbClosed = false;
};

// The sub-player's process: its form on the process's X session until the form closes.
// onPlayerGone runs when the player was found gone. Returns the exit status.
int RunSubPlayer(int argc, char** argv, TApp_SkivraSubForm::TPlayerGoneHook onPlayerGone);

} // namespace skivra
