#include "app/FrmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "about/FrmAbout.h"
#include "about/Readme.h"
#include "app/AppContext.h"
#include "app/ElidingButton.h"
#include "app/Keyboard.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "lock/Lock.h"
#include "memos/MemoCommands.h"
#include "memos/Slots.h"
#include "window/FloatingWindow.h"
#include "window/Topmost.h"
#include "window/WindowTables.h"

// The pictures live in a static library, whose resource registration the
// linker would drop unless something refers to it.
static void InitKirimoResources() { Q_INIT_RESOURCE(resources); }

namespace kirimo {

namespace {

// Client area of the main window, in twips.
constexpr int kClientWidth = 8310;
constexpr int kClientHeight = 4395;

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// The window's and the tray's icon, in every size a desktop may ask for, so
// that no size is scaled from another.
QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/kirimo/icons/kirimo-%1.png").arg(size), QSize(size, size));
  return icon;
}

QByteArray NumberedName(const char* stem, int n) {
  return QByteArray(stem) + QByteArray::number(n);
}

}  // namespace

FrmMain::FrmMain(AppContext& ctx) : QMainWindow(nullptr), ctx_(ctx) {
  InitKirimoResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Kirimo"));
  setWindowIcon(ApplicationIcon());
  // A fixed single border with a close box and nothing to minimise or
  // maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  BuildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  ctx_.windows.frmMain = this;

  QTimer* timer = new QTimer(this);
  timer->setObjectName(QStringLiteral("Timer1"));
  timer->setInterval(1000);
  ctx_.ui.shell.Timer1 = timer;
  ConnectCommands();
  InstallKeyboardAccess(this);
  timer->start();
}

FrmMain::~FrmMain() {
  if (ctx_.windows.frmMain != this) return;
  ctx_.windows.frmMain = nullptr;
  // The controls go with the window; nothing may reach them afterwards.
  ctx_.ui = MainControls{};
}

LoadResult FrmMain::Form_Load() { return MainFormLoad(ctx_); }

void FrmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  setCentralWidget(client);

  MemoControls& memos = ctx_.ui.memos;
  WindowControls& window = ctx_.ui.window;
  ShellControls& shell = ctx_.ui.shell;

  // Buttons in the order of their tab index.
  std::array<QWidget*, 31> tabOrder{};
  auto button = [&](const char* name, const QString& caption, QRect twips, int tab,
                    bool eliding = false) {
    auto* b = eliding ? new ElidingButton(caption, client) : new QPushButton(caption, client);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(TwipsRect(twips));
    b->setAutoDefault(false);
    tabOrder[tab] = b;
    return b;
  };

  for (int n = 1; n <= kSlotCount; ++n) {
    const int row = (n - 1) % 5;
    const int top = 120 + row * 600;
    const bool right = n > 5;
    memos.cmdMemo[n] =
        button(NumberedName("cmdMemo", n), EmptyMemoCaption(n),
               QRect(right ? 4200 : 120, top, 2895, 375), right ? 5 + row : row, true);
    memos.cmdReset[n] =
        button(NumberedName("cmdReset", n), QStringLiteral("リセット"),
               QRect(right ? 7080 : 3000, top, 1095, 375), right ? 15 + row : 10 + row);
  }

  for (size_t i = 0; i < kSizeButtons.size(); ++i) {
    const SizeButton& size = kSizeButtons[i];
    QPushButton* b = button(size.name, QString(), QRect(size.left, 3120, 495, 495), size.tab);
    // Both pictures: a high-DPI screen takes the 32-pixel one rather than
    // the 16-pixel one scaled up.
    const QString picture = QString::fromLatin1(size.picture);
    QIcon icon;
    icon.addFile(QStringLiteral(":/kirimo/") + picture + QStringLiteral(".xpm"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/kirimo/") + picture + QStringLiteral("32.xpm"), QSize(32, 32));
    b->setIcon(icon);
    b->setIconSize(QSize(16, 16));
    b->setToolTip(Text(size.tip));
    // A screen reader has no caption to read.
    b->setAccessibleName(Text(size.tip));
    window.sizeButtons[i] = b;
  }

  memos.cmdAllReset =
      button("cmdAllReset", QStringLiteral("オールリセット"), QRect(2160, 3120, 1935, 495), 21);
  window.cmdTemae =
      button("cmdTemae", QStringLiteral("常に手前に表示"), QRect(4200, 3120, 1935, 495), 26);
  window.cmdTime = button("cmdTime", QStringLiteral("日付/時間"), QRect(6240, 3120, 1935, 495), 28);
  window.cmdFont =
      button("cmdFont", QStringLiteral("フォントサイズ 12"), QRect(120, 3720, 1935, 495), 30);
  memos.cmdClear = button("cmdClear", QStringLiteral("クリップボードクリアー"),
                          QRect(2160, 3720, 1935, 495), 29);
  shell.cmdTask =
      button("cmdTask", QStringLiteral("タスクトレイに常駐"), QRect(4200, 3720, 1935, 495), 27);
  shell.cmdEnd = button("cmdEnd", QStringLiteral("終了"), QRect(6240, 3720, 1935, 495), 20);

  for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void FrmMain::BuildMenus() {
  MemoControls& memos = ctx_.ui.memos;
  WindowControls& window = ctx_.ui.window;
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  auto topMenu = [&](const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
  };
  auto subMenu = [&](QMenu* parent, const char* name, const QString& caption) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
  };

  QMenu* mnuWindow = topMenu("mnuWindow", QStringLiteral("ウインドウ"));
  window.mnuWindow = mnuWindow;
  window.mnuWindowOn = AddItem(mnuWindow, "mnuWindowOn", QStringLiteral("ウインドウを表示"));
  window.mnuWClose = AddItem(mnuWindow, "mnuWClose", QStringLiteral("ウインドウを閉じる"));
  window.mnuClear = AddItem(mnuWindow, "mnuClear", QStringLiteral("ウインドウクリアー"));
  window.mnuMidle = AddItem(mnuWindow, "mnuMidle", QStringLiteral("ウインドウを中央に移動"));
  AddSeparator(mnuWindow, "Sep1");
  window.mnuTemae = AddItem(mnuWindow, "mnuTemae", QStringLiteral("常に手前に表示(ウインドウ)"));
  window.mnuTemaeKaijo =
      AddItem(mnuWindow, "mnuTemaeKaijo", QStringLiteral("常に手前に表示解除(ウインドウ)"));
  AddSeparator(mnuWindow, "Sep2");
  window.mnuTokei = AddItem(mnuWindow, "mnuTokei", QStringLiteral("日付/時計"));
  AddSeparator(mnuWindow, "Sep3");
  QMenu* mnuFukki = subMenu(mnuWindow, "mnuFukki", QStringLiteral("自動日付/時計復帰"));
  for (size_t i = 0; i < kAutoReturnItems.size(); ++i)
    window.mnuFukki[i] =
        AddItem(mnuFukki, kAutoReturnItems[i].name, Text(kAutoReturnItems[i].caption));
  AddSeparator(mnuWindow, "Sep4");
  for (int n = 1; n <= kSlotCount; ++n)
    memos.mnuMemo[n] = AddItem(mnuWindow, NumberedName("mnuMemo", n), EmptyMemoCaption(n));
  AddSeparator(mnuWindow, "Sep5");
  QMenu* mnuReset = subMenu(mnuWindow, "mnuReset", QStringLiteral("リセット"));
  for (int n = 1; n <= kSlotCount; ++n)
    memos.mnuReset[n] = AddItem(mnuReset, NumberedName("mnuReset", n), EmptyResetMenuCaption(n));
  AddSeparator(mnuWindow, "Sep6");
  QMenu* mnuClipboardClear =
      subMenu(mnuWindow, "mnuClipboardClear", QStringLiteral("クリップボードクリアー"));
  memos.mnuClipClear =
      AddItem(mnuClipboardClear, "mnuClipClear", QStringLiteral("クリップボードクリアー"));
  AddSeparator(mnuWindow, "Sep7");
  ctx_.ui.shell.mnuEnd = AddItem(mnuWindow, "mnuEnd", QStringLiteral("終了"));

  QMenu* mnuTool = topMenu("mnuTool", QStringLiteral("ツール"));
  window.mnuWindowHyouji = AddItem(mnuTool, "mnuWindowHyouji",
                                   QStringLiteral("題名クリック時ウインドウを表示可能にする"));
  window.mnuWindowHihyouji = AddItem(mnuTool, "mnuWindowHihyouji",
                                     QStringLiteral("題名クリック時ウインドウを表示不可にする"));
  ctx_.ui.lock.mnuPass =
      AddItem(mnuTool, "mnuPass", QStringLiteral("起動時にパスワードを要求する"));
  ctx_.ui.lock.mnuFusei =
      AddItem(mnuTool, "mnuFusei", QStringLiteral("不正な閲覧を試みた場合データをすべて消去する"));

  QMenu* mnuTime = topMenu("mnuTime", QStringLiteral("日付/時計"));
  for (size_t i = 0; i < kClockFormatItems.size(); ++i)
    window.mnuTime[i] =
        AddItem(mnuTime, kClockFormatItems[i].name, Text(kClockFormatItems[i].caption));

  QMenu* mnuHelp1 = topMenu("mnuHelp1", QStringLiteral("ヘルプ"));
  ctx_.ui.about.mnuHelp = AddItem(mnuHelp1, "mnuHelp", QStringLiteral("ヘルプ"));
  AddSeparator(mnuHelp1, "Sep8");
  ctx_.ui.about.mnuVersion = AddItem(mnuHelp1, "mnuVersion", QStringLiteral("バージョン"));

  // Items that can carry a check mark.
  for (QAction* a : window.mnuFukki) a->setCheckable(true);
  for (QAction* a : window.mnuTime) a->setCheckable(true);
  for (QAction* a : {window.mnuWindowHyouji, window.mnuWindowHihyouji, ctx_.ui.lock.mnuPass,
                     ctx_.ui.lock.mnuFusei})
    a->setCheckable(true);
}

// Every button and menu item and the command it starts, in the order of
// the command tables. The rest arrive with the floating window and the
// lock.
void FrmMain::ConnectCommands() {
  const MemoControls& memos = ctx_.ui.memos;
  const WindowControls& window = ctx_.ui.window;
  const ShellControls& shell = ctx_.ui.shell;
  auto onClick = [this](QPushButton* b, void (FrmMain::*slot)()) {
    connect(b, &QPushButton::clicked, this, slot);
  };
  auto onTrigger = [this](QAction* a, void (FrmMain::*slot)()) {
    connect(a, &QAction::triggered, this, slot);
  };

  // Buttons.
  for (int n = 1; n <= kSlotCount; ++n) {
    connect(memos.cmdMemo[n], &QPushButton::clicked, this, [this, n] { cmdMemo_Click(n); });
    connect(memos.cmdReset[n], &QPushButton::clicked, this, [this, n] { cmdReset_Click(n); });
  }
  onClick(memos.cmdAllReset, &FrmMain::cmdAllReset_Click);
  onClick(memos.cmdClear, &FrmMain::cmdClear_Click);
  static_assert(
      kSizeButtons[0].step == SizeStep::kWider && kSizeButtons[1].step == SizeStep::kNarrower &&
      kSizeButtons[2].step == SizeStep::kLower && kSizeButtons[3].step == SizeStep::kTaller);
  onClick(window.sizeButtons[0], &FrmMain::cmdWup_Click);
  onClick(window.sizeButtons[1], &FrmMain::cmdWdown_Click);
  onClick(window.sizeButtons[2], &FrmMain::cmdHdown_Click);
  onClick(window.sizeButtons[3], &FrmMain::cmdHup_Click);
  onClick(window.cmdTemae, &FrmMain::cmdTemae_Click);
  onClick(window.cmdTime, &FrmMain::cmdTime_Click);
  onClick(window.cmdFont, &FrmMain::cmdFont_Click);
  onClick(shell.cmdTask, &FrmMain::cmdTask_Click);
  onClick(shell.cmdEnd, &FrmMain::cmdEnd_Click);

  // Menu items.
  onTrigger(window.mnuWindowOn, &FrmMain::mnuWindowOn_Click);
  onTrigger(window.mnuWClose, &FrmMain::mnuWClose_Click);
  onTrigger(window.mnuClear, &FrmMain::mnuClear_Click);
  onTrigger(window.mnuMidle, &FrmMain::mnuMidle_Click);
  onTrigger(window.mnuTemae, &FrmMain::mnuTemae_Click);
  onTrigger(window.mnuTemaeKaijo, &FrmMain::mnuTemaeKaijo_Click);
  onTrigger(window.mnuTokei, &FrmMain::mnuTokei_Click);
  for (size_t i = 0; i < window.mnuFukki.size(); ++i)
    connect(window.mnuFukki[i], &QAction::triggered, this, [this, i] { mnuFukki_Click(i); });
  for (int n = 1; n <= kSlotCount; ++n) {
    connect(memos.mnuMemo[n], &QAction::triggered, this, [this, n] { mnuMemo_Click(n); });
    connect(memos.mnuReset[n], &QAction::triggered, this, [this, n] { mnuReset_Click(n); });
  }
  onTrigger(memos.mnuClipClear, &FrmMain::mnuClipClear_Click);
  onTrigger(shell.mnuEnd, &FrmMain::mnuEnd_Click);
  onTrigger(window.mnuWindowHyouji, &FrmMain::mnuWindowHyouji_Click);
  onTrigger(window.mnuWindowHihyouji, &FrmMain::mnuWindowHihyouji_Click);
  for (size_t i = 0; i < window.mnuTime.size(); ++i)
    connect(window.mnuTime[i], &QAction::triggered, this, [this, i] { mnuTime_Click(i); });
  onTrigger(ctx_.ui.lock.mnuPass, &FrmMain::mnuPass_Click);
  onTrigger(ctx_.ui.lock.mnuFusei, &FrmMain::mnuFusei_Click);
  onTrigger(ctx_.ui.about.mnuHelp, &FrmMain::mnuHelp_Click);
  onTrigger(ctx_.ui.about.mnuVersion, &FrmMain::mnuVersion_Click);

  connect(shell.Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
}

void FrmMain::cmdMemo_Click(int slot) { RecallSlot(ctx_, slot); }
void FrmMain::mnuMemo_Click(int slot) { RecallSlotFromMenu(ctx_, slot); }
void FrmMain::cmdReset_Click(int slot) { ResetSlot(ctx_, slot); }
void FrmMain::mnuReset_Click(int slot) { cmdReset_Click(slot); }
void FrmMain::cmdAllReset_Click() { AllReset(ctx_); }
void FrmMain::cmdClear_Click() { ClearClipboard(ctx_); }
void FrmMain::mnuClipClear_Click() { cmdClear_Click(); }
void FrmMain::cmdWup_Click() { ResizeFloatingWindow(ctx_, SizeStep::kWider); }
void FrmMain::cmdWdown_Click() { ResizeFloatingWindow(ctx_, SizeStep::kNarrower); }
void FrmMain::cmdHdown_Click() { ResizeFloatingWindow(ctx_, SizeStep::kLower); }
void FrmMain::cmdHup_Click() { ResizeFloatingWindow(ctx_, SizeStep::kTaller); }
void FrmMain::cmdTemae_Click() { ToggleMainTopmost(ctx_); }
void FrmMain::cmdTime_Click() { ToggleClock(ctx_); }
void FrmMain::cmdFont_Click() { StepFontSize(ctx_); }
void FrmMain::mnuWindowOn_Click() { WindowOn(ctx_); }
void FrmMain::mnuWClose_Click() { WindowClose(ctx_); }
void FrmMain::mnuClear_Click() { WindowClear(ctx_); }
void FrmMain::mnuMidle_Click() { WindowCentre(ctx_); }
void FrmMain::mnuTemae_Click() { WindowTopmostOn(ctx_); }
void FrmMain::mnuTemaeKaijo_Click() { WindowTopmostOff(ctx_); }
void FrmMain::mnuTokei_Click() { ForceClock(ctx_); }
void FrmMain::mnuFukki_Click(size_t item) { ChooseAutoReturn(ctx_, item); }
void FrmMain::mnuWindowHyouji_Click() { AllowTitleClickDisplay(ctx_); }
void FrmMain::mnuWindowHihyouji_Click() { ForbidTitleClickDisplay(ctx_); }
void FrmMain::mnuTime_Click(size_t item) { ChooseClockFormat(ctx_, item); }
void FrmMain::cmdTask_Click() { HideMainWindow(ctx_); }
void FrmMain::cmdEnd_Click() { EndProgram(ctx_); }
void FrmMain::mnuEnd_Click() { cmdEnd_Click(); }
void FrmMain::mnuPass_Click() { SwitchStartupPassword(ctx_); }
void FrmMain::mnuFusei_Click() { SwitchWipeOption(ctx_); }
void FrmMain::mnuHelp_Click() { OpenReadme(ctx_); }
void FrmMain::mnuVersion_Click() { ShowAboutBox(ctx_); }

void FrmMain::Timer1_Timer() { ClockTick(ctx_); }

void FrmMain::closeEvent(QCloseEvent* event) {
  // However the close comes (close box, end command, logout), shutdown
  // saves once; a close after a logout's save finds nothing left to save.
  MainFormQueryUnload(ctx_);
  MainFormUnload(ctx_);
  event->accept();
}

}  // namespace kirimo
