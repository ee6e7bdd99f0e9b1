#pragma once

#include <cstdint>
#include <string>

namespace skivra {

class TMyWStrings;

// The line the playlist view shows for entry iIndex: its 1-based number, a colon, a blank
// and the full path (bFolderName) or the file name without folder. Read from the playlist
// at the moment it is drawn; nothing is kept.
std::u16string PlaylistEntryText(const TMyWStrings& slList, std::int32_t iIndex, bool bFolderName);

} // namespace skivra
