#include "lists/myLocaleCompare.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace skivra {

namespace {

// ICU sort keys are the levels of the collation one after the other, each ended by this
// byte, which no weight uses; the key itself ends with a zero byte.
constexpr char kLevelSeparator = 0x01;

class TMyLocaleCollator {
public:
    explicit TMyLocaleCollator(std::string sLocale) : FsLocale(std::move(sLocale)) {
        UErrorCode iStatus = U_ZERO_ERROR;
        F_Collator = ucol_open(FsLocale.c_str(), &iStatus);
        if (U_FAILURE(iStatus)) {
            // An unknown or broken locale falls back to the root ordering rather than to no
            // ordering at all.
            iStatus = U_ZERO_ERROR;
            F_Collator = ucol_open("", &iStatus);
        }
        if (U_FAILURE(iStatus)) {
            F_Collator = nullptr;
        }
        if (F_Collator != nullptr) {
            // Quaternary: Japanese keeps hiragana against katakana on the fourth level, and
            // kana type must not be ignored. Case never reaches the collator (the texts are
            // case-folded first) and the secondary level (accents) is left out of the key.
            Set(UCOL_STRENGTH, UCOL_QUATERNARY);
            // Punctuation and symbols are ordinary characters: "a-b" and "ab" differ.
            Set(UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE);
            // Letter case is removed by folding; a separate case level would only bring it
            // back (small kana are "lower case" to ICU and stay apart through the third level).
            Set(UCOL_CASE_LEVEL, UCOL_OFF);
            Set(UCOL_CASE_FIRST, UCOL_OFF);
            // A precomposed letter and its decomposed spelling are the same text.
            Set(UCOL_NORMALIZATION_MODE, UCOL_ON);
            // Digits inside the text runs compare as characters: the natural orderings read
            // numbers themselves, with their own rules.
            Set(UCOL_NUMERIC_COLLATION, UCOL_OFF);
        }
        iStatus = U_ZERO_ERROR;
        F_Nfd = unorm2_getNFDInstance(&iStatus);
        if (U_FAILURE(iStatus)) {
            F_Nfd = nullptr;
        }
    }
    ~TMyLocaleCollator() {
        if (F_Collator != nullptr) {
            ucol_close(F_Collator);
        }
    }
    TMyLocaleCollator(const TMyLocaleCollator&) = delete;
    TMyLocaleCollator& operator=(const TMyLocaleCollator&) = delete;

    const std::string& Locale() const { return FsLocale; }

    void AppendKey(std::u16string_view sText, std::string& sKey) const;

private:
    // ICU's sort key of the text, without its terminating zero.
    void IcuKey(std::u16string_view sText, std::string& sOut) const;

    void Set(UColAttribute iAttribute, UColAttributeValue iValue) {
        UErrorCode iStatus = U_ZERO_ERROR;
        ucol_setAttribute(F_Collator, iAttribute, iValue, &iStatus);
    }

    std::string FsLocale;
    UCollator* F_Collator = nullptr;
    const UNormalizer2* F_Nfd = nullptr;
};

// Scratch buffers of the key building: a sort runs many thousands of comparisons, and these
// keep the pairwise comparison from allocating once they have grown to the longest text.
struct TMyKeyScratch {
    std::u16string sFolded;
    std::u16string sDecomposed;
    std::u16string sUnmarked;
    std::string sIcuKey;
};

TMyKeyScratch& Scratch() {
    thread_local TMyKeyScratch scratch;
    return scratch;
}

// Runs an ICU function that writes UTF-16 into a buffer and answers with the length it
// needs, growing the buffer once when it was too small. Should ICU fail, the text is kept
// as it is: a comparison then sees a little less folding, never garbage.
template <class Transform>
void TransformText(std::u16string_view sText, std::size_t iGuess, std::u16string& sOut,
                   Transform fnTransform) {
    sOut.resize(iGuess);
    for (int iRound = 0; iRound < 2; ++iRound) {
        UErrorCode iStatus = U_ZERO_ERROR;
        const int32_t iLength = fnTransform(reinterpret_cast<UChar*>(sOut.data()),
                                            static_cast<int32_t>(sOut.size()), &iStatus);
        if (iStatus == U_BUFFER_OVERFLOW_ERROR && iLength > 0) {
            sOut.resize(static_cast<std::size_t>(iLength));
            continue;
        }
        if (U_FAILURE(iStatus) || iLength < 0) {
            break;
        }
        sOut.resize(static_cast<std::size_t>(iLength));
        return;
    }
    sOut.assign(sText);
}

const UChar* IcuText(std::u16string_view sText) {
    return reinterpret_cast<const UChar*>(sText.data());
}

int32_t IcuLength(std::u16string_view sText) {
    return static_cast<int32_t>(sText.size());
}

// Full Unicode case folding ("A" and "a", "Ä" and "ä", "ẞ" and "ss" become one), which is
// what ignoring case means for every script that has case.
void FoldCase(std::u16string_view sText, std::u16string& sOut) {
    TransformText(sText, sText.size() + 8, sOut,
                  [&](UChar* pOut, int32_t iCapacity, UErrorCode* pStatus) {
                      return u_strFoldCase(pOut, iCapacity, IcuText(sText), IcuLength(sText),
                                           U_FOLD_CASE_DEFAULT, pStatus);
                  });
}

void Decompose(const UNormalizer2* pNfd, std::u16string_view sText, std::u16string& sOut) {
    if (pNfd == nullptr) {
        sOut.assign(sText);
        return;
    }
    TransformText(sText, sText.size() * 2 + 8, sOut,
                  [&](UChar* pOut, int32_t iCapacity, UErrorCode* pStatus) {
                      return unorm2_normalize(pNfd, IcuText(sText), IcuLength(sText), pOut,
                                              iCapacity, pStatus);
                  });
}

// Removes the non-spacing marks (accents, and the voicing marks of kana) from the
// canonically decomposed text.
void StripMarks(const UNormalizer2* pNfd, std::u16string_view sText, std::u16string& sDecomposed,
                std::u16string& sOut) {
    Decompose(pNfd, sText, sDecomposed);
    sOut.clear();
    const auto iSize = static_cast<int32_t>(sDecomposed.size());
    for (int32_t i = 0; i < iSize;) {
        const int32_t iStart = i;
        UChar32 cp;
        U16_NEXT(sDecomposed.data(), i, iSize, cp);
        if (u_charType(cp) != U_NON_SPACING_MARK) {
            sOut.append(sDecomposed, static_cast<std::size_t>(iStart),
                        static_cast<std::size_t>(i - iStart));
        }
    }
}

void TMyLocaleCollator::IcuKey(std::u16string_view sText, std::string& sOut) const {
    sOut.resize(std::max<std::size_t>(sOut.capacity(), 64));
    const UChar* pText = IcuText(sText);
    const int32_t iText = IcuLength(sText);
    int32_t iLength =
        ucol_getSortKey(F_Collator, pText, iText, reinterpret_cast<uint8_t*>(sOut.data()),
                        static_cast<int32_t>(sOut.size()));
    if (iLength > static_cast<int32_t>(sOut.size())) {
        sOut.resize(static_cast<std::size_t>(iLength));
        iLength = ucol_getSortKey(F_Collator, pText, iText, reinterpret_cast<uint8_t*>(sOut.data()),
                                  iLength);
    }
    // Without the terminating zero.
    sOut.resize(iLength > 0 ? static_cast<std::size_t>(iLength - 1) : 0);
}

// The key is made of four fields, each ended by the level separator, compared one after the
// other:
//   1. the primary level of the case-folded text: the letters as the locale orders them
//      (a Swedish "å" stays a letter of its own there);
//   2. the tertiary and quaternary levels of the same text with its marks removed: width,
//      kana type and the small kana. The secondary level (accents) is left out, and the
//      marks must go before collation because a combining mark adds tertiary weights too;
//   3. that unmarked text itself, code unit by code unit: Japanese collation calls
//      half-width and full-width forms equal on every level ("ア" and "ｱ", "a" and "ａ"),
//      but width is one of the differences that must count.
void TMyLocaleCollator::AppendKey(std::u16string_view sText, std::string& sKey) const {
    TMyKeyScratch& scratch = Scratch();
    FoldCase(sText, scratch.sFolded);
    StripMarks(F_Nfd, scratch.sFolded, scratch.sDecomposed, scratch.sUnmarked);

    if (F_Collator != nullptr) {
        IcuKey(scratch.sFolded, scratch.sIcuKey);
        std::string_view sLevels(scratch.sIcuKey);
        const std::size_t iPrimaryEnd = std::min(sLevels.find(kLevelSeparator), sLevels.size());
        sKey.append(sLevels.substr(0, iPrimaryEnd));
        sKey.push_back(kLevelSeparator);
        if (scratch.sUnmarked != scratch.sFolded) {
            IcuKey(scratch.sUnmarked, scratch.sIcuKey);
            sLevels = scratch.sIcuKey;
        }
        // Skip the primary and secondary levels; the rest is tertiary, separator, quaternary.
        const std::size_t iSecondary = sLevels.find(kLevelSeparator);
        const std::size_t iTertiary = iSecondary == std::string_view::npos
                                          ? std::string_view::npos
                                          : sLevels.find(kLevelSeparator, iSecondary + 1);
        if (iTertiary != std::string_view::npos) {
            sKey.append(sLevels.substr(iTertiary + 1));
        }
        sKey.push_back(kLevelSeparator);
    }

    for (const char16_t ch : scratch.sUnmarked) {
        sKey.push_back(static_cast<char>(ch >> 8));
        sKey.push_back(static_cast<char>(ch & 0xFF));
    }
}

std::mutex& CollatorMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<TMyLocaleCollator>& CollatorSlot() {
    static std::unique_ptr<TMyLocaleCollator> pCollator;
    return pCollator;
}

const TMyLocaleCollator& Collator() {
    std::lock_guard lock(CollatorMutex());
    std::unique_ptr<TMyLocaleCollator>& pCollator = CollatorSlot();
    if (!pCollator) {
        pCollator = std::make_unique<TMyLocaleCollator>(CollationLocaleFromEnvironment());
    }
    return *pCollator;
}

int CompareKeys(std::string_view a, std::string_view b) {
    const int iResult = a.compare(b);
    return iResult < 0 ? -1 : (iResult > 0 ? 1 : 0);
}

} // namespace

int CompareLocaleText(std::u16string_view a, std::u16string_view b) {
    if (a == b) {
        return 0;
    }
    thread_local std::string sKeyA;
    thread_local std::string sKeyB;
    sKeyA.clear();
    sKeyB.clear();
    const TMyLocaleCollator& collator = Collator();
    collator.AppendKey(a, sKeyA);
    collator.AppendKey(b, sKeyB);
    return CompareKeys(sKeyA, sKeyB);
}

void AppendLocaleSortKey(std::u16string_view sText, std::string& sKey) {
    Collator().AppendKey(sText, sKey);
}

std::string CollationLocaleFromEnvironment() {
    for (const char* pName : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* pValue = std::getenv(pName);
        if (pValue == nullptr || *pValue == '\0') {
            continue;
        }
        std::string sLocale(pValue);
        sLocale = sLocale.substr(0, sLocale.find_first_of(".@"));
        if (sLocale == "C" || sLocale == "POSIX") {
            return {};
        }
        return sLocale;
    }
    return {};
}

void SetCollationLocale(std::optional<std::string> sLocale) {
    std::lock_guard lock(CollatorMutex());
    CollatorSlot() = std::make_unique<TMyLocaleCollator>(
        sLocale ? std::move(*sLocale) : CollationLocaleFromEnvironment());
}

std::string GetCollationLocale() {
    return Collator().Locale();
}

} // namespace skivra
