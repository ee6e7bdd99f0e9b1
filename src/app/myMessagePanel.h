#pragma once

#include <functional>
#include <string>

#include "platform/x11/myX11Connection.h"

namespace skivra {

class TMyX11Session;

// The receiver of command texts from the other process (or from a second start): an
// unmapped X window of class "TMyMessagePanel" below its parent window. Setting its text
// from outside (SendMessageText) ends in OnTextChange on the UI thread, once per text, in
// the order they were sent.
class TMyMessagePanel {
public:
    using TMyTextChangeEvent =
        std::function<void(TMyMessagePanel* pSender, const std::u16string& sText)>;

    // parent 0 puts the panel directly below the root window.
    TMyMessagePanel(TMyX11Session& session, TMyWindowId parent);
    ~TMyMessagePanel();
    TMyMessagePanel(const TMyMessagePanel&) = delete;
    TMyMessagePanel& operator=(const TMyMessagePanel&) = delete;

    // The window's id; 0 when there is no X server.
    TMyWindowId Handle() const { return FhHandle; }
    // The last text received.
    const std::u16string& Caption() const { return FsCaption; }

    TMyTextChangeEvent OnTextChange;

private:
    void TakeTexts();

    TMyX11Session& FSession;
    TMyWindowId FhHandle = 0;
    std::u16string FsCaption;
};

} // namespace skivra
