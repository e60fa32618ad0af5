#pragma once
// The notification-area icon and the hiding and restoring of the main window.

#include <QTime>

#include "app/Platform.h"

namespace kirimo {

struct AppContext;

// Shows the icon (with the main window's icon, the tip "Kirimo" and the
// "ウインドウ" menu) when the desktop has a notification area; an icon that
// is shown already is left as it is. Also routes the icon's clicks to
// TrayNotification.
void AddTrayIcon(AppContext& ctx);
void RemoveTrayIcon(AppContext& ctx);
// A click on the icon, as the code of the mouse message it stands for.
void TrayNotification(AppContext& ctx, TrayCode code);
// The icon's two parts of the one-second tick, in case the taskbar lost
// it: adds it again on the minute for the first 21 minutes (before the
// auto-return step), and at every ten-minute mark while the main window is
// hidden and no floating window is open (after it).
void TrayReaddTick(AppContext& ctx, QTime now);
void TrayHiddenReaddTick(AppContext& ctx, QTime now);
// Hides the main window; while no tray icon is shown it is minimised
// instead, so the user can always get back to it.
void HideMainWindow(AppContext& ctx);
// True while the main window is hidden or minimised.
bool MainWindowHidden(AppContext& ctx);
bool TrayIconShown(AppContext& ctx);
void RestoreMainWindow(AppContext& ctx);

}  // namespace kirimo
