#include "lock/Lock.h"

#include <QAction>
#include <array>
#include <memory>

#include "app/AppContext.h"
#include "app/Command.h"
#include "lock/FrmPass.h"
#include "memos/Slots.h"
#include "settings/Settings.h"

namespace kirimo {

PasswordDialogResult RunStartupPasswordDialog(AppContext& ctx) {
  const auto dialog = std::make_unique<FrmPass>(ctx);
  ctx.windows.frmPass = dialog.get();
  dialog->Form_Load();
  dialog->exec();
  switch (dialog->outcome()) {
    case FrmPass::Outcome::kLoggedIn:
      return PasswordDialogResult::kLoggedIn;
    case FrmPass::Outcome::kPasswordSet:
      return PasswordDialogResult::kPasswordSet;
    case FrmPass::Outcome::kOpen:
    case FrmPass::Outcome::kClosedByUser:
      break;
  }
  // Gone without the right password, however: the program ends.
  return PasswordDialogResult::kClosed;
}

void ApplyLockMarks(AppContext& ctx) {
  const AppState& s = ctx.state;
  const LockControls& ui = ctx.ui.lock;
  if (s.passwordRequired != 1 || !ui.mnuPass) return;
  ui.mnuPass->setChecked(true);
  ui.mnuFusei->setChecked(s.wipeOnIntrusion == 1);
}

// Qt has already moved the check mark of a checkable item when its command
// runs; the commands decide by the mark as it was before the click and set
// it themselves.
void SwitchStartupPassword(AppContext& ctx) {
  AppState& s = ctx.state;
  const LockControls& ui = ctx.ui.lock;
  const bool wasChecked = !ui.mnuPass->isChecked();
  if (wasChecked) {
    ui.mnuPass->setChecked(false);
    s.passwordRequired = 0;
    // The wipe protects nothing without the lock.
    if (s.wipeOnIntrusion == 1) {
      ui.mnuFusei->setChecked(false);
      s.wipeOnIntrusion = 0;
      ShowMessage(
          ctx,
          QStringLiteral("起動時にパスワードを要求するのチェックが外れましたので「不正な閲覧"
                         "を試みた場合データをすべて消去する」のチェックを外しました。"),
          MsgIcon::Information);
    }
  } else {
    ui.mnuPass->setChecked(true);
    s.passwordRequired = 1;
  }
}

void SwitchWipeOption(AppContext& ctx) {
  AppState& s = ctx.state;
  const LockControls& ui = ctx.ui.lock;
  const bool wasChecked = !ui.mnuFusei->isChecked();
  if (s.passwordRequired != 0) {
    ui.mnuFusei->setChecked(!wasChecked);
    s.wipeOnIntrusion = wasChecked ? 0 : 1;
  } else {
    ui.mnuFusei->setChecked(wasChecked);
    ShowMessage(ctx,
                QStringLiteral(
                    "「起動時にパスワードを要求する」にチェックが入っていないと有効になりません"),
                MsgIcon::Information);
  }
}

void WipeAllMemos(AppContext& ctx) {
  // One replacement of the file: a wipe cut short must not leave a title
  // whose content is gone, nor report as done what never reached the disk.
  const bool wiped =
      RunCommand(ctx, QStringLiteral("データを消去に失敗しました"), [&](SettingsAccess& settings) {
        ClearPlainSlots(ctx);
        settings.RequireWritable();
        if (!WriteAllSlotsEmpty(settings)) FailCommand();
      });
  if (wiped) ShowMessage(ctx, QStringLiteral("データをすべて消去しました"), MsgIcon::Information);
}

}  // namespace kirimo
