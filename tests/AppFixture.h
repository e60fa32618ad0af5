#pragma once
// Test doubles for the desktop seams and a fixture that runs the real main
// window against a settings file in a temporary directory.

#include <gtest/gtest.h>

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QPushButton>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "support/Files.h"
#include "support/SeededRandom.h"

namespace kirimo::testing {

struct ShownBox {
  QString text;
  MsgIcon icon;
  MsgButtons buttons;
  bool systemModal;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                 bool systemModal) override {
    shown.push_back({text, icon, buttons, systemModal});
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
};

class FakeClock : public Clock {
 public:
  QDateTime Now() const override { return now; }
  QDateTime now{QDate(2026, 3, 4), QTime(5, 6, 7)};
};

class FakeLock : public InstanceLock {
 public:
  bool TryAcquire() override { return free; }
  bool free = true;
};

class DirLocation : public SettingsLocation {
 public:
  explicit DirLocation(std::filesystem::path d) : dir(std::move(d)) {}
  std::filesystem::path ExecutableDir() const override { return dir; }
  std::filesystem::path dir;
};

using testing_support::ReadBytes;
using testing_support::SeededRandom;
using testing_support::TempDir;
using testing_support::WriteBytes;

// The program as a user meets it, against Kirim.ini in a temporary directory.
class AppFixture : public ::testing::Test {
 protected:
  AppFixture() : location(dir.path()), ctx(Services{boxes, clock, lock, location, random}) {}

  std::filesystem::path ini() const { return dir.path() / "Kirim.ini"; }
  std::string iniBytes() const { return ReadBytes(ini()); }
  void SetIni(const std::string& bytes) { WriteBytes(ini(), bytes); }

  FrmMain& Start() {
    main = std::make_unique<FrmMain>(ctx);
    loadResult = main->Form_Load();
    return *main;
  }
  // Ends the program the way the close box does.
  void CloseMain() { main->close(); }

  template <typename T = QPushButton>
  T* Find(const char* name) const {
    T* w = main->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QAction* Action(const char* name) const {
    for (QAction* a : main->findChildren<QAction*>(QString::fromLatin1(name)))
      if (!a->menu()) return a;
    ADD_FAILURE() << name;
    return nullptr;
  }

  TempDir dir;
  FakeMessageBoxes boxes;
  FakeClock clock;
  FakeLock lock;
  DirLocation location;
  SeededRandom random;
  AppContext ctx;
  std::unique_ptr<FrmMain> main;
  LoadResult loadResult = LoadResult::Running;
};

}  // namespace kirimo::testing
