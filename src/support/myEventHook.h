#pragma once

#include <functional>
#include <string_view>

namespace skivra {

// The user-interface event loop as the core sees it. Long operations on the UI thread
// (scanning folders, expanding playlists, sorting) call PumpEvents() as they go so that the
// window repaints and shows progress, and stop early once IsTerminating() says the program
// is closing. The UI installs the real hooks at start; without them the core runs as a
// plain library (tests, tools): PumpEvents() does nothing and RunOnUiThread() runs inline.

using TMyEventPump = std::function<void()>;
using TMyUiThreadRunner = std::function<void(std::function<void()>)>;

// UI thread only: the thread that installs the pump is the one it serves. Pass an empty
// function to remove the hook. PumpEvents() may be called from any thread; on another thread
// than that one it does nothing, so code that also runs on background threads (the tag
// readers) can pump without asking where it runs.
void SetEventPump(TMyEventPump pump);
void PumpEvents();

// Thread-safe: the flag may be read from any thread.
void SetTerminating(bool bTerminating);
bool IsTerminating();

// RunOnUiThread may be called from any thread; the runner decides when the call runs
// (queued to the UI event loop). Install the runner before any thread can use it.
void SetUiThreadRunner(TMyUiThreadRunner runner);
void RunOnUiThread(std::function<void()> call);

// What the core has to tell the user: an OK box captioned with the product name (the list
// classes report failed insertions this way), and the default beep (a text file that could
// not be read). The UI installs both; without a hook the message goes to stderr and the
// beep is silent. UI thread only; an empty function removes the hook.
using TMyProgramMessageHook = std::function<void(std::u16string_view sText)>;
void SetProgramMessageHook(TMyProgramMessageHook hook);
void ShowProgramMessage(std::u16string_view sText);
void SetBeepHook(std::function<void()> hook);
void MessageBeep();

} // namespace skivra
