// Kirim.ini saved as "Unicode" (UTF-16 with its byte order mark, either
// order): read as the Windows "A" functions read it, through code page 932,
// and written back in the same encoding, never with Shift-JIS lines mixed
// in.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "settings/Settings.h"
#include "support/Files.h"

namespace kirimo::settings {
namespace {

using namespace std::string_literals;
using testing_support::Escaped;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

enum class Order { kLittleEndian, kBigEndian };

// The bytes of text in UTF-16, without the byte order mark.
std::string Units(Order order, std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    const auto low = static_cast<char>(unit & 0xFF);
    const auto high = static_cast<char>(unit >> 8);
    bytes += order == Order::kLittleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

std::string Unicode(Order order, std::u16string_view text) {
  return (order == Order::kLittleEndian ? "\xFF\xFE"s : "\xFE\xFF"s) + Units(order, text);
}

std::string OrderName(Order order) { return order == Order::kLittleEndian ? "LE" : "BE"; }

void PrintTo(Order order, std::ostream* os) { *os << OrderName(order); }

class UnicodeFileTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

// The helper above against the bytes as Notepad writes them.
TEST_F(UnicodeFileTest, NotepadBytesReadAndWrittenBackInTheirOrder) {
  WriteBytes(File(), "\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\xE1\x30\xE2\x30\r\0\n\0"s);
  EXPECT_EQ(ReadSetting(u"K", u"S", File()), u"メモ");
  ASSERT_TRUE(WriteSetting(u"1", u"J", u"S", File()));
  EXPECT_EQ(Escaped(ReadBytes(File())),
            Escaped("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\xE1\x30\xE2\x30\r\0\n\0J\0=\0001\0\r\0\n\0"s));

  WriteBytes(File(), "\xFE\xFF\0[\0S\0]\0\r\0\n\0K\0=\x30\xE1\x30\xE2\0\r\0\n"s);
  EXPECT_EQ(ReadSetting(u"K", u"S", File()), u"メモ");
  ASSERT_TRUE(WriteSetting(u"1", u"J", u"S", File()));
  EXPECT_EQ(Escaped(ReadBytes(File())),
            Escaped("\xFE\xFF\0[\0S\0]\0\r\0\n\0K\0=\x30\xE1\x30\xE2\0\r\0\n\0J\0=\0001\0\r\0\n"s));
}

// ---- reading ----

struct ReadCase {
  const char* name;
  std::u16string file;
  std::u16string section;
  std::u16string key;
  std::u16string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

std::vector<ReadCase> ReadCases() {
  return {
      {"Plain", u"[MyData]\r\nFUKKI=15\r\n", u"MyData", u"FUKKI", u"15"},
      {"LetterCase", u"[mydata]\r\nfUkKi=15", u"MyData", u"FUKKI", u"15"},
      {"Japanese", u"[MyData]\r\nDAIMEI1=メモ帳\r\n", u"MyData", u"DAIMEI1", u"メモ帳"},
      // 《 」 崎 字 ※ hold the bytes of LF, CR, "]", "[" and blank + ";"
      // in one byte order or the other: only whole units count.
      {"UnitsHoldingBytesOfTheFormat", u"[《崎》]\r\n※=字」《=\r\nX=1\r\n", u"《崎》", u"※",
       u"字」《="},
      {"NextKeyAfterSuchUnits", u"[《崎》]\r\n※=字」《=\r\nX=1\r\n", u"《崎》", u"X", u"1"},
      {"BlanksAndQuotes", u"[S]\r\n K = \" a \" \r\n", u"S", u"K", u" a "},
      {"LfAndCrOnly", u"[S]\nA=1\rK=2", u"S", u"K", u"2"},
      {"CharacterOutsideCodePage932ReadsAsQuestionMark", u"[S]\r\nK=caf\u00E9 \u00BD\r\n", u"S",
       u"K", u"caf? ?"},
      {"LimitCountsShiftJisBytes", u"[S]\r\nK=" + std::u16string(253, u'a') + u"あ\r\n", u"S", u"K",
       std::u16string(253, u'a')},
      {"DoubleByteCharacterEndingAtByte254Kept",
       u"[S]\r\nK=" + std::u16string(252, u'a') + u"あい\r\n", u"S", u"K",
       std::u16string(252, u'a') + u"あ"},
      {"MissingKey", u"[S]\r\nA=1\r\n", u"S", u"K", u""},
  };
}

class UnicodeReadTable : public UnicodeFileTest,
                         public ::testing::WithParamInterface<std::tuple<ReadCase, Order>> {};

TEST_P(UnicodeReadTable, ReadsAsTheAnsiFunctionsDo) {
  const auto& [c, order] = GetParam();
  WriteBytes(File(), Unicode(order, c.file));
  EXPECT_EQ(ReadSetting(c.key, c.section, File()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnicodeReadTable,
                         ::testing::Combine(::testing::ValuesIn(ReadCases()),
                                            ::testing::Values(Order::kLittleEndian,
                                                              Order::kBigEndian)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  OrderName(std::get<1>(info.param));
                         });

TEST_F(UnicodeFileTest, StoredTextIsReadWhole) {
  const std::u16string text = std::u16string(300, u'ア');
  WriteBytes(File(), Unicode(Order::kLittleEndian, u"[MyData]\r\nMEMO=" + text + u"\r\n"));
  EXPECT_EQ(ReadStoredText(u"MEMO", kMyData, File()), text);
  EXPECT_EQ(ReadSetting(u"MEMO", kMyData, File()), std::u16string(127, u'ア'));
}

// ---- writing ----

struct WriteCase {
  const char* name;
  std::u16string before;
  std::u16string section;
  std::u16string key;
  std::u16string value;
  std::u16string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

std::vector<WriteCase> WriteCases() {
  return {
      {"ReplacedInPlaceOtherLinesUnitForUnit",
       u"; 設定\r\n[MyData]\n  fukki = 15\nX=《」》 \n\r\n[frmMain]\rLEFT=1", u"MyData", u"FUKKI",
       u"600", u"; 設定\r\n[MyData]\nfukki=600\r\nX=《」》 \n\r\n[frmMain]\rLEFT=1"},
      {"NewKeyAfterLastEntryOfSection", u"[MyData]\r\nA=1\r\n\r\n[frmMain]\r\n", u"MyData",
       u"DAIMEI1", u"メモ帳", u"[MyData]\r\nA=1\r\nDAIMEI1=メモ帳\r\n\r\n[frmMain]\r\n"},
      {"NewSectionAfterLastLineWithoutBreak", u"[MyData]\nA=1", u"frmMain", u"LEFT", u"3705",
       u"[MyData]\nA=1\r\n[frmMain]\r\nLEFT=3705\r\n"},
      {"OnlyTheByteOrderMark", u"", u"S", u"K", u"v", u"[S]\r\nK=v\r\n"},
      {"ValueWithBlankQuoted", u"[S]\r\nK=1\r\n", u"S", u"K", u" a", u"[S]\r\nK=\" a\"\r\n"},
      {"ValueWithUnitsHoldingBytesOfTheFormat", u"[S]\r\n", u"S", u"K", u"」《崎※",
       u"[S]\r\nK=」《崎※\r\n"},
  };
}

class UnicodeWriteTable : public UnicodeFileTest,
                          public ::testing::WithParamInterface<std::tuple<WriteCase, Order>> {};

TEST_P(UnicodeWriteTable, StaysInItsEncoding) {
  const auto& [c, order] = GetParam();
  WriteBytes(File(), Unicode(order, c.before));
  ASSERT_TRUE(WriteSetting(c.value, c.key, c.section, File()));
  EXPECT_EQ(Escaped(ReadBytes(File())), Escaped(Unicode(order, c.after)));
  EXPECT_EQ(ReadStoredText(c.key, c.section, File()), c.value);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"}) << "temporary file left";
}

INSTANTIATE_TEST_SUITE_P(Cases, UnicodeWriteTable,
                         ::testing::Combine(::testing::ValuesIn(WriteCases()),
                                            ::testing::Values(Order::kLittleEndian,
                                                              Order::kBigEndian)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  OrderName(std::get<1>(info.param));
                         });

// A start and a shutdown on a file saved as Unicode: the stamp, the lock and
// the memos are found, and what is written back keeps the file's encoding
// and every other byte.
TEST_F(UnicodeFileTest, StartAndShutdownKeepStampLockAndMemos) {
  for (const Order order : {Order::kLittleEndian, Order::kBigEndian}) {
    SCOPED_TRACE(OrderName(order));
    const std::u16string stored =
        u"[MyData]\r\nHIDUKE=25/04/01/09:30\r\nDAIMEI1=|ｱ9|ﾑ*ﾚ\r\nMEMO=|ｱ9|ｵ#\r\n"
        u"PASSCHK=1\r\nFSI=1\r\n[frmMain]\r\nLEFT=3705\r\nTOP=1200\r\n";
    WriteBytes(File(), Unicode(order, stored));
    ASSERT_EQ(CheckSettingsFile(File()), FileState::kReadable);
    EXPECT_EQ(TryReadStoredText(u"HIDUKE", kMyData, File()), u"25/04/01/09:30");
    EXPECT_EQ(ReadStoredText(u"DAIMEI1", kMyData, File()), u"|ｱ9|ﾑ*ﾚ");
    EXPECT_EQ(ReadSetting(u"PASSCHK", kMyData, File()), u"1");

    const std::vector<SettingWrite> start = {
        {kMyData, u"HIDUKE", u"26/12/31/23:59", true},
        {kMyData, u"DAIMEI0", u"|ｱ9|ﾊ"},
        {kMyData, u"SETTEI", u"|ｱ9|ﾊ"},
    };
    ASSERT_TRUE(WriteSettings(start, File()));
    ASSERT_TRUE(WriteSetting(u"1", u"PASSCHK", kMyData, File()));
    ASSERT_TRUE(WriteSetting(u"1", u"FSI", kMyData, File()));
    EXPECT_EQ(Escaped(ReadBytes(File())),
              Escaped(Unicode(order,
                              u"[MyData]\r\nHIDUKE=25/04/01/09:30\r\nDAIMEI1=|ｱ9|ﾑ*ﾚ\r\n"
                              u"MEMO=|ｱ9|ｵ#\r\nPASSCHK=1\r\nFSI=1\r\nDAIMEI0=|ｱ9|ﾊ\r\n"
                              u"SETTEI=|ｱ9|ﾊ\r\n[frmMain]\r\nLEFT=3705\r\nTOP=1200\r\n")));
  }
}

// ---- writes that must not happen ----

TEST_F(UnicodeFileTest, WhatTheAnsiFunctionsWouldTurnIntoQuestionMarksIsRefused) {
  const std::string before = Unicode(Order::kLittleEndian, u"[S]\r\nK=1\r\n");
  WriteBytes(File(), before);
  EXPECT_FALSE(WriteSetting(u"caf\u00E9", u"K", u"S", File()));
  EXPECT_FALSE(WriteSetting(u"1", u"K\u00E9", u"S", File()));
  EXPECT_FALSE(WriteSetting(u"1", u"K", u"\u00BD", File()));
  EXPECT_EQ(ReadBytes(File()), before);
}

// Half a unit at the end: reading still works, but anything written after
// it would be read one byte off.
TEST_F(UnicodeFileTest, FileEndingInHalfAUnitIsReadButNotWritten) {
  const std::string before = Unicode(Order::kBigEndian, u"[S]\r\nK=1\r\nJ=2") + "\x00"s;
  WriteBytes(File(), before);
  EXPECT_EQ(ReadSetting(u"K", u"S", File()), u"1");
  EXPECT_EQ(ReadSetting(u"J", u"S", File()), u"2?");
  EXPECT_FALSE(WriteSetting(u"9", u"K", u"S", File()));
  EXPECT_FALSE(WriteSetting(u"1", u"X", u"T", File()));
  EXPECT_EQ(ReadBytes(File()), before);
}

}  // namespace
}  // namespace kirimo::settings
