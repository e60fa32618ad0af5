#pragma once
// Test doubles for the desktop seams and a fixture that runs the real main
// window against a settings file in a temporary directory.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/AppContext.h"
#include "app/EndSignals.h"
#include "app/FrmMain.h"
#include "app/Launch.h"
#include "support/Files.h"
#include "support/SeededRandom.h"

namespace kirimo::testing {

struct ShownBox {
  QString text;
  MsgIcon icon;
  MsgButtons buttons;
  bool systemModal;
  bool betweenTopmostPair = false;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(const QString& text, MsgIcon icon, MsgButtons buttons, bool systemModal) override {
    shown.push_back({text, icon, buttons, systemModal, std::exchange(pairPending, false)});
    if (whileShown) whileShown();
    if (answers.empty()) return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
  std::vector<QString> texts() const {
    std::vector<QString> out;
    for (const auto& b : shown) out.push_back(b.text);
    return out;
  }
  std::vector<ShownBox> shown;
  std::deque<MsgAnswer> answers;
  int beeps = 0;
  bool pairPending = false;
  // Runs while a box is open, to look at the program behind it.
  std::function<void()> whileShown;
};

class FakeClock : public Clock {
 public:
  QDateTime Now() const override { return now; }
  void Advance(int seconds) { now = now.addSecs(seconds); }
  QDateTime now{QDate(2026, 3, 4), QTime(5, 6, 7)};
};

class FakeLock : public InstanceLock {
 public:
  bool TryAcquire() override { return free; }
  bool free = true;
};

class DirLocation : public SettingsLocation {
 public:
  explicit DirLocation(std::filesystem::path d) : dir(std::move(d)), userDir(dir / "user-config") {}
  std::filesystem::path ExecutableDir() const override { return dir; }
  std::filesystem::path UserConfigDir() const override { return userDir; }
  std::filesystem::path dir;
  std::filesystem::path userDir;
};

// The notification area: clicks are sent with Click.
class FakeTray : public TrayIcon {
 public:
  bool Available() const override { return available; }
  void Add(const QIcon&, const QString& tip, QMenu* m) override {
    shown = true;
    this->tip = tip;
    menu = m;
    ++adds;
  }
  void Remove() override { shown = false; }
  bool Shown() const override { return shown; }
  void Click(TrayCode code) {
    if (onActivated) onActivated(code);
  }
  bool available = true;
  bool shown = false;
  QString tip;
  QMenu* menu = nullptr;
  int adds = 0;
};

class FakeStacking : public WindowStacking {
 public:
  void SetTopmost(QWidget* window, bool on) override {
    order.push_back(window->objectName().toStdString());
    if (on)
      topmost.insert(window);
    else
      topmost.erase(window);
  }
  bool IsTopmost(const QWidget* window) const override {
    return topmost.count(const_cast<QWidget*>(window)) != 0;
  }
  void BringToForeground(QWidget* window) override { foreground.push_back(window); }
  void Raise(QWidget* window) override { raised.push_back(window); }
  bool StartSystemMove(QWidget* window) override {
    systemMoves.push_back(window);
    return systemMoveWorks;
  }
  std::set<QWidget*> topmost;
  std::vector<QWidget*> foreground;
  std::vector<QWidget*> raised;
  std::vector<QWidget*> systemMoves;
  // The windows in the order their state was set.
  std::vector<std::string> order;
  // Where it does not, the window follows the mouse by hand.
  bool systemMoveWorks = true;
};

class FakeLauncher : public ProcessLauncher {
 public:
  bool StartCommandLine(const QString& commandLine) override {
    started.push_back(commandLine);
    return succeeds;
  }
  bool OpenWithDefaultProgram(const QString& path) override {
    started.push_back(path);
    return succeeds;
  }
  std::vector<QString> started;
  bool succeeds = true;
};

using testing_support::ReadBytes;
using testing_support::SeededRandom;
using testing_support::TempDir;
using testing_support::WriteBytes;

// The program as a user meets it, against Kirim.ini in a temporary
// directory. Each start is a fresh run: a new context, as a new process
// would have, and the same start routine as main().
class AppFixture : public ::testing::Test {
 protected:
  AppFixture() : location(dir.path()) {}
  ~AppFixture() override { Stop(); }

  std::filesystem::path ini() const { return dir.path() / "Kirim.ini"; }
  std::string iniBytes() const { return ReadBytes(ini()); }
  void SetIni(const std::string& bytes) { WriteBytes(ini(), bytes); }

  // Starts the program; false when it refused to run (another copy).
  bool TryStart() {
    Stop();
    context_ = std::make_unique<AppContext>(
        Services{boxes, clock, lock, location, random, tray, stacking, launcher});
    context_->onTopmostPair = [this] { boxes.pairPending = true; };
    main = StartProgram(*context_);
    loadResult = main ? LoadResult::Running : LoadResult::Terminate;
    return main != nullptr;
  }
  FrmMain& Start() {
    const bool running = TryStart();
    EXPECT_TRUE(running) << "the program refused to start";
    if (!running) throw std::runtime_error("the program refused to start");
    return *main;
  }
  // The password dialog of the next start runs modally, as in the program:
  // script answers it once it is shown, and whatever it leaves open is
  // closed as with its close box, so that no test can hang on it.
  void WhenPasswordAsked(std::function<void(QWidget& dialog)> script) {
    QTimer::singleShot(0, [this, script = std::move(script)] {
      QWidget* dialog = context_ ? context_->windows.frmPass.data() : nullptr;
      if (!dialog || !dialog->isVisible()) return;
      ++passwordDialogsShown;
      script(*dialog);
      if (context_ && context_->windows.frmPass && dialog->isVisible()) dialog->close();
    });
  }

  // Ends the run without its shutdown, as a killed process would.
  void Stop() {
    // Closed dialogs wait for the event loop to delete them; tests have none.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.reset();
    RestoreEndSignals();
    context_.reset();
  }
  // Ends the program the way the close box does.
  void CloseMain() { main->close(); }

  // n ticks of the one-second timer, the clock moving on a second before
  // each, as the event loop would deliver them.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.Advance(1);
      main->Timer1_Timer();
    }
  }

  AppContext& ctx() const {
    if (!context_) throw std::runtime_error("the program has not been started");
    return *context_;
  }

  // A control or menu item of the main window; a missing one fails the
  // test here rather than crashing it later.
  template <typename T = QPushButton>
  T* Find(const char* name) const {
    if (!main) throw std::runtime_error("the program is not running");
    T* w = main->findChild<T*>(QString::fromLatin1(name));
    if (!w) throw std::runtime_error(std::string("no control ") + name);
    return w;
  }
  QAction* Action(const char* name) const {
    if (!main) throw std::runtime_error("the program is not running");
    for (QAction* a : main->findChildren<QAction*>(QString::fromLatin1(name)))
      if (!a->menu()) return a;
    throw std::runtime_error(std::string("no menu item ") + name);
  }

  TempDir dir;
  FakeMessageBoxes boxes;
  FakeClock clock;
  FakeLock lock;
  DirLocation location;
  SeededRandom random;
  FakeTray tray;
  FakeStacking stacking;
  FakeLauncher launcher;
  std::unique_ptr<FrmMain> main;
  LoadResult loadResult = LoadResult::Running;
  int passwordDialogsShown = 0;

 private:
  std::unique_ptr<AppContext> context_;
};

}  // namespace kirimo::testing
