#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// A non-negative whole number of any size, kept as its decimal digits. Numbers in file names
// can be longer than 64 bits (time stamps, hashes, catalogue numbers run together); they
// still have a value, and two of them still have an order.
class TMyNumeralValue {
public:
    TMyNumeralValue() = default;
    explicit TMyNumeralValue(std::uint64_t iValue);

    // The value of a run of ASCII digits ('0'..'9'); leading zeros do not count.
    static TMyNumeralValue FromDigits(std::string_view sDigits);

    bool IsZero() const { return FsDigits.empty(); }
    // The decimal digits without leading zeros; empty for 0.
    const std::string& Digits() const { return FsDigits; }
    // The value when it fits a signed 64-bit integer.
    std::optional<std::int64_t> ToInt64() const;

    TMyNumeralValue& operator+=(const TMyNumeralValue& other);
    // Multiplies by 10 to the power iExponent.
    TMyNumeralValue& ShiftDecimal(std::size_t iExponent);

    friend std::strong_ordering operator<=>(const TMyNumeralValue& a, const TMyNumeralValue& b);
    friend bool operator==(const TMyNumeralValue& a, const TMyNumeralValue& b) = default;

private:
    std::string FsDigits;
};

// Compares two runs of ASCII digits by value, exactly, whatever their length.
std::strong_ordering CompareDigitRuns(std::string_view a, std::string_view b);
std::strong_ordering CompareDigitRuns(std::u16string_view a, std::u16string_view b);

// The first number of a text, as the natural ordering reads it: ASCII and full-width digits,
// kanji numerals with their formal forms and the multipliers 十 百 千 万, circled numbers ①
// to ⑳ and the Roman numeral characters Ⅰ to Ⅹ. The views point into the text given.
struct TMyNumeral {
    std::u16string_view sPrefix; // before the first numeral character; the whole text if none
    TMyNumeralValue Value;       // 0 when the text holds no numeral
    std::u16string_view sRest;   // from the character that ended the numeral
};

TMyNumeral ReadNumeral(std::u16string_view sText);

// The numeral characters and their kinds, shared by ReadNumeral and the sort keys.
enum class TMyNumeralKind : std::uint8_t {
    None,       // not a numeral character
    Digits,     // appends one or two digits
    Ten,        // 十 拾
    Hundred,    // 百 陌 佰
    Thousand,   // 千 阡 仟
    TenThousand // 万 萬
};

struct TMyNumeralChar {
    TMyNumeralKind Kind = TMyNumeralKind::None;
    bool bDigitChar = false; // one of the plain digit characters (no circled, no Roman)
    bool bZeroChar = false;  // 0 ０ 〇 零
    char sDigits[3] = {};    // the digits it appends, for Kind Digits
};

TMyNumeralChar ClassifyNumeralChar(char16_t ch);

// The text split at its first run of ASCII digits: the prefix before it, the run, the rest
// after it. Without a digit, the prefix is the whole text and the other two are empty.
struct TMyNumberSplit {
    std::u16string_view sPrefix;
    std::u16string_view sNumber;
    std::u16string_view sRest;
};

TMyNumberSplit SplitAtNumber(std::u16string_view sText);

} // namespace skivra
