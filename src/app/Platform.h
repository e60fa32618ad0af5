#pragma once
// The narrow seams through which the program meets the desktop. Each has one
// real implementation (QtPlatform.h); tests put their own in.

#include <QDateTime>
#include <QString>
#include <filesystem>

namespace kirimo {

enum class MsgIcon { Warning, Information, Question };
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
  // The directory that holds Kirim.ini: the executable's own.
  virtual std::filesystem::path ExecutableDir() const = 0;
};

}  // namespace kirimo
