#include "window/Clock.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <array>

#include "app/AppContext.h"
#include "app/Tray.h"
#include "window/FloatingWindow.h"
#include "window/WindowTables.h"

namespace kirimo {

namespace {

// The auto-return count's idle value, above every delay.
constexpr std::int16_t kIdleCount = 601;
// How long after a whole second the tick comes: late enough that the clock
// has surely passed the second, early enough to look instant.
constexpr int kTickAfterSecondMs = 5;

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

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

// The clock text is built in a small buffer: it is made every second.
class ClockText {
 public:
  void Put(char16_t c) { text_[size_++] = c; }
  void Put2(int n) {
    Put(static_cast<char16_t>(u'0' + n / 10 % 10));
    Put(static_cast<char16_t>(u'0' + n % 10));
  }
  void PutTime(int hour, int minute, int second) {
    Put2(hour);
    Put(u':');
    Put2(minute);
    Put(u':');
    Put2(second);
  }
  std::u16string str() const { return std::u16string(text_.data(), size_); }

 private:
  std::array<char16_t, 16> text_{};
  size_t size_ = 0;
};

// Sunday first, as Qt numbers them from Monday = 1 to Sunday = 7.
constexpr std::array<char16_t, 7> kWeekdays{u'月', u'火', u'水', u'木', u'金', u'土', u'日'};

bool ClockShown(const AppContext& ctx) {
  const QPushButton* cmdTime = ctx.ui.window.cmdTime;
  return cmdTime && cmdTime->text() == Text(kClockOnCaption);
}

// The next tick just after the next whole second, so that the clock never
// skips or repeats a second; one tick per second all the same. A tick that
// is on time leaves the timer running as it is.
void AlignTimer(AppContext& ctx, const QTime& now) {
  QTimer* timer = ctx.ui.shell.Timer1;
  if (!timer || !timer->isActive()) return;
  const bool onTime = now.msec() <= kTickAfterSecondMs * 4;
  const int interval = onTime ? 1000 : 1000 - now.msec() + kTickAfterSecondMs;
  if (timer->timerType() != Qt::PreciseTimer) {
    // The type takes effect when the timer starts again.
    timer->setTimerType(Qt::PreciseTimer);
    timer->start(interval);
  } else if (timer->interval() != interval) {
    timer->setInterval(interval);
  }
}

}  // namespace

std::u16string FormatClock(std::u16string_view format, const QDateTime& when) {
  const QTime t = when.time();
  ClockText out;
  if (format == u"a") {
    out.PutTime(t.hour(), t.minute(), t.second());
  } else if (format == u"b") {
    out.Put(u'午');
    out.Put(t.hour() < 12 ? u'前' : u'後');
    out.Put(u'/');
    out.PutTime(t.hour() % 12 == 0 ? 12 : t.hour() % 12, t.minute(), t.second());
  } else if (format == u"c") {
    const QDate d = when.date();
    out.Put2(d.day());
    out.Put(u'日');
    out.Put(u'(');
    out.Put(kWeekdays[static_cast<size_t>(d.dayOfWeek() - 1)]);
    out.Put(u')');
    out.PutTime(t.hour(), t.minute(), t.second());
  }
  return out.str();
}

void ClockTick(AppContext& ctx) {
  AppState& s = ctx.state;
  const QDateTime now = ctx.services.clock.Now();
  AlignTimer(ctx, now.time());
  if (!s.startupComplete) return;
  if (std::u16string text = FormatClock(s.clockFormat, now); !text.empty()) s.clockText = text;
  if (!s.memoShown && s.windowOpen == 1)
    SetFloatingWindowText(ctx,
                          ClockShown(ctx) ? QString::fromStdU16String(s.clockText) : QString());
  // One reading of the clock for the whole tick: each reading converts to
  // local time, which looks at the zone file again, once a second all day.
  TrayReaddTick(ctx, now.time());
  AutoReturnTick(ctx);
  TrayHiddenReaddTick(ctx, now.time());
}

void AutoReturnTick(AppContext& ctx) {
  AppState& s = ctx.state;
  if (s.autoReturnCount > s.autoReturnSeconds) return;
  ++s.autoReturnCount;
  if (s.autoReturnCount == s.autoReturnSeconds) {
    s.forceClock = true;
    ToggleClock(ctx);
    s.autoReturnCount = kIdleCount;
  }
}

void ToggleClock(AppContext& ctx) {
  AppState& s = ctx.state;
  QPushButton* cmdTime = ctx.ui.window.cmdTime;
  const bool show = (cmdTime && cmdTime->text() == Text(kClockOffCaption)) || s.forceClock;
  if (show) {
    if (cmdTime) cmdTime->setText(Text(kClockOnCaption));
    s.forceClock = false;
    s.memoShown = false;
    OpenFloatingWindow(ctx);
    SetTextFlag(s.clockOn, true);
    EnableWindowClear(ctx, false);
  } else {
    if (cmdTime) cmdTime->setText(Text(kClockOffCaption));
    CloseFloatingWindow(ctx);
    SetTextFlag(s.clockOn, false);
  }
}

void ForceClock(AppContext& ctx) {
  ctx.state.forceClock = true;
  ToggleClock(ctx);
}

void ChooseClockFormat(AppContext& ctx, size_t item) {
  if (item >= kClockFormatItems.size()) return;
  ctx.state.clockFormat = std::u16string(kClockFormatItems[item].code);
  ApplyClockFormatMarks(ctx);
}

void ChooseAutoReturn(AppContext& ctx, size_t item) {
  if (item >= kAutoReturnItems.size()) return;
  ctx.state.autoReturnSeconds = kAutoReturnItems[item].seconds;
  CheckOnly(ctx.ui.window.mnuFukki, static_cast<int>(item));
}

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

}  // namespace kirimo
