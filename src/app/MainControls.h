#pragma once
// The main window's controls, grouped by the subsystem that owns them. The
// main window creates and lays them out; the context hands them to the
// subsystems, which set their captions, check marks and enabled states.
// Nothing outside app/ needs the window class itself.

#include <array>

#include "app/AppState.h"
#include "window/WindowTables.h"

class QAction;
class QMenu;
class QPushButton;
class QTimer;

namespace kirimo {

// Slots 1..10 (index 0 unused).
template <typename T>
using PerSlot = std::array<T*, kSlotCount + 1>;

struct ShellControls {
  QPushButton* cmdTask = nullptr;
  QPushButton* cmdEnd = nullptr;
  QAction* mnuEnd = nullptr;
  QTimer* Timer1 = nullptr;
};

struct MemoControls {
  PerSlot<QPushButton> cmdMemo{};
  PerSlot<QPushButton> cmdReset{};
  PerSlot<QAction> mnuMemo{};
  PerSlot<QAction> mnuReset{};
  QPushButton* cmdAllReset = nullptr;
  QPushButton* cmdClear = nullptr;
  QAction* mnuClipClear = nullptr;
};

struct WindowControls {
  // "ウインドウ": the menu bar's first menu, also the popup of the tray icon
  // and of the floating window.
  QMenu* mnuWindow = nullptr;
  std::array<QPushButton*, kSizeButtons.size()> sizeButtons{};  // kSizeButtons order
  QPushButton* cmdTemae = nullptr;
  QPushButton* cmdTime = nullptr;
  QPushButton* cmdFont = nullptr;
  QAction* mnuWindowOn = nullptr;
  QAction* mnuWClose = nullptr;
  QAction* mnuClear = nullptr;
  QAction* mnuMidle = nullptr;
  QAction* mnuTemae = nullptr;
  QAction* mnuTemaeKaijo = nullptr;
  QAction* mnuTokei = nullptr;
  std::array<QAction*, kAutoReturnItems.size()> mnuFukki{};  // kAutoReturnItems order
  QAction* mnuWindowHyouji = nullptr;
  QAction* mnuWindowHihyouji = nullptr;
  std::array<QAction*, kClockFormatItems.size()> mnuTime{};  // kClockFormatItems order
};

struct LockControls {
  QAction* mnuPass = nullptr;
  QAction* mnuFusei = nullptr;
};

struct AboutControls {
  QAction* mnuHelp = nullptr;
  QAction* mnuVersion = nullptr;
};

struct MainControls {
  ShellControls shell;
  MemoControls memos;
  WindowControls window;
  LockControls lock;
  AboutControls about;
};

}  // namespace kirimo
