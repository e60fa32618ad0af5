#include "app/Tray.h"

#include "app/AppContext.h"
#include "app/FrmMain.h"

namespace kirimo {

// Without a tray icon there is no way back to a hidden main window, so until
// the icon exists the main window stays where the user can see it.
void AddTrayIcon(AppContext&) {}
void RemoveTrayIcon(AppContext&) {}
void HideMainWindow(AppContext&) {}

void RestoreMainWindow(AppContext& ctx) {
  if (!ctx.frmMain) return;
  ctx.frmMain->show();
  ctx.frmMain->activateWindow();
}

}  // namespace kirimo
