#include "memos/MemoCommands.h"

#include "app/AppContext.h"

namespace kirimo {

void RecallSlot(AppContext&, int) {}
void ResetSlot(AppContext&, int) {}
void AllReset(AppContext&) {}
void ClearClipboard(AppContext&) {}
void UnloadEntryDialog(AppContext&) {}

}  // namespace kirimo
