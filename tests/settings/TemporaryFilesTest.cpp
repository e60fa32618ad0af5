// What writes leave beside Kirim.ini: a write killed before its rename
// leaves its temporary file, a full copy of the settings of its time, which
// the next start removes; nothing else beside the file is touched.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "settings/Settings.h"
#include "support/Files.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
  std::vector<std::string> others = {
      "Kirim.ini.0123456789abcde.tmp",    // one digit short
      "Kirim.ini.0123456789abcdef0.tmp",  // one too many
      "Kirim.ini.0123456789abcdeg.tmp",
      "Kirim.ini.0123456789abcdef.tmp~",
      "Kirim.ini.0123456789abcdef",
      "Kirim.ini.tmp",
      "Kirim.ini.bak",
      "Kirim.ini0123456789abcdef.tmp",
      "Kirim.ini..0123456789abcdef.tmp",
      "Other.ini.0123456789abcdef.tmp",
      ".0123456789abcdef.tmp",
      "Kirimo_Readme.txt"};
#ifndef _WIN32
  // Where names differ by case, other spellings are other files. (On
  // Windows they are the very file of our own naming written beside it.)
  others.push_back("Kirim.ini.0123456789ABCDEF.tmp");
  others.push_back("Kirim.ini.0123456789abcdef.TMP");
#endif
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

// ---- writes killed at random moments ----

const std::array<std::u16string, 10> kTitleKeys = {u"DAIMEI1", u"DAIMEI2", u"DAIMEI3", u"DAIMEI4",
                                                   u"DAIMEI5", u"DAIMEI6", u"DAIMEI7", u"DAIMEI8",
                                                   u"DAIMEI9", u"DAIMEI10"};

std::u16string Number(std::int64_t n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

std::int64_t CountIn(const fs::path& file) {
  std::int64_t count = 0;
  for (const char16_t digit : ReadSetting(u"COUNT", kMyData, file)) {
    count = count * 10 + (digit - u'0');
  }
  return count;
}

std::u16string TitleValue(std::int64_t n) { return u"|" + Number(n) + std::u16string(80, u'ｱ'); }

// What iteration n of the writing loop stores, in one batch: its number, one
// title, and an installation stamp only where none is stored (so the first
// one ever written must stay).
std::vector<SettingWrite> Iteration(std::int64_t n) {
  return {{kMyData, u"HIDUKE", u"26/01/02/" + Number(n), true},
          {kMyData, kTitleKeys[static_cast<std::size_t>(n % 10)], TitleValue(n)},
          {kMyData, u"COUNT", Number(n)}};
}

// The child: continues the loop from what the file holds, and reports each
// completed iteration through the pipe until it is killed.
[[noreturn]] void WriteUntilKilled(const fs::path& file, int report) {
  for (std::int64_t n = CountIn(file) + 1;; ++n) {
    if (!WriteSettings(Iteration(n), file)) ::_exit(2);
    if (::write(report, &n, sizeof n) != static_cast<ssize_t>(sizeof n)) ::_exit(3);
  }
}

// Everything the child reported before it died; the pipe ends with it.
std::int64_t LastReported(int pipe, std::int64_t last) {
  std::int64_t n = 0;
  while (::read(pipe, &n, sizeof n) == static_cast<ssize_t>(sizeof n)) last = n;
  return last;
}

TEST_F(TemporaryFilesTest, WritesKilledAtRandomMomentsLoseNothingAndLeaveNothing) {
  TempDir shadowDir;
  const fs::path shadow = shadowDir.path() / "Kirim.ini";
  std::mt19937 random(20260102);
  std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
  std::int64_t count = 0;  // what the file holds
  std::int64_t replayed = 0;
  int kills = 0;
  int leftovers = 0;
  // At least 50 kills, and on until one of them has left a temporary file.
  for (; (kills < 50 || leftovers == 0) && kills < 500; ++kills) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(fds[0]);
      WriteUntilKilled(File(), fds[1]);
    }
    ::close(fds[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writing loop failed on its own: " << status;
    // The child went on from what the file held.
    const std::int64_t reported = LastReported(fds[0], count);
    ::close(fds[0]);

    // Every completed iteration is there, and at most the one under way
    // when the kill came, whole.
    count = CountIn(File());
    ASSERT_TRUE(count == reported || count == reported + 1)
        << "file holds " << count << " after " << reported << " completed";
    for (; replayed < count; ++replayed) {
      ASSERT_TRUE(WriteSettings(Iteration(replayed + 1), shadow));
    }
    ASSERT_EQ(ReadBytes(File()), ReadBytes(shadow)) << "after kill " << kills;
    if (count > 0) {
      EXPECT_EQ(ReadStoredText(kTitleKeys[count % 10], kMyData, File()), TitleValue(count));
      EXPECT_EQ(ReadStoredText(u"HIDUKE", kMyData, File()), u"26/01/02/1");
    }

    const std::vector<std::string> entries = dir_.Entries();
    leftovers += static_cast<int>(std::count_if(
        entries.begin(), entries.end(), [](const auto& name) { return name.ends_with(".tmp"); }));
    RemoveStaleTemporaryFiles(File());
    const std::vector<std::string> expected =
        count > 0 ? std::vector<std::string>{"Kirim.ini"} : std::vector<std::string>{};
    ASSERT_EQ(dir_.Entries(), expected) << "after kill " << kills;
  }
  EXPECT_GT(leftovers, 0) << "no kill came between a temporary file's creation and its rename";
  RecordProperty("kills", kills);
  RecordProperty("leftovers", leftovers);
  RecordProperty("iterations", static_cast<int>(count));
}
#endif

}  // namespace
}  // namespace kirimo::settings
