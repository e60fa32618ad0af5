#pragma once
// The notification-area icon and the hiding and restoring of the main window.

namespace kirimo {

struct AppContext;

void AddTrayIcon(AppContext& ctx);
void RemoveTrayIcon(AppContext& ctx);
// Hides the main window; while no tray icon is shown it is minimised
// instead, so the user can always get back to it.
void HideMainWindow(AppContext& ctx);
// True while the main window is hidden or minimised.
bool MainWindowHidden(AppContext& ctx);
bool TrayIconShown(AppContext& ctx);
void RestoreMainWindow(AppContext& ctx);

}  // namespace kirimo
