#pragma once
// The memo commands of the main window and its menu: recall, reset,
// all-reset and clipboard clear, and the entry dialog they open.

namespace kirimo {

struct AppContext;

// Copies slot n's content to the clipboard; an empty slot opens the entry
// dialog instead.
void RecallSlot(AppContext& ctx, int slot);
void ResetSlot(AppContext& ctx, int slot);
void AllReset(AppContext& ctx);
void ClearClipboard(AppContext& ctx);

// Closes the entry dialog when it is open (the end command does this).
void UnloadEntryDialog(AppContext& ctx);

}  // namespace kirimo
