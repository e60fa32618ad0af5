#pragma once
// The borderless clock and memo window: the operations that open it and
// put a memo into it, and its menu commands.

#include <QString>

#include "window/Clock.h"

class QWidget;

namespace kirimo {

struct AppContext;

// Opens the window (loading it first when it is closed) and marks the
// clock on.
void OpenFloatingWindow(AppContext& ctx);
// Shows the content of the slot just recalled (pendingSlot) in the window.
void ShowMemoInWindow(AppContext& ctx);
// Applies titleClickDisplay: off closes the window; the two menu items
// offer the other state.
void ApplyTitleClickDisplay(AppContext& ctx);
// Closes the window when it is open.
void CloseFloatingWindow(AppContext& ctx);
// Sets the floating window's text when the window is open.
void SetFloatingWindowText(AppContext& ctx, const QString& text);
// The floating window's text; empty while it is closed.
QString FloatingWindowText(AppContext& ctx);
// Centres a window on its screen: the top first, then the left.
void CentreFloatingWindow(QWidget* window);
// Pops up the main window's "ウインドウ" menu at the mouse, unless the entry
// dialog is open.
void PopupWindowMenu(AppContext& ctx);

// Menu commands.
void WindowOn(AppContext& ctx);      // mnuWindowOn
void WindowClose(AppContext& ctx);   // mnuWClose
void WindowClear(AppContext& ctx);   // mnuClear: empties the text, lets the clock take it again
void WindowCentre(AppContext& ctx);  // mnuMidle
void AllowTitleClickDisplay(AppContext& ctx);   // mnuWindowHyouji
void ForbidTitleClickDisplay(AppContext& ctx);  // mnuWindowHihyouji

// The enabled states of mnuWindowOn, mnuWClose and mnuClear.
void EnableWindowOpen(AppContext& ctx, bool enabled);
void EnableWindowClose(AppContext& ctx, bool enabled);
void EnableWindowClear(AppContext& ctx, bool enabled);
bool WindowClearEnabled(AppContext& ctx);

}  // namespace kirimo
