// What writes leave beside Kirim.ini: a write killed before its rename
// leaves its temporary file, a full copy of the settings of its time, which
// the next start removes; nothing else beside the file is touched.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "support/Files.h"

namespace kirimo::settings {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

class TemporaryFilesTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

TEST_F(TemporaryFilesTest, RemovesOnlyLeftoversOfOurOwnNaming) {
  const std::string settings = "[MyData]\r\nMEMO=stored\r\n";
  WriteBytes(File(), settings);
  const std::vector<std::string> leftovers = {"Kirim.ini.0123456789abcdef.tmp",
                                              "Kirim.ini.ffffffffffffffff.tmp"};
  for (const auto& name : leftovers) WriteBytes(dir_.path() / name, settings);
  const std::vector<std::string> others = {
      "Kirim.ini.0123456789ABCDEF.tmp",   // not how we spell hex digits
      "Kirim.ini.0123456789abcde.tmp",    // one digit short
      "Kirim.ini.0123456789abcdef0.tmp",  // one too many
      "Kirim.ini.0123456789abcdeg.tmp",
      "Kirim.ini.0123456789abcdef.tmp~",
      "Kirim.ini.0123456789abcdef.TMP",
      "Kirim.ini.0123456789abcdef",
      "Kirim.ini.tmp",
      "Kirim.ini.bak",
      "Kirim.ini0123456789abcdef.tmp",
      "Kirim.ini..0123456789abcdef.tmp",
      "Other.ini.0123456789abcdef.tmp",
      ".0123456789abcdef.tmp",
      "Kirimo_Readme.txt"};
  for (const auto& name : others) WriteBytes(dir_.path() / name, "keep");
  // A directory of that name is not ours either.
  fs::create_directory(dir_.path() / "Kirim.ini.00000000000000aa.tmp");
  WriteBytes(dir_.path() / "Kirim.ini.00000000000000aa.tmp" / "inside", "keep");

  RemoveStaleTemporaryFiles(File());

  std::vector<std::string> expected = others;
  expected.push_back("Kirim.ini");
  expected.push_back("Kirim.ini.00000000000000aa.tmp");
  EXPECT_EQ(Sorted(dir_.Entries()), Sorted(expected));
  EXPECT_EQ(ReadBytes(File()), settings);
  for (const auto& name : others) EXPECT_EQ(ReadBytes(dir_.path() / name), "keep") << name;
  EXPECT_EQ(ReadBytes(dir_.path() / "Kirim.ini.00000000000000aa.tmp" / "inside"), "keep");
}

TEST_F(TemporaryFilesTest, NoFileOrNoDirectoryIsNoFailure) {
  WriteBytes(dir_.path() / "Kirim.ini.0123456789abcdef.tmp", "old copy");
  RemoveStaleTemporaryFiles(File());
  EXPECT_TRUE(dir_.Entries().empty()) << "a leftover goes even when the file itself is gone";
  RemoveStaleTemporaryFiles(dir_.path() / "gone" / "Kirim.ini");
}

#ifndef _WIN32
TEST_F(TemporaryFilesTest, LinkIsNeverFollowedToRemoveItsFile) {
  WriteBytes(File(), "[MyData]\r\n");
  WriteBytes(dir_.path() / "precious", "keep");
  fs::create_symlink("precious", dir_.path() / "Kirim.ini.0123456789abcdef.tmp");
  RemoveStaleTemporaryFiles(File());
  EXPECT_EQ(Sorted(dir_.Entries()),
            Sorted({"Kirim.ini", "Kirim.ini.0123456789abcdef.tmp", "precious"}));
  EXPECT_EQ(ReadBytes(dir_.path() / "precious"), "keep");
}

// Writes through a link leave their temporary files beside the file it
// leads to, named after that file.
TEST_F(TemporaryFilesTest, LeftoversBesideTheLinkedFileGoToo) {
  fs::create_directory(dir_.path() / "real");
  WriteBytes(dir_.path() / "real" / "settings.ini", "[MyData]\r\n");
  WriteBytes(dir_.path() / "real" / "settings.ini.0123456789abcdef.tmp", "old copy");
  WriteBytes(dir_.path() / "real" / "Kirim.ini.0123456789abcdef.tmp", "not beside the link");
  fs::create_symlink(fs::path("real") / "settings.ini", File());
  WriteBytes(dir_.path() / "Kirim.ini.fedcba9876543210.tmp", "old copy");

  RemoveStaleTemporaryFiles(File());
  EXPECT_EQ(Sorted(dir_.Entries()), Sorted({"Kirim.ini", "real"}));
  std::vector<std::string> inReal;
  for (const auto& entry : fs::directory_iterator(dir_.path() / "real")) {
    inReal.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(Sorted(inReal), Sorted({"Kirim.ini.0123456789abcdef.tmp", "settings.ini"}));
}
#endif

}  // namespace
}  // namespace kirimo::settings
