#include "window/Topmost.h"

#include <QAction>
#include <QPushButton>

#include "app/AppContext.h"
#include "window/WindowTables.h"

namespace kirimo {

// The floating window and the always-on-top commands arrive with their own
// work; until then there is nothing on top to lift.
void SuspendTopmost(AppContext&) {}
void RestoreTopmost(AppContext&) {}
void ApplyMainTopmost(AppContext&) {}
void ApplyWindowTopmost(AppContext&) {}
void ApplyFontSize(AppContext&) {}

void InitTopmostItems(AppContext& ctx) {
  const WindowControls& ui = ctx.ui.window;
  if (!ui.mnuTemae) return;
  // Before the floating window first opens, the items follow its own
  // always-on-top flag, as they do whenever it is open.
  const bool windowOnTop = ctx.state.windowTopmost == u"t";
  ui.mnuTemae->setEnabled(!windowOnTop);
  ui.mnuTemaeKaijo->setEnabled(windowOnTop);
}

void ApplyFontSizeCaption(AppContext& ctx) {
  if (QString caption = FontSizeCaption(ctx.state.fontSizeCode);
      !caption.isEmpty() && ctx.ui.window.cmdFont)
    ctx.ui.window.cmdFont->setText(caption);
}

QString FontSizeCaption(std::u16string_view code) {
  for (const FontSizeItem& size : kFontSizes)
    if (size.code == code) return QString::fromUtf16(size.caption.data(), size.caption.size());
  return {};
}

}  // namespace kirimo
