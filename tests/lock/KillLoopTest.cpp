// The real program killed at random moments of its starts and shutdowns,
// with the wipe option on: no kill may ever cost a memo or the stamp, or
// make the next start take the file for one weakened by hand.

#include <QElapsedTimer>
#include <QProcess>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "LockFixture.h"
#include "app/QtPlatform.h"
#include "settings/Settings.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace kirimo::testing {
namespace {

#ifdef Q_OS_UNIX

namespace fs = std::filesystem;
using std::chrono::microseconds;

class KillLoopTest : public LockFixture {
 protected:
  // A copy of the program keeps its Kirim.ini beside it.
  fs::path CopyProgramTo(const fs::path& where) {
    const fs::path program = where / "kirimo";
    fs::copy_file(KIRIMO_PROGRAM, program, fs::copy_options::overwrite_existing);
    return program;
  }

  // Other copies of the program for this user (a developer's, another
  // test's) would make ours refuse to start; a network namespace of its own
  // gives it a lock of its own where the system allows one.
  static bool OwnNamespaceWorks() {
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("-n"), QStringLiteral("true")});
    return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
  }

  void Run(const fs::path& program, std::mt19937& random, bool lockOn) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString path = QString::fromStdString(program.string());
    if (ownNamespace_)
      child.start(QStringLiteral("unshare"), {QStringLiteral("-n"), path});
    else
      child.start(path, {});
    ASSERT_TRUE(child.waitForStarted());
    const pid_t pid = static_cast<pid_t>(child.processId());
    // Up to the end of a start-up (or well into the password dialog).
    std::this_thread::sleep_for(
        microseconds(std::uniform_int_distribution<int>(0, 120000)(random)));
    const bool throughShutdown = !lockOn && std::bernoulli_distribution(0.6)(random);
    if (throughShutdown) {
      // The end signal closes the program as the close box does; the kill
      // comes somewhere in its shutdown, or after it.
      ::kill(pid, SIGTERM);
      std::this_thread::sleep_for(
          microseconds(std::uniform_int_distribution<int>(0, 8000)(random)));
    }
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    ++kills_;
  }

  void ExpectNothingLost(const fs::path& file, const std::string& stamp) {
    ASSERT_EQ(settings::CheckSettingsFile(file), settings::FileState::kReadable);
    ASSERT_EQ(RawValue(ReadBytes(file), "HIDUKE"), stamp);
    for (const StoredMemo& m : SomeMemos()) {
      ASSERT_EQ(DecodedIn(file, TitleKeyOf(m.slot)), m.title) << kills_;
      ASSERT_EQ(DecodedIn(file, ContentKeyOf(m.slot)), m.content) << kills_;
    }
  }

  bool ownNamespace_ = false;
  int kills_ = 0;
};

TEST_F(KillLoopTest, RandomKillsOfStartsAndShutdownsLoseNothing) {
  ownNamespace_ = OwnNamespaceWorks();
  if (!ownNamespace_) {
    UserInstanceLock probe;
    if (!probe.TryAcquire()) GTEST_SKIP() << "another copy of the program runs for this user";
  }

  // One copy with the lock and the wipe on, sealed by a run of its own; one
  // without the lock but with the wipe option stored on, which starts and
  // shuts down all the way.
  SetIni(LockedIni(u"pw", SomeMemos(), true));
  ASSERT_TRUE(StartAnswering({{"pw"}}));
  CloseMain();
  main.reset();
  const TempDir open;
  WriteBytes(open.path() / "Kirim.ini", IniWith(SomeMemos(), "PASSCHK=0\r\nFSI=1\r\n"));
  const fs::path locked = CopyProgramTo(dir.path());
  const fs::path unlocked = CopyProgramTo(open.path());
  const std::string stamp = cp932::ToShiftJis(kStamp);

  std::mt19937 random(20261211);
  constexpr int kKills = 240;
  for (int i = 0; i < kKills; ++i) {
    const bool lockOn = i % 3 == 0;
    const fs::path& program = lockOn ? locked : unlocked;
    Run(program, random, lockOn);
    if (HasFatalFailure()) return;
    ExpectNothingLost(program.parent_path() / "Kirim.ini", stamp);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(kills_, kKills);

  // The next starts: the password as before, every memo there.
  passwordDialogsShown = 0;
  ASSERT_TRUE(StartAnswering({{"pw"}}));
  EXPECT_EQ(passwordDialogsShown, 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Captions(10), TitledCaptions("ten"));
  main.reset();
  location.dir = open.path();
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Captions(4), TitledCaptions(QStringLiteral("四番")));
  // The runs that got through start-up have sealed it.
  EXPECT_NE(RawValue(ReadBytes(open.path() / "Kirim.ini"), "FUUIN").value_or(""), "");
}

#endif

}  // namespace
}  // namespace kirimo::testing
