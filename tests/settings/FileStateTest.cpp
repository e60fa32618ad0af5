// A settings file that is there but cannot be read must be told apart from
// one that is missing: the first reads as "could not look", never as empty.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
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

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

const std::string kStored = "[MyData]\r\nHIDUKE=26/01/02/03:04\r\nPASSCHK=1\r\n";

struct StateCase {
  const char* name;
  std::function<void(const fs::path& file)> make;
  FileState expected;
  bool holdsTheKeys = false;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class FileStateTable : public ::testing::TestWithParam<StateCase> {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

TEST_P(FileStateTable, TellsMissingFromUnreadable) {
  const StateCase& c = GetParam();
  c.make(File());
  if (c.expected == FileState::kUnreadable && fs::is_regular_file(File()) &&
      std::ifstream(File()).good()) {
    GTEST_SKIP() << "read permission is not enforced for this user";
  }
  EXPECT_EQ(CheckSettingsFile(File()), c.expected);

  const std::optional<std::u16string> stamp = TryReadStoredText(u"HIDUKE", kMyData, File());
  const std::optional<std::u16string> lock = TryReadSetting(u"PASSCHK", kMyData, File());
  const std::optional<std::u16string> other = TryReadSetting(u"FSI", kMyData, File());
  switch (c.expected) {
    case FileState::kReadable:
      EXPECT_EQ(stamp, c.holdsTheKeys ? u"26/01/02/03:04" : u"");
      EXPECT_EQ(lock, c.holdsTheKeys ? u"1" : u"");
      EXPECT_EQ(other, u"") << "a missing key still reads as empty";
      break;
    case FileState::kMissing:
      EXPECT_EQ(stamp, u"");
      EXPECT_EQ(lock, u"");
      break;
    case FileState::kUnreadable:
      EXPECT_EQ(stamp, std::nullopt);
      EXPECT_EQ(lock, std::nullopt);
      EXPECT_EQ(other, std::nullopt);
      // The plain reads keep reading such a file as empty.
      EXPECT_EQ(ReadSetting(u"PASSCHK", kMyData, File()), u"");
      EXPECT_EQ(ReadStoredText(u"HIDUKE", kMyData, File()), u"");
      // And nothing may replace it.
      EXPECT_FALSE(WriteSetting(u"0", u"PASSCHK", kMyData, File()));
      break;
  }
}

std::vector<StateCase> StateCases() {
  std::vector<StateCase> cases = {
      {"RegularFile", [](const fs::path& file) { WriteBytes(file, kStored); }, FileState::kReadable,
       true},
      {"EmptyFile", [](const fs::path& file) { WriteBytes(file, ""); }, FileState::kReadable},
      {"NothingThere", [](const fs::path&) {}, FileState::kMissing},
      {"DirectoryInItsPlace", [](const fs::path& file) { fs::create_directory(file); },
       FileState::kUnreadable},
      {"NoReadPermission",
       [](const fs::path& file) {
         WriteBytes(file, kStored);
         fs::permissions(file, fs::perms::owner_write);
       },
       FileState::kUnreadable},
  };
#ifndef _WIN32
  cases.push_back({"LinkToDirectory",
                   [](const fs::path& file) {
                     fs::create_directory(file.parent_path() / "elsewhere");
                     fs::create_directory_symlink("elsewhere", file);
                   },
                   FileState::kUnreadable});
  cases.push_back({"LinkToNothingYet",
                   [](const fs::path& file) { fs::create_symlink("not-yet.ini", file); },
                   FileState::kMissing});
  // Opening a pipe for reading would wait for a writer for ever.
  cases.push_back(
      {"Pipe", [](const fs::path& file) { ::mkfifo(file.c_str(), 0600); }, FileState::kUnreadable});
#endif
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, FileStateTable, ::testing::ValuesIn(StateCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kirimo::settings
