#pragma once
// Always-on-top states of the two windows, the font size of the floating
// window, and the pair every message box is shown between.

#include <QString>
#include <string_view>

namespace kirimo {

struct AppContext;

void SuspendTopmost(AppContext& ctx);
void RestoreTopmost(AppContext& ctx);
void ApplyMainTopmost(AppContext& ctx);
void ApplyWindowTopmost(AppContext& ctx);
void ApplyFontSize(AppContext& ctx);

// Start-up's initial enabled state of mnuTemae and mnuTemaeKaijo, before
// the floating window has been opened.
void InitTopmostItems(AppContext& ctx);

// Only the caption of cmdFont for fontSizeCode; an unknown code leaves it
// as it is.
void ApplyFontSizeCaption(AppContext& ctx);

// The caption of cmdFont for a font size letter; empty for an unknown letter,
// which leaves the caption as it is.
QString FontSizeCaption(std::u16string_view code);

}  // namespace kirimo
