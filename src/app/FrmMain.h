#pragma once
// The main window: ten memo buttons with their reset buttons, the command
// buttons, the menu bar and the one-second timer. Its load and close
// routines are the program's start-up and shutdown (Startup.cpp).

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <set>
#include <string>

#include "app/AppState.h"

class QAction;
class QMenu;
class QPushButton;
class QTimer;

namespace kirimo {

struct AppContext;

enum class LoadResult { Running, Terminate };

class FrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmMain(AppContext& ctx);
  ~FrmMain() override;

  // Start-up. Terminate means the process must end at once (another copy
  // runs); nothing has been read or written then.
  LoadResult Form_Load();

  void SetSlotCaptions(int slot, const QString& title);
  void SetEmptySlotCaptions(int slot);

  QMenu* windowMenu() const { return mnuWindow; }
  QAction* windowClearItem() const { return mnuClear; }
  QTimer* timer() const { return Timer1; }

 public slots:
  void cmdMemo_Click(int slot);
  void mnuMemo_Click(int slot);
  void cmdReset_Click(int slot);
  void cmdAllReset_Click();
  void cmdClear_Click();
  void cmdEnd_Click();
  void cmdTime_Click();
  void cmdTask_Click();
  void Timer1_Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption);
  void AddSeparator(QMenu* menu, const char* name);

  void RunStartupSteps(const std::filesystem::path& file);
  void PlaceWindow(const std::filesystem::path& file);
  // Replaces a stored text by its plain form; false when it could not be decoded.
  bool DecodeInPlace(std::u16string& text);
  void Form_QueryUnload();
  void Form_Unload();
  void UnloadOtherWindows();

  AppContext& ctx_;
  bool unloaded_ = false;
  // Shutdown writes back only what start-up actually read (or made), so a
  // failed start-up cannot overwrite stored settings with empty defaults.
  std::set<std::u16string> keysRead_;
  // "LEFT" (1) or "LEFT" and "TOP" (2) of "frmMain", as far as start-up got.
  int positionKeysToSave_ = 0;
  // The number whose stored value start-up could not use, if any.
  std::u16string unusableKey_;

  std::array<QPushButton*, kSlotCount + 1> cmdMemo{};
  std::array<QPushButton*, kSlotCount + 1> cmdReset{};
  QPushButton *cmdWup, *cmdWdown, *cmdHdown, *cmdHup;
  QPushButton *cmdAllReset, *cmdTemae, *cmdTime, *cmdFont, *cmdClear, *cmdTask, *cmdEnd;
  QTimer* Timer1;

  QMenu *mnuWindow, *mnuFukki, *mnuReset, *mnuClipboardClear, *mnuTool, *mnuTime, *mnuHelp1;
  QAction *mnuWindowOn, *mnuWClose, *mnuClear, *mnuMidle, *mnuTemae, *mnuTemaeKaijo, *mnuTokei;
  QAction *mnuFukki15, *mnuFukki30, *mnuFukki1m, *mnuFukki3m, *mnuFukki10m, *mnuFukkiNasi;
  std::array<QAction*, kSlotCount + 1> mnuMemo{};
  std::array<QAction*, kSlotCount + 1> mnuResetN{};
  QAction *mnuClipClear, *mnuEnd;
  QAction *mnuWindowHyouji, *mnuWindowHihyouji, *mnuPass, *mnuFusei;
  QAction *mnuTime1, *mnuTime2, *mnuTime3;
  QAction *mnuHelp, *mnuVersion;
};

}  // namespace kirimo
