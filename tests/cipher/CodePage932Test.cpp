// Code page 932 must convert exactly as Windows does: the cipher's output and
// the settings file depend on every code.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cipher/CodePage932.h"

namespace kirimo::cp932 {
namespace {

// --- Characters and their codes -------------------------------------------

struct CodeCase {
  const char* name;
  char16_t ch;
  int code;  // what CharacterCode gives
  bool representable;
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

class CharacterCodeTest : public testing::TestWithParam<CodeCase> {};

TEST_P(CharacterCodeTest, GivesWindowsCodeAndConvertsBack) {
  const CodeCase& c = GetParam();
  EXPECT_EQ(CharacterCode(c.ch), c.code);
  EXPECT_EQ(IsRepresentable(c.ch), c.representable);
  if (c.representable) {
    EXPECT_EQ(CharacterFromCode(c.code), std::u16string(1, c.ch));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterCodeTest,
    testing::Values(
        CodeCase{"Nul", u'\0', 0, true}, CodeCase{"Letter", u'a', 97, true},
        CodeCase{"QuestionMark", u'?', 63, true}, CodeCase{"Delete", u'\x7F', 127, true},
        CodeCase{"C1Control", u'\u0080', 128, true}, CodeCase{"HalfWidthKatakana", u'ｱ', 177, true},
        CodeCase{"PrivateUseForA0", u'\uF8F0', 160, true},
        CodeCase{"PrivateUseForFF", u'\uF8F3', 255, true},
        CodeCase{"MiddleDot", u'・', -32443, true}, CodeCase{"FullWidthSpace", u'　', -32448, true},
        CodeCase{"Kanji", u'東', -27764, true}, CodeCase{"KanjiSou", u'宗', -28864, true},
        CodeCase{"Katakana", u'メ', -31871, true},
        CodeCase{"LastTrailByte", u'◯', -32260, true},    // 81FC
        CodeCase{"FullWidthTilde", u'～', -32416, true},  // 8160
        CodeCase{"FullWidthMinus", u'－', -32388, true},  // 817C
        CodeCase{"ParallelTo", u'∥', -32415, true},       // 8161
        // Characters with two or three codes: Windows prefers JIS X 0208
        // over NEC row 13, NEC row 13 over the IBM extensions (FA-FC), and
        // those over the NEC-selected IBM extensions (ED/EE).
        CodeCase{"JisOverNec", u'≒', -32288, true},               // 81E0, not 8790
        CodeCase{"JisOverNecAndIbm", u'∵', -32282, true},         // 81E6, not 879A/FA5B
        CodeCase{"JisOverIbm", u'￢', -32310, true},              // 81CA, not EEF9/FA54
        CodeCase{"NecOverIbm", u'㈱', -30838, true},              // 878A, not FA58
        CodeCase{"NecOnly", u'∑', -30828, true},                  // 8794
        CodeCase{"IbmOverNecSelected", u'ⅰ', -1472, true},        // FA40, not EEEF
        CodeCase{"IbmKanjiOverNecSelected", u'纊', -1444, true},  // FA5C, not ED40
        CodeCase{"UserDefinedArea", u'\uE000', -4032, true},      // F040
        // Windows' best-fit stand-ins do not convert back, so the code page
        // has no code for these characters.
        CodeCase{"BestFitAccent", u'é', 63, false}, CodeCase{"BestFitYen", u'¥', 63, false},
        // Mapped by other cp932 converters, but not by Windows.
        CodeCase{"MinusSign", u'−', 63, false}, CodeCase{"WaveDash", u'〜', 63, false},
        CodeCase{"DoubleVerticalLine", u'‖', 63, false}, CodeCase{"Hangul", u'한', 63, false},
        CodeCase{"LoneSurrogate", u'\xD800', 63, false},
        CodeCase{"NonCharacter", u'\xFFFF', 63, false}),
    [](const testing::TestParamInfo<CodeCase>& info) { return info.param.name; });

// --- Codes and their characters -------------------------------------------

struct FromCodeCase {
  const char* name;
  int code;
  std::optional<std::u16string> text;
};

void PrintTo(const FromCodeCase& c, std::ostream* os) { *os << c.name; }

class CharacterFromCodeTest : public testing::TestWithParam<FromCodeCase> {};

TEST_P(CharacterFromCodeTest, GivesWindowsCharacters) {
  EXPECT_EQ(CharacterFromCode(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterFromCodeTest,
    testing::Values(FromCodeCase{"Digit", 57, u"9"}, FromCodeCase{"Tab", 9, u"\t"},
                    FromCodeCase{"LoneLeadByte", 0x81, u"・"},
                    FromCodeCase{"NegativeDoubleByte", -32448, u"　"},
                    FromCodeCase{"PositiveDoubleByte", 0x8140, u"　"},
                    FromCodeCase{"Unassigned", 0x85A0, u"・"},
                    FromCodeCase{"TrailByte7F", 0x817F, u"・"},
                    FromCodeCase{"TrailBelow40", 0x8120, u"・"},
                    FromCodeCase{"NulTrailIsOneCharacter", 0x8100, u"・"},
                    FromCodeCase{"LastLeadAndTrail", 0xFCFC, u"・"},
                    FromCodeCase{"LastAssigned", 0xFC4B, u"黑"},
                    FromCodeCase{"TwoSpaces", 0x2020, u"  "},
                    FromCodeCase{"TwoSingleBytesWithNul", 0x0100, std::u16string(u"\x01\0", 2)},
                    FromCodeCase{"SingleThenLoneLead", 0x2081, u" ・"},
                    FromCodeCase{"KatakanaPair", 0xA1DF, u"｡ﾟ"},
                    FromCodeCase{"Lowest", -32768, std::u16string(u"\u0080\0", 2)},
                    FromCodeCase{"Highest", 65535, u"\uF8F3\uF8F3"},
                    FromCodeCase{"BelowRange", -32769, std::nullopt},
                    FromCodeCase{"AboveRange", 65536, std::nullopt}),
    [](const testing::TestParamInfo<FromCodeCase>& info) { return info.param.name; });

TEST(LeadByteTest, CoversExactlyTheTwoLeadRanges) {
  for (int byte = 0; byte <= 0xFF; ++byte) {
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<std::uint8_t>(byte)), lead) << byte;
  }
}

// --- Whole texts ------------------------------------------------------------

TEST(ShiftJisTextTest, MixedTextRoundTrips) {
  const std::u16string text = u"Kirimoのﾊﾞｰｼﾞｮﾝ情報 1.1.7\r\n①㈱～";
  const std::string bytes = ToShiftJis(text);
  EXPECT_EQ(bytes.substr(0, 8),
            "Kirimo\x82\xCC");  // "の" is 82 CC
  EXPECT_EQ(FromShiftJis(bytes), text);
}

TEST(ShiftJisTextTest, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(ToShiftJis(u"caf\u00E9\u2212\xD83D\xDE00!"),
            "caf????"
            "!");
}

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class FromShiftJisTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(FromShiftJisTest, DecodesLikeWindows) {
  EXPECT_EQ(FromShiftJis(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FromShiftJisTest,
    testing::Values(
        DecodeCase{"Empty", "", u""},
        DecodeCase{"IniLine", "[MyData]\r\nT1=\x83\x81\x83\x82\r\n", u"[MyData]\r\nT1=メモ\r\n"},
        DecodeCase{"LeadByteAtEnd", "ab\x88", u"ab・"},
        DecodeCase{"LeadByteBeforeNul", std::string("\x88\0z", 3), std::u16string(u"・\0z", 3)},
        // An invalid trail byte is swallowed with its lead byte, so that the
        // next character is not misread.
        DecodeCase{"InvalidTrailTaken",
                   "\x81\x20"
                   "a",
                   u"・a"},
        DecodeCase{"UnassignedPair", "\x85\xA0\x82\xA0", u"・あ"},
        DecodeCase{"UpperSingleBytes", "\x80\xA0\xA1\xDF\xFD\xFE\xFF",
                   u"\u0080\uF8F0｡ﾟ\uF8F1\uF8F2\uF8F3"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

// --- Every code against Windows' own conversions -----------------------------
//
// The dumps list what Windows gives for every 16-bit input. Machines without
// them skip these tests; the cases above still run.

std::vector<std::vector<std::string>> ReadDump(const char* name) {
  std::vector<std::vector<std::string>> lines;
  std::ifstream in(std::filesystem::path(KIRIMO_CP932_DIR) / name);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::vector<std::string>& row = lines.emplace_back();
    for (std::string field; fields >> field;) row.push_back(field);
  }
  return lines;
}

int Hex(const std::string& text) { return std::stoi(text, nullptr, 16); }

std::string BytesOf(int value, bool twoBytes) {
  std::string bytes;
  if (twoBytes) bytes.push_back(static_cast<char>(value >> 8));
  bytes.push_back(static_cast<char>(value & 0xFF));
  return bytes;
}

class WindowsDumpTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::filesystem::path(KIRIMO_CP932_DIR) / "mb2wc.txt")) {
      GTEST_SKIP() << "no code page 932 dumps in " << KIRIMO_CP932_DIR;
    }
  }
};

TEST_F(WindowsDumpTest, EveryCodeDecodesAsWindowsDoes) {
  const auto lines = ReadDump("mb2wc.txt");
  ASSERT_EQ(lines.size(), 0x10000u);
  for (const auto& row : lines) {
    const int value = Hex(row[0]);
    std::u16string expected;
    for (std::size_t i = 3; i < row.size(); ++i) expected.push_back(char16_t(Hex(row[i])));

    // The byte stream decodes exactly as Windows, NUL trail byte included.
    const std::string bytes = BytesOf(value, value > 0xFF);
    ASSERT_EQ(FromShiftJis(bytes), expected) << row[0];

    // A code whose high byte is a lead byte is one character.
    if (value > 0xFF && IsLeadByte(static_cast<std::uint8_t>(value >> 8))) expected.resize(1);
    ASSERT_EQ(CharacterFromCode(value), expected) << row[0];
    if (value >= 0x8000) {
      ASSERT_EQ(CharacterFromCode(value - 0x10000), expected) << row[0];
    }
  }
}

TEST_F(WindowsDumpTest, EveryCharacterEncodesAsWindowsDoes) {
  const auto lines = ReadDump("wc2mb.txt");
  ASSERT_EQ(lines.size(), 0x10000u);
  int representable = 0;
  for (const auto& row : lines) {
    const auto ch = char16_t(Hex(row[0]));
    const int windowsCode = Hex(row[2]);
    const std::string windowsBytes = BytesOf(windowsCode, row[1] == "2");
    // A best-fit stand-in does not decode back to the character.
    const bool ownCode = row[3] == "0" && FromShiftJis(windowsBytes) == std::u16string(1, ch);
    ASSERT_EQ(IsRepresentable(ch), ownCode) << row[0];
    const int code = ownCode ? windowsCode : 0x3F;
    ASSERT_EQ(ToShiftJis(std::u16string(1, ch)), BytesOf(code, code > 0xFF)) << row[0];
    ASSERT_EQ(CharacterCode(ch), code <= 0xFF ? code : code - 0x10000) << row[0];
    representable += ownCode;
  }
  EXPECT_EQ(representable, 9402);
}

}  // namespace
}  // namespace kirimo::cp932
