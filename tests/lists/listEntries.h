#pragma once

#include "lists/myWStrings.h"

#include <string>
#include <vector>

namespace skivra::test {

// The strings of a list, in order.
inline std::vector<std::u16string> Entries(const TMyWStrings& sl) {
    std::vector<std::u16string> a;
    for (int32_t i = 0; i < sl.Count(); ++i) {
        a.push_back(sl.Get(i));
    }
    return a;
}

// Adds the strings, in order.
inline void Fill(TMyWStrings& sl, const std::vector<std::u16string>& aEntries) {
    for (const std::u16string& s : aEntries) {
        sl.Add(s);
    }
}

} // namespace skivra::test
