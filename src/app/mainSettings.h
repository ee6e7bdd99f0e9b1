#pragma once

#include "app/mainParts.h"
#include "app/mySettingsValues.h"

#include <QString>

#include <string>

namespace skivra {

class TApp_Skivra;
class TMyMainIntake;
class TMyPlayerController;

// The settings file and the saved playlist of the main window: read once while the window
// is created, written once while it is destroyed, each time through a settings object of
// its own. Holding Shift and Ctrl skips either step entirely, Shift alone skips the window
// bounds. Both files are replaced in one step when written, so a crash never leaves half
// a file; a save that fails says so in the status bar and on stderr. A damaged file never
// stops the start: bad values keep the window's own, unreadable playlist lines are
// skipped. A file that is there but cannot be read at all is never written over: it says
// so at start, and its save is left out at exit. UI thread only.
class TMyMainSettings final : public TMySettingsPart {
public:
    // Everything is borrowed and must outlive the part; the intake holds the histories'
    // handler and the open-file dialog's folder, playlistPart resynchronises the list view.
    TMyMainSettings(TApp_Skivra& window, TMyPlayerController& controller,
                    TMyPlaylistPart& playlistPart, TMyMainIntake& intake);

    bool LoadSettings() override;
    void SaveSettings() override;
    void RestorePlaylist(bool bSettingsRead) override;

    // What the last SaveSettings achieved (true when it skipped a file on purpose).
    bool LastSaveSucceeded() const { return FbLastSaveOk; }

    // The values the window and the controller hold right now.
    TMySettingsValues CurrentValues() const;

    static constexpr char16_t kSettingsNotSaved[] = u"設定ファイルを保存できませんでした";
    static constexpr char16_t kPlaylistNotSaved[] = u"プレイリストを保存できませんでした";
    // A file that is there but could not be read; it is then not written at exit either.
    static constexpr char16_t kSettingsNotRead[] = u"設定ファイルを読み込めませんでした";
    static constexpr char16_t kPlaylistNotRead[] = u"プレイリストを読み込めませんでした";

private:
    void ApplyValues(const TMySettingsValues& values);
    void ReportSaveFailure(const std::u16string& sText, const std::u16string& sFile);
    void ReportLoadFailure(const std::u16string& sText, const std::u16string& sFile);

    TApp_Skivra& FWindow;
    TMyPlayerController& FController;
    TMyPlaylistPart& FPlaylistPart;
    TMyMainIntake& FIntake;
    // The last file as the settings file named it, until a file plays.
    std::u16string FsFileName;
    bool FbLastSaveOk = true;
    // The saved playlist is there but could not be read at start: it is never written.
    bool FbPlaylistUnread = false;
};

} // namespace skivra
