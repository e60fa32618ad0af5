#pragma once
// The borderless clock and memo window, and the clock commands.

#include <QString>

namespace kirimo {

struct AppContext;

void OpenFloatingWindow(AppContext& ctx);
void ShowMemoInWindow(AppContext& ctx);
void ApplyTitleClickDisplay(AppContext& ctx);
void ToggleClock(AppContext& ctx);
void ApplyAutoReturnMarks(AppContext& ctx);
void ApplyClockFormatMarks(AppContext& ctx);
// Sets the floating window's text when the window is open.
void SetFloatingWindowText(AppContext& ctx, const QString& text);
// The window clear (menu mnuClear): empties the text, disables the item and
// lets the clock take the window again.
void WindowClear(AppContext& ctx);
// The enabled states of mnuWClose and mnuClear.
void EnableWindowClose(AppContext& ctx, bool enabled);
void EnableWindowClear(AppContext& ctx, bool enabled);
bool WindowClearEnabled(AppContext& ctx);

}  // namespace kirimo
