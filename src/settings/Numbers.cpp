#include "settings/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace kirimo::settings {
namespace {

bool IsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }

// The blanks the leading-number rule skips wherever they stand.
bool IsNumberBlank(char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\n'; }

// The blanks a strict conversion tolerates around the number.
bool IsEdgeBlank(char16_t ch) { return ch == u' ' || ch == u'\t'; }

// A decimal number in the grammar the settings file uses: an optional sign,
// digits with at most one decimal point (at least one digit in all), and an
// optional exponent introduced by E or D (the old Basic double exponent)
// that counts only when at least one digit follows it.
struct NumberSpan {
  std::size_t length = 0;  // characters taken; 0 when no number starts here
  std::string ascii;       // the taken characters, normalised for from_chars
  bool exponentNegative = false;
};

NumberSpan ScanNumber(std::u16string_view text) {
  NumberSpan span;
  std::size_t i = 0;
  std::string ascii;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii.push_back('-');
    ++i;
  }
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ascii.push_back(static_cast<char>(text[i]));
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == u'.') {
    ascii.push_back('.');
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ascii.push_back(static_cast<char>(text[i]));
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return span;
  span.length = i;
  if (i < text.size() &&
      (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    bool negative = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      negative = text[j] == u'-';
      if (negative) exponent.push_back('-');
      ++j;
    }
    std::size_t exponentDigits = 0;
    while (j < text.size() && IsDigit(text[j])) {
      exponent.push_back(static_cast<char>(text[j]));
      ++j;
      ++exponentDigits;
    }
    if (exponentDigits > 0) {
      ascii += exponent;
      span.length = j;
      span.exponentNegative = negative;
    }
  }
  span.ascii = std::move(ascii);
  return span;
}

// from_chars is locale-independent, which matters once the GUI has set the
// user's locale (a German one would otherwise read "1.5" as 1).
std::optional<double> ToDouble(const NumberSpan& span) {
  double value = 0.0;
  const char* first = span.ascii.data();
  const char* last = first + span.ascii.size();
  auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (span.exponentNegative) return span.ascii.front() == '-' ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

double LeadingNumber(std::u16string_view text) {
  std::u16string packed;
  packed.reserve(text.size());
  for (char16_t ch : text) {
    if (!IsNumberBlank(ch)) packed.push_back(ch);
  }
  NumberSpan span = ScanNumber(packed);
  if (span.length == 0) return 0.0;
  if (auto value = ToDouble(span)) return *value;
  // Too large for a double: no field can hold it, and infinity fails every
  // range check below.
  return span.ascii.front() == '-' ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity();
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double fraction = value - floor;
  if (fraction < 0.5) return floor;
  if (fraction > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::uint8_t> ReadByteField(std::u16string_view text) {
  double value = RoundHalfEven(LeadingNumber(text));
  if (!(value >= 0.0 && value <= 255.0)) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::optional<std::int16_t> ReadInt16Field(std::u16string_view text) {
  double value = RoundHalfEven(LeadingNumber(text));
  if (!(value >= -32768.0 && value <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::optional<double> StrictNumber(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsEdgeBlank(text[first])) ++first;
  while (last > first && IsEdgeBlank(text[last - 1])) --last;
  std::u16string_view core = text.substr(first, last - first);
  NumberSpan span = ScanNumber(core);
  if (span.length == 0 || span.length != core.size()) return std::nullopt;
  return ToDouble(span);
}

std::u16string FormatSingle(float value) {
  // A position that is not a number would make the next start-up fail its
  // strict conversion; 0 keeps the file readable.
  if (!std::isfinite(value) || value == 0.0f) return u"0";

  // Seven significant digits, rounded from the single's exact binary value.
  char buffer[32];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
  std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  std::size_t e = sci.find('e');
  std::string digits;
  for (char ch : sci.substr(0, e)) {
    if (ch != '.') digits.push_back(ch);
  }
  int exponent = 0;
  std::string_view exponentText = sci.substr(e + 1);
  if (exponentText.front() == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (negative) out.push_back('-');
  if (exponent >= 7 || exponent < -4) {
    // Basic's own scientific form, such as 1.234568E+07 or 1E-06.
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back('.');
      out.append(digits, 1);
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out.push_back('0');
    out += std::to_string(magnitude);
  } else if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out.push_back('.');
      out.append(digits, integerDigits);
    }
  }
  return Widen(out);
}

std::u16string FormatInteger(long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Widen(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

}  // namespace kirimo::settings
