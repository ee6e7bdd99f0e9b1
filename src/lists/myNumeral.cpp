#include "lists/myNumeral.h"

#include <algorithm>
#include <limits>

namespace skivra {

TMyNumeralValue::TMyNumeralValue(std::uint64_t iValue) {
    while (iValue != 0) {
        FsDigits.insert(FsDigits.begin(), static_cast<char>('0' + iValue % 10));
        iValue /= 10;
    }
}

TMyNumeralValue TMyNumeralValue::FromDigits(std::string_view sDigits) {
    TMyNumeralValue value;
    const std::size_t iFirst = sDigits.find_first_not_of('0');
    if (iFirst != std::string_view::npos) {
        value.FsDigits.assign(sDigits.substr(iFirst));
    }
    return value;
}

std::optional<std::int64_t> TMyNumeralValue::ToInt64() const {
    constexpr std::size_t kMaxDigits = std::numeric_limits<std::int64_t>::digits10 + 1;
    if (FsDigits.size() > kMaxDigits) {
        return std::nullopt;
    }
    std::uint64_t iValue = 0;
    for (const char ch : FsDigits) {
        iValue = iValue * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    if (iValue > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(iValue);
}

TMyNumeralValue& TMyNumeralValue::operator+=(const TMyNumeralValue& other) {
    if (other.IsZero()) {
        return *this;
    }
    if (IsZero()) {
        FsDigits = other.FsDigits;
        return *this;
    }
    std::string sSum;
    sSum.reserve(std::max(FsDigits.size(), other.FsDigits.size()) + 1);
    auto itA = FsDigits.rbegin();
    auto itB = other.FsDigits.rbegin();
    int iCarry = 0;
    while (itA != FsDigits.rend() || itB != other.FsDigits.rend() || iCarry != 0) {
        int iDigit = iCarry;
        if (itA != FsDigits.rend()) {
            iDigit += *itA++ - '0';
        }
        if (itB != other.FsDigits.rend()) {
            iDigit += *itB++ - '0';
        }
        sSum.push_back(static_cast<char>('0' + iDigit % 10));
        iCarry = iDigit / 10;
    }
    std::reverse(sSum.begin(), sSum.end());
    FsDigits = std::move(sSum);
    return *this;
}

TMyNumeralValue& TMyNumeralValue::ShiftDecimal(std::size_t iExponent) {
    if (!IsZero()) {
        FsDigits.append(iExponent, '0');
    }
    return *this;
}

std::strong_ordering operator<=>(const TMyNumeralValue& a, const TMyNumeralValue& b) {
    return CompareDigitRuns(std::string_view(a.FsDigits), std::string_view(b.FsDigits));
}

namespace {

template <typename Char>
std::basic_string_view<Char> WithoutLeadingZeros(std::basic_string_view<Char> s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == Char('0')) {
        ++i;
    }
    return s.substr(i);
}

// Digit runs of equal value have equal length once their leading zeros are gone; the longer
// run is the larger number, and runs of one length compare digit by digit.
template <typename Char>
std::strong_ordering CompareRuns(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    a = WithoutLeadingZeros(a);
    b = WithoutLeadingZeros(b);
    if (a.size() != b.size()) {
        return a.size() <=> b.size();
    }
    const int iResult = a.compare(b);
    return iResult <=> 0;
}

} // namespace

std::strong_ordering CompareDigitRuns(std::string_view a, std::string_view b) {
    return CompareRuns(a, b);
}

std::strong_ordering CompareDigitRuns(std::u16string_view a, std::u16string_view b) {
    return CompareRuns(a, b);
}

TMyNumeralChar ClassifyNumeralChar(char16_t ch) {
    TMyNumeralChar info;
    auto digit = [&info](char cDigit, bool bZero = false) {
        info.Kind = TMyNumeralKind::Digits;
        info.bDigitChar = true;
        info.bZeroChar = bZero;
        info.sDigits[0] = cDigit;
        return info;
    };
    if (ch >= u'0' && ch <= u'9') {
        return digit(static_cast<char>('0' + (ch - u'0')), ch == u'0');
    }
    if (ch >= u'０' && ch <= u'９') {
        return digit(static_cast<char>('0' + (ch - u'０')), ch == u'０');
    }
    if (ch >= u'①' && ch <= u'⑳') {
        // Circled numbers are numbers of their own, 1 to 20, not digits to join with others.
        const int iValue = ch - u'①' + 1;
        info.Kind = TMyNumeralKind::Digits;
        if (iValue < 10) {
            info.sDigits[0] = static_cast<char>('0' + iValue);
        } else {
            info.sDigits[0] = static_cast<char>('0' + iValue / 10);
            info.sDigits[1] = static_cast<char>('0' + iValue % 10);
        }
        return info;
    }
    if (ch >= u'Ⅰ' && ch <= u'Ⅹ') {
        const int iValue = ch - u'Ⅰ' + 1;
        info.Kind = TMyNumeralKind::Digits;
        if (iValue < 10) {
            info.sDigits[0] = static_cast<char>('0' + iValue);
        } else {
            info.sDigits[0] = '1';
            info.sDigits[1] = '0';
        }
        return info;
    }
    switch (ch) {
    case u'〇':
    case u'零':
        return digit('0', true);
    case u'一':
    case u'壱':
    case u'壹':
        return digit('1');
    case u'二':
    case u'弐':
    case u'貮':
    case u'貳':
        return digit('2');
    case u'三':
    case u'参':
    case u'參':
        return digit('3');
    case u'四':
    case u'肆':
        return digit('4');
    case u'五':
    case u'伍':
        return digit('5');
    case u'六':
    case u'陸':
        return digit('6');
    case u'七':
    case u'柒':
    case u'漆':
    case u'質':
        return digit('7');
    case u'八':
    case u'捌':
        return digit('8');
    case u'九':
    case u'玖':
        return digit('9');
    case u'十':
    case u'拾':
        info.Kind = TMyNumeralKind::Ten;
        return info;
    case u'百':
    case u'陌':
    case u'佰':
        info.Kind = TMyNumeralKind::Hundred;
        return info;
    case u'千':
    case u'阡':
    case u'仟':
        info.Kind = TMyNumeralKind::Thousand;
        return info;
    case u'万':
    case u'萬':
        info.Kind = TMyNumeralKind::TenThousand;
        return info;
    default:
        return info;
    }
}

namespace {

// The state of one numeral being read.
class TMyNumeralReader {
public:
    explicit TMyNumeralReader(std::u16string_view sText) : FsText(sText) {}

    // Applies the multiplier at position iPos (0-based). False when the multiplier may not
    // follow what was read before it, which ends the numeral there.
    bool Multiply(std::size_t iPos, TMyNumeralKind kind) {
        switch (kind) {
        case TMyNumeralKind::TenThousand:
            if (FbSeen10000) {
                return false;
            }
            Apply(iPos, 4);
            FbSeen10000 = true;
            FbSeen1000 = FbSeen100 = FbSeen10 = false;
            return true;
        case TMyNumeralKind::Ten:
            if (FbSeen10) {
                return false;
            }
            Apply(iPos, 1);
            FbSeen10 = true;
            return true;
        case TMyNumeralKind::Hundred:
            if (FbSeen10 || FbSeen100) {
                return false;
            }
            Apply(iPos, 2);
            FbSeen100 = true;
            return true;
        case TMyNumeralKind::Thousand:
            if (FbSeen10 || FbSeen100 || FbSeen1000) {
                return false;
            }
            Apply(iPos, 3);
            FbSeen1000 = true;
            return true;
        default:
            return true;
        }
    }

    void AppendDigits(const char* sDigits) { FsPending.append(sDigits); }

    TMyNumeralValue Finish() {
        FValue += TMyNumeralValue::FromDigits(FsPending);
        FsPending.clear();
        return std::move(FValue);
    }

private:
    // The multiplier 10^iExponent at iPos. Below 10000 the pending digits (or an implicit one
    // when none stand directly before it) are multiplied and added: 二十 is 20, 十 is 10,
    // 二千〇十 is 2010 (the 〇 is a placeholder, the ten stands alone). 万 multiplies the whole
    // group read so far, and asks for an implicit one only when that group is empty:
    // 二十万 is 200000 and 十万 is 100000, as anyone reads them, and 10万 is 100000.
    void Apply(std::size_t iPos, std::size_t iExponent) {
        if (iPos == 0) {
            FValue = TMyNumeralValue(1);
            FValue.ShiftDecimal(iExponent);
            FsPending.clear();
            return;
        }
        bool bImplicitOne;
        if (iExponent == 4) {
            bImplicitOne = FsPending.empty() && FValue.IsZero();
        } else {
            const TMyNumeralChar prev = ClassifyNumeralChar(FsText[iPos - 1]);
            if (prev.bZeroChar) {
                bImplicitOne = true;
            } else if (prev.bDigitChar && !FsPending.empty()) {
                bImplicitOne = FsPending.back() == '0';
            } else {
                bImplicitOne = true;
            }
        }
        if (bImplicitOne) {
            FsPending.push_back('1');
        }
        TMyNumeralValue group = TMyNumeralValue::FromDigits(FsPending);
        if (iExponent == 4) {
            group += FValue;
            FValue = std::move(group.ShiftDecimal(iExponent));
        } else {
            group.ShiftDecimal(iExponent);
            FValue += group;
        }
        FsPending.clear();
    }

    std::u16string_view FsText;
    std::string FsPending;
    TMyNumeralValue FValue;
    bool FbSeen10000 = false;
    bool FbSeen1000 = false;
    bool FbSeen100 = false;
    bool FbSeen10 = false;
};

} // namespace

TMyNumeral ReadNumeral(std::u16string_view sText) {
    TMyNumeral result{sText, {}, {}};
    TMyNumeralReader reader(sText);
    bool bInNumber = false;
    std::size_t iEnd = sText.size();
    for (std::size_t p = 0; p < sText.size(); ++p) {
        const TMyNumeralChar info = ClassifyNumeralChar(sText[p]);
        if (info.Kind == TMyNumeralKind::None) {
            // Outside a numeral the rest starts at the latest character, so a text without
            // any numeral leaves its last character as the rest.
            iEnd = p;
            if (bInNumber) {
                break;
            }
            continue;
        }
        if (!bInNumber) {
            result.sPrefix = sText.substr(0, p);
            bInNumber = true;
        }
        iEnd = p;
        if (info.Kind == TMyNumeralKind::Digits) {
            reader.AppendDigits(info.sDigits);
        } else if (!reader.Multiply(p, info.Kind)) {
            break;
        }
        iEnd = p + 1;
    }
    result.Value = reader.Finish();
    result.sRest = sText.substr(iEnd);
    return result;
}

TMyNumberSplit SplitAtNumber(std::u16string_view sText) {
    auto isDigit = [](char16_t ch) {
        return ch >= u'0' && ch <= u'9';
    };
    const auto itFirst = std::find_if(sText.begin(), sText.end(), isDigit);
    if (itFirst == sText.end()) {
        return {sText, {}, {}};
    }
    const auto iStart = static_cast<std::size_t>(itFirst - sText.begin());
    std::size_t iEnd = iStart;
    while (iEnd < sText.size() && isDigit(sText[iEnd])) {
        ++iEnd;
    }
    return {sText.substr(0, iStart), sText.substr(iStart, iEnd - iStart), sText.substr(iEnd)};
}

} // namespace skivra
