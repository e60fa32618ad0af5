// The floating window as the user meets it: where it opens, what it stores
// when it closes, the drag and the popup, and its menu commands.

#include <QGuiApplication>
#include <QScreen>

#include "WindowFixture.h"

namespace kirimo::testing {
namespace {

const QString kClockOff = QStringLiteral("日付/時間");
const QString kClockOn = QStringLiteral("日付/時計非表示");

using FloatingWindowTest = WindowFixture;

TEST_F(FloatingWindowTest, FirstStartOpensTheDefaultSizeCentredAndTheCloseStoresIt) {
  Start();
  Find("cmdTime")->click();
  FrmWindow* w = Window();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->objectName(), QStringLiteral("frmWindow"));
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(w->windowType(), Qt::Tool);
  EXPECT_EQ(w->parentWidget(), nullptr);
  // 3000 x 500 twips in whole pixels; centred on the whole screen.
  EXPECT_EQ(w->size(), QSize(200, 33));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(w->x(), (screen.width() - 200) / 2.0, 1);
  EXPECT_NEAR(w->y(), (screen.height() - 33) / 2.0, 1);
  EXPECT_EQ(ctx().state.firstStartDone, 1);
  EXPECT_FALSE(Action("mnuWindowOn")->isEnabled());
  EXPECT_TRUE(Action("mnuWClose")->isEnabled());

  const Twips opened = WindowTwips();
  CloseMain();
  const std::string bytes = iniBytes();
  EXPECT_NE(bytes.find("SHYOKAI=1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("WINDOWFLAG=1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("[frmWindow]\r\n" + WindowKeys(opened)), std::string::npos) << bytes;
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FloatingWindowTest, StoredGeometryComesBackExactlyAndIsStoredAgain) {
  const Twips stored{1500, 3000, 4500, 750};
  SetIni(ReturningIni(WindowKeys(stored)));
  Start();
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(WindowTwips(), stored);
  EXPECT_EQ(ctx().state.windowOpen, 1);
  CloseMain();
  EXPECT_NE(iniBytes().find("[frmWindow]\r\n" + WindowKeys(stored)), std::string::npos);
}

// A window that could not be seen or reached with the mouse is given the
// first start's size, or brought back onto the screen; usable values stay.
TEST_F(FloatingWindowTest, WindowThatWouldBeOutOfReachOpensWithinReach) {
  struct Case {
    const char* name;
    std::string keys;
    Twips expected;
  };
  const Case cases[] = {
      {"keys missing", "", {0, 0, 3000, 495}},
      {"keys empty", "LEFT=\r\nTOP=\r\nWIDTH=\r\nHEIGHT=\r\n", {0, 0, 3000, 495}},
      {"zero size", WindowKeys({750, 1500, 0, 0}), {750, 1500, 3000, 495}},
      {"negative width", WindowKeys({750, 1500, -600, 750}), {750, 1500, 3000, 750}},
      {"under a pixel high", WindowKeys({750, 1500, 4500, 5}), {750, 1500, 4500, 495}},
      {"beyond the screen",
       WindowKeys({15000, 13000, 3000, 495}),
       {12000 - 3000, 12000 - 495, 3000, 495}},
      {"above and left of it", WindowKeys({-6000, -300, 3000, 495}), {0, 0, 3000, 495}},
      {"far beyond any screen",
       "LEFT=1E+30\r\nTOP=-1E+30\r\nWIDTH=3000\r\nHEIGHT=495\r\n",
       {12000 - 3000, 0, 3000, 495}},
      {"partly over the edge", WindowKeys({10500, 300, 3000, 495}), {9000, 300, 3000, 495}},
      {"usable",
       WindowKeys({11985 - 3000, 11985 - 495, 3000, 495}),
       {11985 - 3000, 11985 - 495, 3000, 495}},
  };
  // The test screen: 800 x 800 pixels, 12000 twips each way.
  ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.shown.clear();
    SetIni(ReturningIni(c.keys));
    Start();
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(WindowTwips(), c.expected);
    // What is stored is where the window really is.
    CloseMain();
    EXPECT_NE(iniBytes().find("[frmWindow]\r\n" + WindowKeys(c.expected)), std::string::npos);
    main.reset();
  }
}

TEST_F(FloatingWindowTest, MainWindowStoredOffTheScreenOpensOnIt) {
  SetIni("[MyData]\r\nSHYOKAI=1\r\n[frmMain]\r\nLEFT=15000\r\nTOP=9000\r\n");
  FrmMain& w = Start();
  EXPECT_TRUE(boxes.shown.empty());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(w.frameGeometry()))
      << w.frameGeometry().x() << "," << w.frameGeometry().y();
}

TEST_F(FloatingWindowTest, LeftPressMovesTheWindowThroughTheDesktopOverTheLabelToo) {
  SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495}), "TIMECASE=a\r\nTIMEFLAG=t\r\n"));
  Start();
  Tick();
  ASSERT_FALSE(WindowText().isEmpty());
  int& popups = CountPopups();
  for (const QPoint at : {OverLabel(), QPoint(190, 30)}) {
    stacking.systemMoves.clear();
    Press(Qt::LeftButton, at);
    Release(Qt::LeftButton, at);
    ASSERT_EQ(stacking.systemMoves.size(), 1u);
    EXPECT_EQ(stacking.systemMoves[0], Window());
  }
  EXPECT_EQ(popups, 0);
}

TEST_F(FloatingWindowTest, WithoutTheDesktopsMoveTheWindowFollowsTheMouse) {
  SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495})));
  Start();
  stacking.systemMoveWorks = false;
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    SCOPED_TRACE(button);
    int& popups = CountPopups();
    const Twips before = WindowTwips();
    Press(button, QPoint(10, 10));
    MoveMouse(QPoint(60, 25));
    // The window has moved with the mouse, which is over the same point of
    // it again.
    Release(button, QPoint(10, 10));
    EXPECT_EQ(WindowTwips().left, before.left + 50 * 15);
    EXPECT_EQ(WindowTwips().top, before.top + 15 * 15);
    // A right drag pops nothing up.
    EXPECT_EQ(popups, 0);
  }
}

TEST_F(FloatingWindowTest, RightClickPopsUpTheWindowMenuUnlessTheEntryDialogIsOpen) {
  SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495})));
  Start();
  int& popups = CountPopups();
  for (const QPoint at : {OverLabel(), QPoint(150, 20)}) {
    Press(Qt::RightButton, at);
    Release(Qt::RightButton, at);
  }
  EXPECT_EQ(popups, 2);
  // A press without movement is no move yet.
  EXPECT_TRUE(stacking.systemMoves.empty());

  // A right press that moves past the drag distance moves the window.
  Press(Qt::RightButton, QPoint(10, 10));
  MoveMouse(QPoint(40, 10));
  EXPECT_EQ(stacking.systemMoves.size(), 1u);

  Find("cmdMemo7")->click();  // an empty slot: the entry dialog opens
  ASSERT_TRUE(ctx().state.entryDialogOpen);
  Press(Qt::RightButton, QPoint(20, 20));
  Release(Qt::RightButton, QPoint(20, 20));
  EXPECT_EQ(popups, 2);
}

TEST_F(FloatingWindowTest, CentreMovesAnOpenWindowOnlyAndTheCloseStoresThePlace) {
  SetIni(ReturningIni(WindowKeys({300, 450, 3000, 495})));
  Start();
  Action("mnuMidle")->trigger();
  const Twips centred = WindowTwips();
  // (12000 - 3000) / 2 and (12000 - 495) / 2 twips, in whole pixels.
  EXPECT_EQ(centred, (Twips{4500, 5760, 3000, 495}));
  Action("mnuWClose")->trigger();
  ASSERT_EQ(Window(), nullptr);
  EXPECT_NE(iniBytes().find(WindowKeys(centred)), std::string::npos);

  Action("mnuMidle")->trigger();
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(ctx().state.windowOpen, 0);
}

TEST_F(FloatingWindowTest, WindowClearEmptiesAnOpenWindowAndAlwaysEndsTheMemo) {
  for (const bool open : {true, false}) {
    SCOPED_TRACE(open);
    StartWith({{2, u"two", u"222"}}, "WINHYOUJI=t\r\n");
    Click("cmdMemo2");
    ASSERT_EQ(WindowText(), QStringLiteral("222"));
    ASSERT_TRUE(Action("mnuClear")->isEnabled());
    if (!open) {
      Action("mnuWClose")->trigger();
      ctx().state.memoShown = true;
      Action("mnuClear")->setEnabled(true);
    }
    Action("mnuClear")->trigger();
    if (open) {
      EXPECT_EQ(WindowText(), QString());
    }
    EXPECT_EQ(Window() != nullptr, open);
    EXPECT_FALSE(Action("mnuClear")->isEnabled());
    EXPECT_FALSE(ctx().state.memoShown);
    main.reset();
  }
}

// However the window was opened, closing it leaves no clock anywhere and a
// clock button that says so.
TEST_F(FloatingWindowTest, WindowCloseLeavesTheClockOffWhateverOpenedTheWindow) {
  struct Case {
    const char* name;
    const char* opener;
  };
  for (const Case c : {Case{"clock shown", "cmdTime"}, Case{"opened by a size button", "cmdWup"}}) {
    SCOPED_TRACE(c.name);
    SetIni("[MyData]\r\nTIMECASE=a\r\n");
    Start();
    Find(c.opener)->click();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(ctx().state.clockOn, u"t");
    Action("mnuWClose")->trigger();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(ctx().state.windowOpen, 0);
    EXPECT_EQ(ctx().state.clockOn, u"");
    EXPECT_EQ(Find("cmdTime")->text(), kClockOff);
    EXPECT_TRUE(Action("mnuWindowOn")->isEnabled());
    EXPECT_FALSE(Action("mnuWClose")->isEnabled());
    // The next click on the clock button shows the clock at once.
    Find("cmdTime")->click();
    EXPECT_NE(Window(), nullptr);
    EXPECT_EQ(Find("cmdTime")->text(), kClockOn);
    Find("cmdTime")->click();
    CloseMain();
    EXPECT_NE(iniBytes().find("TIMEFLAG=\r\n"), std::string::npos);
    main.reset();
  }
}

TEST_F(FloatingWindowTest, ShowOnTitleClickSwitchesBothWays) {
  SetIni("[MyData]\r\nWINHYOUJI=t\r\nTIMECASE=a\r\n");
  Start();
  EXPECT_FALSE(Action("mnuWindowHyouji")->isEnabled());
  EXPECT_TRUE(Action("mnuWindowHihyouji")->isEnabled());
  Find("cmdTime")->click();
  ASSERT_NE(Window(), nullptr);

  Action("mnuWindowHihyouji")->trigger();
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(ctx().state.titleClickDisplay, u"");
  EXPECT_EQ(Find("cmdTime")->text(), kClockOff);
  EXPECT_TRUE(Action("mnuWindowHyouji")->isEnabled());
  EXPECT_FALSE(Action("mnuWindowHihyouji")->isEnabled());

  Action("mnuWindowHyouji")->trigger();
  EXPECT_EQ(Window(), nullptr);  // not reopened
  EXPECT_EQ(ctx().state.titleClickDisplay, u"t");
  EXPECT_FALSE(Action("mnuWindowHyouji")->isEnabled());
  EXPECT_TRUE(Action("mnuWindowHihyouji")->isEnabled());
  CloseMain();
  EXPECT_NE(iniBytes().find("WINHYOUJI=t\r\n"), std::string::npos);
}

TEST_F(FloatingWindowTest, RecalledMemoShowsInTheWindowAndRestartsTheCount) {
  StartWith({{4, u"tel", u"0120-000-000"}}, "WINHYOUJI=t\r\nTIMECASE=a\r\nFUKKI=30\r\n");
  EXPECT_EQ(Window(), nullptr);
  Click("cmdMemo4");
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(WindowText(), QStringLiteral("0120-000-000"));
  EXPECT_TRUE(ctx().state.memoShown);
  EXPECT_EQ(ctx().state.pendingSlot, 0);
  EXPECT_EQ(ctx().state.autoReturnCount, 0);
  EXPECT_TRUE(Action("mnuClear")->isEnabled());
  EXPECT_TRUE(AllBuffersEmpty());
  // The clock's ticks leave the memo alone.
  Tick(5);
  EXPECT_EQ(WindowText(), QStringLiteral("0120-000-000"));
}

// Each way of opening the window, whether it was open or not, brings it
// over the main window it may lie under.
TEST_F(FloatingWindowTest, EveryOpeningBringsTheWindowToTheFront) {
  StartWith({{4, u"tel", u"0120-000-000"}}, "WINHYOUJI=t\r\nTIMECASE=a\r\n");
  const std::vector<const char*> openers = {"cmdMemo4", "cmdMemo4", "cmdWup", "cmdFont", "cmdTime"};
  for (const char* opener : openers) {
    stacking.raised.clear();
    Click(opener);
    ASSERT_NE(Window(), nullptr) << opener;
    EXPECT_EQ(stacking.raised, std::vector<QWidget*>{Window()}) << opener;
  }
}

TEST_F(FloatingWindowTest, EndCommandStoresTheWindowClosedTheCloseBoxOpen) {
  for (const bool endCommand : {true, false}) {
    SCOPED_TRACE(endCommand);
    SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495})));
    Start();
    ASSERT_NE(Window(), nullptr);
    if (endCommand)
      Find("cmdEnd")->click();
    else
      CloseMain();
    const std::string bytes = iniBytes();
    EXPECT_NE(bytes.find(endCommand ? "WINDOWFLAG=0\r\n" : "WINDOWFLAG=1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(WindowKeys({1500, 1500, 3000, 495})), std::string::npos);
    EXPECT_TRUE(boxes.shown.empty());
    main.reset();
  }
}

TEST_F(FloatingWindowTest, PlaceThatCannotBeStoredIsReportedAndTheWindowClosesAnyway) {
  SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495})));
  Start();
  ASSERT_NE(Window(), nullptr);
  {
    UnwritableIni unwritable(ini());
    Action("mnuWClose")->trigger();
  }
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(ctx().state.windowOpen, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            QStringLiteral("ウインドウアンロード時ＩＮＩファイルを書き込みできませんでした"));
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

TEST_F(FloatingWindowTest, SettingsThatCannotBeReadAtOpenAreReported) {
  SetIni(ReturningIni(WindowKeys({1500, 1500, 3000, 495})));
  Start();
  Action("mnuWClose")->trigger();
  ASSERT_TRUE(boxes.shown.empty());
  {
    UnwritableIni unreadable(ini());
    Action("mnuWindowOn")->trigger();
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(Window()->isVisible());
  }
  ASSERT_GE(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            QStringLiteral("ウインドウ起動時ＩＮＩファイルを読み込みできませんでした"));
  EXPECT_EQ(ctx().state.windowOpen, 1);
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

}  // namespace
}  // namespace kirimo::testing

namespace kirimo::testing {
namespace {

using FloatingWindowLookTest = WindowFixture;

TEST_F(FloatingWindowLookTest, GinghamUnscaledFromTheCornerAndABoldJapaneseLabel) {
  SetIni("[MyData]\r\nTIMECASE=a\r\n");
  Start();
  Find("cmdTime")->click();
  ASSERT_NE(Window(), nullptr);
  Window()->resize(600, 400);  // larger than the picture
  const QImage shot = Window()->grab().toImage();
  // Pink bands down, cream bands across, eight pixels each, on a near-white
  // ground; beyond the picture, the ground.
  EXPECT_EQ(QColor(shot.pixel(8 + 3, 8 + 3)), QColor(253, 245, 226));
  EXPECT_EQ(QColor(shot.pixel(3, 8 + 3)), QColor(250, 189, 227));
  EXPECT_EQ(QColor(shot.pixel(8 + 3, 3)), QColor(251, 235, 196));
  EXPECT_EQ(QColor(shot.pixel(513 + 40, 385 + 5)), QColor(253, 245, 226));

  const QFont font = Window()->label()->font();
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pointSize(), 12);
  // The Windows face where installed, else its stand-in from
  // fonts-ipafont-gothic.
  const QString family = QFontInfo(font).family();
  EXPECT_TRUE(family == QStringLiteral("ＭＳ Ｐゴシック") ||
              family == QStringLiteral("MS PGothic") || family == QStringLiteral("IPAPGothic"))
      << family.toStdString();
  EXPECT_FALSE(Window()->label()->wordWrap());
}

}  // namespace
}  // namespace kirimo::testing
