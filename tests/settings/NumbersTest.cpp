// The number rules of the settings file: Basic's leading-number reading,
// banker's rounding, the range of each field, the strict reading of the main
// window's position and the way positions are written.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "settings/Numbers.h"

namespace kirimo::settings {
namespace {

template <typename T>
struct Case {
  std::u16string text;
  T expected;
};

template <typename T>
std::string Name(const ::testing::TestParamInfo<Case<T>>& info) {
  return "Case" + std::to_string(info.index);
}

class LeadingNumberTable : public ::testing::TestWithParam<Case<double>> {};

TEST_P(LeadingNumberTable, TakesTheLongestLeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().expected) << GetParam().text.size();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeadingNumberTable,
    ::testing::Values(Case<double>{u"", 0}, Case<double>{u"abc", 0}, Case<double>{u"15", 15},
                      Case<double>{u"6 0", 60}, Case<double>{u" \t6\n0 ", 60},
                      Case<double>{u"12abc", 12}, Case<double>{u"-5", -5}, Case<double>{u"+5", 5},
                      Case<double>{u"- 5", -5}, Case<double>{u"--5", 0}, Case<double>{u"1.5", 1.5},
                      Case<double>{u".5", 0.5}, Case<double>{u"5.", 5}, Case<double>{u".", 0},
                      Case<double>{u"1.2.3", 1.2}, Case<double>{u"1,000", 1},
                      Case<double>{u"1e3", 1000}, Case<double>{u"1D2", 100},
                      Case<double>{u"2.5E-1", 0.25}, Case<double>{u"1e", 1},
                      Case<double>{u"1e+", 1}, Case<double>{u"1.234568E+07", 12345680},
                      Case<double>{u"１５", 0}, Case<double>{u"1e-999", 0}),
    Name<double>);

TEST(LeadingNumber, HugeNumberIsInfinite) {
  EXPECT_EQ(LeadingNumber(u"1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber(u"-1e999"), -std::numeric_limits<double>::infinity());
}

class RoundHalfEvenTable : public ::testing::TestWithParam<std::pair<double, double>> {};

TEST_P(RoundHalfEvenTable, TiesGoToEven) {
  EXPECT_EQ(RoundHalfEven(GetParam().first), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundHalfEvenTable,
                         ::testing::Values(std::pair{0.5, 0.0}, std::pair{1.5, 2.0},
                                           std::pair{2.5, 2.0}, std::pair{3.5, 4.0},
                                           std::pair{-0.5, 0.0}, std::pair{-1.5, -2.0},
                                           std::pair{-2.5, -2.0}, std::pair{2.4, 2.0},
                                           std::pair{2.6, 3.0}, std::pair{-2.6, -3.0},
                                           std::pair{254.5, 254.0}, std::pair{7.0, 7.0}));

class ByteFieldTable : public ::testing::TestWithParam<Case<std::optional<std::uint8_t>>> {};

TEST_P(ByteFieldTable, RoundsThenChecksRange) {
  EXPECT_EQ(ReadByteField(GetParam().text), GetParam().expected);
}

using ByteCase = Case<std::optional<std::uint8_t>>;
INSTANTIATE_TEST_SUITE_P(
    Cases, ByteFieldTable,
    ::testing::Values(ByteCase{u"", 0}, ByteCase{u"abc", 0}, ByteCase{u"1", 1}, ByteCase{u"0.5", 0},
                      ByteCase{u"1.5", 2}, ByteCase{u"255", 255}, ByteCase{u"255.4", 255},
                      ByteCase{u"255.5", std::nullopt}, ByteCase{u"256", std::nullopt},
                      ByteCase{u"300", std::nullopt}, ByteCase{u"-0.5", 0},
                      ByteCase{u"-1", std::nullopt}, ByteCase{u"1e999", std::nullopt}),
    Name<std::optional<std::uint8_t>>);

class Int16FieldTable : public ::testing::TestWithParam<Case<std::optional<std::int16_t>>> {};

TEST_P(Int16FieldTable, RoundsThenChecksRange) {
  EXPECT_EQ(ReadInt16Field(GetParam().text), GetParam().expected);
}

using Int16Case = Case<std::optional<std::int16_t>>;
INSTANTIATE_TEST_SUITE_P(
    Cases, Int16FieldTable,
    ::testing::Values(Int16Case{u"", 0}, Int16Case{u"abc", 0}, Int16Case{u"600", 600},
                      Int16Case{u"6 0", 60}, Int16Case{u"32767", 32767},
                      Int16Case{u"32767.5", std::nullopt}, Int16Case{u"-32768", -32768},
                      Int16Case{u"-32768.5", -32768}, Int16Case{u"-32769", std::nullopt},
                      Int16Case{u"70000", std::nullopt}, Int16Case{u"-1e999", std::nullopt}),
    Name<std::optional<std::int16_t>>);

class StrictNumberTable : public ::testing::TestWithParam<Case<std::optional<double>>> {};

TEST_P(StrictNumberTable, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(StrictNumber(GetParam().text), GetParam().expected);
}

using StrictCase = Case<std::optional<double>>;
INSTANTIATE_TEST_SUITE_P(
    Cases, StrictNumberTable,
    ::testing::Values(StrictCase{u"3705", 3705}, StrictCase{u" \t3705 ", 3705},
                      StrictCase{u"-15", -15}, StrictCase{u"+15", 15},
                      StrictCase{u"1234.5", 1234.5}, StrictCase{u".5", 0.5},
                      StrictCase{u"1.234568E+07", 12345680}, StrictCase{u"1E-05", 1e-5},
                      StrictCase{u"", std::nullopt}, StrictCase{u"  ", std::nullopt},
                      StrictCase{u"abc", std::nullopt}, StrictCase{u"12abc", std::nullopt},
                      StrictCase{u"1 2", std::nullopt}, StrictCase{u"- 1", std::nullopt},
                      StrictCase{u".", std::nullopt}, StrictCase{u"-", std::nullopt},
                      StrictCase{u"1e", std::nullopt}, StrictCase{u"1e999", std::nullopt}),
    Name<std::optional<double>>);

class FormatSingleTable : public ::testing::TestWithParam<std::pair<float, std::u16string>> {};

TEST_P(FormatSingleTable, WritesAsBasicDoes) {
  const auto& [value, text] = GetParam();
  EXPECT_EQ(FormatSingle(value), text);
  // The next start reads it strictly and shutdown writes it again: the text
  // must survive that cycle unchanged, or the window would drift.
  const auto back = StrictNumber(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(FormatSingle(static_cast<float>(*back)), text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatSingleTable,
    ::testing::Values(
        std::pair{3705.0f, std::u16string(u"3705")}, std::pair{1234.5f, std::u16string(u"1234.5")},
        std::pair{-15.0f, std::u16string(u"-15")}, std::pair{0.0f, std::u16string(u"0")},
        std::pair{-0.0f, std::u16string(u"0")}, std::pair{100.0f, std::u16string(u"100")},
        std::pair{0.5f, std::u16string(u"0.5")}, std::pair{-0.25f, std::u16string(u"-0.25")},
        std::pair{0.1f, std::u16string(u"0.1")},
        std::pair{3.14159265f, std::u16string(u"3.141593")},
        std::pair{1234567.0f, std::u16string(u"1234567")},
        std::pair{9999999.0f, std::u16string(u"9999999")},
        std::pair{0.0001f, std::u16string(u"0.0001")},
        std::pair{std::numeric_limits<float>::quiet_NaN(), std::u16string(u"0")}));

// Beyond seven digits the text is Basic's scientific form; it reads back to
// the same value rounded to seven digits, not to the same single.
TEST(FormatSingle, LargeAndTinyValuesUseScientificForm) {
  EXPECT_EQ(FormatSingle(12345678.0f), u"1.234568E+07");
  EXPECT_EQ(FormatSingle(1e10f), u"1E+10");
  EXPECT_EQ(FormatSingle(-1e-5f), u"-1E-05");
  EXPECT_EQ(StrictNumber(FormatSingle(12345678.0f)), 12345680.0);
}

TEST(FormatInteger, DecimalText) {
  EXPECT_EQ(FormatInteger(0), u"0");
  EXPECT_EQ(FormatInteger(600), u"600");
  EXPECT_EQ(FormatInteger(-15), u"-15");
  EXPECT_EQ(FormatInteger(std::numeric_limits<long long>::min()), u"-9223372036854775808");
}

}  // namespace
}  // namespace kirimo::settings
