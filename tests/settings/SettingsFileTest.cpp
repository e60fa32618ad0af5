// Reading and writing Kirim.ini through the public operations, with the
// fixture files written as raw bytes (Shift-JIS, CRLF and friends) so that
// the file format itself is what is checked.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "settings/FileAccess.h"
#include "settings/Settings.h"
#include "support/Files.h"

namespace kirimo::settings {
namespace {

using testing_support::Escaped;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::u16string Repeat(const std::u16string& piece, int times) {
  std::u16string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Built by appending: g++ 12 warns falsely (-Wrestrict) on literal + string.
std::u16string Enclosed(char16_t quote, const std::u16string& text) {
  std::u16string out(1, quote);
  out.append(text);
  out.push_back(quote);
  return out;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

// ---- reading ----

struct ReadCase {
  const char* name;
  std::string file;
  std::u16string section;
  std::u16string key;
  std::u16string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

std::vector<ReadCase> ReadCases() {
  const std::string a254 = std::string(254, 'a');
  return {
      {"Plain", "[MyData]\r\nFUKKI=15\r\n", u"MyData", u"FUKKI", u"15"},
      {"LetterCaseOfSectionAndKey", "[mydata]\r\nfUkKi=15\r\n", u"MyData", u"FUKKI", u"15"},
      {"BlanksAroundNamesEqualsAndValue", "  [ MyData\t]  \r\n \tFUKKI \t=\t 1 5 \t\r\n", u"MyData",
       u"FUKKI", u"1 5"},
      {"DoubleQuotesRemovedInnerBlanksKept", "[S]\r\nK= \"  a b  \" \r\n", u"S", u"K", u"  a b  "},
      {"SingleQuotesRemoved", "[S]\r\nK=' x '\r\n", u"S", u"K", u" x "},
      {"OnlyOnePairOfQuotesRemoved", "[S]\r\nK=''q''\r\n", u"S", u"K", u"'q'"},
      {"MismatchedQuotesKept", "[S]\r\nK=\"abc'\r\n", u"S", u"K", u"\"abc'"},
      {"LoneQuoteKept", "[S]\r\nK=\"\r\n", u"S", u"K", u"\""},
      {"QuotesInsideKept", "[S]\r\nK=a\"b\"\r\n", u"S", u"K", u"a\"b\""},
      {"EqualsInValueKept", "[S]\r\nK=a=b\r\n", u"S", u"K", u"a=b"},
      {"EmptyValue", "[S]\r\nK=\r\n", u"S", u"K", u""},
      {"MissingKey", "[S]\r\nA=1\r\n", u"S", u"K", u""},
      {"MissingSection", "[T]\r\nK=1\r\n", u"S", u"K", u""},
      {"KeyInAnotherSection", "[S]\r\nA=1\r\n[T]\r\nK=1\r\n", u"S", u"K", u""},
      {"KeyBeforeAnySection", "K=1\r\n[S]\r\nA=1\r\n", u"S", u"K", u""},
      {"DuplicateKeyFirstWins", "[S]\r\nK=first\r\nk=second\r\n", u"S", u"K", u"first"},
      {"DuplicateSectionFirstWins", "[S]\r\nA=1\r\n[T]\r\n[s]\r\nK=2\r\n", u"S", u"K", u""},
      {"LineWithoutEqualsIsNoKey", "[S]\r\nK\r\nK 1\r\n", u"S", u"K", u""},
      {"SlotOneIsMemoNotMemo1", "[MyData]\r\nMEMO1=x\r\n", u"MyData", u"MEMO", u""},
      {"HeaderWithTrailingText", "[S] ; note\r\nK=1\r\n", u"S", u"K", u"1"},
      // A section name ends at the last "]" of its line.
      {"SectionNameEndsAtLastBracket", "[a]b]\r\nK=1\r\n", u"a]b", u"K", u"1"},
      {"SectionNameNotCutAtFirstBracket", "[a]b]\r\nK=1\r\n", u"a", u"K", u""},
      {"BracketInTextAfterHeader", "[S] ; [x]\r\nK=1\r\n[S]\r\nK=2\r\n", u"S", u"K", u"2"},
      {"BracketTrailByteAfterHeaderIsNoBracket", "[S]\x83\x5D\r\nK=1\r\n", u"S", u"K", u"1"},
      {"LfOnly", "[S]\nA=1\nK=2\n", u"S", u"K", u"2"},
      {"CrOnly", "[S]\rA=1\rK=2\r", u"S", u"K", u"2"},
      {"MixedEndingsNoFinalBreak", "[T]\rX=0\n[S]\r\nA=1\nK=2", u"S", u"K", u"2"},
      // A lead byte before the line break takes the break into its
      // character; in CR LF files only the CR.
      {"LfOnlyLeadByteTakesTheBreak", "[S]\nK=\x82\nJ=1\n", u"S", u"K", u"・J=1"},
      {"LfOnlyLineAfterLeadByteIsNoKey", "[S]\nK=\x82\nJ=1\n", u"S", u"J", u""},
      {"CrOnlyLeadByteTakesTheBreak", "[S]\rK=\x82\rJ=1\r", u"S", u"K", u"・J=1"},
      {"CrOnlyLineAfterLeadByteIsNoKey", "[S]\rK=\x82\rJ=1\r", u"S", u"J", u""},
      {"CrOnlyHeaderAfterLeadByteIsNoSection", "[T]\rK=\x82\r[S]\rJ=1\r", u"S", u"J", u""},
      // 亜 is 88 9F: its trail byte could also be a lead byte.
      {"LfOnlyTrailByteBeforeTheBreakTakesNothing", "[S]\nK=\x88\x9F\nJ=1\n", u"S", u"J", u"1"},
      {"LfOnlyLeadByteAfterPairTakesTheBreak", "[S]\nK=\x88\x9F\x82\nJ=1\n", u"S", u"K",
       u"亜・J=1"},
      {"CrLfLeadByteTakesOnlyTheCr", "[S]\r\nK=\x82\r\nJ=1\r\n", u"S", u"K", u"・"},
      {"CrLfLineAfterLeadByteStillAKey", "[S]\r\nK=\x82\r\nJ=1\r\n", u"S", u"J", u"1"},
      {"LeadByteBeforeNulStandsAlone", std::string("[S]\nK=\x82\0\nJ=1\n", 13), u"S", u"J", u"1"},
      {"ShiftJisValue", "[S]\r\nK=\x83\x81\x83\x82\r\n", u"S", u"K", u"メモ"},
      // 0x5C, "]" and letters are also Shift-JIS trail bytes.
      {"ShiftJisQuotedValueEndingInBackslashTrail", "[S]\r\nK=\"\x95\x5C\"\r\n", u"S", u"K", u"表"},
      {"ShiftJisSectionWithBracketTrail", "[\x83\x5D]\r\nK=1\r\n", u"ゾ", u"K", u"1"},
      {"LetterCaseNotFoldedInsideDoubleByteCharacters",
       "[\x83\x61]\r\nK=wrong\r\n[\x83\x41]\r\nK=right\r\n", u"ア", u"K", u"right"},
      {"FullWidthLettersMatchWithoutCase", "[\x82\x81]\r\nK=1\r\n", u"Ａ", u"K", u"1"},
      {"Utf8FileWithByteOrderMark", "\xEF\xBB\xBF[S]\r\nK=\xE3\x83\xA1\xE3\x83\xA2\r\n", u"S", u"K",
       u"メモ"},
      {"ValueOf254BytesWhole", "[S]\r\nK=" + a254 + "\r\n", u"S", u"K", std::u16string(254, u'a')},
      {"ValueOf300BytesCutTo254", "[S]\r\nK=" + a254 + "bcdef\r\n", u"S", u"K",
       std::u16string(254, u'a')},
      {"DoubleByteCharacterEndingAtByte254Kept",
       "[S]\r\nK=" + std::string(252, 'a') + "\x82\xA0" + "\r\n", u"S", u"K",
       std::u16string(252, u'a') + u"あ"},
      {"DoubleByteCharacterAcrossTheLimitCutBefore",
       "[S]\r\nK=" + std::string(253, 'a') + "\x82\xA0" + "b\r\n", u"S", u"K",
       std::u16string(253, u'a')},
      {"LimitCountsQuotesOff", "[S]\r\nK=\"" + a254 + "xyz\"\r\n", u"S", u"K",
       std::u16string(254, u'a')},
      {"LimitInUtf8FileCountsShiftJisBytes",
       "\xEF\xBB\xBF[S]\r\nK=" + std::string(253, 'a') + "\xE3\x81\x82" + "\r\n", u"S", u"K",
       std::u16string(253, u'a')},
  };
}

class ReadSettingTable : public SettingsFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSettingTable, ReadsAsWindowsDoes) {
  const ReadCase& c = GetParam();
  WriteBytes(File(), c.file);
  EXPECT_EQ(ReadSetting(c.key, c.section, File()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadSettingTable, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, StoredTextsAreReadWholeOtherKeysCut) {
  const std::u16string kana = Repeat(u"あ", 200);  // 400 bytes
  WriteBytes(File(), "[MyData]\r\nMEMO=" + Repeat("\x82\xA0", 200) +
                         "\r\nFUKKI=" + std::string(300, '7') + "\r\n");
  EXPECT_EQ(ReadStoredText(u"MEMO", u"MyData", File()), kana);
  EXPECT_EQ(ReadSetting(u"MEMO", u"MyData", File()), Repeat(u"あ", 127));
  EXPECT_EQ(ReadStoredText(u"FUKKI", u"MyData", File()), std::u16string(300, u'7'));
  EXPECT_EQ(ReadSetting(u"FUKKI", u"MyData", File()), std::u16string(254, u'7'));
}

TEST_F(SettingsFileTest, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
  EXPECT_EQ(ReadSetting(u"DAIMEI0", u"MyData", File()), u"");
  EXPECT_EQ(ReadStoredText(u"DAIMEI0", u"MyData", File()), u"");
  EXPECT_FALSE(fs::exists(File()));

  EXPECT_TRUE(WriteSetting(u"", u"DAIMEI0", u"MyData", File()));
  EXPECT_TRUE(WriteSetting(u"", u"SETTEI", u"MyData", File()));
  EXPECT_EQ(Escaped(ReadBytes(File())), Escaped("[MyData]\r\nDAIMEI0=\r\nSETTEI=\r\n"));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
}

// ---- writing ----

struct WriteCase {
  const char* name;
  std::string before;
  std::u16string section;
  std::u16string key;
  std::u16string value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

std::vector<WriteCase> WriteCases() {
  return {
      {"ReplacedKeyKeepsPlaceAndSpellingOtherLinesByteForByte",
       "; my settings\r\n[MyData]\r\n  fukki = 15\nUNKNOWN = x \n\r\n[Other]\rA=1", u"MyData",
       u"FUKKI", u"600",
       "; my settings\r\n[MyData]\r\nfukki=600\r\nUNKNOWN = x \n\r\n[Other]\rA=1"},
      {"NewKeyBeforeBlankLinesAndCommentsOfNextSection",
       "[MyData]\r\nA=1\r\n; kept with A\r\nB=2\r\n\r\n; about frmMain\r\n[frmMain]\r\nLEFT=1\r\n",
       u"MyData", u"FSI", u"1",
       "[MyData]\r\nA=1\r\n; kept with A\r\nB=2\r\nFSI=1\r\n\r\n; about frmMain\r\n[frmMain]\r\n"
       "LEFT=1\r\n"},
      {"NewKeyInEmptySection", "[MyData]\r\n[frmMain]\r\n", u"MyData", u"FSI", u"1",
       "[MyData]\r\nFSI=1\r\n[frmMain]\r\n"},
      {"NewKeyInLastSectionBeforeTrailingBlankLines", "[S]\r\nA=1\r\n\r\n\r\n", u"S", u"K", u"v",
       "[S]\r\nA=1\r\nK=v\r\n\r\n\r\n"},
      {"NewKeyAfterLastLineWithoutBreak", "[S]\r\nA=1", u"S", u"K", u"v", "[S]\r\nA=1\r\nK=v\r\n"},
      {"NewSectionAtEnd", "[MyData]\r\nA=1\r\n\r\n", u"frmMain", u"LEFT", u"3705",
       "[MyData]\r\nA=1\r\n\r\n[frmMain]\r\nLEFT=3705\r\n"},
      {"NewSectionAfterLastLineWithoutBreak", "[MyData]\nA=1", u"frmMain", u"LEFT", u"3705",
       "[MyData]\nA=1\r\n[frmMain]\r\nLEFT=3705\r\n"},
      {"EmptyFile", "", u"S", u"K", u"v", "[S]\r\nK=v\r\n"},
      {"ExistingSectionNamedAtLastBracket", "[S]x]\r\nK=1\r\n[S]\r\nA=1\r\n", u"S", u"K", u"2",
       "[S]x]\r\nK=1\r\n[S]\r\nA=1\r\nK=2\r\n"},
      {"LfOnlyLineAfterLeadByteBelongsToTheValue", "[S]\nK=\x82\nJ=1\n", u"S", u"J", u"2",
       "[S]\nK=\x82\nJ=1\nJ=2\r\n"},
      {"LfOnlyValueWithTakenBreakReplacedWhole", "[S]\nK=\x82\nJ=1\nA=3\n", u"S", u"K", u"v",
       "[S]\nK=v\r\nA=3\n"},
      {"DuplicateKeyFirstChanged", "[S]\r\nK=1\r\nK=2\r\n", u"S", u"K", u"9",
       "[S]\r\nK=9\r\nK=2\r\n"},
      {"DuplicateSectionFirstChanged", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nK=2\r\n", u"S", u"K", u"9",
       "[S]\r\nA=1\r\nK=9\r\n[T]\r\n[S]\r\nK=2\r\n"},
      {"LetterCaseMatchedFileSpellingKept", "[mydata]\r\nFukki=15\r\n", u"MyData", u"FUKKI", u"0",
       "[mydata]\r\nFukki=0\r\n"},
      {"EmptyValue", "[S]\r\nK=x\r\n", u"S", u"K", u"", "[S]\r\nK=\r\n"},
      {"ShiftJisValue", "", u"MyData", u"DAIMEI1", u"メモ帳",
       "[MyData]\r\nDAIMEI1=\x83\x81\x83\x82\x92\xA0\r\n"},
      {"LeadingBlankQuoted", "", u"S", u"K", u" a", "[S]\r\nK=\" a\"\r\n"},
      {"TrailingTabQuoted", "", u"S", u"K", u"a\t", "[S]\r\nK=\"a\t\"\r\n"},
      // What Windows trims besides blanks.
      {"TrailingControlZQuoted", "", u"S", u"K", u"a\x1A", "[S]\r\nK=\"a\x1A\"\r\n"},
      {"LeadingControlZQuoted", "", u"S", u"K", u"\x1A!", "[S]\r\nK=\"\x1A!\"\r\n"},
      {"VerticalTabQuoted", "", u"S", u"K", u"\va", "[S]\r\nK=\"\va\"\r\n"},
      {"FormFeedQuoted", "", u"S", u"K", u"a\f", "[S]\r\nK=\"a\f\"\r\n"},
      {"FullWidthBlankQuoted", "", u"S", u"K", u"\u3000a",
       "[S]\r\nK=\"\x81\x40"
       "a\"\r\n"},
      {"SingleQuotedValueInDoubleQuotes", "", u"S", u"K", u"'x'", "[S]\r\nK=\"'x'\"\r\n"},
      {"DoubleQuotedValueInSingleQuotes", "", u"S", u"K", u"\"x\"", "[S]\r\nK='\"x\"'\r\n"},
      {"QuoteAtOneEndOnlyNotQuoted", "", u"S", u"K", u"''qrstuvwxy", "[S]\r\nK=''qrstuvwxy\r\n"},
      {"Utf8FileStaysUtf8", "\xEF\xBB\xBF[S]\r\nK=1\r\n", u"S", u"J", u"メモ",
       "\xEF\xBB\xBF[S]\r\nK=1\r\nJ=\xE3\x83\xA1\xE3\x83\xA2\r\n"},
      {"Utf8FileHoldsWhatShiftJisCannot", "\xEF\xBB\xBF", u"S", u"K", u"caf\u00E9",
       "\xEF\xBB\xBF[S]\r\nK=caf\xC3\xA9\r\n"},
  };
}

class WriteSettingTable : public SettingsFileTest,
                          public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteSettingTable, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  WriteBytes(File(), c.before);
  EXPECT_TRUE(WriteSetting(c.value, c.key, c.section, File()));
  EXPECT_EQ(Escaped(ReadBytes(File())), Escaped(c.after));
  EXPECT_EQ(ReadStoredText(c.key, c.section, File()), c.value);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"}) << "temporary file left";
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteSettingTable, ::testing::ValuesIn(WriteCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Every value must come back as it was written, first as a new key, then
// replacing an existing one.
class RoundTripTable : public SettingsFileTest,
                       public ::testing::WithParamInterface<std::u16string> {};

TEST_P(RoundTripTable, ValueReadsBackUnchanged) {
  const std::u16string& value = GetParam();
  WriteBytes(File(), "[MyData]\r\nMEMO=old\r\n");
  ASSERT_TRUE(WriteSetting(value, u"DAIMEI1", u"MyData", File()));
  ASSERT_TRUE(WriteSetting(value, u"MEMO", u"MyData", File()));
  EXPECT_EQ(ReadStoredText(u"DAIMEI1", u"MyData", File()), value);
  EXPECT_EQ(ReadStoredText(u"MEMO", u"MyData", File()), value);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundTripTable,
                         ::testing::Values(u"", u"plain", u" lead", u"trail ", u"\tboth\t",
                                           u"\"q\"", u"'q'", u"''qrstuvwxy", u"\"", u"'",
                                           u"'mixed\"", u"\" '", u"a=b;c[d]#", u"メモ 帳",
                                           u"\u3000全角\u3000", u"\x1Az\x1A", u"\v\f", u"表ソ能",
                                           Repeat(u"あ", 200),
                                           Enclosed(u'\'', Repeat(u"ゾ", 250))));

// ---- writes that must not happen ----

struct RefusedCase {
  const char* name;
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedWriteTable : public SettingsFileTest,
                          public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedWriteTable, ReturnsFalseAndLeavesFileAlone) {
  const RefusedCase& c = GetParam();
  const std::string before = "[MyData]\r\nPASSCHK=1\r\n";
  WriteBytes(File(), before);
  EXPECT_FALSE(WriteSetting(c.value, c.key, c.section, File()));
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(ReadSetting(u"PASSCHK", u"MyData", File()), u"1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedWriteTable,
    ::testing::Values(RefusedCase{"ValueSmugglingInAKey", u"MyData", u"MEMO",
                                  u"x\r\n[MyData]\r\nPASSCHK=0"},
                      RefusedCase{"LineFeedInValue", u"MyData", u"MEMO", u"a\nb"},
                      RefusedCase{"NulInValue", u"MyData", u"MEMO", std::u16string(u"a\0b", 3)},
                      RefusedCase{"UnrepresentableInShiftJis", u"MyData", u"MEMO", u"caf\u00E9"},
                      RefusedCase{"EqualsInKey", u"MyData", u"PASSCHK=0;X", u"1"},
                      RefusedCase{"BlankAroundKey", u"MyData", u" PASSCHK", u"0"},
                      RefusedCase{"EmptyKey", u"MyData", u"", u"0"},
                      RefusedCase{"CommentKey", u"MyData", u";PASSCHK", u"0"},
                      RefusedCase{"BracketInSection", u"My]Data", u"PASSCHK", u"0"},
                      RefusedCase{"EmptySection", u"", u"PASSCHK", u"0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, DirectoryInPlaceOfTheFileFailsCleanly) {
  fs::create_directory(File());
  EXPECT_FALSE(WriteSetting(u"1", u"FSI", u"MyData", File()));
  EXPECT_TRUE(fs::is_directory(File()));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
  EXPECT_EQ(ReadSetting(u"FSI", u"MyData", File()), u"");
}

// The rename is the last step; when it fails the temporary file, already
// written, must go again.
TEST_F(SettingsFileTest, FailedRenameRemovesTemporaryFile) {
  fs::create_directory(File());
  WriteBytes(File() / "inside", "x");
  EXPECT_FALSE(files::ReplaceFileContents(File(), "[MyData]\r\nFSI=1\r\n"));
  EXPECT_EQ(ReadBytes(File() / "inside"), "x");
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
}

TEST_F(SettingsFileTest, MissingDirectoryFails) {
  const fs::path file = dir_.path() / "gone" / "Kirim.ini";
  EXPECT_FALSE(WriteSetting(u"1", u"FSI", u"MyData", file));
  EXPECT_FALSE(fs::exists(file.parent_path()));
}

// Whether this process can create a file in dir despite the permissions
// (an administrator can), in which case the failure cannot be provoked.
bool CanCreateIn(const fs::path& dir) {
  const fs::path probe = dir / "probe";
  bool created = std::ofstream(probe).good();
  std::error_code error;
  fs::remove(probe, error);
  return created;
}

TEST_F(SettingsFileTest, ReadOnlyDirectoryFailsAndKeepsOldFileWhole) {
  const std::string before = "[MyData]\r\nFUKKI=15\r\n";
  WriteBytes(File(), before);
  fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (CanCreateIn(dir_.path())) GTEST_SKIP() << "permissions are not enforced for this user";

  EXPECT_FALSE(WriteSetting(u"600", u"FUKKI", u"MyData", File()));
  EXPECT_FALSE(WriteSetting(u"1", u"LEFT", u"frmMain", File()));
  fs::permissions(dir_.path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
}

TEST_F(SettingsFileTest, ReadOnlyFileIsNotReplaced) {
  const std::string before = "[MyData]\r\nFUKKI=15\r\n";
  WriteBytes(File(), before);
  // Refused whoever writes, root included, as Windows refuses it.
  fs::permissions(File(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  EXPECT_FALSE(WriteSetting(u"600", u"FUKKI", u"MyData", File()));
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
  // Windows will not delete a read-only file when the directory goes.
  fs::permissions(File(), fs::perms::owner_write, fs::perm_options::add);
}

#ifndef _WIN32
TEST_F(SettingsFileTest, ReplacementKeepsPermissionsAndSymbolicLinks) {
  const fs::path real = dir_.path() / "real.ini";
  WriteBytes(real, "[MyData]\r\nFUKKI=15\r\n");
  // Group write is what a typical umask would take away from a new file.
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                    fs::perms::group_write;
  fs::permissions(real, mode);
  fs::create_symlink(real, File());

  EXPECT_TRUE(WriteSetting(u"600", u"FUKKI", u"MyData", File()));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(File())));
  EXPECT_EQ(ReadBytes(real), "[MyData]\r\nFUKKI=600\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, mode);
  EXPECT_EQ(dir_.Entries().size(), 2u);
}
#endif

// ---- the path ----

struct PathCase {
  const char* name;
  std::u16string dir;
  std::u16string expected;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class SettingsPathTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(SettingsPathTable, AppendsOneSeparator) {
  const PathCase& c = GetParam();
  const std::u16string settingsDir = BuildSettingsPath(fs::path(c.dir));
  EXPECT_EQ(settingsDir, c.expected);
  EXPECT_EQ(SettingsFile(settingsDir), fs::path(c.expected + u"Kirim.ini"));
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Cases, SettingsPathTable,
                         ::testing::Values(PathCase{"Plain", u"C:\\Kirimo", u"C:\\Kirimo\\"},
                                           PathCase{"TrailingSeparator", u"C:\\Kirimo\\",
                                                    u"C:\\Kirimo\\"},
                                           PathCase{"Root", u"C:\\", u"C:\\"},
                                           PathCase{"Japanese", u"D:\\メモ", u"D:\\メモ\\"}),
                         [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(Cases, SettingsPathTable,
                         ::testing::Values(PathCase{"Plain", u"/opt/kirimo", u"/opt/kirimo/"},
                                           PathCase{"TrailingSeparator", u"/opt/kirimo/",
                                                    u"/opt/kirimo/"},
                                           PathCase{"Root", u"/", u"/"},
                                           PathCase{"Japanese", u"/home/メモ", u"/home/メモ/"},
                                           PathCase{"Empty", u"", u""}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
}  // namespace kirimo::settings
