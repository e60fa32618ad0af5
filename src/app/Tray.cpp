#include "app/Tray.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

#include "app/AppContext.h"

namespace kirimo {

namespace {

// Re-adds on the minute stop after this many.
constexpr int kLastMinuteReadd = 20;

// While the entry dialog is open no command of the menu may run. Hosts that
// draw the menu themselves (and Qt's own popup on a right press) show it
// whatever the program says, so the menu is shown inert instead.
void GuardMenuAgainstOpenDialog(AppContext& ctx, QMenu* menu) {
  if (menu->property("kirimoTrayGuard").toBool()) return;
  menu->setProperty("kirimoTrayGuard", true);
  QObject::connect(menu, &QMenu::aboutToShow, menu,
                   [&ctx, menu] { menu->setEnabled(!ctx.state.entryDialogOpen); });
}

}  // namespace

void AddTrayIcon(AppContext& ctx) {
  TrayIcon& tray = ctx.services.tray;
  QWidget* w = ctx.windows.frmMain;
  QMenu* menu = ctx.ui.window.mnuWindow;
  // Without a notification area there is nothing to add to; the re-adds of
  // the timer pick the icon up once a panel brings one.
  if (!w || !menu || !tray.Available()) return;
  tray.onActivated = [&ctx](TrayCode code) { TrayNotification(ctx, code); };
  GuardMenuAgainstOpenDialog(ctx, menu);
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
      QMenu* menu = ctx.ui.window.mnuWindow;
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

void TrayTimerStep(AppContext& ctx) {
  AppState& s = ctx.state;
  const QTime now = ctx.services.clock.Now().time();
  // A tick that skips second 0 skips that minute's re-add.
  if (now.second() != 0) return;
  if (s.trayReaddCount <= kLastMinuteReadd) {
    AddTrayIcon(ctx);
    ++s.trayReaddCount;
  }
  // The auto-return tick runs between the two re-adds; it changes neither
  // the main window's visibility nor the floating window, so both can be
  // taken here together.
  if (now.minute() % 10 == 0 && MainWindowHidden(ctx) && s.windowOpen == 0) AddTrayIcon(ctx);
}

void HideMainWindow(AppContext& ctx) {
  QWidget* w = ctx.windows.frmMain;
  // Before start-up has shown the window there is nothing to hide; the
  // window appears when start-up returns.
  if (!w || !w->isVisible()) return;
  // Without an icon in the notification area a hidden window could never be
  // reached again, so it is minimised instead.
  if (TrayIconShown(ctx))
    w->hide();
  else
    w->showMinimized();
}

bool MainWindowHidden(AppContext& ctx) {
  const QWidget* w = ctx.windows.frmMain;
  return !w || !w->isVisible() || w->isMinimized();
}

void RestoreMainWindow(AppContext& ctx) {
  QWidget* w = ctx.windows.frmMain;
  if (!w) return;
  if (w->isMinimized())
    w->showNormal();
  else
    w->show();
  // Focus can be refused (a message box of ours may hold it); the window is
  // visible all the same.
  w->raise();
  w->activateWindow();
}

}  // namespace kirimo
