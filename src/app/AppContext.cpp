#include "app/AppContext.h"

#include "settings/Settings.h"
#include "window/Topmost.h"

namespace kirimo {

SettingsPathScope::SettingsPathScope(AppContext& ctx) : ctx_(ctx) {
  ctx_.state.settingsDir = settings::BuildSettingsPath(ctx_.services.location.ExecutableDir());
  file_ = settings::SettingsFile(ctx_.state.settingsDir);
}

SettingsPathScope::~SettingsPathScope() { ctx_.state.settingsDir.clear(); }

MsgAnswer ShowMessage(AppContext& ctx, const QString& text, MsgIcon icon, MsgButtons buttons) {
  SuspendTopmost(ctx);
  MsgAnswer answer = ctx.services.messages.Show(text, icon, buttons);
  RestoreTopmost(ctx);
  return answer;
}

}  // namespace kirimo
