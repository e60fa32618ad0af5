#pragma once
// The notification-area icon and the hiding and restoring of the main window.

namespace kirimo {

struct AppContext;

void AddTrayIcon(AppContext& ctx);
void RemoveTrayIcon(AppContext& ctx);
void HideMainWindow(AppContext& ctx);
void RestoreMainWindow(AppContext& ctx);

}  // namespace kirimo
