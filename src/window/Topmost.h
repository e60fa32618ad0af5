#pragma once
// Always-on-top states of the two windows, the size and font size of the
// floating window, and the pair every message box is shown between.

#include <QString>
#include <string_view>

#include "window/WindowTables.h"

namespace kirimo {

struct AppContext;

// The always-on-top states are lifted for the time of a message box and
// put back afterwards; only what was on comes back on.
void SuspendTopmost(AppContext& ctx);
void RestoreTopmost(AppContext& ctx);
void ApplyMainTopmost(AppContext& ctx);
void ApplyWindowTopmost(AppContext& ctx);
void ApplyFontSize(AppContext& ctx);

// Commands.
void WindowTopmostOn(AppContext& ctx);                      // mnuTemae
void WindowTopmostOff(AppContext& ctx);                     // mnuTemaeKaijo
void ToggleMainTopmost(AppContext& ctx);                    // cmdTemae
void StepFontSize(AppContext& ctx);                         // cmdFont
void ResizeFloatingWindow(AppContext& ctx, SizeStep step);  // cmdWup … cmdHup

// Start-up's initial enabled state of mnuTemae and mnuTemaeKaijo, before
// the floating window has been opened.
void InitTopmostItems(AppContext& ctx);

// Only the caption of cmdFont for fontSizeCode; an unknown code leaves it
// as it is.
void ApplyFontSizeCaption(AppContext& ctx);

}  // namespace kirimo
