#pragma once
// The real desktop behind the seams of Platform.h.

#include <QLockFile>
#include <memory>

#include "app/Platform.h"

namespace kirimo {

class QtMessageBoxes final : public MessageBoxes {
 public:
  MsgAnswer Show(const QString& text, MsgIcon icon, MsgButtons buttons,
                 bool systemModal) override;
  void Beep() override;
};

class SystemClock final : public Clock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// A per-user lock file in the runtime (or temporary) directory. A copy that
// crashed leaves a file whose owner is gone; QLockFile takes that over.
class UserInstanceLock final : public InstanceLock {
 public:
  bool TryAcquire() override;

 private:
  std::unique_ptr<QLockFile> lock_;
};

class ExecutableSettingsLocation final : public SettingsLocation {
 public:
  std::filesystem::path ExecutableDir() const override;
};

}  // namespace kirimo
