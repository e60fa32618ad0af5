#pragma once
// The clock of the floating window and the automatic return from a memo
// to the clock, both driven by the main window's one-second timer.

#include <QDateTime>
#include <string>
#include <string_view>

namespace kirimo {

struct AppContext;

// One tick of Timer1: the clock text, the tray icon's re-adds and the
// auto-return step.
void ClockTick(AppContext& ctx);
// One second of the auto-return count.
void AutoReturnTick(AppContext& ctx);
// cmdTime: shows the clock (opening the window) or hides it (closing it).
void ToggleClock(AppContext& ctx);
// mnuTokei: always shows the clock.
void ForceClock(AppContext& ctx);
// mnuTime1..3 and mnuFukki…, by their index in the tables.
void ChooseClockFormat(AppContext& ctx, size_t item);
void ChooseAutoReturn(AppContext& ctx, size_t item);
void ApplyAutoReturnMarks(AppContext& ctx);
void ApplyClockFormatMarks(AppContext& ctx);

// The clock text of `format` ("a", "b", "c") at `when`, in the Japanese
// forms whatever the system's locale; empty for any other code.
std::u16string FormatClock(std::u16string_view format, const QDateTime& when);

// A text flag on ("t") or off (empty).
inline void SetTextFlag(std::u16string& flag, bool on) {
  // assign() rather than a literal: GCC 12 warns falsely on the literal.
  if (on)
    flag.assign(1, u't');
  else
    flag.clear();
}

// The captions of cmdTime.
inline constexpr std::u16string_view kClockOffCaption = u"日付/時間";
inline constexpr std::u16string_view kClockOnCaption = u"日付/時計非表示";

}  // namespace kirimo
