// The size, font and always-on-top commands, and the pair every message
// box is shown between.

#include "WindowFixture.h"

namespace kirimo::testing {
namespace {

const QString kAllResetQuestion = QStringLiteral("メモしたすべてをリセットしますか？");

using AppearanceTest = WindowFixture;

TEST_F(AppearanceTest, FontButtonStepsThroughTheFiveSizesAndOpensTheWindow) {
  Start();
  const int steps[] = {16, 20, 24, 10, 12};
  for (const int points : steps) {
    SCOPED_TRACE(points);
    Action("mnuWClose")->trigger();
    ASSERT_EQ(Window(), nullptr);
    Find("cmdFont")->click();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->label()->font().pointSize(), points);
    EXPECT_TRUE(Window()->label()->font().bold());
    EXPECT_EQ(Find("cmdFont")->text(), QStringLiteral("フォントサイズ %1").arg(points));
  }
  EXPECT_EQ(ctx().state.fontSizeCode, u"b");
  Find("cmdFont")->click();
  CloseMain();
  EXPECT_NE(iniBytes().find("FNTSIZE=c\r\n"), std::string::npos);

  // The next start gives the window that size again.
  main.reset();
  Start();
  Action("mnuWindowOn")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->label()->font().pointSize(), 16);
  EXPECT_EQ(Find("cmdFont")->text(), QStringLiteral("フォントサイズ 16"));
}

// Each button changes the size by 50 twips while the size read back from
// the window (in whole pixels) is within its limit.
TEST_F(AppearanceTest, SizeButtonsStopAtTheirLimitsAsReadFromTheWindow) {
  struct Case {
    const char* button;
    Twips stored;
    Twips after;
  };
  const Case cases[] = {
      {"cmdHup", {0, 0, 3000, 495}, {0, 0, 3000, 540}},
      // 383 pixels is 5745 twips, below 5750: it still grows, past the limit.
      {"cmdHup", {0, 0, 3000, 5745}, {0, 0, 3000, 5790}},
      {"cmdHup", {0, 0, 3000, 5760}, {0, 0, 3000, 5760}},
      {"cmdHdown", {0, 0, 3000, 495}, {0, 0, 3000, 450}},
      {"cmdHdown", {0, 0, 3000, 210}, {0, 0, 3000, 165}},
      {"cmdHdown", {0, 0, 3000, 195}, {0, 0, 3000, 195}},
      {"cmdWup", {0, 0, 7635, 495}, {0, 0, 7680, 495}},
      {"cmdWup", {0, 0, 7650, 495}, {0, 0, 7650, 495}},
      {"cmdWdown", {0, 0, 810, 495}, {0, 0, 765, 495}},
      {"cmdWdown", {0, 0, 795, 495}, {0, 0, 795, 495}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " from " + std::to_string(c.stored.width) + " x " +
                 std::to_string(c.stored.height));
    SetIni(ReturningIni(c.stored));
    Start();
    ASSERT_EQ(WindowTwips(), c.stored);
    Find(c.button)->click();
    EXPECT_EQ(WindowTwips(), c.after);
    // The size is stored when the window closes.
    CloseMain();
    EXPECT_NE(iniBytes().find("WIDTH=" + std::to_string(c.after.width) +
                              "\r\nHEIGHT=" + std::to_string(c.after.height) + "\r\n"),
              std::string::npos);
    main.reset();
  }
}

TEST_F(AppearanceTest, SizeButtonOnAClosedWindowOpensIt) {
  Start();
  Find("cmdHdown")->click();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(WindowTwips().height, 450);
}

// The state of both windows on top: the flags, what the desktop was told,
// the menu items and the button.
class TopmostTest : public WindowFixture {
 public:
  struct Seen {
    bool window, main;  // on top, as the desktop has it
    bool temaeEnabled, kaijoEnabled;
    QString temaeCaption;
    bool operator==(const Seen&) const = default;
  };

 protected:
  Seen Now() {
    return {Window() && stacking.IsTopmost(Window()), stacking.IsTopmost(main.get()),
            Action("mnuTemae")->isEnabled(), Action("mnuTemaeKaijo")->isEnabled(),
            Find("cmdTemae")->text()};
  }
  static Seen Both() { return {true, true, false, true, QStringLiteral("手前に表示解除")}; }
  static Seen WindowOnly() { return {true, false, false, true, QStringLiteral("常に手前に表示")}; }
  static Seen MainOnly() { return {false, true, true, false, QStringLiteral("手前に表示解除")}; }
  static Seen Neither() { return {false, false, true, false, QStringLiteral("常に手前に表示")}; }
};

void PrintTo(const TopmostTest::Seen& s, std::ostream* os) {
  *os << "window " << s.window << ", main " << s.main << ", mnuTemae " << s.temaeEnabled
      << ", mnuTemaeKaijo " << s.kaijoEnabled << ", " << s.temaeCaption.toStdString();
}

TEST_F(TopmostTest, CommandsSwitchEachWindowInPlace) {
  SetIni(ReturningIni(Twips{1500, 1500, 3000, 495}));
  Start();
  const QRect windowPlace = Window()->geometry();
  const QRect mainPlace = main->geometry();
  EXPECT_EQ(Now(), Neither());

  Action("mnuTemae")->trigger();
  EXPECT_EQ(Now(), WindowOnly());
  Find("cmdTemae")->click();
  EXPECT_EQ(Now(), Both());
  Find("cmdTemae")->click();
  EXPECT_EQ(Now(), WindowOnly());  // the floating window stays on top
  Action("mnuTemaeKaijo")->trigger();
  EXPECT_EQ(Now(), Neither());
  Find("cmdTemae")->click();
  EXPECT_EQ(Now(), MainOnly());

  EXPECT_EQ(Window()->geometry(), windowPlace);
  EXPECT_EQ(main->geometry(), mainPlace);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_TRUE(main->isVisible());
}

TEST_F(TopmostTest, ReleasingTheFloatingWindowOpensItAsAnOrdinaryWindow) {
  SetIni("[MyData]\r\nTE=t\r\n");
  Start();
  ASSERT_EQ(Window(), nullptr);
  Action("mnuTemaeKaijo")->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_FALSE(stacking.IsTopmost(Window()));
  EXPECT_EQ(ctx().state.windowTopmost, u"");
}

// A message box shows above both windows; afterwards what was on top is on
// top again, the main window last (and so above) when both are.
TEST_F(TopmostTest, MessageBoxLiftsBothWindowsAndPutsBackWhatWasOnTop) {
  struct Case {
    const char* name;
    std::string flags;
    Seen after;
    std::vector<std::string> lastTwoApplied;
  };
  const Case cases[] = {
      {"both", "TE=t\r\nTEM=t\r\n", Both(), {"frmWindow", "frmMain"}},
      {"floating window only", "TE=t\r\n", WindowOnly(), {"frmMain", "frmWindow"}},
      {"main window only", "TEM=t\r\n", MainOnly(), {"frmWindow", "frmMain"}},
      {"neither", "", Neither(), {"frmWindow", "frmMain"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.shown.clear();
    SetIni(ReturningIni(Twips{1500, 1500, 3000, 495}, c.flags));
    Start();
    ASSERT_EQ(Now(), c.after);
    const QRect windowPlace = Window()->geometry();
    std::optional<Seen> during;
    boxes.whileShown = [&] { during = Now(); };
    boxes.answers = {MsgAnswer::No};
    stacking.order.clear();
    Find("cmdAllReset")->click();
    boxes.whileShown = nullptr;
    ASSERT_EQ(boxes.texts(), std::vector<QString>{kAllResetQuestion});
    ASSERT_TRUE(during.has_value());
    EXPECT_EQ(*during, Neither());
    EXPECT_EQ(Now(), c.after);
    ASSERT_GE(stacking.order.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(stacking.order.end() - 2, stacking.order.end()),
              c.lastTwoApplied);
    EXPECT_EQ(Window()->geometry(), windowPlace);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_FALSE(ctx().state.savedWindowTopmost);
    EXPECT_FALSE(ctx().state.savedMainTopmost);
    main.reset();
  }
}

TEST_F(TopmostTest, EachStartTakesTheStoredFlagsWhateverTheLastRunChose) {
  SetIni(ReturningIni(Twips{1500, 1500, 3000, 495}, "TE=t\r\n"));
  Start();
  EXPECT_EQ(Now(), WindowOnly());
  Action("mnuTemaeKaijo")->trigger();
  Find("cmdTemae")->click();
  EXPECT_EQ(Now(), MainOnly());
  CloseMain();
  const std::string bytes = iniBytes();
  EXPECT_NE(bytes.find("TE=t\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("TEM="), std::string::npos);

  main.reset();
  Start();
  EXPECT_EQ(Now(), WindowOnly());
}

}  // namespace
}  // namespace kirimo::testing
