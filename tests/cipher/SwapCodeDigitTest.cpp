// The per-character substitution decides every character of every stored
// text; one wrong partner makes the original's files unreadable.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cipher/Cipher.h"
#include "cipher/CodePage932.h"

namespace kirimo {
namespace {

struct SwapCase {
  const char* name;
  char16_t ch;
  std::u16string expected;
};

void PrintTo(const SwapCase& c, std::ostream* os) { *os << c.name; }

class SwapCodeDigitTest : public testing::TestWithParam<SwapCase> {};

TEST_P(SwapCodeDigitTest, SwapsTheLastDigitOfTheCode) {
  EXPECT_EQ(SwapCodeDigit(GetParam().ch), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SwapCodeDigitTest,
    testing::Values(SwapCase{"LetterA", u'a', u"Z"}, SwapCase{"BackToA", u'Z', u"a"},
                    SwapCase{"LetterB", u'b', u"["}, SwapCase{"LetterC", u'c', u"\\"},
                    SwapCase{"Digit", u'1', u"*"}, SwapCase{"Exclamation", u'!', u"#"},
                    SwapCase{"Question", u'?', u"A"},
                    // 39 would become 32, a space: kept.
                    SwapCase{"Apostrophe", u'\'', u"'"}, SwapCase{"Kanji", u'東', u"投"},
                    SwapCase{"BackToKanji", u'投', u"東"}, SwapCase{"Katakana", u'メ', u"ホ"},
                    // Its partner is "・": kept.
                    SwapCase{"FullWidthComma", u'，', u"，"},
                    SwapCase{"FullWidthSpace", u'　', u"；"},
                    // Outside code page 932: swapped as the "?" it would be stored as.
                    SwapCase{"Unrepresentable", u'é', u"A"},
                    SwapCase{"LoneSurrogate", u'\xD800', u"A"},
                    // A one-digit code gets its partner appended: 9 becomes 92.
                    SwapCase{"Tab", u'\t', u"\\"},
                    // 254 becomes 256, the two single bytes 0x01 0x00.
                    SwapCase{"PairOfBytes", u'\uF8F2', std::u16string(u"\x01\0", 2)}),
    [](const auto& info) { return info.param.name; });

TEST(SwapCodeDigitFixedTest, EightCharactersKeepTheirCode) {
  for (const char16_t ch : std::u16string(u" ・%&xyz∮")) {
    EXPECT_EQ(SwapCodeDigit(ch), std::u16string(1, ch)) << static_cast<int>(ch);
  }
}

// The cipher relies on the substitution undoing itself. Among printable
// ASCII and all of JIS X 0208 (0x8141-0xEAA4) only six special symbols,
// whose partner is the second code of a character with another preferred
// code, do not come back.
TEST(SwapCodeDigitInverseTest, UndoesItselfExceptForSixSpecialSymbols) {
  std::u16string notBack;
  for (int i = 0; i < 0x10000; ++i) {
    const char16_t ch = static_cast<char16_t>(i);
    const int code = cp932::CharacterCode(ch);
    const bool printableAscii = code >= 33 && code <= 126;
    const bool jis = code >= -32447 && code <= -5468;
    if (!cp932::IsRepresentable(ch) || !(printableAscii || jis)) continue;
    const std::u16string once = SwapCodeDigit(ch);
    ASSERT_EQ(once.size(), 1u) << i;
    if (SwapCodeDigit(once[0]) != std::u16string(1, ch)) notBack.push_back(ch);
  }
  EXPECT_EQ(notBack, u"∑∟⊿㈱㈲㊨");
}

// Control characters do not come back either, which is why the text rules
// keep them out.
TEST(SwapCodeDigitInverseTest, ControlCharactersDoNotComeBack) {
  struct Case {
    char16_t ch;
    std::u16string twice;
  };
  const std::vector<Case> cases = {
      {u'\x1E', u"%"}, {u'\x1F', u"&"}, {u'\x7F', u"x"}, {u'\x00', u"F"}, {u'\t', u"c"}};
  for (const Case& c : cases) {
    EXPECT_EQ(SwapCodeDigit(SwapCodeDigit(c.ch)[0]), c.twice) << static_cast<int>(c.ch);
  }
}

}  // namespace
}  // namespace kirimo
