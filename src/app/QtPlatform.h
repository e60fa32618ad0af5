#pragma once
// The real desktop behind the seams of Platform.h.

#include <QLockFile>
#include <memory>

#include "app/Platform.h"
#include "cipher/RandomSource.h"

class QSystemTrayIcon;

namespace kirimo {

class QtMessageBoxes final : public MessageBoxes {
 public:
  MsgAnswer Show(const QString& text, MsgIcon icon, MsgButtons buttons, bool systemModal) override;
  void Beep() override;
};

class SystemClock final : public Clock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// One running copy per user, whatever the environment says. A copy that
// crashed leaves nothing that keeps the next one out.
class UserInstanceLock final : public InstanceLock {
 public:
  UserInstanceLock() = default;
  ~UserInstanceLock() override;
  UserInstanceLock(const UserInstanceLock&) = delete;
  UserInstanceLock& operator=(const UserInstanceLock&) = delete;
  bool TryAcquire() override;

 private:
  int descriptor_ = -1;              // Linux: the bound socket
  void* handle_ = nullptr;           // Windows: the mutex
  std::unique_ptr<QLockFile> lock_;  // elsewhere
};

class ExecutableSettingsLocation final : public SettingsLocation {
 public:
  std::filesystem::path ExecutableDir() const override;
  std::filesystem::path UserConfigDir() const override;
};

// QSystemTrayIcon, made when the icon is first shown.
class QtTrayIcon final : public TrayIcon {
 public:
  QtTrayIcon();
  ~QtTrayIcon() override;
  bool Available() const override;
  void Add(const QIcon& icon, const QString& tip, QMenu* menu) override;
  void Remove() override;
  bool Shown() const override;

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

// Always-on-top through the window's handle: QWidget::setWindowFlag would
// hide and re-create the window.
class QtWindowStacking final : public WindowStacking {
 public:
  void SetTopmost(QWidget* window, bool on) override;
  bool IsTopmost(const QWidget* window) const override;
  void BringToForeground(QWidget* window) override;
  void Raise(QWidget* window) override;
  bool StartSystemMove(QWidget* window) override;
};

class QtProcessLauncher final : public ProcessLauncher {
 public:
  bool StartCommandLine(const QString& commandLine) override;
  bool OpenWithDefaultProgram(const QString& path) override;
};

// The real desktop for main(), all in one place.
struct DesktopServices {
  QtMessageBoxes messages;
  SystemClock clock;
  UserInstanceLock instanceLock;
  ExecutableSettingsLocation location;
  SystemRandomSource random;
  QtTrayIcon tray;
  QtWindowStacking stacking;
  QtProcessLauncher launcher;
};

}  // namespace kirimo
