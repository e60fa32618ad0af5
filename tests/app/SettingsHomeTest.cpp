// Where Kirim.ini lives: beside the program wherever it can be written
// there, else in the user's own configuration directory; chosen once per
// run.

#include <QPushButton>

#include "AppFixture.h"
#include "app/SettingsHome.h"

namespace kirimo::testing {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kReadOnlyFile = fs::perms::owner_read | fs::perms::group_read;
constexpr fs::perms kReadOnlyDir = fs::perms::owner_read | fs::perms::owner_exec;

bool PermissionsEnforced(const fs::path& readOnlyDir) {
  const fs::path probe = readOnlyDir / "probe";
  const bool created = std::ofstream(probe).good();
  std::error_code error;
  fs::remove(probe, error);
  return !created;
}

TEST(SettingsBesideProgramTest, ProgramDirectoryServesWhereKirimIniCanBeWrittenThere) {
  struct Case {
    const char* what;
    ProgramDirAccess access;
    bool beside;
  };
  const Case cases[] = {
      {"no file, writable directory", {false, false, true}, true},
      {"writable file and directory", {true, true, true}, true},
      {"no file, read-only directory", {false, false, false}, false},
      {"read-only file", {true, false, true}, false},
      {"writable file in a read-only directory", {true, true, false}, false},
      // Start-up reports it and writes nothing, rather than starting afresh.
      {"file there but unreadable", {true, false, true, true}, true},
      {"unreadable file in a read-only directory", {true, false, false, true}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SettingsBesideProgram(c.access), c.beside);
  }
}

TEST(ProbeProgramDirTest, TriesTheFileSystemAndLeavesNothingBehind) {
  TempDir dir;
  ProgramDirAccess a = ProbeProgramDir(dir.path());
  EXPECT_FALSE(a.iniExists);
  EXPECT_TRUE(a.dirWritable);
  EXPECT_TRUE(dir.Entries().empty());

  WriteBytes(dir.path() / "Kirim.ini", "[MyData]\r\n");
  a = ProbeProgramDir(dir.path());
  EXPECT_TRUE(a.iniExists && a.iniWritable && a.dirWritable);

  // Read-only by its own mark, for an administrator too.
  fs::permissions(dir.path() / "Kirim.ini", kReadOnlyFile);
  a = ProbeProgramDir(dir.path());
  EXPECT_TRUE(a.iniExists);
  EXPECT_FALSE(a.iniWritable);
  EXPECT_EQ(ReadBytes(dir.path() / "Kirim.ini"), "[MyData]\r\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Kirim.ini"});

  EXPECT_FALSE(ProbeProgramDir(dir.path() / "not-there").dirWritable);

  // A directory where the file should be can be read as no settings file.
  fs::permissions(dir.path() / "Kirim.ini", fs::perms::owner_all);
  fs::remove(dir.path() / "Kirim.ini");
  fs::create_directory(dir.path() / "Kirim.ini");
  EXPECT_TRUE(ProbeProgramDir(dir.path()).iniUnreadable);
}

class SettingsHomeTest : public AppFixture {
 protected:
  // Apart from the program's directory, as a home directory is.
  SettingsHomeTest() { location.userDir = home.path() / ".config" / "Kirimo"; }
  fs::path userIni() const { return location.userDir / "Kirim.ini"; }
  TempDir home;
};

TEST_F(SettingsHomeTest, WritableProgramDirectoryKeepsKirimIniBesideTheProgram) {
  for (const bool fileThere : {false, true}) {
    SCOPED_TRACE(fileThere ? "file there" : "no file yet");
    if (fileThere) SetIni("[MyData]\r\nFUKKI=30\r\n");
    Start();
    CloseMain();
    EXPECT_NE(iniBytes().find("HIDUKE="), std::string::npos);
    EXPECT_FALSE(fs::exists(location.userDir));
    main.reset();
    fs::remove(ini());
  }
}

TEST_F(SettingsHomeTest, ReadOnlyKirimIniMovesToTheUsersDirectoryWithItsMemosReadable) {
  const std::string before = "[MyData]\r\nFUKKI=30\r\nHIDUKE=01/02/03/04:05\r\n";
  SetIni(before);
  fs::permissions(ini(), kReadOnlyFile);
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ctx().state.installStamp, u"01/02/03/04:05");
  EXPECT_EQ(ctx().state.autoReturnSeconds, 30);
  CloseMain();
  EXPECT_EQ(iniBytes(), before);
  const std::string moved = ReadBytes(userIni());
  EXPECT_NE(moved.find("HIDUKE=01/02/03/04:05\r\n"), std::string::npos);
  EXPECT_NE(moved.find("FUKKI=30\r\n"), std::string::npos);
  EXPECT_NE(moved.find("[frmMain]\r\nLEFT="), std::string::npos);
}

TEST_F(SettingsHomeTest, UsersOwnFileIsNeverReplacedByTheReadOnlyOne) {
  SetIni("[MyData]\r\nHIDUKE=01/02/03/04:05\r\n");
  fs::permissions(ini(), kReadOnlyFile);
  fs::create_directories(location.userDir);
  WriteBytes(userIni(), "[MyData]\r\nHIDUKE=09/09/09/09:09\r\n");
  Start();
  EXPECT_EQ(ctx().state.installStamp, u"09/09/09/09:09");
}

TEST_F(SettingsHomeTest, ReadOnlyProgramDirectoryUsesTheUsersDirectoryMadeOnFirstUse) {
  fs::permissions(dir.path(), kReadOnlyDir);
  if (!PermissionsEnforced(dir.path()))
    GTEST_SKIP() << "permissions are not enforced for this user";
  Start();
  CloseMain();
  EXPECT_FALSE(fs::exists(ini()));
  EXPECT_NE(ReadBytes(userIni()).find("HIDUKE=26/03/04/05:06\r\n"), std::string::npos);
}

TEST_F(SettingsHomeTest, ChoiceIsFixedForTheRun) {
  Start();
  // Made read-only while the program runs: the run keeps its file, and a
  // write that cannot reach it says so instead of going elsewhere.
  fs::permissions(ini(), kReadOnlyFile);
  Find("cmdReset1")->click();
  EXPECT_EQ(
      boxes.texts(),
      std::vector<QString>{QStringLiteral("リセット時ＩＮＩファイルに書き込みできませんでした")});
  EXPECT_FALSE(fs::exists(location.userDir));
}

}  // namespace
}  // namespace kirimo::testing
