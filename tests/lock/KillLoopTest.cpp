// The program killed at random moments of its starts, of its memo entries
// and of its shutdowns, with the lock and the wipe option on and off: no
// kill may ever cost a memo that was stored or the stamp, leave a file that
// does not parse or a memo that does not decode, or make the next start take
// the file for one weakened by hand; whatever a killed write leaves beside
// the file, the next start removes.
//
// The moments are drawn from durations measured first on unkilled runs, so
// that the kills land inside the operations on a fast machine and a slow
// one alike. KIRIMO_KILLS sets how many kills the loop makes, and
// KIRIMO_KILL_SEED the seed of their moments, which every run prints.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "LockFixture.h"
#include "app/QtPlatform.h"
#include "settings/Settings.h"

#ifdef Q_OS_LINUX
#include <signal.h>
#endif

namespace kirimo::testing {
namespace {

#ifdef Q_OS_LINUX

namespace fs = std::filesystem;
using std::chrono::microseconds;
using testing_support::Escaped;

// Between the loop and the copy of this test program that enters memos.
constexpr const char* kEntryDirVariable = "KIRIMO_KILL_LOOP_DIR";
constexpr const char* kFirstEntryVariable = "KIRIMO_KILL_LOOP_FIRST";
// Only for the timed runs: the child stops after this many entries.
constexpr const char* kEntryCountVariable = "KIRIMO_KILL_LOOP_ENTRIES";
constexpr std::string_view kReportPrefix = "kill-loop: ";

constexpr int kDefaultKills = 240;

// Entry n of a copy gives its slot a memo no other entry gives.
int SlotOfEntry(long n) { return static_cast<int>((n - 1) % kSlotCount) + 1; }
std::u16string Digits(long n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}
std::u16string TitleOfEntry(long n) { return u"t" + Digits(n) + u"番"; }
std::u16string ContentOfEntry(long n) { return u"内容" + Digits(n) + u"-" + Digits(n * 7919); }

bool IsTemporaryFileName(const std::string& name) {
  return name.starts_with("Kirim.ini.") && name.ends_with(".tmp");
}

std::vector<std::string> TemporaryFilesIn(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory))
    if (IsTemporaryFileName(entry.path().filename().string()))
      names.push_back(entry.path().filename().string());
  return names;
}

long NumberFromEnvironment(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

void Report(const std::string& line) {
  std::printf("%.*s%s\n", static_cast<int>(kReportPrefix.size()), kReportPrefix.data(),
              line.c_str());
  std::fflush(stdout);
}

void SleepUpTo(microseconds longest, std::mt19937_64& random) {
  std::this_thread::sleep_for(
      microseconds(std::uniform_int_distribution<long>(0, longest.count())(random)));
}

microseconds Median(std::vector<microseconds> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Each line a section, a key with its value or empty, each ended by CRLF:
// what a torn or interleaved write could not leave.
void ExpectWellFormed(const std::string& bytes) {
  ASSERT_TRUE(bytes.ends_with("\r\n")) << Escaped(bytes);
  for (size_t start = 0; start < bytes.size();) {
    const size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << Escaped(bytes);
    ASSERT_TRUE(line.empty() || (line.front() == '[' && line.back() == ']') ||
                line.find('=') != std::string::npos)
        << Escaped(line);
    start = end + 2;
  }
}

// Where the kills landed, for the run's record.
enum class Moment { kStartUp, kEntry, kShutdown, kAfterShutdown, kCount };
constexpr std::array<const char*, static_cast<size_t>(Moment::kCount)> kMomentNames = {
    "in start-up", "in memo entries", "in shutdowns", "after a finished shutdown"};

struct Memo {
  std::u16string title;
  std::u16string content;
  bool operator==(const Memo&) const = default;
};
void PrintTo(const Memo& m, std::ostream* os) {
  *os << "\"" << QString::fromStdU16String(m.title).toStdString() << "\" \""
      << QString::fromStdU16String(m.content).toStdString() << "\"";
}

// The ten slots by number (0 is none).
using Memos = std::array<Memo, kSlotCount + 1>;

// Entry n resets its slot (now and then all of them, with the question
// answered) and enters its memo; the file holds, in the order of the
// writes: the memos before, the reset done, the new content, the new memo.
// A slot without a title is an empty slot, whatever its content key holds.
bool ResetsAllFirst(long n) { return n % 13 == 0; }
std::vector<Memos> StepsOfEntry(const Memos& before, long n) {
  const int slot = SlotOfEntry(n);
  Memos reset = before;
  if (ResetsAllFirst(n))
    reset.fill({});
  else
    reset[slot] = {};
  Memos content = reset;
  content[slot].content = ContentOfEntry(n);
  Memos stored = reset;
  stored[slot] = {TitleOfEntry(n), ContentOfEntry(n)};
  return {before, reset, content, stored};
}

// One copy of the program with its Kirim.ini, and what the file must hold.
struct Copy {
  fs::path program;
  bool lockOn = false;
  Memos memos;
  long entered = 0;  // the last entry that is known to be stored
  fs::path directory() const { return program.parent_path(); }
  fs::path ini() const { return directory() / "Kirim.ini"; }
};

// What the entering child said before it died.
struct ChildReports {
  bool started = false;
  long lastStored = 0;
  std::vector<std::string> complaints;
};

// How long the operations take here, measured on runs that are not killed.
struct Durations {
  microseconds startUp{};       // the program, from its launch to the end of its start-up
  microseconds shutdown{};      // the program, from the end signal to its exit
  microseconds entryStartUp{};  // the entering child, from its launch to its first entry
  microseconds entry{};         // one memo: its slot's reset and the entry dialog
};

class KillLoopTest : public LockFixture {
 protected:
  // What the next start reads under key: a key never written reads as the
  // empty text; nullopt when the stored text does not decode.
  std::optional<std::u16string> ReadAsNextStart(const Copy& copy, const std::string& key) {
    if (!RawValue(ReadBytes(copy.ini()), key)) return std::u16string();
    return DecodedIn(copy.ini(), key);
  }

  // A copy of the program keeps its Kirim.ini beside it.
  static fs::path CopyProgramTo(const fs::path& where) {
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

  static QProcessEnvironment Environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
  }

  // What the last child said on its error channel: only worth reading when
  // something went wrong, and the offscreen platform says a lot.
  std::string ChildErrors() const { return "\n" + ReadBytes(errors_.path() / "child.log"); }
  void SendErrorsToLog(QProcess& child) const {
    child.setStandardErrorFile(QString::fromStdString((errors_.path() / "child.log").string()));
  }

  void LaunchProgram(QProcess& child, const Copy& copy) {
    child.setProcessEnvironment(Environment());
    SendErrorsToLog(child);
    const QString path = QString::fromStdString(copy.program.string());
    if (ownNamespace_)
      child.start(QStringLiteral("unshare"), {QStringLiteral("-n"), path});
    else
      child.start(path, {});
    ASSERT_TRUE(child.waitForStarted());
  }

  // This test program again, running only the entering child below; it
  // goes on from the copy's next entry.
  void LaunchEntering(QProcess& child, const Copy& copy, std::optional<long> entries = {}) {
    QProcessEnvironment env = Environment();
    env.insert(QString::fromLatin1(kEntryDirVariable),
               QString::fromStdString(copy.directory().string()));
    env.insert(QString::fromLatin1(kFirstEntryVariable), QString::number(copy.entered + 1));
    if (entries) env.insert(QString::fromLatin1(kEntryCountVariable), QString::number(*entries));
    child.setProcessEnvironment(env);
    SendErrorsToLog(child);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=KillLoopTest.DISABLED_EntersMemosUntilKilled"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForStarted());
  }

  // Reads the child's output until the report `what` has come; false when
  // the child ended or the time ran out first.
  static bool WaitForReport(QProcess& child, QByteArray& output, const QByteArray& what,
                            int timeoutMs = 60000) {
    const QByteArray line = QByteArray(kReportPrefix.data(), kReportPrefix.size()) + what + '\n';
    QElapsedTimer waited;
    waited.start();
    for (;;) {
      output += child.readAllStandardOutput();
      if (output.contains(line)) return true;
      if (child.state() != QProcess::Running || waited.elapsed() > timeoutMs) return false;
      child.waitForReadyRead(100);
    }
  }

  static ChildReports ReportsIn(const QByteArray& output) {
    ChildReports reports;
    const QByteArray prefix(kReportPrefix.data(), kReportPrefix.size());
    for (const QByteArray& line : output.split('\n')) {
      if (!line.startsWith(prefix)) continue;
      const QByteArray report = line.mid(prefix.size());
      if (report == "started")
        reports.started = true;
      else if (report.startsWith("stored "))
        reports.lastStored = report.mid(7).toLong();
      else
        reports.complaints.push_back(report.toStdString());
    }
    return reports;
  }

  static void Kill(QProcess& child) {
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
  }

  // Start-up ends by installing the handler of the end signals, after
  // which the signal closes the program as its close box does; before, it
  // ends the process like a kill. The system shows which signals a process
  // handles.
  static bool EndSignalHandled(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with("SigCgt:"))
        return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
  }

  // The time from the launch to the end of start-up; nullopt when it did
  // not end in time.
  static std::optional<microseconds> WaitForStartUp(QProcess& child, const QElapsedTimer& since) {
    const auto pid = static_cast<pid_t>(child.processId());
    while (!EndSignalHandled(pid)) {
      if (child.state() != QProcess::Running || since.elapsed() > 20000) return std::nullopt;
      std::this_thread::sleep_for(microseconds(200));
    }
    return microseconds(since.nsecsElapsed() / 1000);
  }

  // ---- the runs ----

  // The program started and killed somewhere up to the end of its start-up
  // (with the lock on: into its password dialog, which nobody answers).
  Moment KillStart(Copy& copy, std::mt19937_64& random) {
    QProcess child;
    LaunchProgram(child, copy);
    if (HasFatalFailure()) return Moment::kStartUp;
    SleepUpTo(took_.startUp, random);
    Kill(child);
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit)
        << "the program ended by itself" << ChildErrors();
    return Moment::kStartUp;
  }

  // The program started, asked to end as a logout does once its start-up
  // is over, and killed somewhere in its shutdown.
  Moment KillShutdown(Copy& copy, std::mt19937_64& random) {
    QProcess child;
    QElapsedTimer since;
    since.start();
    LaunchProgram(child, copy);
    if (HasFatalFailure()) return Moment::kShutdown;
    EXPECT_TRUE(WaitForStartUp(child, since)) << "start-up did not end" << ChildErrors();
    ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
    SleepUpTo(took_.shutdown, random);
    Kill(child);
    return child.exitStatus() == QProcess::NormalExit ? Moment::kAfterShutdown : Moment::kShutdown;
  }

  // The entering child killed in its start-up now and then, mostly
  // somewhere in its entries.
  Moment KillEntering(Copy& copy, std::mt19937_64& random) {
    QProcess child;
    QByteArray output;
    LaunchEntering(child, copy);
    if (HasFatalFailure()) return Moment::kEntry;
    if (std::bernoulli_distribution(0.25)(random)) {
      SleepUpTo(took_.entryStartUp, random);
    } else {
      EXPECT_TRUE(WaitForReport(child, output, "started")) << output.toStdString() << ChildErrors();
      SleepUpTo(3 * took_.entry, random);
    }
    Kill(child);
    output += child.readAllStandardOutput();
    const ChildReports reports = ReportsIn(output);
    Settle(copy, reports);
    return reports.started ? Moment::kEntry : Moment::kStartUp;
  }

  // Takes in what a child reported: every entry it reported stored must be
  // there; the one it was making when it died may have got anywhere in its
  // writes, but no further, and must hold no mixture of them.
  void Settle(Copy& copy, const ChildReports& reports) {
    for (const std::string& complaint : reports.complaints)
      ADD_FAILURE() << complaint << ChildErrors();
    for (long n = copy.entered + 1; n <= reports.lastStored; ++n)
      copy.memos = StepsOfEntry(copy.memos, n).back();
    copy.entered = std::max(copy.entered, reports.lastStored);
    if (!reports.started) return;

    const long n = copy.entered + 1;
    Memos found;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      const auto title = ReadAsNextStart(copy, TitleKeyOf(slot));
      const auto content = ReadAsNextStart(copy, ContentKeyOf(slot));
      ASSERT_TRUE(title && content)
          << "slot " << slot << " does not decode, in entry " << n << ":\n"
          << Escaped(ReadBytes(copy.ini()));
      found[slot] = {*title, *content};
    }
    const std::vector<Memos> steps = StepsOfEntry(copy.memos, n);
    const auto step = std::find(steps.begin(), steps.end(), found);
    if (step == steps.end()) {
      for (int slot = 1; slot <= kSlotCount; ++slot)
        EXPECT_EQ(found[slot], copy.memos[slot])
            << "slot " << slot << ", in entry " << n << " to slot " << SlotOfEntry(n);
      FAIL() << "the file holds memos that no moment of entry " << n << " left";
    }
    copy.memos = found;
    if (step == steps.end() - 1) copy.entered = n;
  }

  // ---- the checks ----

  void ExpectNothingLost(const Copy& copy) {
    ASSERT_EQ(settings::CheckSettingsFile(copy.ini()), settings::FileState::kReadable);
    const std::string bytes = ReadBytes(copy.ini());
    ExpectWellFormed(bytes);
    if (HasFatalFailure()) return;
    ASSERT_EQ(RawValue(bytes, "HIDUKE"), stamp_);
    for (int n = 1; n <= kSlotCount; ++n) {
      ASSERT_EQ(ReadAsNextStart(copy, TitleKeyOf(n)), copy.memos[n].title) << "slot " << n;
      ASSERT_EQ(ReadAsNextStart(copy, ContentKeyOf(n)), copy.memos[n].content) << "slot " << n;
    }
  }

  // The next start, in this process: the password asked as before, no
  // message, every memo's caption, nothing left beside the file.
  void ExpectNextStartAsBefore(const Copy& copy) {
    location.dir = copy.directory();
    boxes.shown.clear();
    passwordDialogsShown = 0;
    ASSERT_TRUE(StartAnswering({{"pw"}})) << "the program refused to start";
    EXPECT_EQ(passwordDialogsShown, copy.lockOn ? 1 : 0);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.texts()[0].toStdString();
    EXPECT_EQ(TemporaryFilesIn(copy.directory()), std::vector<std::string>{});
    for (int n = 1; n <= kSlotCount; ++n) {
      const std::u16string& title = copy.memos[n].title;
      EXPECT_EQ(Captions(n),
                title.empty() ? EmptyCaptions(n) : TitledCaptions(QString::fromStdU16String(title)))
          << "slot " << n;
    }
    Stop();
    ExpectNothingLost(copy);
  }

  // Every kind of run once without a kill, to time it.
  void Measure(Copy& copy) {
    std::vector<microseconds> startUps, shutdowns, entryStartUps, entries;
    constexpr long kEntries = 4;
    for (int run = 0; run < 3; ++run) {
      QProcess program;
      QElapsedTimer since;
      since.start();
      LaunchProgram(program, copy);
      ASSERT_FALSE(HasFatalFailure());
      const auto startUp = WaitForStartUp(program, since);
      ASSERT_TRUE(startUp) << "start-up did not end" << ChildErrors();
      startUps.push_back(*startUp);
      QElapsedTimer ending;
      ending.start();
      ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
      ASSERT_TRUE(program.waitForFinished(20000));
      ASSERT_EQ(program.exitStatus(), QProcess::NormalExit);
      shutdowns.push_back(microseconds(ending.nsecsElapsed() / 1000));
      ExpectNothingLost(copy);

      QProcess entering;
      QByteArray output;
      since.restart();
      LaunchEntering(entering, copy, kEntries);
      ASSERT_TRUE(WaitForReport(entering, output, "started"))
          << output.toStdString() << ChildErrors();
      entryStartUps.push_back(microseconds(since.nsecsElapsed() / 1000));
      since.restart();
      const QByteArray last = "stored " + QByteArray::number(copy.entered + kEntries);
      ASSERT_TRUE(WaitForReport(entering, output, last)) << output.toStdString() << ChildErrors();
      entries.push_back(microseconds(since.nsecsElapsed() / 1000 / kEntries));
      ASSERT_TRUE(entering.waitForFinished(20000));
      output += entering.readAllStandardOutput();
      Settle(copy, ReportsIn(output));
      ASSERT_FALSE(HasFatalFailure());
      ExpectNothingLost(copy);
    }
    took_ = {Median(startUps), Median(shutdowns), Median(entryStartUps), Median(entries)};
  }

  bool ownNamespace_ = false;
  TempDir errors_;
  std::string stamp_;
  Durations took_;
};

TEST_F(KillLoopTest, RandomKillsOfStartsEntriesAndShutdownsLoseNothing) {
  ownNamespace_ = OwnNamespaceWorks();
  if (!ownNamespace_) {
    UserInstanceLock probe;
    if (!probe.TryAcquire()) GTEST_SKIP() << "another copy of the program runs for this user";
  }

  // One copy with the lock and the wipe on, sealed by a run of its own; one
  // without the lock but with the wipe option stored on, which starts and
  // shuts down all the way.
  Copy locked, open;
  SetIni(LockedIni(u"pw", SomeMemos(), true));
  ASSERT_TRUE(StartAnswering({{"pw"}}));
  CloseMain();
  main.reset();
  const TempDir openDir;
  WriteBytes(openDir.path() / "Kirim.ini", IniWith(SomeMemos(), "PASSCHK=0\r\nFSI=1\r\n"));
  locked.program = CopyProgramTo(dir.path());
  locked.lockOn = true;
  open.program = CopyProgramTo(openDir.path());
  for (Copy* copy : {&locked, &open})
    for (const StoredMemo& m : SomeMemos()) copy->memos[m.slot] = {m.title, m.content};
  stamp_ = cp932::ToShiftJis(kStamp);

  const long wanted = NumberFromEnvironment("KIRIMO_KILLS", kDefaultKills);
  const auto seed = static_cast<std::uint64_t>(
      NumberFromEnvironment("KIRIMO_KILL_SEED", static_cast<long>(std::random_device()() >> 1)));
  const std::string replay = "KIRIMO_KILL_SEED=" + std::to_string(seed);
  SCOPED_TRACE(replay);
  std::cout << "[ kill loop] " << wanted << " kills; replay with " << replay << std::endl;
  RecordProperty("seed", replay);
  std::mt19937_64 random(seed);

  Measure(open);
  ASSERT_FALSE(HasFatalFailure());
  std::cout << "[ kill loop] measured: start-up " << took_.startUp.count() << " µs, shutdown "
            << took_.shutdown.count() << " µs, entering child's start-up "
            << took_.entryStartUp.count() << " µs, one memo " << took_.entry.count() << " µs"
            << std::endl;

  std::array<int, static_cast<size_t>(Moment::kCount)> landed{};
  long kills = 0;
  int leavingTemporaryFiles = 0;
  for (long run = 0; kills < wanted; ++run) {
    // A shutdown that ended before its kill is no kill; they must not keep
    // the loop going for ever.
    ASSERT_LT(run, 2 * wanted) << "the kills keep coming too late";
    Copy& copy = run % 3 == 0 ? locked : open;
    const double kind = std::uniform_real_distribution<double>(0, 1)(random);
    Moment moment;
    if (kind < 0.35)
      moment = KillStart(copy, random);
    else if (kind < 0.6 && !copy.lockOn)
      moment = KillShutdown(copy, random);
    else
      moment = KillEntering(copy, random);
    if (HasFailure()) return;
    ++landed[static_cast<size_t>(moment)];
    if (moment != Moment::kAfterShutdown) ++kills;
    ExpectNothingLost(copy);
    if (HasFailure()) return;
    if (!TemporaryFilesIn(copy.directory()).empty()) {
      ++leavingTemporaryFiles;
      ExpectNextStartAsBefore(copy);
      if (HasFailure()) return;
    }
  }

  std::cout << "[ kill loop] " << kills << " kills:";
  for (size_t m = 0; m < landed.size(); ++m) {
    std::cout << (m ? ", " : " ") << landed[m] << " " << kMomentNames[m];
    RecordProperty(kMomentNames[m], landed[m]);
  }
  std::cout << "; " << leavingTemporaryFiles << " left a temporary file" << std::endl;

  // The next starts: the password as before, every memo there.
  ExpectNextStartAsBefore(locked);
  ExpectNextStartAsBefore(open);
  // The runs that got through start-up have sealed it.
  EXPECT_NE(RawValue(ReadBytes(open.ini()), "FUUIN").value_or(""), "");
}

// The copy of this test program that the loop kills while it enters memos:
// from the given entry on, slot after slot gets a memo of its own through
// its reset command and the entry dialog, as a user gives it, and each one
// is reported once the dialog has stored it and closed.
TEST_F(KillLoopTest, DISABLED_EntersMemosUntilKilled) {
  const char* target = std::getenv(kEntryDirVariable);
  if (!target) GTEST_SKIP() << "only as the child of the kill loop";
  location.dir = target;
  const long first = NumberFromEnvironment(kFirstEntryVariable, 1);
  const long count = NumberFromEnvironment(kEntryCountVariable, 0);
  const long end = count > 0 ? first + count : LONG_MAX;
  if (!StartAnswering({{"pw"}}) || !boxes.shown.empty()) {
    Report("refused to start" +
           (boxes.shown.empty() ? std::string() : ": " + boxes.texts()[0].toStdString()));
    return;
  }
  for (const std::string& name : TemporaryFilesIn(location.dir))
    Report("a temporary file lingers after start-up: " + name);
  Report("started");
  for (long n = first; n < end; ++n) {
    const int slot = SlotOfEntry(n);
    if (ResetsAllFirst(n)) {
      boxes.answers = {MsgAnswer::Yes};
      Click("cmdAllReset");
      // The question, and nothing after it.
      if (boxes.shown.size() != 1) {
        Report("the all-reset of entry " + std::to_string(n) + " failed");
        return;
      }
      boxes.shown.clear();
    } else {
      Click("cmdReset" + std::to_string(slot));
    }
    Enter(slot, QString::fromStdU16String(TitleOfEntry(n)),
          QString::fromStdU16String(ContentOfEntry(n)));
    if (Dialog() || !boxes.shown.empty()) {
      Report("entry " + std::to_string(n) + " was not stored");
      return;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Report("stored " + std::to_string(n));
  }
}

#endif

}  // namespace
}  // namespace kirimo::testing
