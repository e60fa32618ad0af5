#include "app/AppContext.h"

#include "window/Topmost.h"

namespace kirimo {

AppContext::~AppContext() {
  // Windows without an owner that are still there when the run ends (a
  // test that stops midway) go with the context they report to.
  for (QPointer<QWidget>* window : windows.Others()) delete window->data();
}

void UnloadOtherWindows(AppContext& ctx) {
  for (QPointer<QWidget>* window : ctx.windows.Others())
    if (*window) (*window)->close();
}

MsgAnswer ShowMessage(AppContext& ctx, const QString& text, MsgIcon icon, MsgButtons buttons,
                      BoxStyle style) {
  const bool pair = style != BoxStyle::kWithoutTopmostPair;
  if (pair) {
    SuspendTopmost(ctx);
    if (ctx.onTopmostPair) ctx.onTopmostPair();
  }
  const MsgAnswer answer =
      ctx.services.messages.Show(text, icon, buttons, style == BoxStyle::kSystemModal);
  if (pair) RestoreTopmost(ctx);
  return answer;
}

}  // namespace kirimo
