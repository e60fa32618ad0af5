// The encoder must write exactly the stored texts the original wrote for the
// same random choices, fail where the original's byte counters made it fail,
// and never write a stored text that does not decode back.

#include <gtest/gtest.h>

#include <string>

#include "cipher/Cipher.h"
#include "cipher/CipherTestSupport.h"

namespace kirimo {
namespace {

using testing_support::FailureLog;
using testing_support::kStamp;
using testing_support::Messages;
using testing_support::ScriptedRandom;

const std::u16string kPackFailed = u"エンコード中にエラーしましたENCREN";
const std::u16string kSummaryFailed = u"エンコード中エラーしましたdm1";
const std::u16string kDecoyFailed = u"エンコード中エラーしましたdm2";
const std::u16string kSplitFailed = u"エンコード中にエラーしました2";
const std::u16string kEncodeFailed = u"エンコード中にエラーしました1";

class EncodeTest : public testing::Test {
 protected:
  std::u16string Decode(std::u16string_view stored) {
    FailureLog decodeFailures;
    const CipherContext decodeContext{kStamp, random, decodeFailures.Reporter()};
    std::u16string text = DecodeText(stored, decodeContext);
    EXPECT_EQ(decodeFailures.Messages(), Messages{});
    return text;
  }

  ScriptedRandom random;
  FailureLog failures;
  const CipherContext context{kStamp, random, failures.Reporter()};
  const FailureReporter& report = failures.Reporter();
};

// A memo stored without the stamp could never be read back, so none is.
TEST_F(EncodeTest, WithoutAStampNothingIsStored) {
  random.Layer(123, 456, 5, 9);
  const CipherContext noStamp{u"", random, failures.Reporter()};

  EXPECT_EQ(EncodeText(u"abc", noStamp), u"");
  EXPECT_EQ(failures.Messages(), Messages{kEncodeFailed});
}

// --- The worked examples ------------------------------------------------

TEST_F(EncodeTest, WorkedExampleAbcGivesTheLayersOfTheFormat) {
  random.Layer(123, 456, 5, 9);

  const std::u16string stored = EncodeText(u"abc", context);

  EXPECT_EQ(RunLengthPack(u"abc", report), u"abc");
  EXPECT_EQ(BuildRepeatSummary(u"abc", report), u"");
  // Peel the layers off the result: W, then V, then U with the stamp after
  // k = 5 characters of T = "a321654cb".
  const std::u16string w = MergeOddEven(stored, report);
  EXPECT_EQ(w, u"Z98;)(**3);[:*9(7)(9:7\\");
  std::u16string v;
  for (const char16_t ch : w) v += SwapCodeDigit(ch);
  EXPECT_EQ(v, u"a2640/11:04b312/50/235c");
  EXPECT_EQ(MergeOddEven(v, report), u"a3216" + kStamp + u"54cb");

  EXPECT_EQ(stored, u"Z8)*3;:97(:\\9;(*)[*()97");
  EXPECT_EQ(stored.size(), 23u);
  EXPECT_EQ(failures.Messages(), Messages{});
  EXPECT_EQ(random.Remaining(), 0u);
}

TEST_F(EncodeTest, RepeatedLetterBringsADecoyBlock) {
  random.Layer(123, 456, 5, 18);

  const std::u16string stored = EncodeText(u"aab", context);

  EXPECT_EQ(RunLengthPack(u"aab", report), u"*:;,!a,3#$=b");
  EXPECT_EQ(BuildRepeatSummary(u"*:;,!a,3#$=b", report), u":*!,;,2=#$");
  EXPECT_EQ(BuildDecoy(u":*!,;,2=#$", random, report), u"8!*,;:?--");
  // P = "123" "8!*,;:?--" "aab" "456"
  EXPECT_EQ(stored, u"3#)*3:7Z497(:9;+.;(*)*[+1()968ZA");
  EXPECT_EQ(stored.size(), 32u);
  EXPECT_EQ(failures.Messages(), Messages{});
  EXPECT_EQ(Decode(stored), u"aab");
}

TEST_F(EncodeTest, OneCharacterGivesTwentyOneCharacters) {
  for (const std::u16string text : {u"a", u"東", u"・", u"∮"}) {
    random.Layer(998, 111, 3, 7);
    const std::u16string stored = EncodeText(text, context);
    EXPECT_EQ(stored.size(), 21u) << testing::PrintToString(text);
    EXPECT_EQ(Decode(stored), text);
  }
  EXPECT_EQ(failures.Messages(), Messages{});
}

TEST_F(EncodeTest, EmptyTextDrawsNothingAndSaysNothing) {
  EXPECT_EQ(EncodeText(u"", context), u"");
  EXPECT_EQ(failures.Messages(), Messages{});  // and ScriptedRandom saw no draw
}

// --- RunLengthPack ------------------------------------------------------

struct StepCase {
  const char* name;
  std::u16string input;
  std::u16string expected;
  Messages messages;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

// "abab…": as long as wanted without a single run.
std::u16string Alternating(std::size_t length) {
  std::u16string text;
  while (text.size() < length) text.push_back(text.size() % 2 == 0 ? u'a' : u'b');
  return text;
}

class RunLengthPackTest : public testing::TestWithParam<StepCase> {};

TEST_P(RunLengthPackTest, PacksRunsWithinTheByteLimits) {
  FailureLog failures;
  EXPECT_EQ(RunLengthPack(GetParam().input, failures.Reporter()), GetParam().expected);
  EXPECT_EQ(failures.Messages(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunLengthPackTest,
    testing::Values(StepCase{"Single", u"a", u"a", {}}, StepCase{"NoRun", u"abc", u"abc", {}},
                    StepCase{"Pair", u"aab", u"*:;,!a,3#$=b", {}},
                    StepCase{"PairAtEnd", u"abb", u"a*:;,!b,3#$=", {}},
                    StepCase{"Triple", u"aaab", u"*:;,!a,6#$=b", {}},
                    StepCase{"Kana", u"ああい", u"*:;,!あ,3#$=い", {}},
                    StepCase{"TwoRuns", u"aabbb", u"*:;,!a,3#$=*:;,!b,6#$=", {}},
                    StepCase{"LongestRun", std::u16string(86, u'a'), u"*:;,!a,255#$=", {}},
                    StepCase{"RunTooLong", std::u16string(87, u'a'), u"", {kPackFailed}},
                    StepCase{"LongestText", Alternating(255), Alternating(255), {}},
                    StepCase{"TextTooLong", Alternating(256), u"", {kPackFailed}}),
    [](const auto& info) { return info.param.name; });

// --- BuildRepeatSummary -------------------------------------------------

class BuildRepeatSummaryTest : public testing::TestWithParam<StepCase> {};

TEST_P(BuildRepeatSummaryTest, ListsRepeatedCharactersInOrderOfAppearance) {
  FailureLog failures;
  EXPECT_EQ(BuildRepeatSummary(GetParam().input, failures.Reporter()), GetParam().expected);
  EXPECT_EQ(failures.Messages(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildRepeatSummaryTest,
    testing::Values(StepCase{"Empty", u"", u"", {}}, StepCase{"NothingRepeats", u"abc", u"", {}},
                    StepCase{"PackedPair", u"*:;,!a,3#$=b", u":*!,;,2=#$", {}},
                    StepCase{"FirstAppearanceOrder", u"baab", u":*!,;b2=#$:*!,;a2=#$", {}},
                    // Once a carriage return reaches the front, listing stops,
                    // but counts include occurrences after it.
                    StepCase{"CarriageReturnStops", u"a\rbab", u":*!,;a2=#$", {}},
                    StepCase{"CarriageReturnNeverListed", u"\r\ra", u"", {}},
                    StepCase{"ThreeDigitCount", std::u16string(255, u'あ'), u":*!,;あ255=#$", {}},
                    StepCase{"TooLong", std::u16string(256, u'a'), u"", {kSummaryFailed}}),
    [](const auto& info) { return info.param.name; });

// --- BuildDecoy ---------------------------------------------------------

class BuildDecoyTest : public testing::TestWithParam<StepCase> {};

TEST_P(BuildDecoyTest, GivesEachListedCharacterItsNextCharacter) {
  FailureLog failures;
  ScriptedRandom random;
  EXPECT_EQ(BuildDecoy(GetParam().input, random, failures.Reporter()), GetParam().expected);
  EXPECT_EQ(failures.Messages(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuildDecoyTest,
    testing::Values(StepCase{"Empty", u"", u"", {}},
                    StepCase{"Comma", u":*!,;,2=#$", u"8!*,;:?--", {}},
                    StepCase{"TwoGroups", u":*!,;a2=#$:*!,;b3=#$", u"11!*,;:?bbccc", {}},
                    // "．" is followed by "・", which is skipped.
                    StepCase{"SkipsMiddleDot", u":*!,;．2=#$", u"8!*,;:?：：", {}},
                    // After "╂" come whole unassigned rows up to "①".
                    StepCase{"SkipsUnassignedRows", u":*!,;╂1=#$", u"7!*,;:?①", {}},
                    StepCase{"Unclosed", u":*!,;a2", u"", {kDecoyFailed}},
                    StepCase{"CountTooLarge", u":*!,;a256=#$", u"", {kDecoyFailed}},
                    StepCase{"CountNotANumber", u":*!,;ax=#$", u"", {kDecoyFailed}}),
    [](const auto& info) { return info.param.name; });

// --- SplitOddEven -------------------------------------------------------

TEST(SplitOddEvenTest, OddPositionsThenEvenOnesUpTo254Characters) {
  FailureLog failures;
  EXPECT_EQ(SplitOddEven(u"abcdefg", failures.Reporter()), u"acegbdf");
  EXPECT_EQ(SplitOddEven(u"", failures.Reporter()), u"");
  EXPECT_EQ(SplitOddEven(std::u16string(254, u'a'), failures.Reporter()).size(), 254u);
  EXPECT_EQ(failures.Messages(), Messages{});

  EXPECT_EQ(SplitOddEven(std::u16string(255, u'a'), failures.Reporter()), u"");
  EXPECT_EQ(failures.Messages(), Messages{kSplitFailed});
}

// --- Fifty-character contents at the length limits ----------------------

// n doubled letters, then 50 - 2n further letters, all distinct: every run
// group adds ten repeated delimiter characters to the decoy.
std::u16string DoubledContent(int doubled, bool kana = false) {
  const std::u16string letters = kana ? u"あいうえおかきくけこさしすせそたちつてとなにぬねの"
                                      : u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::u16string text;
  for (int i = 0; i < doubled; ++i) text.append(2, letters[i]);
  for (int i = doubled; text.size() < 50; ++i) text.push_back(letters[i]);
  return text;
}

struct LongContentCase {
  const char* name;
  std::u16string text;
  double insertDraw;  // u for k: 0 gives k = 1, just under 1 gives k = L - 1
  std::size_t storedLength;
  Messages messages;
};

void PrintTo(const LongContentCase& c, std::ostream* os) { *os << c.name; }

class LongContentTest : public EncodeTest, public testing::WithParamInterface<LongContentCase> {};

TEST_P(LongContentTest, FitsOrFailsAsTheByteCountersAllow) {
  const LongContentCase& c = GetParam();
  ASSERT_EQ(c.text.size(), 50u);
  random.Digits(123).Digits(456).Uniform(c.insertDraw);

  const std::u16string stored = EncodeText(c.text, context);

  EXPECT_EQ(stored.size(), c.storedLength);
  EXPECT_EQ(failures.Messages(), c.messages);
  if (!stored.empty()) {
    EXPECT_EQ(Decode(stored), c.text);
  }
}

constexpr double kFirst = 0.0;
constexpr double kLast = 0.9999;

INSTANTIATE_TEST_SUITE_P(
    Table, LongContentTest,
    testing::Values(
        LongContentCase{"Doubled17", DoubledContent(17), kLast, 249, {}},
        LongContentCase{"Doubled18", DoubledContent(18), kLast, 0, {kSplitFailed}},
        LongContentCase{"Doubled19", DoubledContent(19), kLast, 0, {kSplitFailed}},
        LongContentCase{"Doubled20InsertEarly", DoubledContent(20), kFirst, 0, {kSplitFailed}},
        LongContentCase{"Doubled20InsertLate", DoubledContent(20), kLast, 0, {kEncodeFailed}},
        LongContentCase{"Doubled22InsertEarly", DoubledContent(22), kFirst, 0, {kSplitFailed}},
        LongContentCase{"Doubled22InsertLate", DoubledContent(22), kLast, 0, {kEncodeFailed}},
        // The packed text passes 255 characters: the decoy is dropped and
        // the text is stored without it.
        LongContentCase{"Doubled23", DoubledContent(23), kLast, 70, {kSummaryFailed}},
        LongContentCase{"Doubled25", DoubledContent(25), kLast, 70, {kSummaryFailed}},
        LongContentCase{"Doubled25Kana", DoubledContent(25, true), kFirst, 70, {kSummaryFailed}},
        LongContentCase{"AllDifferent", DoubledContent(0), kLast, 70, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(EncodeTest, FailedPackingOnlyDropsTheDecoy) {
  const std::u16string text(87, u'a');  // one run too long to count
  random.Layer(500, 500, 50, 93);

  const std::u16string stored = EncodeText(text, context);

  EXPECT_EQ(failures.Messages(), Messages{kPackFailed});
  EXPECT_EQ(stored.size(), 107u);
  EXPECT_EQ(Decode(stored), text);
}

// --- A text that contains the stamp's characters --------------------------

// The decoder cuts the stamp where it first finds it. This content, the stamp
// backwards, reappears forwards in T (at position 22 of 38), so the stamp
// must be inserted before it.
const std::u16string kReversedStamp(kStamp.rbegin(), kStamp.rend());

TEST_F(EncodeTest, DrawsAgainWhenTheTextWouldHideTheStamp) {
  random.Layer(123, 456, 37, 38).Layer(123, 456, 1, 38);

  const std::u16string stored = EncodeText(kReversedStamp, context);

  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(failures.Messages(), Messages{});
  EXPECT_EQ(Decode(stored), kReversedStamp);
}

TEST_F(EncodeTest, GivesUpLoudlyRatherThanStoreAGarbledText) {
  for (int attempt = 0; attempt < 16; ++attempt) random.Layer(123, 456, 37, 38);

  EXPECT_EQ(EncodeText(kReversedStamp, context), u"");
  EXPECT_EQ(failures.Messages(), Messages{kEncodeFailed});
  EXPECT_EQ(random.Remaining(), 0u);
}

}  // namespace
}  // namespace kirimo
