// The settings file on a POSIX file system: read-only as Windows decides it,
// the replacement's permissions from the moment it exists, and symbolic
// links written through, also to a file that is not there yet.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/inotify.h>
#endif

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "settings/Settings.h"
#include "support/Files.h"

namespace kirimo::settings {
namespace {

using testing_support::Escaped;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

const std::string kBefore = "[MyData]\r\nFUKKI=15\r\n";
const std::string kAfter = "[MyData]\r\nFUKKI=600\r\n";

mode_t ModeOf(const fs::path& file) {
  struct stat status {};
  if (::lstat(file.c_str(), &status) != 0) return 07777;
  return status.st_mode & 07777;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

class FileSystemTest : public ::testing::Test {
 protected:
  fs::path File() const { return dir_.path() / "Kirim.ini"; }
  TempDir dir_;
};

// Sets the process's umask for one test.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }
  ScopedUmask(const ScopedUmask&) = delete;
  ScopedUmask& operator=(const ScopedUmask&) = delete;

 private:
  mode_t old_;
};

// ---- read-only ----

struct ModeCase {
  const char* name;
  mode_t mode;
  bool written;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class ReadOnlyTable : public FileSystemTest, public ::testing::WithParamInterface<ModeCase> {};

// As Windows' read-only attribute: whoever writes, root included (the CI
// runs as root, for whom every file would be writable).
TEST_P(ReadOnlyTable, NoWriteBitForAnyoneIsReadOnly) {
  const ModeCase& c = GetParam();
  WriteBytes(File(), kBefore);
  ASSERT_EQ(::chmod(File().c_str(), c.mode), 0);
  EXPECT_EQ(WriteSetting(u"600", u"FUKKI", kMyData, File()), c.written);
  ::chmod(File().c_str(), 0600);
  EXPECT_EQ(ReadBytes(File()), c.written ? kAfter : kBefore);
  ::chmod(File().c_str(), c.mode);
  EXPECT_EQ(ModeOf(File()), c.mode);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadOnlyTable,
                         ::testing::Values(ModeCase{"ReadForAll", 0444, false},
                                           ModeCase{"ReadForOwner", 0400, false},
                                           ModeCase{"ReadAndExecute", 0555, false},
                                           ModeCase{"Nothing", 0000, false},
                                           ModeCase{"OwnerWrites", 0600, true},
                                           ModeCase{"OwnerWritesOthersRead", 0644, true},
                                           ModeCase{"GroupWritesToo", 0660, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the replacement's permissions ----

// Watched through inotify, which only Linux has.
#ifdef __linux__

struct Seen {
  mode_t mode;
  uid_t owner;
  gid_t group;
  bool operator<(const Seen& other) const {
    return std::tie(mode, owner, group) < std::tie(other.mode, other.owner, other.group);
  }
};

// Everything the temporary files beside the file were seen with while
// write ran in another thread, from the moment each was created (the
// watcher sleeps until then, so it does not take the writer's processor)
// until it was gone.
std::set<Seen> WatchTemporaryFiles(const fs::path& dir, const std::function<void()>& write) {
  std::set<Seen> seen;
  const int watch = ::inotify_init1(IN_CLOEXEC);
  EXPECT_GE(watch, 0);
  if (watch < 0) return seen;
  EXPECT_GE(::inotify_add_watch(watch, dir.c_str(), IN_CREATE), 0);
  std::atomic<bool> done = false;
  std::thread writer([&] {
    write();
    done = true;
  });
  alignas(inotify_event) char buffer[4096];
  while (!done) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 10) <= 0) continue;
    const ssize_t length = ::read(watch, buffer, sizeof buffer);
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      const std::string name = event->len > 0 ? event->name : "";
      if (!name.ends_with(".tmp")) continue;
      struct stat status {};
      while (::lstat((dir / name).c_str(), &status) == 0) {
        seen.insert({static_cast<mode_t>(status.st_mode & 07777), status.st_uid, status.st_gid});
      }
    }
  }
  writer.join();
  ::close(watch);
  return seen;
}

const std::string& LargeSettings() {
  static const std::string settings =
      "[MyData]\r\nFILLER=" + std::string(2 << 20, 'x') + "\r\nFUKKI=15\r\n";
  return settings;
}

// Several writes of large settings, each watched from start to end: the
// moment that matters is short, right after the temporary file is made.
std::set<Seen> WatchWrites(const fs::path& dir, const fs::path& file) {
  std::set<Seen> seen;
  for (int attempt = 0; attempt < 6; ++attempt) {
    const std::u16string value = attempt % 2 == 0 ? u"600" : u"15";
    seen.merge(WatchTemporaryFiles(
        dir, [&] { EXPECT_TRUE(WriteSetting(value, u"FUKKI", kMyData, file)); }));
  }
  return seen;
}

class TemporaryModeTable : public FileSystemTest,
                           public ::testing::WithParamInterface<std::tuple<mode_t, mode_t>> {};

// A file of its own: another user must never be able to open the
// replacement while it is wider than the file it replaces, not even for a
// moment (an open descriptor stays good after the mode changes).
TEST_P(TemporaryModeTable, ReplacementIsNeverWiderThanTheFile) {
  const auto [mode, mask] = GetParam();
  if ((mode & S_IRUSR) == 0 && ::geteuid() != 0) GTEST_SKIP() << "only root reads this file";
  const ScopedUmask umask(mask);
  WriteBytes(File(), LargeSettings());
  ASSERT_EQ(::chmod(File().c_str(), mode), 0);

  const std::set<Seen> seen = WatchWrites(dir_.path(), File());
  ASSERT_FALSE(seen.empty()) << "the temporary file was never seen";
  for (const Seen& s : seen) {
    EXPECT_EQ(s.mode & ~mode, 0u) << std::oct << "seen with " << s.mode << " for " << mode;
    // Where the umask does not get in the way, the file's own mode from the
    // start.
    if (mask == 0) {
      EXPECT_EQ(s.mode, mode) << std::oct << "seen with " << s.mode;
    }
  }
  EXPECT_EQ(ModeOf(File()), mode);
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"Kirim.ini"});
}

std::string ModeCaseName(const ::testing::TestParamInfo<std::tuple<mode_t, mode_t>>& info) {
  std::ostringstream name;
  name << std::oct << "Mode0" << std::get<0>(info.param) << "Umask0" << std::get<1>(info.param);
  return name.str();
}

INSTANTIATE_TEST_SUITE_P(Modes, TemporaryModeTable,
                         ::testing::Combine(::testing::Values(0640, 0604, 0200),
                                            ::testing::Values(0, 077)),
                         ModeCaseName);

// Root writing a user's file: the replacement is root's until it is handed
// over, and meanwhile no group or other may open it beyond what they could
// open of the file.
TEST_F(FileSystemTest, ForeignOwnersFileIsHandedBackWithItsMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can hand a file to another owner";
  constexpr uid_t kOwner = 12345;
  constexpr gid_t kGroup = 23456;
  for (const mode_t mode : {0640, 0604}) {
    SCOPED_TRACE(std::to_string(mode));
    WriteBytes(File(), LargeSettings());
    ASSERT_EQ(::chown(File().c_str(), kOwner, kGroup), 0);
    ASSERT_EQ(::chmod(File().c_str(), mode), 0);

    const std::set<Seen> seen = WatchWrites(dir_.path(), File());
    ASSERT_FALSE(seen.empty()) << "the temporary file was never seen";
    const mode_t shared = (mode >> 3) & mode & 07;
    for (const Seen& s : seen) {
      if (s.owner == kOwner && s.group == kGroup) {
        EXPECT_EQ(s.mode & ~mode, 0u) << std::oct << s.mode;
      } else {
        EXPECT_EQ((s.mode & 077) & ~((shared << 3) | shared), 0u) << std::oct << s.mode;
      }
    }
    struct stat after {};
    ASSERT_EQ(::stat(File().c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, kOwner);
    EXPECT_EQ(after.st_gid, kGroup);
    EXPECT_EQ(after.st_mode & 07777, mode);
  }
}

#endif  // __linux__

// ---- symbolic links ----

struct LinkCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> links;  // name, where it points
  std::vector<std::string> directories;
  std::optional<std::string> createdFile;  // nullopt: the write must fail
  FileState state = FileState::kMissing;
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class LinkTable : public FileSystemTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTable, WritesThroughToTheFileNotYetThere) {
  const LinkCase& c = GetParam();
  for (const auto& directory : c.directories) fs::create_directory(dir_.path() / directory);
  for (const auto& [name, to] : c.links) {
    fs::create_symlink(to.starts_with("/") ? dir_.path() / to.substr(1) : fs::path(to),
                       dir_.path() / name);
  }
  const std::vector<std::string> before = Sorted(dir_.Entries());
  ASSERT_EQ(CheckSettingsFile(File()), c.state);

  const std::vector<SettingWrite> writes = {{kMyData, u"HIDUKE", u"26/01/02/03:04", true},
                                            {kMyData, u"FSI", u"1"}};
  EXPECT_EQ(WriteSettings(writes, File()), c.createdFile.has_value());

  for (const auto& [name, to] : c.links) {
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_.path() / name))) << name;
  }
  if (c.createdFile) {
    EXPECT_EQ(Escaped(ReadBytes(dir_.path() / *c.createdFile)),
              Escaped("[MyData]\r\nHIDUKE=26/01/02/03:04\r\nFSI=1\r\n"));
    EXPECT_EQ(ReadSetting(u"FSI", kMyData, File()), u"1");
  }
  std::vector<std::string> expected = before;
  if (c.createdFile && c.createdFile->find('/') == std::string::npos) {
    expected.push_back(*c.createdFile);
  }
  EXPECT_EQ(Sorted(dir_.Entries()), Sorted(expected)) << "temporary file left, or link replaced";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkTable,
    ::testing::Values(
        LinkCase{"Relative", {{"Kirim.ini", "real.ini"}}, {}, "real.ini"},
        LinkCase{"Absolute", {{"Kirim.ini", "/real.ini"}}, {}, "real.ini"},
        LinkCase{"IntoAnotherDirectory", {{"Kirim.ini", "sub/real.ini"}}, {"sub"}, "sub/real.ini"},
        LinkCase{"ThroughADirectoryLink",
                 {{"Kirim.ini", "alias/real.ini"}, {"alias", "sub"}},
                 {"sub"},
                 "sub/real.ini"},
        LinkCase{"ChainOfLinks",
                 {{"Kirim.ini", "second.lnk"},
                  {"second.lnk", "sub/third.lnk"},
                  {"sub/third.lnk", "../real.ini"}},
                 {"sub"},
                 "real.ini"},
        LinkCase{"IntoMissingDirectory", {{"Kirim.ini", "gone/real.ini"}}, {}, std::nullopt},
        LinkCase{"Loop",
                 {{"Kirim.ini", "other.lnk"}, {"other.lnk", "Kirim.ini"}},
                 {},
                 std::nullopt,
                 FileState::kUnreadable}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kirimo::settings

#endif
