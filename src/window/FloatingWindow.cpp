#include "window/FloatingWindow.h"

#include "app/AppContext.h"

namespace kirimo {

// The floating window and its clock come with their own work; the shell
// already calls them at the right moments.
void OpenFloatingWindow(AppContext&) {}
void ShowMemoInWindow(AppContext&) {}
void ApplyTitleClickDisplay(AppContext&) {}
void ToggleClock(AppContext&) {}
void ApplyAutoReturnMarks(AppContext&) {}
void ApplyClockFormatMarks(AppContext&) {}
void SetFloatingWindowText(AppContext&, const QString&) {}
void WindowClear(AppContext&) {}
void UnloadFloatingWindow(AppContext&) {}

}  // namespace kirimo
