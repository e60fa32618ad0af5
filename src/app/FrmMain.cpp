#include "app/FrmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "app/AppContext.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "memos/MemoCommands.h"
#include "memos/Slots.h"
#include "window/FloatingWindow.h"

// The pictures live in a static library, whose resource registration the
// linker would drop unless something refers to it.
static void InitKirimoResources() { Q_INIT_RESOURCE(resources); }

namespace kirimo {

namespace {

// Client area of the main window, in twips.
constexpr int kClientWidth = 8310;
constexpr int kClientHeight = 4395;

}  // namespace

FrmMain::FrmMain(AppContext& ctx) : QMainWindow(nullptr), ctx_(ctx) {
  InitKirimoResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Kirimo"));
  setWindowIcon(QIcon(QStringLiteral(":/kirimo/app.xpm")));
  // A fixed single border with a close box and nothing to minimise or
  // maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  BuildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  layout()->activate();
  ctx_.frmMain = this;

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
  Timer1->start();
}

FrmMain::~FrmMain() {
  if (ctx_.frmMain == this) ctx_.frmMain = nullptr;
}

void FrmMain::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  setCentralWidget(client);

  // Buttons in the order of their tab index.
  std::array<QWidget*, 31> tabOrder{};
  auto button = [&](const char* name, const QString& caption, QRect twips, int tab) {
    auto* b = new QPushButton(caption, client);
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
    cmdMemo[n] = button(QStringLiteral("cmdMemo%1").arg(n).toLatin1().constData(),
                        EmptyMemoCaption(n), QRect(right ? 4200 : 120, top, 2895, 375),
                        right ? 5 + row : row);
    cmdReset[n] = button(QStringLiteral("cmdReset%1").arg(n).toLatin1().constData(),
                         QStringLiteral("リセット"), QRect(right ? 7080 : 3000, top, 1095, 375),
                         right ? 15 + row : 10 + row);
  }

  auto picture = [&](const char* name, const char* image, const QString& tip, int left,
                     int tab) {
    QPushButton* b = button(name, QString(), QRect(left, 3120, 495, 495), tab);
    b->setIcon(QIcon(QStringLiteral(":/kirimo/%1.xpm").arg(QString::fromLatin1(image))));
    b->setIconSize(QSize(16, 16));
    b->setToolTip(tip);
    return b;
  };
  cmdWup = picture("cmdWup", "arrow_right", QStringLiteral("ウインドウの幅を大きくする"), 120, 22);
  cmdWdown = picture("cmdWdown", "arrow_left", QStringLiteral("ウインドウの幅を小さくする"), 600, 23);
  cmdHdown = picture("cmdHdown", "arrow_up", QStringLiteral("ウインドウの高さを小さくする"), 1080, 24);
  cmdHup = picture("cmdHup", "arrow_down", QStringLiteral("ウインドウの高さを大きくする"), 1560, 25);

  cmdAllReset = button("cmdAllReset", QStringLiteral("オールリセット"), QRect(2160, 3120, 1935, 495), 21);
  cmdTemae = button("cmdTemae", QStringLiteral("常に手前に表示"), QRect(4200, 3120, 1935, 495), 26);
  cmdTime = button("cmdTime", QStringLiteral("日付/時間"), QRect(6240, 3120, 1935, 495), 28);
  cmdFont = button("cmdFont", QStringLiteral("フォントサイズ 12"), QRect(120, 3720, 1935, 495), 30);
  cmdClear = button("cmdClear", QStringLiteral("クリップボードクリアー"), QRect(2160, 3720, 1935, 495), 29);
  cmdTask = button("cmdTask", QStringLiteral("タスクトレイに常駐"), QRect(4200, 3720, 1935, 495), 27);
  cmdEnd = button("cmdEnd", QStringLiteral("終了"), QRect(6240, 3720, 1935, 495), 20);

  for (size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  for (int n = 1; n <= kSlotCount; ++n) {
    connect(cmdMemo[n], &QPushButton::clicked, this, [this, n] { cmdMemo_Click(n); });
    connect(cmdReset[n], &QPushButton::clicked, this, [this, n] { cmdReset_Click(n); });
  }
  connect(cmdAllReset, &QPushButton::clicked, this, &FrmMain::cmdAllReset_Click);
  connect(cmdClear, &QPushButton::clicked, this, &FrmMain::cmdClear_Click);
  connect(cmdEnd, &QPushButton::clicked, this, &FrmMain::cmdEnd_Click);
  connect(cmdTime, &QPushButton::clicked, this, &FrmMain::cmdTime_Click);
  connect(cmdTask, &QPushButton::clicked, this, &FrmMain::cmdTask_Click);
}

QAction* FrmMain::AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

void FrmMain::AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

void FrmMain::BuildMenus() {
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

  mnuWindow = topMenu("mnuWindow", QStringLiteral("ウインドウ"));
  mnuWindowOn = AddItem(mnuWindow, "mnuWindowOn", QStringLiteral("ウインドウを表示"));
  mnuWClose = AddItem(mnuWindow, "mnuWClose", QStringLiteral("ウインドウを閉じる"));
  mnuClear = AddItem(mnuWindow, "mnuClear", QStringLiteral("ウインドウクリアー"));
  mnuMidle = AddItem(mnuWindow, "mnuMidle", QStringLiteral("ウインドウを中央に移動"));
  AddSeparator(mnuWindow, "Sep1");
  mnuTemae = AddItem(mnuWindow, "mnuTemae", QStringLiteral("常に手前に表示(ウインドウ)"));
  mnuTemaeKaijo = AddItem(mnuWindow, "mnuTemaeKaijo", QStringLiteral("常に手前に表示解除(ウインドウ)"));
  AddSeparator(mnuWindow, "Sep2");
  mnuTokei = AddItem(mnuWindow, "mnuTokei", QStringLiteral("日付/時計"));
  AddSeparator(mnuWindow, "Sep3");
  mnuFukki = subMenu(mnuWindow, "mnuFukki", QStringLiteral("自動日付/時計復帰"));
  mnuFukki15 = AddItem(mnuFukki, "mnuFukki15", QStringLiteral("１５秒"));
  mnuFukki30 = AddItem(mnuFukki, "mnuFukki30", QStringLiteral("３０秒"));
  mnuFukki1m = AddItem(mnuFukki, "mnuFukki1m", QStringLiteral("０１分"));
  mnuFukki3m = AddItem(mnuFukki, "mnuFukki3m", QStringLiteral("０３分"));
  mnuFukki10m = AddItem(mnuFukki, "mnuFukki10m", QStringLiteral("１０分"));
  mnuFukkiNasi = AddItem(mnuFukki, "mnuFukkiNasi", QStringLiteral("なし"));
  AddSeparator(mnuWindow, "Sep4");
  for (int n = 1; n <= kSlotCount; ++n)
    mnuMemo[n] = AddItem(mnuWindow, QStringLiteral("mnuMemo%1").arg(n).toLatin1().constData(),
                         EmptyMemoCaption(n));
  AddSeparator(mnuWindow, "Sep5");
  mnuReset = subMenu(mnuWindow, "mnuReset", QStringLiteral("リセット"));
  for (int n = 1; n <= kSlotCount; ++n)
    mnuResetN[n] = AddItem(mnuReset, QStringLiteral("mnuReset%1").arg(n).toLatin1().constData(),
                           EmptyResetMenuCaption(n));
  AddSeparator(mnuWindow, "Sep6");
  mnuClipboardClear = subMenu(mnuWindow, "mnuClipboardClear", QStringLiteral("クリップボードクリアー"));
  mnuClipClear = AddItem(mnuClipboardClear, "mnuClipClear", QStringLiteral("クリップボードクリアー"));
  AddSeparator(mnuWindow, "Sep7");
  mnuEnd = AddItem(mnuWindow, "mnuEnd", QStringLiteral("終了"));

  mnuTool = topMenu("mnuTool", QStringLiteral("ツール"));
  mnuWindowHyouji = AddItem(mnuTool, "mnuWindowHyouji", QStringLiteral("題名クリック時ウインドウを表示可能にする"));
  mnuWindowHihyouji = AddItem(mnuTool, "mnuWindowHihyouji", QStringLiteral("題名クリック時ウインドウを表示不可にする"));
  mnuPass = AddItem(mnuTool, "mnuPass", QStringLiteral("起動時にパスワードを要求する"));
  mnuFusei = AddItem(mnuTool, "mnuFusei", QStringLiteral("不正な閲覧を試みた場合データをすべて消去する"));

  mnuTime = topMenu("mnuTime", QStringLiteral("日付/時計"));
  mnuTime1 = AddItem(mnuTime, "mnuTime1", QStringLiteral("ＨＨ：ＮＮ：ＳＳ"));
  mnuTime2 = AddItem(mnuTime, "mnuTime2", QStringLiteral("午前/ＨＨ：ＮＮ：ＳＳ"));
  mnuTime3 = AddItem(mnuTime, "mnuTime3", QStringLiteral("ＤＤ日(曜日)/ＨＨ：ＮＮ：ＳＳ"));

  mnuHelp1 = topMenu("mnuHelp1", QStringLiteral("ヘルプ"));
  mnuHelp = AddItem(mnuHelp1, "mnuHelp", QStringLiteral("ヘルプ"));
  AddSeparator(mnuHelp1, "Sep8");
  mnuVersion = AddItem(mnuHelp1, "mnuVersion", QStringLiteral("バージョン"));

  // Items that can carry a check mark.
  for (QAction* a : {mnuFukki15, mnuFukki30, mnuFukki1m, mnuFukki3m, mnuFukki10m, mnuFukkiNasi,
                     mnuWindowHyouji, mnuWindowHihyouji, mnuPass, mnuFusei, mnuTime1, mnuTime2,
                     mnuTime3})
    a->setCheckable(true);

  for (int n = 1; n <= kSlotCount; ++n) {
    connect(mnuMemo[n], &QAction::triggered, this, [this, n] { mnuMemo_Click(n); });
    connect(mnuResetN[n], &QAction::triggered, this, [this, n] { cmdReset_Click(n); });
  }
  connect(mnuClipClear, &QAction::triggered, this, &FrmMain::cmdClear_Click);
  connect(mnuEnd, &QAction::triggered, this, &FrmMain::cmdEnd_Click);
}

void FrmMain::SetSlotCaptions(int slot, const QString& title) {
  cmdMemo[slot]->setText(title);
  mnuMemo[slot]->setText(title);
  mnuResetN[slot]->setText(QStringLiteral("リセット「") + title + QStringLiteral("」"));
}

void FrmMain::SetEmptySlotCaptions(int slot) {
  cmdMemo[slot]->setText(EmptyMemoCaption(slot));
  mnuMemo[slot]->setText(EmptyMemoCaption(slot));
  mnuResetN[slot]->setText(EmptyResetMenuCaption(slot));
}

void FrmMain::cmdMemo_Click(int slot) { RecallSlot(ctx_, slot); }

void FrmMain::mnuMemo_Click(int slot) {
  // The open entry dialog owns the flag; a memo command does nothing then.
  if (ctx_.state.entryDialogOpen) return;
  // From the tray menu the main window may be hidden; the entry dialog must
  // then leave it hidden when it closes.
  ctx_.state.mainWasHidden = MainWindowHidden(ctx_);
  cmdMemo_Click(slot);
}

void FrmMain::cmdReset_Click(int slot) { ResetSlot(ctx_, slot); }

void FrmMain::cmdAllReset_Click() { AllReset(ctx_); }

void FrmMain::cmdClear_Click() { ClearClipboard(ctx_); }

void FrmMain::cmdTime_Click() { ToggleClock(ctx_); }

void FrmMain::cmdTask_Click() { HideMainWindow(ctx_); }

void FrmMain::Timer1_Timer() {
  if (!ctx_.state.startupComplete) return;
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    unloaded_ = true;
    Form_QueryUnload();
    Form_Unload();
  }
  event->accept();
}

}  // namespace kirimo
