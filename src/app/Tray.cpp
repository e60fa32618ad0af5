#include "app/Tray.h"

#include <QWidget>

#include "app/AppContext.h"

namespace kirimo {

void AddTrayIcon(AppContext&) {}
void RemoveTrayIcon(AppContext&) {}

bool TrayIconShown(AppContext&) { return false; }

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
