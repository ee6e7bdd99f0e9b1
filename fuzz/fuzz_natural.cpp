// File names are outside data: any text can reach the natural orderings from a folder scan
// or a playlist. Beyond not crashing, the sort keys must answer exactly as the pairwise
// comparisons do, for every pair of the texts in the input.
#include "lists/myLocaleCompare.h"
#include "lists/myNaturalCompare.h"
#include "lists/myNaturalSortKey.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Sign(int iValue) {
    return iValue < 0 ? -1 : (iValue > 0 ? 1 : 0);
}

// UTF-16 code units (lone surrogates included), one text per line.
std::vector<std::u16string> Texts(const std::uint8_t* pData, std::size_t iSize) {
    constexpr std::size_t kMaxTexts = 8;
    std::vector<std::u16string> texts(1);
    for (std::size_t i = 0; i + 1 < iSize; i += 2) {
        const auto ch = static_cast<char16_t>(pData[i] | (pData[i + 1] << 8));
        if (ch == u'\n') {
            if (texts.size() == kMaxTexts) {
                break;
            }
            texts.emplace_back();
        } else {
            texts.back().push_back(ch);
        }
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    skivra::SetCollationLocale("ja_JP");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t iSize) {
    if (iSize > 4096) {
        return 0;
    }
    const std::vector<std::u16string> texts = Texts(pData, iSize);
    skivra::TMyNaturalSortKeys pathKeys(skivra::TMyNaturalOrder::Path);
    skivra::TMyNaturalSortKeys textKeys(skivra::TMyNaturalOrder::Text);
    skivra::TMyNaturalSortKeys fileKeys(skivra::TMyNaturalOrder::FilePath);
    for (const std::u16string& sText : texts) {
        pathKeys.Add(sText);
        textKeys.Add(sText);
        fileKeys.Add(sText);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (Sign(skivra::CompareNaturalPath(texts[i], texts[j])) !=
                    Sign(pathKeys.Compare(i, j)) ||
                Sign(skivra::CompareNaturalText(texts[i], texts[j])) !=
                    Sign(textKeys.Compare(i, j)) ||
                Sign(skivra::CompareFilePath(texts[i], texts[j])) != Sign(fileKeys.Compare(i, j))) {
                std::abort();
            }
        }
    }
    return 0;
}
