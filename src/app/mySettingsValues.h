#pragma once

#include "support/myRect.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

class TMyIniFile;
class TMyWStrings;

// What the settings file keeps of the main window besides its bounds and the histories.
// The defaults are what the window holds as designed; a read starts from the values the
// window holds at that moment, so a missing key keeps the window's own value.
struct TMySettingsValues {
    bool bFolderName = false;
    bool bMute = false;
    std::int32_t iVolume = 100; // 0 to 100
    std::u16string sFileName;   // the last file played
    std::int32_t iResumeIndex = -1;
    double fResumePosition = 0.0; // seconds
    bool bRandom = false;
    bool bTaskTray = false;
    bool bInfoPanel = true;
    bool bShowStatusBar = true;
    std::u16string sOpenFileDir;
    std::u16string sOpenFolderDir;
    friend bool operator==(const TMySettingsValues&, const TMySettingsValues&) = default;
};

// The sections of the settings file.
inline constexpr std::u16string_view kHistoryOpenFile = u"OpenFileHistory";
inline constexpr std::u16string_view kHistoryOpenFolder = u"OpenFolderHistory";
inline constexpr std::u16string_view kHistoryOpenThisFolder = u"OpenThisFolderHistory";
// A history menu holds this many paths at most.
inline constexpr std::size_t kMaxHistory = 10;

// Reads every key in the file's order; a value that is out of range or no number takes the
// value the record held (the volume is clamped into 0 to 100 instead, as its bar would).
void ReadSettingsValues(TMyIniFile& ini, TMySettingsValues& values);
// Writes every key in the same order.
void WriteSettingsValues(TMyIniFile& ini, const TMySettingsValues& values);

// The paths of a history section, newest first: blank lines dropped, each path trimmed,
// at most kMaxHistory of them (a hand-edited file may hold more).
std::vector<std::u16string> ReadHistorySection(TMyIniFile& ini, std::u16string_view sSection);
void WriteHistorySection(TMyIniFile& ini, std::u16string_view sSection,
                         const std::vector<std::u16string>& paths);

// The saved window bounds when they describe a window that can exist (a positive size a
// window system accepts); otherwise rcCurrent. A hand edit must not give a window of
// negative or absurd size.
TMyRect SaneWindowBounds(const TMyRect& rcSaved, const TMyRect& rcCurrent);

// The entry a restored playlist starts at: the saved index when it lies in the list and
// names the saved file (ASCII letters compared without case), else the first entry.
std::int32_t ChooseResumeIndex(const TMyWStrings& playlist, std::int32_t iResumeIndex,
                               std::u16string_view sFileName);

// The saved playlist, one full file name per line. A file written by this program (UTF-8
// with its mark) is read line by line and a line that is not valid UTF-8 is skipped, so
// one damaged name never garbles or loses the others; any other file is read with the
// encoding detected. Blank lines are no entries. A file larger than kMaxPlaylistBytes is
// not read (a wrong file put in its place must not exhaust the memory). False when the
// file cannot be read; the list is then empty.
inline constexpr std::size_t kMaxPlaylistBytes = 256u * 1024 * 1024;
bool LoadSavedPlaylist(std::u16string_view sFile, TMyWStrings& lines);
// Writes every entry as UTF-8 with its mark and CR LF line ends, replacing the file in one
// step; false (the old file left as it was) when it cannot be written completely. An entry
// whose name holds a line break is left out.
bool SaveSavedPlaylist(std::u16string_view sFile, const TMyWStrings& playlist);

} // namespace skivra
