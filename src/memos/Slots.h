#pragma once
// The ten memo slots: their keys and captions, and the plain buffers.

#include <QString>
#include <string>

namespace kirimo {

struct AppContext;

// Settings keys of slot n (1..10); slot 1's content key has no digit.
std::u16string ContentKey(int slot);
std::u16string TitleKey(int slot);

// Captions of an empty slot.
QString EmptyMemoCaption(int slot);
QString EmptyResetMenuCaption(int slot);

// Gives every slot whose title buffer is filled its title as caption; an
// empty buffer leaves the captions as they are.
void RefreshSlotCaptions(AppContext& ctx);

// Empties (and overwrites) all ten titles, then all ten contents.
void ClearPlainSlots(AppContext& ctx);

}  // namespace kirimo
