#pragma once
// The ten memo slots: their keys and captions, and the plain buffers.

#include <QString>
#include <span>
#include <string>

namespace kirimo {

struct AppContext;
class SettingsAccess;

// Settings keys of slot n (1..10); slot 1's content key has no digit.
std::u16string ContentKey(int slot);
std::u16string TitleKey(int slot);

// Captions of an empty slot.
QString EmptyMemoCaption(int slot);
QString EmptyResetMenuCaption(int slot);

// Gives every slot whose title buffer is filled its title as caption; an
// empty buffer leaves the captions as they are.
void RefreshSlotCaptions(AppContext& ctx);

// The captions of slot n's memo button, memo menu item and reset menu item:
// its title, or the design captions of an empty slot.
void SetSlotCaptions(AppContext& ctx, int slot, const QString& title);
void SetEmptySlotCaptions(AppContext& ctx, int slot);

// Stores the given slots as empty, every content before every title, in one
// replacement of the file: a run killed or a write failing midway must
// never leave a title whose content is gone, a memo that recalls as
// nothing. False, with the file untouched, when it did not reach the file.
bool WriteEmptySlots(const SettingsAccess& settings, std::span<const int> slotNumbers);
// All ten of them.
bool WriteAllSlotsEmpty(const SettingsAccess& settings);

// Empties (and overwrites) all ten titles, then all ten contents.
void ClearPlainSlots(AppContext& ctx);

// Empties the plain buffers when the operation that filled them ends, on
// every path out of it, before any failure message is shown.
class PlainSlotsGuard {
 public:
  explicit PlainSlotsGuard(AppContext& ctx) : ctx_(ctx) {}
  ~PlainSlotsGuard() { ClearPlainSlots(ctx_); }
  PlainSlotsGuard(const PlainSlotsGuard&) = delete;
  PlainSlotsGuard& operator=(const PlainSlotsGuard&) = delete;

 private:
  AppContext& ctx_;
};

}  // namespace kirimo
