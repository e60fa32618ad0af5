#pragma once
// The borderless clock and memo window, and the clock commands.

namespace kirimo {

struct AppContext;

void OpenFloatingWindow(AppContext& ctx);
void ShowMemoInWindow(AppContext& ctx);
void ApplyTitleClickDisplay(AppContext& ctx);
void ToggleClock(AppContext& ctx);
void ApplyAutoReturnMarks(AppContext& ctx);
void ApplyClockFormatMarks(AppContext& ctx);
// Unloads the floating window when it is loaded.
void UnloadFloatingWindow(AppContext& ctx);

}  // namespace kirimo
