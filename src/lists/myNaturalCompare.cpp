#include "lists/myNaturalCompare.h"

#include "lists/myLocaleCompare.h"
#include "lists/myNumeral.h"
#include "lists/myString.h"
#include "support/myPath.h"

namespace skivra {

namespace {

int Sign(std::strong_ordering order) {
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

// The step both orderings take when their text prefixes differ only in ways the locale
// ignores: 0 when the prefixes compare equal to the locale and only differ in ASCII case,
// otherwise a final answer. Two prefixes that the locale calls equal but that are not the
// same letters (an accented letter against the plain one) put the longer one first; at equal
// length each side answers that it is the later one.
int ComparePrefixes(std::u16string_view pa, std::u16string_view pb) {
    const int r = CompareLocaleText(pa, pb);
    if (r != 0) {
        return r;
    }
    if (!SameTextAscii(pa, pb)) {
        return pa.size() > pb.size() ? -1 : 1;
    }
    return 0;
}

// The rounds both orderings share. Each round reads the first number of each text: an empty
// text sorts first, texts that are the same apart from ASCII case are equal, a text that
// starts with its number goes by the ordinal answer against one that does not, the prefixes
// before the numbers compare by the locale, then the numbers, and the rests go round again.
// A loop rather than recursion, so that a name with thousands of numbers cannot exhaust the
// stack. The rests always get shorter, except that the rest of a single character without a
// numeral is that character again; two such rests are decided before the next round.
template <class Reader> int CompareRounds(std::u16string_view a, std::u16string_view b) {
    for (;;) {
        if (a.empty() || b.empty()) {
            return a.empty() && b.empty() ? 0 : (a.empty() ? -1 : 1);
        }
        const int c = CompareTextAscii(a, b, false);
        if (c == 0) {
            return 0;
        }
        const auto na = Reader::Read(a);
        const auto nb = Reader::Read(b);
        if (na.sPrefix.empty() != nb.sPrefix.empty()) {
            return c;
        }
        if (const int r = ComparePrefixes(na.sPrefix, nb.sPrefix); r != 0) {
            return r;
        }
        if (const int v = Reader::CompareNumbers(na, nb); v != 0) {
            return v;
        }
        a = na.sRest;
        b = nb.sRest;
    }
}

// ASCII digit runs, compared by value exactly: a run too long for any integer type still
// has its place. A text without a run has an empty rest, so two of them end the rounds.
struct TMyAsciiNumbers {
    static TMyNumberSplit Read(std::u16string_view sText) { return SplitAtNumber(sText); }
    static int CompareNumbers(const TMyNumberSplit& a, const TMyNumberSplit& b) {
        if (a.sNumber.empty() || b.sNumber.empty()) {
            return a.sNumber.empty() == b.sNumber.empty() ? 0 : (a.sNumber.empty() ? -1 : 1);
        }
        return Sign(CompareDigitRuns(a.sNumber, b.sNumber));
    }
};

// Every numeral form, by the value ReadNumeral gives (0 without a numeral).
struct TMyAllNumerals {
    static TMyNumeral Read(std::u16string_view sText) { return ReadNumeral(sText); }
    static int CompareNumbers(const TMyNumeral& a, const TMyNumeral& b) {
        return Sign(a.Value <=> b.Value);
    }
};

} // namespace

int CompareNumberedText(std::u16string_view a, std::u16string_view b) {
    return CompareRounds<TMyAsciiNumbers>(a, b);
}

int CompareNaturalText(std::u16string_view a, std::u16string_view b) {
    return CompareRounds<TMyAllNumerals>(a, b);
}

int CompareFilePath(std::u16string_view a, std::u16string_view b) {
    if (a == b) {
        return 0;
    }
    const TMyFolderAndName pa = SplitFolderAndName(a);
    const TMyFolderAndName pb = SplitFolderAndName(b);
    if (const int r = CompareNumberedText(pa.sFolder, pb.sFolder); r != 0) {
        return r;
    }
    return CompareNumberedText(pa.sName, pb.sName);
}

int CompareNaturalPath(std::u16string_view a, std::u16string_view b) {
    // Paths that differ only in ASCII case are the same entry. The folder and name are then
    // compared as they are written: CompareNaturalText ignores ASCII case in every step, so
    // upper-casing them first would change nothing.
    if (CompareTextAscii(a, b, false) == 0) {
        return 0;
    }
    const TMyFolderAndName pa = SplitFolderAndName(a);
    const TMyFolderAndName pb = SplitFolderAndName(b);
    if (const int r = CompareNaturalText(pa.sFolder, pb.sFolder); r != 0) {
        return r;
    }
    return CompareNaturalText(pa.sName, pb.sName);
}

} // namespace skivra
