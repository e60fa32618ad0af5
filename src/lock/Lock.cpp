#include "lock/Lock.h"

#include <QAction>

#include "app/AppContext.h"

namespace kirimo {

// The password dialog arrives with the lock's own work.
void RunStartupPasswordDialog(AppContext&) {}

void ApplyLockMarks(AppContext& ctx) {
  const AppState& s = ctx.state;
  const LockControls& ui = ctx.ui.lock;
  if (s.passwordRequired != 1 || !ui.mnuPass) return;
  ui.mnuPass->setChecked(true);
  ui.mnuFusei->setChecked(s.wipeOnIntrusion == 1);
}

}  // namespace kirimo
