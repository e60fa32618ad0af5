#include "memos/MemoCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <exception>
#include <stdexcept>
#include <string_view>

#include "app/AppCipher.h"
#include "app/AppContext.h"
#include "app/Command.h"
#include "app/Tray.h"
#include "memos/FrmInput.h"
#include "memos/Slots.h"
#include "window/FloatingWindow.h"

namespace kirimo {

namespace {

bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

// A memo is kept enciphered so that it does not lie around in plain;
// clipboard history tools would keep every recalled one for ever. The text
// is marked as secret in the formats they honour (KDE's hint, which other
// X11 and Wayland managers follow too; Windows' history and cloud formats,
// without blocking the remote-desktop clipboard); it pastes as plain text
// everywhere all the same.
QMimeData* SecretText(const QString& text) {
  auto* data = new QMimeData;
  data->setText(text);
#ifdef Q_OS_WIN
  const QByteArray no(4, '\0');  // a 32-bit 0
  for (const char* format : {"CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"})
    data->setData(
        QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(format)),
        no);
#else
  data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
#endif
  return data;
}

// Puts the content on the clipboard as plain text, which every program can
// paste. Qt gives no result for this, so the clipboard is read back: where
// the desktop refused the text, it still holds what it held before.
void PutOnClipboard(const std::u16string& content) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) throw std::runtime_error("no clipboard");
  const QString text = QString::fromStdU16String(content);
  clipboard->clear(QClipboard::Clipboard);
  clipboard->setMimeData(SecretText(text), QClipboard::Clipboard);
  if (clipboard->text(QClipboard::Clipboard) != text)
    throw std::runtime_error("clipboard refused the text");
}

}  // namespace

void RecallSlot(AppContext& ctx, int slot) {
  if (!ValidSlot(slot)) return;
  AppState& s = ctx.state;
  RunCommand(ctx, QStringLiteral("ＩＮＩファイルから読み込みできませんでした"),
             [&](SettingsAccess& settings) {
               // The open dialog owns pendingSlot and its slot's buffers.
               if (s.entryDialogOpen) return;
               // Whatever way the recall ends, no plain text stays behind.
               const PlainSlotsGuard plainSlots(ctx);

               s.slotContent[slot] = settings.ReadStored(ContentKey(slot));
               s.slotTitle[slot] = settings.ReadStored(TitleKey(slot));
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
             });
}

void RecallSlotFromMenu(AppContext& ctx, int slot) {
  // The open entry dialog owns the flag; a memo command does nothing then.
  if (ctx.state.entryDialogOpen) return;
  // From the tray menu the main window may be hidden; the entry dialog must
  // then leave it hidden when it closes.
  ctx.state.mainWasHidden = MainWindowHidden(ctx);
  RecallSlot(ctx, slot);
}

void ResetSlot(AppContext& ctx, int slot) {
  if (!ValidSlot(slot)) return;
  AppState& s = ctx.state;
  RunCommand(ctx, QStringLiteral("リセット時ＩＮＩファイルに書き込みできませんでした"),
             [&](SettingsAccess& settings) {
               WipeText(s.slotContent[slot]);
               WipeText(s.slotTitle[slot]);
               if (s.windowOpen == 1) {
                 SetFloatingWindowText(ctx, QString());
                 EnableWindowClear(ctx, false);
                 s.memoShown = false;
               }
               // The captions say "empty" only once the file does: a reset that did
               // not reach the file leaves a memo that the next start shows again.
               const int resetSlot[] = {slot};
               if (!WriteEmptySlots(settings, resetSlot)) FailCommand();
               SetEmptySlotCaptions(ctx, slot);
             });
}

void AllReset(AppContext& ctx) {
  AppState& s = ctx.state;
  RunCommand(ctx, QStringLiteral("オールリセット時ＩＮＩファイルに書き込みできませんでした"),
             [&](SettingsAccess& settings) {
               const MsgAnswer answer =
                   ShowMessage(ctx, QStringLiteral("メモしたすべてをリセットしますか？"),
                               MsgIcon::Question, MsgButtons::YesNoCancel);
               if (answer != MsgAnswer::Yes) return;

               for (int n = 1; n <= kSlotCount; ++n) WipeText(s.slotContent[n]);
               for (int n = 1; n <= kSlotCount; ++n) WipeText(s.slotTitle[n]);

               // The captions say "empty" only once the file does.
               if (!WriteAllSlotsEmpty(settings)) FailCommand();
               for (int n = 1; n <= kSlotCount; ++n) SetEmptySlotCaptions(ctx, n);

               if (s.windowOpen == 1) {
                 SetFloatingWindowText(ctx, QString());
                 if (WindowClearEnabled(ctx)) WindowClear(ctx);
               }
             });
}

void ClearClipboard(AppContext& ctx) {
  const MsgAnswer answer = ShowMessage(ctx, QStringLiteral("クリップボードをクリアーしますか？"),
                                       MsgIcon::Question, MsgButtons::YesNoCancel);
  if (answer != MsgAnswer::Yes) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear(QClipboard::Clipboard);
}

}  // namespace kirimo
