#include "lists/myNaturalSortKey.h"

#include "lists/myLocaleCompare.h"
#include "lists/myNumeral.h"
#include "lists/myString.h"
#include "support/myPath.h"

#include <limits>
#include <stdexcept>

namespace skivra {

namespace {

// Positions are kept in 32 bits to keep the keys small; a list whose texts exceed that does
// not fit in memory anyway, and it is refused rather than wrapped.
std::uint32_t Narrow(std::size_t iValue) {
    if (iValue > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("natural sort keys too large");
    }
    return static_cast<std::uint32_t>(iValue);
}

int Sign(int iValue) {
    return iValue < 0 ? -1 : (iValue > 0 ? 1 : 0);
}

} // namespace

TMyNaturalSortKeys::TMyNaturalSortKeys(TMyNaturalOrder order)
    : FbPath(order == TMyNaturalOrder::Path || order == TMyNaturalOrder::FilePath),
      FbNumbered(order == TMyNaturalOrder::FilePath || order == TMyNaturalOrder::NumberedText) {}

void TMyNaturalSortKeys::Reserve(std::size_t iCount) {
    FEntries.reserve(iCount);
}

void TMyNaturalSortKeys::Add(std::u16string_view sText) {
    // Every ordering ignores ASCII case in every step once two texts are not identical, so
    // the upper-cased text holds all they need: the ordinal comparisons become plain ones
    // and the numbers read the same.
    const std::u16string sUpper = UpperCaseAscii(sText);
    TMyEntry entry{};
    if (FbPath) {
        const TMyFolderAndName parts = SplitFolderAndName(sUpper);
        entry.iFolder = AddPart(parts.sFolder);
        entry.iName = AddPart(parts.sName);
    } else {
        entry.iName = AddPart(sUpper);
    }
    FEntries.push_back(entry);
}

std::uint32_t TMyNaturalSortKeys::AddPart(std::u16string_view sText) {
    if (const auto it = FPartIndex.find(sText); it != FPartIndex.end()) {
        return it->second;
    }
    TMyPart part{};
    part.iTextStart = Narrow(FsTexts.size());
    part.iTextLength = Narrow(sText.size());
    part.iFirstLevel = Narrow(FLevels.size());
    part.bRepeatsLast = false;
    FsTexts.append(sText);

    std::size_t iRemain = 0;
    while (iRemain < sText.size()) {
        const TMyPrefixAndNumber read = Read(sText.substr(iRemain));
        TMyLevel level{};
        level.iRemainStart = Narrow(iRemain);
        level.iPrefixLength = Narrow(read.sPrefix.size());
        SetLocaleKey(level, read.sPrefix);
        level.iValueStart = Narrow(FsValues.size());
        level.iValueLength = Narrow(read.sDigits.size());
        level.bHasNumber = read.bHasNumber;
        FsValues.append(read.sDigits);
        FLevels.push_back(level);
        const std::size_t iNext = sText.size() - read.sRest.size();
        if (iNext == iRemain) {
            part.bRepeatsLast = true;
            break;
        }
        iRemain = iNext;
    }
    part.iLevelCount = Narrow(FLevels.size()) - part.iFirstLevel;

    const std::uint32_t iIndex = Narrow(FParts.size());
    FParts.push_back(part);
    FPartIndex.emplace(std::u16string(sText), iIndex);
    return iIndex;
}

TMyNaturalSortKeys::TMyPrefixAndNumber TMyNaturalSortKeys::Read(std::u16string_view sText) const {
    if (FbNumbered) {
        const TMyNumberSplit split = SplitAtNumber(sText);
        const std::u16string_view sNumber = split.sNumber.substr(
            std::min(split.sNumber.find_first_not_of(u'0'), split.sNumber.size()));
        return {split.sPrefix, std::string(sNumber.begin(), sNumber.end()), split.sRest,
                !split.sNumber.empty()};
    }
    TMyNumeral numeral = ReadNumeral(sText);
    return {numeral.sPrefix, numeral.Value.Digits(), numeral.sRest, true};
}

void TMyNaturalSortKeys::SetLocaleKey(TMyLevel& level, std::u16string_view sPrefix) {
    auto it = FKeyIndex.find(sPrefix);
    if (it == FKeyIndex.end()) {
        const std::uint32_t iStart = Narrow(FsLocaleKeys.size());
        AppendLocaleSortKey(sPrefix, FsLocaleKeys);
        FKeySpans.emplace_back(iStart, Narrow(FsLocaleKeys.size() - iStart));
        it = FKeyIndex.emplace(std::u16string(sPrefix), Narrow(FKeySpans.size() - 1)).first;
    }
    level.iKeyStart = FKeySpans[it->second].first;
    level.iKeyLength = FKeySpans[it->second].second;
}

std::u16string_view TMyNaturalSortKeys::PartText(const TMyPart& part) const {
    return std::u16string_view(FsTexts).substr(part.iTextStart, part.iTextLength);
}

TMyNaturalSortKeys::TMyRound TMyNaturalSortKeys::Round(const TMyPart& part, std::uint32_t k) const {
    if (k >= part.iLevelCount) {
        if (!part.bRepeatsLast) {
            return {{}, nullptr};
        }
        k = part.iLevelCount - 1;
    }
    const TMyLevel& level = FLevels[part.iFirstLevel + k];
    return {PartText(part).substr(level.iRemainStart), &level};
}

// The rounds of CompareNaturalText or CompareNumberedText, step for step, over what AddPart
// has read.
int TMyNaturalSortKeys::CompareParts(std::uint32_t iA, std::uint32_t iB) const {
    if (iA == iB) {
        return 0;
    }
    const TMyPart& a = FParts[iA];
    const TMyPart& b = FParts[iB];
    for (std::uint32_t k = 0;; ++k) {
        const TMyRound ra = Round(a, k);
        const TMyRound rb = Round(b, k);
        if (ra.sRemain.empty() || rb.sRemain.empty()) {
            return ra.sRemain.empty() && rb.sRemain.empty() ? 0 : (ra.sRemain.empty() ? -1 : 1);
        }
        const int c = CompareTextAscii(ra.sRemain, rb.sRemain, true);
        if (c == 0) {
            return 0;
        }
        const std::u16string_view pa = ra.sRemain.substr(0, ra.pLevel->iPrefixLength);
        const std::u16string_view pb = rb.sRemain.substr(0, rb.pLevel->iPrefixLength);
        if (pa.empty() != pb.empty()) {
            return c;
        }
        if (pa != pb) {
            const std::string_view sKeys(FsLocaleKeys);
            const int r =
                Sign(sKeys.substr(ra.pLevel->iKeyStart, ra.pLevel->iKeyLength)
                         .compare(sKeys.substr(rb.pLevel->iKeyStart, rb.pLevel->iKeyLength)));
            if (r != 0) {
                return r;
            }
            return pa.size() > pb.size() ? -1 : 1;
        }
        if (FbNumbered && !(ra.pLevel->bHasNumber && rb.pLevel->bHasNumber)) {
            if (ra.pLevel->bHasNumber != rb.pLevel->bHasNumber) {
                return ra.pLevel->bHasNumber ? 1 : -1;
            }
            // Neither has a digit run, so both rests are empty: the next round ends it.
            continue;
        }
        const std::string_view sValues(FsValues);
        const std::strong_ordering v =
            CompareDigitRuns(sValues.substr(ra.pLevel->iValueStart, ra.pLevel->iValueLength),
                             sValues.substr(rb.pLevel->iValueStart, rb.pLevel->iValueLength));
        if (v != 0) {
            return v < 0 ? -1 : 1;
        }
    }
}

int TMyNaturalSortKeys::Compare(std::size_t i, std::size_t j) const {
    const TMyEntry& a = FEntries[i];
    const TMyEntry& b = FEntries[j];
    if (FbPath) {
        if (const int r = CompareParts(a.iFolder, b.iFolder); r != 0) {
            return r;
        }
    }
    return CompareParts(a.iName, b.iName);
}

} // namespace skivra
