#pragma once
// The narrow seams through which the program meets the desktop. Each has one
// real implementation (QtPlatform.h); tests put their own in.

#include <QDateTime>
#include <QString>
#include <filesystem>
#include <functional>

#include "cipher/Failure.h"

class QIcon;
class QMenu;
class QWidget;

namespace kirimo {

enum class MsgButtons { Ok, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the button chosen. A system-modal box
  // stays above every other window.
  virtual MsgAnswer Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                         bool systemModal = false) = 0;
  virtual void Beep() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;
};

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when this is the only running copy for this user; the lock is then
  // held until the object goes away.
  virtual bool TryAcquire() = 0;
};

class SettingsLocation {
 public:
  virtual ~SettingsLocation() = default;
  // The executable's own directory: Kirim.ini's home where it can be
  // written there, and the readme's.
  virtual std::filesystem::path ExecutableDir() const = 0;
  // The user's own configuration directory for the program (it may not
  // exist yet), for copies that cannot write beside themselves.
  virtual std::filesystem::path UserConfigDir() const = 0;
};

// The notification-area icon. The desktop's clicks arrive as the codes of
// the original mouse messages, so the tray's table reads the same here.
enum class TrayCode { kLeftDown = 513, kRightDown = 516, kRightUp = 517 };

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  // False on a desktop without a notification area (for now).
  virtual bool Available() const = 0;
  // Shows the icon with its tip and menu; showing a shown icon does nothing.
  virtual void Add(const QIcon& icon, const QString& tip, QMenu* menu) = 0;
  virtual void Remove() = 0;
  virtual bool Shown() const = 0;
  // Called with each click on the icon.
  std::function<void(TrayCode)> onActivated;
};

// Always-on-top and the foreground, without hiding, moving or re-creating
// the window; and the desktop's own move of a window by the mouse.
class WindowStacking {
 public:
  virtual ~WindowStacking() = default;
  virtual void SetTopmost(QWidget* window, bool on) = 0;
  virtual bool IsTopmost(const QWidget* window) const = 0;
  virtual void BringToForeground(QWidget* window) = 0;
  // Puts the window above the others of its band, without taking the focus.
  virtual void Raise(QWidget* window) = 0;
  // Lets the desktop move the window with the mouse until the button goes
  // up, as a title bar does; false where it cannot.
  virtual bool StartSystemMove(QWidget* window) = 0;
};

// Starting the text editor on the readme.
class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Runs a command line (Windows: "Notepad <file>"); false when it could not
  // be started.
  virtual bool StartCommandLine(const QString& commandLine) = 0;
  // Opens a file with the desktop's default program for it.
  virtual bool OpenWithDefaultProgram(const QString& path) = 0;
};

}  // namespace kirimo
