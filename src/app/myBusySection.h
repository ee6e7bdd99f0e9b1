#pragma once

#include <functional>

namespace skivra {

// The busy section of the main window. Long operations on the UI thread (gathering files,
// expanding playlists, sorting) run inside it: the first BeginFunc disables the window and
// drops, and only the outermost EndFunc enables them again and refreshes the playlist view
// once. Sections nest; the count is process-wide. UI thread only.
struct TMyBusySectionHooks {
    // The first BeginFunc: hourglass cursor, window and drops disabled.
    std::function<void()> OnEnter;
    // The outermost EndFunc: window and drops enabled, playlist view refreshed, cursor back.
    std::function<void()> OnLeave;
};

// The main window installs its hooks when it is created and removes them (empty hooks)
// when it is destroyed.
void SetBusySectionHooks(TMyBusySectionHooks hooks);

void BeginFunc();
// An EndFunc without a section open does nothing.
void EndFunc();
bool IsInFunc();

// Opens a section for the lifetime of the object, so that an early return or an exception
// cannot leave the window disabled.
class TMyBusySection {
public:
    TMyBusySection() { BeginFunc(); }
    ~TMyBusySection() { EndFunc(); }
    TMyBusySection(const TMyBusySection&) = delete;
    TMyBusySection& operator=(const TMyBusySection&) = delete;
};

} // namespace skivra
