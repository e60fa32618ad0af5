// The clock in the floating window and the return from a memo to it, tick
// by tick against the fake clock.

#include <QLocale>

#include "WindowFixture.h"

namespace kirimo::testing {
namespace {

const QString kClockOff = QStringLiteral("日付/時間");
const QString kClockOn = QStringLiteral("日付/時計非表示");

QDateTime At(int y, int mo, int d, int h, int mi, int s) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

TEST(ClockFormatTest, JapaneseFormsWhateverTheLocale) {
  struct Case {
    std::u16string_view format;
    QDateTime when;
    std::u16string_view text;
  };
  const Case cases[] = {
      {u"a", At(2026, 12, 6, 21, 5, 9), u"21:05:09"},
      {u"a", At(2026, 1, 1, 0, 30, 0), u"00:30:00"},
      {u"b", At(2026, 12, 6, 21, 5, 9), u"午後/09:05:09"},
      {u"b", At(2026, 1, 1, 0, 30, 0), u"午前/12:30:00"},
      {u"b", At(2026, 1, 1, 12, 0, 0), u"午後/12:00:00"},
      {u"b", At(2026, 1, 1, 13, 5, 9), u"午後/01:05:09"},
      {u"b", At(2026, 1, 1, 11, 59, 59), u"午前/11:59:59"},
      {u"c", At(2026, 12, 6, 21, 5, 9), u"06日(日)21:05:09"},
      {u"c", At(2026, 8, 1, 9, 0, 0), u"01日(土)09:00:00"},
      {u"c", At(2026, 12, 7, 0, 0, 0), u"07日(月)00:00:00"},
      {u"c", At(2026, 12, 8, 1, 2, 3), u"08日(火)01:02:03"},
      {u"c", At(2026, 12, 9, 1, 2, 3), u"09日(水)01:02:03"},
      {u"c", At(2026, 12, 10, 1, 2, 3), u"10日(木)01:02:03"},
      {u"c", At(2026, 12, 11, 1, 2, 3), u"11日(金)01:02:03"},
      {u"c", At(2026, 12, 31, 23, 59, 59), u"31日(木)23:59:59"},
      {u"", At(2026, 12, 6, 21, 5, 9), u""},
      {u"d", At(2026, 12, 6, 21, 5, 9), u""},
  };
  const QLocale before;
  for (const QLocale& locale : {QLocale(QLocale::German), QLocale(QLocale::Arabic, QLocale::Egypt),
                                QLocale(QLocale::Japanese)}) {
    QLocale::setDefault(locale);
    for (const Case& c : cases) {
      SCOPED_TRACE(QString::fromUtf16(c.text.data(), c.text.size()).toStdString());
      EXPECT_EQ(FormatClock(c.format, c.when), c.text);
    }
  }
  QLocale::setDefault(before);
}

using ClockTest = WindowFixture;

TEST_F(ClockTest, ClockButtonOpensTheTickingClockAndClosesIt) {
  SetIni("[MyData]\r\nTIMECASE=a\r\n");
  Start();
  clock.now = At(2026, 12, 6, 21, 5, 8);
  Find("cmdTime")->click();
  EXPECT_EQ(Find("cmdTime")->text(), kClockOn);
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(WindowText(), QString());  // filled by the next tick
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:05:09"));
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:05:10"));
  Action("mnuTime3")->trigger();
  EXPECT_TRUE(Action("mnuTime3")->isChecked());
  EXPECT_FALSE(Action("mnuTime1")->isChecked());
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("06日(日)21:05:11"));

  Find("cmdTime")->click();
  EXPECT_EQ(Find("cmdTime")->text(), kClockOff);
  EXPECT_EQ(Window(), nullptr);
  CloseMain();
  EXPECT_NE(iniBytes().find("TIMEFLAG=\r\nWINDOWFLAG=0\r\n"), std::string::npos);
  EXPECT_NE(iniBytes().find("TIMECASE=c\r\n"), std::string::npos);
}

TEST_F(ClockTest, WithoutAFormatTheClockOpensAnEmptyWindowUntilOneIsChosen) {
  Start();
  Find("cmdTime")->click();
  Tick(3);
  EXPECT_EQ(WindowText(), QString());
  for (QAction* item : ctx().ui.window.mnuTime) EXPECT_FALSE(item->isChecked());
  Action("mnuTime2")->trigger();
  EXPECT_EQ(WindowText(), QString());
  clock.now = At(2026, 12, 6, 9, 0, 0);
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("午前/09:00:01"));
}

TEST_F(ClockTest, NothingTicksBeforeStartUpHasCompleted) {
  SetIni("[MyData]\r\nTIMECASE=a\r\nWINDOWFLAG=300\r\n");  // a failing start-up
  Start();
  ASSERT_FALSE(ctx().state.startupComplete);
  Tick(2);
  EXPECT_TRUE(ctx().state.clockText.empty());
}

// A memo recalled into the window returns to the clock after the chosen
// delay: the return on the delay's tick, the clock text on the next.
class AutoReturnTest : public WindowFixture {
 protected:
  void StartRecalled(const std::string& delay) {
    StartWith({{1, u"one", u"memo one"}}, "WINHYOUJI=t\r\nTIMECASE=a\r\nFUKKI=" + delay + "\r\n");
    clock.now = At(2026, 12, 6, 21, 0, 0);
    Click("cmdMemo1");
    ASSERT_EQ(WindowText(), QStringLiteral("memo one"));
  }
};

TEST_F(AutoReturnTest, FifteenthTickReturnsAndTheSixteenthShowsTheClock) {
  StartRecalled("15");
  EXPECT_TRUE(Action("mnuFukki15")->isChecked());
  Tick(14);
  EXPECT_EQ(WindowText(), QStringLiteral("memo one"));
  EXPECT_EQ(Find("cmdTime")->text(), kClockOff);
  Tick();
  EXPECT_EQ(Find("cmdTime")->text(), kClockOn);
  EXPECT_FALSE(ctx().state.memoShown);
  EXPECT_EQ(ctx().state.autoReturnCount, 601);
  EXPECT_EQ(WindowText(), QStringLiteral("memo one"));
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:00:16"));
}

TEST_F(AutoReturnTest, NeverReturnsWithNone) {
  StartRecalled("0");
  EXPECT_TRUE(Action("mnuFukkiNasi")->isChecked());
  Tick(700);
  EXPECT_EQ(WindowText(), QStringLiteral("memo one"));
  EXPECT_TRUE(ctx().state.memoShown);
}

TEST_F(AutoReturnTest, ShorterDelayChosenDuringTheCountCancelsALongerOnePostpones) {
  struct Case {
    const char* item;
    int returnsAfter;  // further ticks; 0 = never
  };
  for (const Case c : {Case{"mnuFukki15", 0}, Case{"mnuFukki1m", 40}, Case{"mnuFukki30", 10}}) {
    SCOPED_TRACE(c.item);
    StartRecalled("30");
    Tick(20);
    Action(c.item)->trigger();
    EXPECT_TRUE(Action(c.item)->isChecked());
    EXPECT_EQ(ctx().state.autoReturnCount, 20);  // the count goes on
    if (c.returnsAfter == 0) {
      Tick(700);
      EXPECT_TRUE(ctx().state.memoShown);
    } else {
      Tick(c.returnsAfter - 1);
      EXPECT_TRUE(ctx().state.memoShown);
      Tick();
      EXPECT_FALSE(ctx().state.memoShown);
    }
    main.reset();
  }
}

TEST_F(AutoReturnTest, PendingReturnReopensAClosedWindowWithTheClock) {
  StartRecalled("15");
  Tick(5);
  Action("mnuWClose")->trigger();
  ASSERT_EQ(Window(), nullptr);
  Tick(10);
  ASSERT_NE(Window(), nullptr);
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:00:16"));
}

TEST_F(AutoReturnTest, ClockItemShowsTheClockOverAMemoAndInAClosedWindow) {
  StartRecalled("0");
  Action("mnuTokei")->trigger();
  EXPECT_EQ(Find("cmdTime")->text(), kClockOn);
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:00:01"));

  Action("mnuWClose")->trigger();
  ASSERT_EQ(Window(), nullptr);
  Action("mnuTokei")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Find("cmdTime")->text(), kClockOn);
  Tick();
  EXPECT_EQ(WindowText(), QStringLiteral("21:00:02"));
}

TEST_F(ClockTest, DelayItemsSetTheDelayAndMoveTheMarkWithoutWriting) {
  Start();
  const std::string before = iniBytes();
  for (size_t i = 0; i < kAutoReturnItems.size(); ++i) {
    Action(kAutoReturnItems[i].name)->trigger();
    EXPECT_EQ(ctx().state.autoReturnSeconds, kAutoReturnItems[i].seconds);
    for (size_t j = 0; j < kAutoReturnItems.size(); ++j)
      EXPECT_EQ(ctx().ui.window.mnuFukki[j]->isChecked(), i == j);
  }
  EXPECT_EQ(iniBytes(), before);
  Action("mnuFukki3m")->trigger();
  CloseMain();
  EXPECT_NE(iniBytes().find("FUKKI=180\r\n"), std::string::npos);
}

// The ticks come just after each whole second of the wall clock, so that
// the clock neither skips nor repeats a second.
TEST_F(ClockTest, TimerIsPreciseAndAlignedToTheSecond) {
  Start();
  QTimer* timer = ctx().ui.shell.Timer1;
  for (const int msec : {0, 300, 999}) {
    SCOPED_TRACE(msec);
    clock.now = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9, msec));
    main->Timer1_Timer();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    EXPECT_GE(timer->interval(), 1000 - msec);
    EXPECT_LE(timer->interval(), 1000 - msec + 20);
  }
}

TEST_F(ClockTest, TrayIconIsAddedAgainOnlyOnTheFirstTwentyOneMinutes) {
  Start();
  clock.now = At(2026, 12, 6, 21, 0, 58);
  for (int minute = 0; minute < 25; ++minute) Tick(60);
  EXPECT_EQ(ctx().state.trayReaddCount, 21);
}

}  // namespace
}  // namespace kirimo::testing
