// The rules decide what the dialogs let through to the cipher: only texts
// that come back unchanged, and only the first broken rule is reported.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cipher/TextRules.h"

namespace kirimo {

// Found by the test framework next to the type it prints.
void PrintTo(const RuleViolation& v, std::ostream* os) {
  *os << (v.IsSilent() ? "silent" : testing::PrintToString(v.message))
      << (v.icon == MsgIcon::Information ? " (information)" : "");
}

namespace {

RuleViolation Warning(RuleKind kind, std::u16string message) {
  return {std::move(message), MsgIcon::Warning, kind};
}
const RuleViolation kSilent{};
const std::optional<RuleViolation> kPasses = std::nullopt;

// --- Memo entry dialog ----------------------------------------------------

struct MemoCase {
  const char* name;
  std::u16string title;
  std::u16string content;
  std::optional<RuleViolation> expected;
};

void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.name; }

class MemoEntryRulesTest : public testing::TestWithParam<MemoCase> {};

TEST_P(MemoEntryRulesTest, ReportsTheFirstBrokenRule) {
  EXPECT_EQ(CheckMemoEntry(GetParam().title, GetParam().content), GetParam().expected);
}

const std::u16string k50(50, u'あ');

INSTANTIATE_TEST_SUITE_P(
    Table, MemoEntryRulesTest,
    testing::Values(
        MemoCase{"Plain", u"住所", u"東京都千代田区1-2-3", kPasses},
        MemoCase{"NoContent", u"a", u"", kSilent}, MemoCase{"NoTitle", u"", u"a", kSilent},
        MemoCase{"Content50", u"a", k50, kPasses},
        // The length rule comes before the space rule.
        MemoCase{
            "Content51WithSpace", u"a", k50 + u" ",
            RuleViolation{u"最長50文字まで記憶可能です", MsgIcon::Information, RuleKind::kTooLong}},
        MemoCase{"BothWithSpaces", u"a b", u"c d",
                 Warning(RuleKind::kSpaces, u"題名にスペースは含めません")},
        MemoCase{"ContentFullWidthSpace", u"a", u"c　d",
                 Warning(RuleKind::kSpaces, u"メモ内容にスペースは含めません")},
        // Step 5 (title characters) precedes step 15 (content "#$=").
        MemoCase{"TitleKatakanaBeforeContentDelimiter", u"ｱ", u"#$=",
                 Warning(RuleKind::kHalfWidthKatakana, u"題名に半角カタカナ文字を含めません")},
        MemoCase{"TitleCharactersBeforeTitleDelimiters", u"ｱ*:;,!", u"a",
                 Warning(RuleKind::kHalfWidthKatakana, u"題名に半角カタカナ文字を含めません")},
        MemoCase{"TitleExtensionKanji", u"纊", u"a",
                 Warning(RuleKind::kUnusableCharacter, u"題名に使用できない文字が入っています")},
        MemoCase{"TitleRunOpen", u"x*:;,!y", u"a",
                 Warning(RuleKind::kDelimiter, u"題名に「*:;,!」と同じ組み合わせは使えません")},
        MemoCase{"TitleSummaryOpen", u":*!,;", u"a",
                 Warning(RuleKind::kDelimiter, u"題名に「:*!,;」と同じ組み合わせは使えません")},
        MemoCase{"TitleDecoyEnd", u"!*,;:?", u"a",
                 Warning(RuleKind::kDelimiter, u"題名に「!*,;:?」と同じ組み合わせは使えません")},
        // Holds both closing delimiters; "#$=" is checked first.
        MemoCase{"TitleBothCloses", u"=#$=", u"a",
                 Warning(RuleKind::kDelimiter, u"題名に「#$=」と同じ組み合わせは使えません")},
        MemoCase{"TitleSummaryClose", u"=#$", u"a",
                 Warning(RuleKind::kDelimiter, u"題名に「=#$」と同じ組み合わせは使えません")},
        MemoCase{"TitleAmpersand", u"A&B", u"a",
                 Warning(RuleKind::kAmpersand, u"題名に「&」の文字は使えません")},
        MemoCase{"ContentRunOpen", u"a", u"a*:;,!b",
                 Warning(RuleKind::kDelimiter, u"メモ内容に「*:;,!」と同じ組み合わせは使えません")},
        MemoCase{"ContentSummaryOpen", u"a", u":*!,;",
                 Warning(RuleKind::kDelimiter, u"メモ内容に「:*!,;」と同じ組み合わせは使えません")},
        MemoCase{
            "ContentDecoyEnd", u"a", u"!*,;:?",
            Warning(RuleKind::kDelimiter, u"メモ内容に「!*,;:?」と同じ組み合わせは使えません")},
        MemoCase{"ContentRunClose", u"a", u"#$=",
                 Warning(RuleKind::kDelimiter, u"メモ内容に「#$=」と同じ組み合わせは使えません")},
        MemoCase{"ContentSummaryClose", u"a", u"=#$",
                 Warning(RuleKind::kDelimiter, u"メモ内容に「=#$」と同じ組み合わせは使えません")},
        MemoCase{"ContentAmpersand", u"a", u"&",
                 Warning(RuleKind::kAmpersand, u"メモ内容に「&」の文字は使えません")},
        MemoCase{"PartsOfDelimitersPass", u"#", u"*:;,$#=", kPasses},
        // Content delimiters (steps 12-17) come before its characters (18).
        MemoCase{"ContentDelimiterBeforeCharacters", u"a", u"ｱ#$=",
                 Warning(RuleKind::kDelimiter, u"メモ内容に「#$=」と同じ組み合わせは使えません")},
        MemoCase{"ContentKatakana", u"a", u"ｶﾞ",
                 Warning(RuleKind::kHalfWidthKatakana, u"メモ内容に半角カタカナ文字を含めません")},
        MemoCase{"SymbolsTheCipherKeeps", u"，・∮", u"①～∥－￠￡￢―", kPasses},
        // Characters code page 932 cannot store would come back as "?".
        MemoCase{"TitleAccentedLetter", u"café", u"a",
                 Warning(RuleKind::kUnusableCharacter, u"題名に使用できない文字が入っています")},
        MemoCase{
            "ContentEmoji", u"a", u"猫😀",
            Warning(RuleKind::kUnusableCharacter, u"メモ内容に使用できない文字が入っています")},
        MemoCase{
            "ContentLoneSurrogate", u"a", std::u16string(1, u'\xDC00'),
            Warning(RuleKind::kUnusableCharacter, u"メモ内容に使用できない文字が入っています")},
        MemoCase{"TitleJisWaveDash", u"〜", u"a",
                 Warning(RuleKind::kUnusableCharacter, u"題名に使用できない文字が入っています")},
        // Control characters would come back changed ("a", two code-31
        // characters, "b" would read "a&&b").
        MemoCase{
            "ContentUnitSeparator", u"a",
            u"a\x1F\x1F"
            u"b",
            Warning(RuleKind::kUnusableCharacter, u"メモ内容に使用できない文字が入っています")},
        MemoCase{"TitleTab", u"a\tb", u"a",
                 Warning(RuleKind::kUnusableCharacter, u"題名に使用できない文字が入っています")},
        MemoCase{
            "ContentDelete", u"a", u"\x7F",
            Warning(RuleKind::kUnusableCharacter, u"メモ内容に使用できない文字が入っています")},
        // Special symbols the cipher turns into other symbols.
        MemoCase{"TitleSigma", u"∑", u"a",
                 Warning(RuleKind::kUnusableCharacter, u"題名に使用できない文字が入っています")},
        MemoCase{
            "ContentCompany", u"a", u"㈱東京",
            Warning(RuleKind::kUnusableCharacter, u"メモ内容に使用できない文字が入っています")}),
    [](const auto& info) { return info.param.name; });

// --- Password dialog ----------------------------------------------------

struct PasswordCase {
  const char* name;
  std::u16string password;
  PasswordButton button;
  std::optional<RuleViolation> expected;
};

void PrintTo(const PasswordCase& c, std::ostream* os) { *os << c.name; }

class PasswordRulesTest : public testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordRulesTest, ReportsTheFirstBrokenRule) {
  EXPECT_EQ(CheckPassword(GetParam().password, GetParam().button), GetParam().expected);
}

constexpr PasswordButton kOk = PasswordButton::Ok;
constexpr PasswordButton kChange = PasswordButton::ChangePassword;

INSTANTIATE_TEST_SUITE_P(
    Table, PasswordRulesTest,
    testing::Values(
        PasswordCase{"Plain", u"Passw0rd!", kOk, kPasses},
        PasswordCase{"PlainChange", u"秘密ひみつ", kChange, kPasses},
        PasswordCase{"EmptyOk", u"", kOk, kSilent},
        PasswordCase{"EmptyChange", u"", kChange, kSilent},
        PasswordCase{"SpacesChange", u"   ", kChange, kSilent},
        PasswordCase{"SpacesOk", u"   ", kOk,
                     Warning(RuleKind::kSpaces, u"パスワードにスペースは含めません")},
        // The change button trims only to decide whether anything was typed.
        PasswordCase{"PaddedChange", u" ab ", kChange,
                     Warning(RuleKind::kSpaces, u"パスワードにスペースは含めません")},
        PasswordCase{"FullWidthSpaceChange", u"　", kChange,
                     Warning(RuleKind::kSpaces, u"パスワードにスペースは含めません")},
        PasswordCase{"SpaceBeforeAmpersand", u"a b&", kOk,
                     Warning(RuleKind::kSpaces, u"パスワードにスペースは含めません")},
        PasswordCase{
            "KatakanaBeforeAmpersand", u"ｱ&", kOk,
            Warning(RuleKind::kHalfWidthKatakana, u"パスワードに半角カタカナ文字を含めません")},
        PasswordCase{
            "Unusable", u"pässword", kChange,
            Warning(RuleKind::kUnusableCharacter, u"パスワードに使用できない文字が入っています")},
        PasswordCase{
            "ControlCharacter", u"pass\x01", kOk,
            Warning(RuleKind::kUnusableCharacter, u"パスワードに使用できない文字が入っています")},
        PasswordCase{
            "RunOpen", u"*:;,!", kOk,
            Warning(RuleKind::kDelimiter, u"パスワードに「*:;,!」と同じ組み合わせは使えません")},
        PasswordCase{
            "SummaryOpen", u"a:*!,;", kOk,
            Warning(RuleKind::kDelimiter, u"パスワードに「:*!,;」と同じ組み合わせは使えません")},
        PasswordCase{
            "DecoyEnd", u"!*,;:?a", kChange,
            Warning(RuleKind::kDelimiter, u"パスワードに「!*,;:?」と同じ組み合わせは使えません")},
        PasswordCase{
            "RunClose", u"#$=", kOk,
            Warning(RuleKind::kDelimiter, u"パスワードに「#$=」と同じ組み合わせは使えません")},
        PasswordCase{
            "SummaryClose", u"=#$", kOk,
            Warning(RuleKind::kDelimiter, u"パスワードに「=#$」と同じ組み合わせは使えません")},
        PasswordCase{"Ampersand", u"a&b", kOk,
                     Warning(RuleKind::kAmpersand, u"パスワードに「&」の文字は使えません")}),
    [](const auto& info) { return info.param.name; });

// --- Characters by code ---------------------------------------------------

struct ClassCase {
  const char* name;
  char16_t ch;
  CharacterClass expected;
};

void PrintTo(const ClassCase& c, std::ostream* os) { *os << c.name; }

class CharacterClassTest : public testing::TestWithParam<ClassCase> {};

TEST_P(CharacterClassTest, FollowsTheCodeRanges) {
  EXPECT_EQ(ClassifyCharacter(GetParam().ch), GetParam().expected);
}

constexpr CharacterClass kAllowed = CharacterClass::Allowed;
constexpr CharacterClass kKatakana = CharacterClass::HalfWidthKatakana;
constexpr CharacterClass kUnusable = CharacterClass::Unusable;

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterClassTest,
    testing::Values(ClassCase{"FirstPrintable", u'!', kAllowed},
                    ClassCase{"LastPrintable", u'~', kAllowed},
                    ClassCase{"LowestDoubleByte", u'、', kAllowed},     // 0x8141
                    ClassCase{"HighestDoubleByte", u'熙', kAllowed},    // 0xEAA4
                    ClassCase{"SpecialSymbolRow", u'①', kAllowed},      // 0x8740
                    ClassCase{"FullWidthSpace", u'　', kUnusable},      // 0x8140
                    ClassCase{"NecSelectedIbm", u'\u2170', kUnusable},  // ⅰ, 0xFA40
                    ClassCase{"IbmExtension", u'纊', kUnusable},        // 0xFA5C
                    ClassCase{"FirstKatakana", u'｡', kKatakana},        // 0xA1
                    ClassCase{"LastKatakana", u'ﾟ', kKatakana},         // 0xDF
                    ClassCase{"SingleByteA0", u'\uF8F0', kUnusable},
                    ClassCase{"C1Control", u'\u0080', kUnusable},
                    ClassCase{"Nul", u'\0', kUnusable}, ClassCase{"Delete", u'\x7F', kUnusable},
                    ClassCase{"NotInCodePage", u'ä', kUnusable},
                    ClassCase{"BestFitOnly", u'\u2212', kUnusable},
                    ClassCase{"HighSurrogate", u'\xD83D', kUnusable},
                    ClassCase{"RightCircled", u'㊨', kUnusable}),
    [](const auto& info) { return info.param.name; });

// --- Input from JIS-minded input methods ----------------------------------

TEST(NormalizeJisInputTest, GivesTheCodePageFormsThatTheRulesAccept) {
  const std::u16string typed = u"〜‖−¢£¬—";
  const std::u16string stored = u"～∥－￠￡￢―";
  ASSERT_EQ(typed.size(), stored.size());

  EXPECT_EQ(NormalizeJisInput(typed), stored);
  for (std::size_t i = 0; i < typed.size(); ++i) {
    EXPECT_EQ(ClassifyCharacter(typed[i]), kUnusable) << i;
    EXPECT_EQ(ClassifyCharacter(stored[i]), kAllowed) << i;
  }
  EXPECT_EQ(CheckMemoEntry(u"価格", NormalizeJisInput(u"¢100〜£200")), kPasses);
}

TEST(NormalizeJisInputTest, LeavesEverythingElseAlone) {
  const std::u16string text = u"abc ～－ｱ東京😀\t";
  EXPECT_EQ(NormalizeJisInput(text), text);
}

}  // namespace
}  // namespace kirimo
