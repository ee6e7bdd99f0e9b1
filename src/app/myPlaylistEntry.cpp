#include "app/myPlaylistEntry.h"

#include "lists/myWStrings.h"
#include "support/myPath.h"

namespace skivra {

std::u16string PlaylistEntryText(const TMyWStrings& slList, std::int32_t iIndex, bool bFolderName) {
    const std::string sNumber = std::to_string(std::int64_t{iIndex} + 1);
    std::u16string s(sNumber.begin(), sNumber.end());
    s += u": ";
    const std::u16string& sEntry = slList.Get(iIndex);
    s += bFolderName ? sEntry : GetFileNamePart(sEntry);
    return s;
}

} // namespace skivra
