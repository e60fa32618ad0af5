// Several settings stored by one replacement of the file: all of them or
// none, each exactly as a single write would store it, and a stored value
// marked as only-if-missing never replaced.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "support/Files.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kirimo::settings {
namespace {

using testing_support::Escaped;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

class BatchWriteTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

const std::string kBefore = "; mine\r\n[MyData]\r\nDAIMEI0=old\r\n\r\n[frmMain]\nLEFT = 120\nTOP=9";

TEST_F(BatchWriteTest, StoresWhatOneWriteAtATimeWould) {
  const std::vector<SettingWrite> writes = {
      {kMyData, u"DAIMEI0", u"abc"}, {kMyData, u"SETTEI", u"abc"},
      {kFrmMain, u"TOP", u"3705"},   {kFrmWindow, u"LEFT", u"0"},
      {kMyData, u"TIMECASE", u" b"}, {kMyData, u"DAIMEI0", u"\u30E1\u30E2"},
  };
  const fs::path single = dir_.path() / "single.ini";
  WriteBytes(single, kBefore);
  for (const SettingWrite& w : writes) ASSERT_TRUE(WriteSetting(w.value, w.key, w.section, single));

  WriteBytes(File(), kBefore);
  ASSERT_TRUE(WriteSettings(writes, File()));
  EXPECT_EQ(Escaped(ReadBytes(File())), Escaped(ReadBytes(single)));
  EXPECT_EQ(Escaped(ReadBytes(File())),
            Escaped("; mine\r\n[MyData]\r\nDAIMEI0=\x83\x81\x83\x82\r\nSETTEI=abc\r\n"
                    "TIMECASE=\" b\"\r\n\r\n[frmMain]\nLEFT = 120\nTOP=3705\r\n"
                    "[frmWindow]\r\nLEFT=0\r\n"));
  EXPECT_EQ(dir_.Entries().size(), 2u) << "temporary file left";
}

TEST_F(BatchWriteTest, OneRefusedEntryStoresNothing) {
  WriteBytes(File(), kBefore);
  const std::vector<SettingWrite> writes = {
      {kMyData, u"DAIMEI0", u"new"},
      {kMyData, u"HIDUKE", u"26/01/02/03:04", true},
      {kMyData, u"MEMO", u"x\r\nPASSCHK=0"},
  };
  EXPECT_FALSE(WriteSettings(writes, File()));
  EXPECT_EQ(ReadBytes(File()), kBefore);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});

  fs::remove(File());
  EXPECT_FALSE(WriteSettings(writes, File()));
  EXPECT_FALSE(fs::exists(File())) << "a refused batch must not create the file";
}

TEST_F(BatchWriteTest, UnreadableFileIsLeftAlone) {
  fs::create_directory(File());
  const std::vector<SettingWrite> writes = {{kMyData, u"HIDUKE", u"26/01/02/03:04", true}};
  EXPECT_FALSE(WriteSettings(writes, File()));
  EXPECT_TRUE(fs::is_directory(File()));
  EXPECT_TRUE(fs::is_empty(File()));
}

struct StampCase {
  const char* name;
  bool fileExists;
  std::string before;
  std::u16string expected;
};

void PrintTo(const StampCase& c, std::ostream* os) { *os << c.name; }

class OnlyIfMissingTable : public BatchWriteTest,
                           public ::testing::WithParamInterface<StampCase> {};

// The installation stamp at start-up: written where the file has none, and
// the one the file holds kept, whatever the program made.
TEST_P(OnlyIfMissingTable, StoredStampIsNeverReplaced) {
  const StampCase& c = GetParam();
  if (c.fileExists) WriteBytes(File(), c.before);
  const std::vector<SettingWrite> writes = {
      {kMyData, u"HIDUKE", u"26/12/31/23:59", true},
      {kMyData, u"DAIMEI0", u"pw"},
  };
  ASSERT_TRUE(WriteSettings(writes, File()));
  EXPECT_EQ(ReadStoredText(u"HIDUKE", kMyData, File()), c.expected);
  EXPECT_EQ(ReadStoredText(u"DAIMEI0", kMyData, File()), u"pw");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OnlyIfMissingTable,
    ::testing::Values(StampCase{"NoFile", false, "", u"26/12/31/23:59"},
                      StampCase{"NoKey", true, "[MyData]\r\nFSI=1\r\n", u"26/12/31/23:59"},
                      StampCase{"EmptyValue", true, "[MyData]\r\nHIDUKE=\r\n", u"26/12/31/23:59"},
                      StampCase{"OnlyBlanks", true, "[MyData]\r\nHIDUKE=  \r\n", u"26/12/31/23:59"},
                      StampCase{"StoredStampKept", true, "[MyData]\r\nHIDUKE=25/04/01/09:30\r\n",
                                u"25/04/01/09:30"},
                      StampCase{"StoredStampInOtherLetterCaseKept", true,
                                "[mydata]\r\nhiduke = 25/04/01/09:30\r\n", u"25/04/01/09:30"},
                      StampCase{"SomethingNotAStampKeptToo", true, "[MyData]\r\nHIDUKE=x\r\n",
                                u"x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchWriteTest, EarlierEntryOfTheSameBatchCounts) {
  const std::vector<SettingWrite> writes = {
      {kMyData, u"HIDUKE", u"25/04/01/09:30"},
      {kMyData, u"HIDUKE", u"26/12/31/23:59", true},
  };
  ASSERT_TRUE(WriteSettings(writes, File()));
  EXPECT_EQ(ReadBytes(File()), "[MyData]\r\nHIDUKE=25/04/01/09:30\r\n");
}

TEST_F(BatchWriteTest, NothingToChangeWritesNothing) {
  EXPECT_TRUE(WriteSettings({}, File()));
  EXPECT_FALSE(fs::exists(File())) << "an empty batch must not create the file";

  WriteBytes(File(), kBefore);
#ifndef _WIN32
  struct stat before {};
  ASSERT_EQ(::stat(File().c_str(), &before), 0);
#endif
  const std::vector<SettingWrite> writes = {
      {kMyData, u"DAIMEI0", u"old"},
      {kMyData, u"DAIMEI0", u"stamp", true},
  };
  EXPECT_TRUE(WriteSettings(writes, File()));
  EXPECT_EQ(ReadBytes(File()), kBefore);
#ifndef _WIN32
  // A rewrite would have put a new file in its place.
  struct stat after {};
  ASSERT_EQ(::stat(File().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
#endif
}

}  // namespace
}  // namespace kirimo::settings
