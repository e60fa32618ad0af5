#include "window/FloatingWindow.h"

#include <QAction>

#include "app/AppContext.h"
#include "window/WindowTables.h"

namespace kirimo {

namespace {

// Checks the item at match and unchecks the others; no match changes no
// mark.
template <typename Actions>
void CheckOnly(const Actions& actions, int match) {
  if (match < 0) return;
  for (size_t i = 0; i < actions.size(); ++i)
    if (actions[i]) actions[i]->setChecked(static_cast<int>(i) == match);
}

template <typename Items, typename Matches>
int IndexOf(const Items& items, Matches matches) {
  for (size_t i = 0; i < items.size(); ++i)
    if (matches(items[i])) return static_cast<int>(i);
  return -1;
}

}  // namespace

// The floating window and its clock come with their own work; the shell
// already calls them at the right moments.
void OpenFloatingWindow(AppContext&) {}
void ShowMemoInWindow(AppContext&) {}
void ApplyTitleClickDisplay(AppContext&) {}
void ToggleClock(AppContext&) {}
void SetFloatingWindowText(AppContext&, const QString&) {}
void WindowClear(AppContext& ctx) { EnableWindowClear(ctx, false); }

void ApplyAutoReturnMarks(AppContext& ctx) {
  CheckOnly(ctx.ui.window.mnuFukki, IndexOf(kAutoReturnItems, [&](const AutoReturnItem& item) {
              return item.seconds == ctx.state.autoReturnSeconds;
            }));
}

void ApplyClockFormatMarks(AppContext& ctx) {
  CheckOnly(ctx.ui.window.mnuTime, IndexOf(kClockFormatItems, [&](const ClockFormatItem& item) {
              return item.code == ctx.state.clockFormat;
            }));
}

void EnableWindowClose(AppContext& ctx, bool enabled) {
  if (ctx.ui.window.mnuWClose) ctx.ui.window.mnuWClose->setEnabled(enabled);
}

void EnableWindowClear(AppContext& ctx, bool enabled) {
  if (ctx.ui.window.mnuClear) ctx.ui.window.mnuClear->setEnabled(enabled);
}

bool WindowClearEnabled(AppContext& ctx) {
  return ctx.ui.window.mnuClear && ctx.ui.window.mnuClear->isEnabled();
}

}  // namespace kirimo
