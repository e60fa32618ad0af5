#pragma once
// What every part of the program shares: the state, the desktop seams and
// the windows. One object for the whole run, created by main() (or a test).

#include <filesystem>
#include <string>

#include "app/AppState.h"
#include "app/Platform.h"
#include "cipher/RandomSource.h"

namespace kirimo {

class FrmMain;

struct Services {
  MessageBoxes& messages;
  Clock& clock;
  InstanceLock& instanceLock;
  SettingsLocation& location;
  RandomSource& random;
};

struct AppContext {
  explicit AppContext(Services s) : services(s) {}
  AppState state;
  Services services;
  FrmMain* frmMain = nullptr;
};

// Sets SettingsDir for the running operation and forgets it again when the
// operation ends, on every path out of it.
class SettingsPathScope {
 public:
  explicit SettingsPathScope(AppContext& ctx);
  ~SettingsPathScope();
  SettingsPathScope(const SettingsPathScope&) = delete;
  SettingsPathScope& operator=(const SettingsPathScope&) = delete;
  const std::filesystem::path& file() const { return file_; }

 private:
  AppContext& ctx_;
  std::filesystem::path file_;
};

// Every message box of the program: the always-on-top windows step back
// for the time of the box.
MsgAnswer ShowMessage(AppContext& ctx, const QString& text, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok);

}  // namespace kirimo
