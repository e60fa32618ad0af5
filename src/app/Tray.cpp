#include "app/Tray.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

#include "app/AppContext.h"

namespace kirimo {

namespace {

// Re-adds on the minute stop after this many.
constexpr int kLastMinuteReadd = 20;

// Wayland does not tell a program that its window is minimised (Qt forgets
// the state at the compositor's next configure), so the window that
// HideMainWindow minimised there carries this mark until it is restored.
constexpr char kMinimisedHere[] = "kirimoMinimisedHere";

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// The icon's menu: the very same actions as "ウインドウ" (captions, check
// marks and enabled states are the menu bar's at every moment) in a menu of
// its own, handed to the icon before it shows, since tray hosts that draw the
// menu themselves never report a right click. While the entry dialog is open
// no command of it may run: Qt's own popup on a right press, and a host's,
// show it whatever the program says, so it is then shown inert. Being its
// own menu, that leaves the menu bar's "ウインドウ" as it is.
QMenu* TrayMenu(AppContext& ctx) {
  QWidget* w = ctx.windows.frmMain;
  QMenu* source = ctx.ui.window.mnuWindow;
  if (!w || !source) return nullptr;
  QMenu* menu = w->findChild<QMenu*>(QStringLiteral("mnuTray"), Qt::FindDirectChildrenOnly);
  if (menu) return menu;
  menu = new QMenu(source->title(), w);
  menu->setObjectName(QStringLiteral("mnuTray"));
  auto sync = [menu, source] {
    // The window menu may have gained or lost items since.
    if (menu->actions() == source->actions()) return;
    for (QAction* a : menu->actions()) menu->removeAction(a);
    menu->addActions(source->actions());
  };
  sync();
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&ctx, menu, sync] {
    sync();
    menu->setEnabled(!ctx.state.entryDialogOpen);
  });
  return menu;
}

}  // namespace

void AddTrayIcon(AppContext& ctx) {
  TrayIcon& tray = ctx.services.tray;
  QWidget* w = ctx.windows.frmMain;
  // Without a notification area there is nothing to add to; the re-adds of
  // the timer pick the icon up once a panel brings one.
  if (!w || !tray.Available()) return;
  QMenu* menu = TrayMenu(ctx);
  if (!menu) return;
  tray.onActivated = [&ctx](TrayCode code) { TrayNotification(ctx, code); };
  tray.Add(w->windowIcon(), QStringLiteral("Kirimo"), menu);
}

void RemoveTrayIcon(AppContext& ctx) {
  TrayIcon& tray = ctx.services.tray;
  tray.Remove();
  tray.onActivated = nullptr;
}

bool TrayIconShown(AppContext& ctx) { return ctx.services.tray.Shown(); }

void TrayNotification(AppContext& ctx, TrayCode code) {
  AppState& s = ctx.state;
  switch (code) {
    case TrayCode::kLeftDown:
      if (!s.entryDialogOpen) RestoreMainWindow(ctx);
      break;
    case TrayCode::kRightDown:
      // Qt reports a context click only for the right button alone.
      s.trayRightDown = true;
      break;
    case TrayCode::kRightUp: {
      QMenu* menu = TrayMenu(ctx);
      // Where Qt has popped the menu up itself on the press, it is open
      // already: pulling another window forward now would take it down.
      const bool menuOpen = menu && menu->isVisible();
      if (ctx.windows.frmMain && !menuOpen)
        ctx.services.stacking.BringToForeground(ctx.windows.frmMain);
      if (!s.trayRightDown || s.entryDialogOpen || !menu) break;
      if (!menuOpen) menu->exec(QCursor::pos());
      s.trayRightDown = false;
      break;
    }
  }
}

void TrayReaddTick(AppContext& ctx, QTime now) {
  AppState& s = ctx.state;
  // A tick that skips second 0 skips that minute's re-add.
  if (now.second() != 0) return;
  if (s.trayReaddCount <= kLastMinuteReadd) {
    AddTrayIcon(ctx);
    ++s.trayReaddCount;
  }
}

void TrayHiddenReaddTick(AppContext& ctx, QTime now) {
  if (now.second() == 0 && now.minute() % 10 == 0 && MainWindowHidden(ctx) &&
      ctx.state.windowOpen == 0)
    AddTrayIcon(ctx);
}

void HideMainWindow(AppContext& ctx) {
  QWidget* w = ctx.windows.frmMain;
  // Before start-up has shown the window there is nothing to hide; the
  // window appears when start-up returns.
  if (!w || !w->isVisible()) return;
  // Without an icon in the notification area a hidden window could never be
  // reached again, so it is minimised instead.
  if (TrayIconShown(ctx)) {
    w->hide();
  } else {
    w->showMinimized();
    if (OnWayland()) w->setProperty(kMinimisedHere, true);
  }
}

bool MainWindowHidden(AppContext& ctx) {
  const QWidget* w = ctx.windows.frmMain;
  return !w || !w->isVisible() || w->isMinimized();
}

void RestoreMainWindow(AppContext& ctx) {
  QWidget* w = ctx.windows.frmMain;
  if (!w) return;
  const bool minimisedHere = w->property(kMinimisedHere).toBool();
  w->setProperty(kMinimisedHere, QVariant());
  if (minimisedHere) {
    // No request brings a minimised window back on Wayland; mapped anew,
    // it is there again.
    w->hide();
    w->showNormal();
  } else if (w->isMinimized()) {
    w->showNormal();
  } else {
    w->show();
  }
  // Focus can be refused (a message box of ours may hold it); the window is
  // visible all the same.
  w->raise();
  w->activateWindow();
}

}  // namespace kirimo
