#include "memos/Slots.h"

#include <QAction>
#include <QPushButton>
#include <array>
#include <numeric>
#include <vector>

#include "app/AppContext.h"
#include "app/Command.h"
#include "app/ElidingButton.h"

namespace kirimo {

namespace {
// Full-width digits, as the captions show the slot numbers.
QString FullWidthNumber(int n) {
  QString out;
  for (QChar c : QString::number(n)) out += QChar(u'０' + (c.unicode() - u'0'));
  return out;
}
}  // namespace

std::u16string ContentKey(int slot) {
  return slot == 1 ? std::u16string(u"MEMO") : u"MEMO" + QString::number(slot).toStdU16String();
}

std::u16string TitleKey(int slot) { return u"DAIMEI" + QString::number(slot).toStdU16String(); }

bool WriteEmptySlots(const SettingsAccess& settings, std::span<const int> slotNumbers) {
  std::vector<std::u16string> keys;
  for (int slot : slotNumbers) keys.push_back(ContentKey(slot));
  for (int slot : slotNumbers) keys.push_back(TitleKey(slot));
  std::vector<settings::SettingWrite> writes;
  for (const std::u16string& key : keys) writes.push_back({settings::kMyData, key, {}});
  return settings.TryWriteAll(writes);
}

bool WriteAllSlotsEmpty(const SettingsAccess& settings) {
  std::array<int, kSlotCount> all;
  std::iota(all.begin(), all.end(), 1);
  return WriteEmptySlots(settings, all);
}

QString EmptyMemoCaption(int slot) { return QStringLiteral("メモ") + FullWidthNumber(slot); }

QString EmptyResetMenuCaption(int slot) {
  return QStringLiteral("リセットメモ") + FullWidthNumber(slot);
}

void SetSlotCaptions(AppContext& ctx, int slot, const QString& title) {
  const MemoControls& ui = ctx.ui.memos;
  if (!ui.cmdMemo[slot]) return;
  SetButtonCaption(ui.cmdMemo[slot], title);
  ui.mnuMemo[slot]->setText(title);
  ui.mnuReset[slot]->setText(QStringLiteral("リセット「") + title + QStringLiteral("」"));
}

void SetEmptySlotCaptions(AppContext& ctx, int slot) {
  const MemoControls& ui = ctx.ui.memos;
  if (!ui.cmdMemo[slot]) return;
  SetButtonCaption(ui.cmdMemo[slot], EmptyMemoCaption(slot));
  ui.mnuMemo[slot]->setText(EmptyMemoCaption(slot));
  ui.mnuReset[slot]->setText(EmptyResetMenuCaption(slot));
}

void RefreshSlotCaptions(AppContext& ctx) {
  for (int n = 1; n <= kSlotCount; ++n) {
    const std::u16string& title = ctx.state.slotTitle[n];
    if (title.empty()) continue;
    SetSlotCaptions(ctx, n, QString::fromStdU16String(title));
  }
}

void ClearPlainSlots(AppContext& ctx) {
  for (int n = 1; n <= kSlotCount; ++n) WipeText(ctx.state.slotTitle[n]);
  for (int n = 1; n <= kSlotCount; ++n) WipeText(ctx.state.slotContent[n]);
}

}  // namespace kirimo
