#pragma once
// The main window: ten memo buttons with their reset buttons, the command
// buttons, the menu bar and the one-second timer. It lays the controls out,
// hands them to the subsystems through the context, and connects each to
// its command; the commands themselves live with their subsystems.

#include <QMainWindow>

#include "app/Startup.h"

class QAction;
class QMenu;
class QPushButton;

namespace kirimo {

struct AppContext;

class FrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit FrmMain(AppContext& ctx);
  ~FrmMain() override;

  LoadResult Form_Load();

 public slots:
  void cmdMemo_Click(int slot);
  void mnuMemo_Click(int slot);
  void cmdReset_Click(int slot);
  void mnuReset_Click(int slot);
  void cmdAllReset_Click();
  void cmdClear_Click();
  void mnuClipClear_Click();
  void cmdWup_Click();
  void cmdWdown_Click();
  void cmdHdown_Click();
  void cmdHup_Click();
  void cmdTemae_Click();
  void cmdTime_Click();
  void cmdFont_Click();
  void mnuWindowOn_Click();
  void mnuWClose_Click();
  void mnuClear_Click();
  void mnuMidle_Click();
  void mnuTemae_Click();
  void mnuTemaeKaijo_Click();
  void mnuTokei_Click();
  void mnuFukki_Click(size_t item);
  void mnuWindowHyouji_Click();
  void mnuWindowHihyouji_Click();
  void mnuTime_Click(size_t item);
  void cmdTask_Click();
  void cmdEnd_Click();
  void mnuEnd_Click();
  void mnuPass_Click();
  void mnuFusei_Click();
  void mnuHelp_Click();
  void mnuVersion_Click();
  void Timer1_Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void ConnectCommands();

  AppContext& ctx_;
};

}  // namespace kirimo
