#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/x11/myX11Connection.h"

namespace skivra {

// Message windows: each process has an unmapped window of class "TMyMessagePanel" whose
// "text" another process sets to hand it a command line. Setting the text appends the
// message, NUL-terminated, to a UTF-8 property of that window; the server applies appends
// atomically, so two messages sent at once are both kept, in order. The owner is told by a
// MessageArrived event and takes the texts, which empties the property.

inline constexpr char kMessagePanelClass[] = "TMyMessagePanel";
inline constexpr char kMessagePropertyName[] = "_SKIVRA_MESSAGE_TEXT";
// A command line is short; a larger text is refused rather than pushed into the server.
inline constexpr std::size_t kMaxMessageBytes = 64 * 1024;

// An unmapped window below parent (the root when 0) that listens for messages; 0 on
// failure. The id stays valid until the connection destroys it or ends.
TMyWindowId CreateMessageWindow(TMyX11Connection& connection, TMyWindowId parent);

bool IsMessagePanel(TMyX11Connection& connection, TMyWindowId window);
// The first descendant of parent, depth first, that is a message panel; 0 when none.
TMyWindowId FindMessagePanel(TMyX11Connection& connection, TMyWindowId parent);

// Sends the text to the window when it is a message panel, else to the first message panel
// among its descendants. Nothing is sent to 0, to a window that is gone, or when the text is
// longer than kMaxMessageBytes in UTF-8; false then.
bool SendMessageText(TMyX11Connection& connection, std::u16string_view sText, TMyWindowId window);

// The texts that arrived at one of this connection's message windows, oldest first. Texts
// that are not UTF-8 are dropped; at most 1 MiB is read at once and the rest discarded.
std::vector<std::u16string> TakeMessageTexts(TMyX11Connection& connection, TMyWindowId window);

// The running player announces itself by owning the selection named after its window
// class, with its message window as the owner; the server drops the ownership when that
// window or its process goes, so a dead player never leaves a claim behind.
bool ClaimAppSelection(TMyX11Connection& connection, const char* pClassName, TMyWindowId panel);
// The owner of that selection (the running player's message window), or 0.
TMyWindowId FindAppMessagePanel(TMyX11Connection& connection, const char* pClassName);

} // namespace skivra
