#include "memos/MemoCommands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <exception>
#include <stdexcept>
#include <string_view>

#include "app/AppCipher.h"
#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "app/Tray.h"
#include "memos/FrmInput.h"
#include "memos/Slots.h"
#include "settings/Settings.h"
#include "window/FloatingWindow.h"

namespace kirimo {

namespace {

using settings::kMyData;

bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

// Puts the content on the clipboard as plain text, which every program can
// paste. Qt gives no result for this, so the clipboard is read back: where
// the desktop refused the text, it still holds what it held before.
void PutOnClipboard(const std::u16string& content) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) throw std::runtime_error("no clipboard");
  const QString text = QString::fromStdU16String(content);
  clipboard->clear(QClipboard::Clipboard);
  clipboard->setText(text, QClipboard::Clipboard);
  if (clipboard->text(QClipboard::Clipboard) != text)
    throw std::runtime_error("clipboard refused the text");
}

void SetEmptyCaptions(AppContext& ctx, int slot) {
  if (ctx.frmMain) ctx.frmMain->SetEmptySlotCaptions(slot);
}

}  // namespace

void RecallSlot(AppContext& ctx, int slot) {
  if (!ValidSlot(slot)) return;
  AppState& s = ctx.state;
  bool failed = false;
  try {
    SettingsPathScope path(ctx);
    // The open dialog owns pendingSlot and its slot's buffers.
    if (s.entryDialogOpen) return;

    s.slotContent[slot] = settings::ReadStoredText(ContentKey(slot), kMyData, path.file());
    s.slotTitle[slot] = settings::ReadStoredText(TitleKey(slot), kMyData, path.file());
    s.slotContent[slot] = DecodeStored(ctx, s.slotContent[slot]);
    s.slotTitle[slot] = DecodeStored(ctx, s.slotTitle[slot]);
    s.pendingSlot = static_cast<std::uint8_t>(slot);

    // The title decides: without one the slot has no memo yet, whatever
    // content may be left under its key.
    if (s.slotTitle[slot].empty()) {
      // The dialog starts with empty boxes; a leftover content has no use
      // there and must not stay in memory while it is open.
      ClearPlainSlots(ctx);
      HideMainWindow(ctx);
      OpenEntryDialog(ctx);
      return;
    }

    const bool showInWindow = s.titleClickDisplay == u"t";
    if (showInWindow && !s.slotContent[slot].empty()) s.autoReturnCount = 0;
    PutOnClipboard(s.slotContent[slot]);
    if (showInWindow) {
      OpenFloatingWindow(ctx);
      ShowMemoInWindow(ctx);
    }
    ClearPlainSlots(ctx);
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed) {
    ClearPlainSlots(ctx);
    ShowMessage(ctx, QStringLiteral("ＩＮＩファイルから読み込みできませんでした"),
                MsgIcon::Warning);
  }
}

void ResetSlot(AppContext& ctx, int slot) {
  if (!ValidSlot(slot)) return;
  AppState& s = ctx.state;
  bool failed = false;
  try {
    SettingsPathScope path(ctx);
    WipeText(s.slotContent[slot]);
    WipeText(s.slotTitle[slot]);
    if (s.windowOpen == 1) {
      SetFloatingWindowText(ctx, QString());
      if (ctx.frmMain) ctx.frmMain->windowClearItem()->setEnabled(false);
      s.memoShown = false;
    }
    // The captions say "empty" only once the file does: a reset that did
    // not reach the file leaves a memo that the next start shows again.
    if (settings::WriteSetting(u"", ContentKey(slot), kMyData, path.file()) &&
        settings::WriteSetting(u"", TitleKey(slot), kMyData, path.file())) {
      SetEmptyCaptions(ctx, slot);
    } else {
      failed = true;
    }
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed)
    ShowMessage(ctx, QStringLiteral("リセット時ＩＮＩファイルに書き込みできませんでした"),
                MsgIcon::Warning);
}

void AllReset(AppContext& ctx) {
  AppState& s = ctx.state;
  bool failed = false;
  try {
    SettingsPathScope path(ctx);
    const MsgAnswer answer = ShowMessage(ctx, QStringLiteral("メモしたすべてをリセットしますか？"),
                                         MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer != MsgAnswer::Yes) return;

    for (int n = 1; n <= kSlotCount; ++n) WipeText(s.slotContent[n]);
    for (int n = 1; n <= kSlotCount; ++n) WipeText(s.slotTitle[n]);

    // Contents first, then titles, one key per write. A slot is empty from
    // the moment its title is, so the captions of exactly those slots whose
    // title was written say so, even when a later write fails.
    for (int n = 1; n <= kSlotCount && !failed; ++n)
      failed = !settings::WriteSetting(u"", ContentKey(n), kMyData, path.file());
    int titlesWritten = 0;
    for (int n = 1; n <= kSlotCount && !failed; ++n) {
      failed = !settings::WriteSetting(u"", TitleKey(n), kMyData, path.file());
      if (!failed) titlesWritten = n;
    }
    for (int n = 1; n <= titlesWritten; ++n) SetEmptyCaptions(ctx, n);

    if (!failed && s.windowOpen == 1) {
      SetFloatingWindowText(ctx, QString());
      if (ctx.frmMain && ctx.frmMain->windowClearItem()->isEnabled()) WindowClear(ctx);
    }
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed)
    ShowMessage(ctx, QStringLiteral("オールリセット時ＩＮＩファイルに書き込みできませんでした"),
                MsgIcon::Warning);
}

void ClearClipboard(AppContext& ctx) {
  const MsgAnswer answer = ShowMessage(ctx, QStringLiteral("クリップボードをクリアーしますか？"),
                                       MsgIcon::Question, MsgButtons::YesNoCancel);
  if (answer != MsgAnswer::Yes) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear(QClipboard::Clipboard);
}

void UnloadEntryDialog(AppContext& ctx) {
  FrmInput* dialog = FindEntryDialog(ctx);
  if (!dialog) return;
  // The program is ending: bringing the main window back for a moment
  // would only make it flash.
  ctx.state.mainWasHidden = true;
  dialog->close();
}

}  // namespace kirimo
