#pragma once
// What every part of the program shares: the state, the desktop seams, the
// main window's controls and the program's windows. One object for the
// whole run, created by main() (or a test).

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "app/AppState.h"
#include "app/MainControls.h"
#include "app/Platform.h"
#include "app/StartupRecord.h"
#include "cipher/RandomSource.h"

namespace kirimo {

struct Services {
  MessageBoxes& messages;
  Clock& clock;
  InstanceLock& instanceLock;
  SettingsLocation& location;
  RandomSource& random;
  TrayIcon& tray;
  WindowStacking& stacking;
  ProcessLauncher& launcher;
};

// The program's windows. The main window lives for the whole run; the
// others exist only while they are shown, and their pointers clear
// themselves when they go.
struct WindowRegistry {
  QWidget* frmMain = nullptr;
  QPointer<QWidget> frmAbout;
  QPointer<QWidget> frmInput;
  QPointer<QWidget> frmWindow;
  QPointer<QWidget> frmPass;
  // Set while the program unloads its windows at the end.
  bool ending = false;

  // The windows besides the main one, in the order the end unloads them.
  std::array<QPointer<QWidget>*, 4> Others() {
    return {&frmAbout, &frmInput, &frmWindow, &frmPass};
  }
};

struct AppContext {
  explicit AppContext(Services s) : services(s) {}
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  AppState state;
  Services services;
  MainControls ui;
  WindowRegistry windows;
  StartupRecord startup;
  // Told of each box shown between SuspendTopmost and RestoreTopmost, for
  // tests that check which boxes step in front of the always-on-top windows.
  std::function<void()> onTopmostPair;
};

// Closes every window but the main one, in the end's order; a window that
// is not loaded is skipped.
void UnloadOtherWindows(AppContext& ctx);

enum class BoxStyle {
  kNormal,             // between SuspendTopmost and RestoreTopmost
  kSystemModal,        // the same, and above every program's windows
  kWithoutTopmostPair  // the always-on-top windows stay as they are
};

// Every message box of the program goes through here: the always-on-top
// windows step back for the time of the box, unless the style says not to.
MsgAnswer ShowMessage(AppContext& ctx, const QString& text, MsgIcon icon,
                      MsgButtons buttons = MsgButtons::Ok, BoxStyle style = BoxStyle::kNormal);

}  // namespace kirimo
