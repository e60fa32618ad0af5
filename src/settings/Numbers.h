#pragma once
// Number conversions of the settings file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kirimo::settings {

// Leading-number rule: blanks (space, tab, line feed) are skipped anywhere,
// the longest leading run that forms a decimal number is taken; a text that
// does not start with a number gives 0.
double LeadingNumber(std::u16string_view text);

// Nearest integer, ties to even.
double RoundHalfEven(double value);

// LeadingNumber, rounded, range-checked; nullopt when out of range.
std::optional<std::uint8_t> ReadByteField(std::u16string_view text);
std::optional<std::int16_t> ReadInt16Field(std::u16string_view text);

// Strict conversion of a position ("frmMain" LEFT/TOP): an empty or
// non-numeric text is nullopt.
std::optional<double> StrictNumber(std::u16string_view text);

// Decimal text of a single-precision number, as 3705 or 1234.5.
std::u16string FormatSingle(float value);

// Decimal text of an integer.
std::u16string FormatInteger(long long value);

}  // namespace kirimo::settings
