#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skivra {

// The orderings of lists/myNaturalCompare.h that sort keys can stand in for.
enum class TMyNaturalOrder : std::uint8_t {
    Path,        // CompareNaturalPath: folder first, then name, every numeral form
    Text,        // CompareNaturalText: the whole text, every numeral form
    FilePath,    // CompareFilePath: folder first, then name, ASCII digit runs
    NumberedText // CompareNumberedText: the whole text, ASCII digit runs
};

// Sort keys for many texts at once. Each text is read once when it is added: split into
// folder and name, each part into its chain of text runs and numbers, the numbers read, and
// every text run given its locale collation key. Compare then answers exactly as the
// ordering's pairwise function would for the two texts (same sign, including the cases
// where the pairwise function is not symmetric), without reading the texts again and
// without allocating. Equal folders and names, which repeat throughout a playlist, are read
// once and shared.
class TMyNaturalSortKeys {
public:
    explicit TMyNaturalSortKeys(TMyNaturalOrder order);

    void Reserve(std::size_t iCount);
    // Adds the key of one text; keys are numbered from 0 in the order they are added.
    void Add(std::u16string_view sText);
    std::size_t Count() const { return FEntries.size(); }

    // Negative, 0 or positive, as the natural comparison of the two texts.
    int Compare(std::size_t i, std::size_t j) const;

private:
    // One round of the comparison: the text that remains, its prefix before the first
    // numeral, the prefix's locale key and the numeral's value.
    struct TMyLevel {
        std::uint32_t iRemainStart; // where the remaining text starts, within the part
        std::uint32_t iPrefixLength;
        std::uint32_t iKeyStart, iKeyLength;     // in FsLocaleKeys
        std::uint32_t iValueStart, iValueLength; // decimal digits in FsValues
        bool bHasNumber; // ASCII digit orderings: a run was found (an empty one is not 0)
    };
    // A folder or a name: its upper-cased text and its rounds. When the last round's rest is
    // that round's text again (a single character without a numeral), the last round
    // repeats; otherwise the text after the last round is empty.
    struct TMyPart {
        std::uint32_t iTextStart, iTextLength; // in FsTexts
        std::uint32_t iFirstLevel, iLevelCount;
        bool bRepeatsLast;
    };
    struct TMyEntry {
        std::uint32_t iFolder; // part index; unused for TMyNaturalOrder::Text
        std::uint32_t iName;
    };
    struct TMyRound {
        std::u16string_view sRemain;
        const TMyLevel* pLevel;
    };

    // The first prefix and number of a text, as the ordering reads them.
    struct TMyPrefixAndNumber {
        std::u16string_view sPrefix;
        std::string sDigits; // the value's decimal digits without leading zeros
        std::u16string_view sRest;
        bool bHasNumber;
    };
    TMyPrefixAndNumber Read(std::u16string_view sText) const;
    std::uint32_t AddPart(std::u16string_view sUpperText);
    void SetLocaleKey(TMyLevel& level, std::u16string_view sUpperPrefix);
    std::u16string_view PartText(const TMyPart& part) const;
    TMyRound Round(const TMyPart& part, std::uint32_t k) const;
    int CompareParts(std::uint32_t iA, std::uint32_t iB) const;

    struct TMyViewHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view s) const {
            return std::hash<std::u16string_view>{}(s);
        }
    };
    using TMyTextIndex =
        std::unordered_map<std::u16string, std::uint32_t, TMyViewHash, std::equal_to<>>;

    bool FbPath;     // folder first, then name
    bool FbNumbered; // ASCII digit runs only
    std::u16string FsTexts;
    std::string FsLocaleKeys;
    std::string FsValues;
    std::vector<TMyLevel> FLevels;
    std::vector<TMyPart> FParts;
    std::vector<TMyEntry> FEntries;
    TMyTextIndex FPartIndex; // part text -> index in FParts
    TMyTextIndex FKeyIndex;  // prefix text -> index in FKeySpans
    std::vector<std::pair<std::uint32_t, std::uint32_t>> FKeySpans; // start, length
};

} // namespace skivra
