#pragma once
// The memo commands of the main window and its menu: recall, reset,
// all-reset and clipboard clear, and the entry dialog they open.

namespace kirimo {

struct AppContext;

// Copies slot n's content to the clipboard; an empty slot opens the entry
// dialog instead.
void RecallSlot(AppContext& ctx, int slot);
// The same from the menu, which also records whether the main window was
// hidden (the tray's menu can recall while it is).
void RecallSlotFromMenu(AppContext& ctx, int slot);
void ResetSlot(AppContext& ctx, int slot);
void AllReset(AppContext& ctx);
void ClearClipboard(AppContext& ctx);

}  // namespace kirimo
