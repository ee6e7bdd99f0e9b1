#pragma once

#include "listEntries.h"
#include "support/TempFolder.h"

namespace skivra::test {

// The entries with the folder's own prefix taken off, for readable expectations; entries
// elsewhere stay whole.
inline std::vector<std::u16string> Relative(const TMyWStrings& sl, const TempFolder& dir) {
    std::vector<std::u16string> a;
    const std::u16string sPrefix = dir.Path16() + u"/";
    for (const std::u16string& s : Entries(sl)) {
        a.push_back(s.starts_with(sPrefix) ? s.substr(sPrefix.size()) : s);
    }
    return a;
}

} // namespace skivra::test
