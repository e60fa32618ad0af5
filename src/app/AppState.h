#pragma once
// The program-wide state: one object for the whole run, owned by the shell.
// Field names follow the settings keys' meanings; see Startup.cpp for which
// key fills which field.

#include <array>
#include <cstdint>
#include <string>

// WipeText, for the plain slot texts and password copies below.
#include "cipher/Wipe.h"

namespace kirimo {

inline constexpr int kSlotCount = 10;

struct AppState {
  // Plain texts of the ten slots, index 1..10 (index 0 unused). Filled only
  // while an operation needs them.
  std::array<std::u16string, kSlotCount + 1> slotTitle;
  std::array<std::u16string, kSlotCount + 1> slotContent;
  std::uint8_t pendingSlot = 0;
  bool entryDialogOpen = false;
  bool mainWasHidden = false;

  std::uint8_t windowOpen = 0;         // "WINDOWFLAG"
  std::u16string windowTopmost;        // "TE" (never written)
  std::u16string mainTopmost;          // "TEM" (never written)
  std::u16string titleClickDisplay;    // "WINHYOUJI"
  std::u16string clockFormat;          // "TIMECASE"
  std::u16string clockOn;              // "TIMEFLAG"
  std::u16string fontSizeCode;         // "FNTSIZE"
  std::int16_t autoReturnSeconds = 0;  // "FUKKI"
  std::int16_t autoReturnCount = 0;    // 601 = idle, set by start-up
  std::uint8_t passwordRequired = 0;   // "PASSCHK"
  std::u16string storedPassword;       // "DAIMEI0"
  std::u16string passwordCopy;         // "SETTEI"
  std::uint8_t wipeOnIntrusion = 0;    // "FSI"
  std::uint8_t firstStartDone = 0;     // "SHYOKAI"
  std::u16string installStamp;         // "HIDUKE"

  bool startupComplete = false;
  std::u16string clockText;
  bool memoShown = false;
  bool forceClock = false;
  bool trayRightDown = false;
  std::uint8_t trayReaddCount = 0;
  bool changingPassword = false;
  bool savedWindowTopmost = false;
  bool savedMainTopmost = false;

  // Empty while no operation runs; set by the operation that touches the file.
  std::u16string settingsDir;
};

}  // namespace kirimo
