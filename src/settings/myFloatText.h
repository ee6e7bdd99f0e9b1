#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// Floating-point values as settings text: the general form with 15 significant digits and
// the user's decimal separator, so that a value reads back as it was written on the same
// desktop.

// The decimal separator of the user's numeric locale (LC_NUMERIC); "." when it is not a
// single ASCII character.
char16_t LocaleDecimalSeparator();

// The shortest text keeping 15 significant digits: trailing zeros and a trailing separator
// dropped; plain notation for magnitudes of at least 0.00001 with at most 15 digits before
// the separator, otherwise the mantissa, "E" and the exponent (a sign only when negative):
// 0.5, 1234.5678, 1E-6, 1.5E20. Infinities and NaN give INF, -INF and NAN.
std::u16string FloatToGeneralText(double fValue, char16_t cSeparator);

// Reads a finite decimal number written with the separator: surrounding blanks allowed, an
// optional sign, an optional exponent. Nothing for any other text (including INF and NAN).
std::optional<double> GeneralTextToFloat(std::u16string_view sText, char16_t cSeparator);

} // namespace skivra
