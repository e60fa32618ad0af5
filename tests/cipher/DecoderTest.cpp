// The decoder must read every stored text the original wrote and report,
// never crash on, a stored text that is damaged.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cipher/Cipher.h"
#include "cipher/CipherTestSupport.h"

namespace kirimo {
namespace {

using testing_support::FailureLog;
using testing_support::kStamp;
using testing_support::Messages;
using testing_support::ScriptedRandom;
using testing_support::StoredFromPlainLayer;

const std::u16string kDecodeFailed = u"デコード中にエラーしました1";
const std::u16string kMergeFailed = u"デコード中にエラーしました2";
const std::u16string kUnpackFailed = u"エンコード中にエラーしましたDECREN";

class DecodeTest : public testing::Test {
 protected:
  std::u16string Decode(std::u16string_view stored, std::u16string stamp = kStamp) {
    const CipherContext context{std::move(stamp), random, failures.Reporter()};
    return DecodeText(stored, context);
  }

  ScriptedRandom random;  // decoding must draw nothing
  FailureLog failures;
};

// --- Whole stored texts -------------------------------------------------

struct DecodeCase {
  const char* name;
  std::u16string stored;
  std::u16string text;
  Messages messages;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeTextTest : public DecodeTest, public testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodeTextTest, GivesTheTextOrReportsWhy) {
  EXPECT_EQ(Decode(GetParam().stored), GetParam().text);
  EXPECT_EQ(failures.Messages(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeTextTest,
    testing::Values(
        DecodeCase{"Empty", u"", u"", {}},
        // Worked out by hand from the layout ("abc" and "aab", R1 = 123,
        // R2 = 456, k = 5): what the original writes for them.
        DecodeCase{"NoDecoy", u"Z8)*3;:97(:\\9;(*)[*()97", u"abc", {}},
        DecodeCase{"WithDecoy", u"3#)*3:7Z497(:9;+.;(*)*[+1()968ZA", u"aab", {}},
        // Stored texts of older writers may still hold run groups.
        DecodeCase{"RunGroup", StoredFromPlainLayer(u"123*:;,!a,6#$=b456", 4), u"aaab", {}},
        DecodeCase{"RunGroupAndDecoy",
                   StoredFromPlainLayer(u"1238!*,;:?--*:;,!a,3#$=b456", 10),
                   u"aab",
                   {}},
        DecodeCase{"DecoyPrefixNotANumber",
                   StoredFromPlainLayer(u"123x!*,;:?--aab456", 4),
                   u"",
                   {kDecodeFailed}},
        DecodeCase{"DecoyPrefixTooLarge",
                   StoredFromPlainLayer(u"123300!*,;:?--aab456", 4),
                   u"",
                   {kDecodeFailed}},
        DecodeCase{"DecoyPrefixPastTheEnd",
                   StoredFromPlainLayer(u"12399!*,;:?--aab456", 4),
                   u"",
                   {kDecodeFailed}},
        // The encoder always puts the text after the block: a block that
        // takes everything is as damaged as one that claims more.
        DecodeCase{"DecoyBlockLeavesNoText",
                   StoredFromPlainLayer(u"1238!*,;:?--456", 4),
                   u"",
                   {kDecodeFailed}},
        DecodeCase{
            "DecoyBlockLeavesOneCharacter", StoredFromPlainLayer(u"1238!*,;:?--a456", 4), u"a", {}},
        DecodeCase{"MalformedRunGroup",
                   StoredFromPlainLayer(u"123*:;,!a,x#$=456", 4),
                   u"",
                   {kUnpackFailed}},
        DecodeCase{"NoRoomForTheDigits", StoredFromPlainLayer(u"12345", 2), u"", {kDecodeFailed}},
        DecodeCase{"NoStamp", std::u16string(30, u'a'), u"", {kDecodeFailed}},
        DecodeCase{"ShorterThanTheStamp", u"abc", u"", {kDecodeFailed}},
        // The original walked the text with byte counters.
        DecodeCase{"TooLongToWalk", std::u16string(255, u'a'), u"", {kDecodeFailed}},
        DecodeCase{
            "TooLongToMerge", std::u16string(509, u'a'), u"", {kMergeFailed, kDecodeFailed}}),
    [](const auto& info) { return info.param.name; });

TEST_F(DecodeTest, NeedsTheStampTheTextWasMadeWith) {
  const std::u16string stored = u"Z8)*3;:97(:\\9;(*)[*()97";

  EXPECT_EQ(Decode(stored, u"24/05/01/12:31"), u"");
  EXPECT_EQ(failures.Messages(), Messages{kDecodeFailed});
}

// A run whose start-up never got to the stamp must not turn stored memos
// into noise: without a stamp nothing decodes.
TEST_F(DecodeTest, WithoutAStampNothingDecodes) {
  const std::u16string stored = u"Z8)*3;:97(:\\9;(*)[*()97";

  EXPECT_EQ(Decode(stored, u""), u"");
  EXPECT_EQ(failures.Messages(), Messages{kDecodeFailed});
}

TEST_F(DecodeTest, LongestStoredTextDecodes) {
  // A plain layer of 240 characters makes the longest stored text, 254.
  const std::u16string text(234, u'東');
  const std::u16string stored = StoredFromPlainLayer(u"111" + text + u"999", 120);
  ASSERT_EQ(stored.size(), 254u);

  EXPECT_EQ(Decode(stored), text);
  EXPECT_EQ(failures.Messages(), Messages{});
}

// --- MergeOddEven ---------------------------------------------------------

TEST(MergeOddEvenTest, InterleavesTheHalvesUpTo508Characters) {
  FailureLog failures;
  EXPECT_EQ(MergeOddEven(u"acegbdf", failures.Reporter()), u"abcdefg");
  EXPECT_EQ(MergeOddEven(u"acebdf", failures.Reporter()), u"abcdef");
  EXPECT_EQ(MergeOddEven(u"", failures.Reporter()), u"");
  EXPECT_EQ(MergeOddEven(std::u16string(508, u'a'), failures.Reporter()).size(), 508u);
  EXPECT_EQ(failures.Messages(), Messages{});

  EXPECT_EQ(MergeOddEven(std::u16string(509, u'a'), failures.Reporter()), u"");
  EXPECT_EQ(failures.Messages(), Messages{kMergeFailed});
}

// --- StripDecoy -------------------------------------------------------------

struct StripCase {
  const char* name;
  std::u16string text;
  std::optional<std::u16string> expected;
};

void PrintTo(const StripCase& c, std::ostream* os) { *os << c.name; }

class StripDecoyTest : public testing::TestWithParam<StripCase> {};

TEST_P(StripDecoyTest, SkipsTheBlockByItsOwnLength) {
  EXPECT_EQ(StripDecoy(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StripDecoyTest,
    testing::Values(StripCase{"NoBlock", u"abc", u"abc"},
                    StripCase{"Block", u"8!*,;:?--aab", u"aab"},
                    StripCase{"TwoDigitPrefix", u"11!*,;:?bbcccxyz", u"xyz"},
                    StripCase{"NotANumber", u"x!*,;:?--aab", std::nullopt},
                    StripCase{"NoPrefix", u"!*,;:?--aab", std::nullopt},
                    StripCase{"OverAByte", u"256!*,;:?--aab", std::nullopt},
                    StripCase{"ClaimsMoreThanThere", u"9!*,;:?--", std::nullopt},
                    // The boundary: the block's own length.
                    StripCase{"ClaimsExactlyWhatIsThere", u"8!*,;:?--", std::nullopt},
                    StripCase{"LeavesOneCharacter", u"8!*,;:?--a", u"a"},
                    StripCase{"TwoDigitPrefixClaimsExactly", u"11!*,;:?bbccc", std::nullopt},
                    StripCase{"TwoDigitPrefixLeavesOne", u"11!*,;:?bbcccx", u"x"},
                    StripCase{"BlockOnlyPrefix", u"6!*,;:?", std::nullopt},
                    StripCase{"EmptyBlockLeavesOne", u"6!*,;:?z", u"z"}),
    [](const auto& info) { return info.param.name; });

// --- RunLengthUnpack ------------------------------------------------------

struct UnpackCase {
  const char* name;
  std::u16string text;
  std::u16string expected;
  bool fails;
};

void PrintTo(const UnpackCase& c, std::ostream* os) { *os << c.name; }

class RunLengthUnpackTest : public testing::TestWithParam<UnpackCase> {};

TEST_P(RunLengthUnpackTest, ExpandsRunGroupsOrReportsAMalformedOne) {
  FailureLog failures;
  EXPECT_EQ(RunLengthUnpack(GetParam().text, failures.Reporter()), GetParam().expected);
  EXPECT_EQ(failures.Messages(), GetParam().fails ? Messages{kUnpackFailed} : Messages{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunLengthUnpackTest,
    testing::Values(UnpackCase{"NoGroup", u"abc*:;,#$", u"abc*:;,#$", false},
                    UnpackCase{"Pair", u"*:;,!a,3#$=b", u"aab", false},
                    UnpackCase{"PairAtEnd", u"a*:;,!b,3#$=", u"abb", false},
                    UnpackCase{"Triple", u"*:;,!a,6#$=b", u"aaab", false},
                    UnpackCase{"GroupsAndLiterals", u"x*:;,!a,3#$=y*:;,!b,6#$=*:;,!c,3#$=z",
                               u"xaaybbbccz", false},
                    UnpackCase{"LongestRun", u"*:;,!a,255#$=", std::u16string(86, u'a'), false},
                    // (f + 3) / 3 to the nearest whole number, at least one.
                    UnpackCase{"CountZero", u"*:;,!a,0#$=", u"a", false},
                    UnpackCase{"CountRoundsDown", u"*:;,!a,4#$=", u"aa", false},
                    UnpackCase{"CountRoundsUp", u"*:;,!a,5#$=", u"aaa", false},
                    UnpackCase{"Unclosed", u"*:;,!a,3", u"", true},
                    UnpackCase{"CloseBeforeOpen", u"#$=*:;,!a,3", u"", true},
                    UnpackCase{"NoCharacter", u"*:;,!#$=", u"", true},
                    UnpackCase{"EmptyCount", u"*:;,!a,#$=", u"", true},
                    UnpackCase{"CountNotANumber", u"*:;,!a,x#$=", u"", true},
                    UnpackCase{"CountOverAByte", u"*:;,!a,256#$=", u"", true},
                    UnpackCase{"PastPosition255", std::u16string(250, u'x') + u"*:;,!a,3#$=", u"",
                               true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kirimo
