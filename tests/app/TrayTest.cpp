// The notification-area icon: what each click on it does, the re-adds of
// the one-second tick, and a desktop without a notification area.

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AppFixture.h"
#include "PopupProbe.h"

namespace kirimo::testing {
namespace {

class TrayTest : public AppFixture {
 protected:
  QWidget* RightClick() {
    return PopupDuring([&] {
      tray.Click(TrayCode::kRightDown);
      tray.Click(TrayCode::kRightUp);
    });
  }
  void TickAt(int hour, int minute, int second) {
    clock.now.setTime(QTime(hour, minute, second));
    main->Timer1_Timer();
  }
  // An empty slot's memo button opens the entry dialog and hides the main
  // window.
  void OpenEntryDialog() {
    Find("cmdMemo1")->click();
    ASSERT_TRUE(ctx().state.entryDialogOpen);
  }
  void CancelEntryDialog() {
    ctx().windows.frmInput->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    ASSERT_FALSE(ctx().state.entryDialogOpen);
  }
};

TEST_F(TrayTest, IconShowsFromStartUpToShutdownWithTipAndWindowMenu) {
  FrmMain& w = Start();
  EXPECT_TRUE(tray.shown);
  EXPECT_EQ(tray.tip, QStringLiteral("Kirimo"));
  // The window menu's own actions, so its captions, marks and states.
  ASSERT_NE(tray.menu, nullptr);
  EXPECT_EQ(tray.menu->actions(), ctx().ui.window.mnuWindow->actions());
  EXPECT_EQ(tray.menu->title(), QStringLiteral("ウインドウ"));
  // Drawn for every size a tray asks for, none scaled from another.
  const QList<QSize> sizes = w.windowIcon().availableSizes();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
  Find("cmdTask")->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(tray.shown);
  CloseMain();
  EXPECT_FALSE(tray.shown);
}

TEST_F(TrayTest, LeftClickBringsTheHiddenWindowBackWithFocus) {
  FrmMain& w = Start();
  Find("cmdTask")->click();
  ASSERT_FALSE(w.isVisible());
  tray.Click(TrayCode::kLeftDown);
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.isMinimized());
  EXPECT_TRUE(QTest::qWaitForWindowActive(&w, 1000));
  EXPECT_TRUE(tray.shown);
}

TEST_F(TrayTest, LeftClickDoesNothingWhileTheEntryDialogIsOpen) {
  FrmMain& w = Start();
  OpenEntryDialog();
  ASSERT_FALSE(w.isVisible());
  tray.Click(TrayCode::kLeftDown);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(ctx().state.entryDialogOpen);
}

TEST_F(TrayTest, RightClickPopsUpTheWindowMenuAfterBringingTheMainWindowForward) {
  FrmMain& w = Start();
  EXPECT_EQ(RightClick(), tray.menu);
  EXPECT_EQ(stacking.foreground, std::vector<QWidget*>{&w});
  EXPECT_FALSE(ctx().state.trayRightDown);
  // Escape closed it and nothing else changed.
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(w.isVisible());
}

TEST_F(TrayTest, RightReleaseWithoutPressOnlyBringsTheMainWindowForward) {
  FrmMain& w = Start();
  EXPECT_EQ(PopupDuring([&] { tray.Click(TrayCode::kRightUp); }), nullptr);
  EXPECT_EQ(stacking.foreground, std::vector<QWidget*>{&w});
}

TEST_F(TrayTest, PressWhileTheDialogIsOpenShowsTheMenuOnTheFirstReleaseAfterIt) {
  Start();
  OpenEntryDialog();
  EXPECT_EQ(RightClick(), nullptr);
  EXPECT_TRUE(ctx().state.trayRightDown);
  CancelEntryDialog();
  EXPECT_EQ(PopupDuring([&] { tray.Click(TrayCode::kRightUp); }), tray.menu);
  EXPECT_FALSE(ctx().state.trayRightDown);
}

TEST_F(TrayTest, MenuShownByTheDesktopIsInertWhileTheDialogIsOpen) {
  Start();
  QMenu* menu = tray.menu;
  OpenEntryDialog();
  // What a tray host or Qt's own right-press popup does with the icon's menu.
  PopupDuring([&] { menu->popup(QPoint(10, 10)); });
  EXPECT_FALSE(menu->isEnabled());
  // The menu bar's own menu stays usable.
  EXPECT_TRUE(ctx().ui.window.mnuWindow->isEnabled());
  EXPECT_TRUE(ctx().ui.window.mnuWindow->menuAction()->isEnabled());
  CancelEntryDialog();
  PopupDuring([&] { menu->popup(QPoint(10, 10)); });
  EXPECT_TRUE(menu->isEnabled());
}

TEST_F(TrayTest, MenuFollowsItemsAddedToTheWindowMenu) {
  Start();
  QAction* added = ctx().ui.window.mnuWindow->addAction(QStringLiteral("追加"));
  PopupDuring([&] { tray.menu->popup(QPoint(10, 10)); });
  EXPECT_EQ(tray.menu->actions(), ctx().ui.window.mnuWindow->actions());
  EXPECT_TRUE(tray.menu->actions().contains(added));
}

TEST_F(TrayTest, IconIsAddedAgainOnTheMinuteForTheFirstTwentyOneMinutes) {
  Start();
  const int before = tray.adds;
  for (int m = 0; m < 40; ++m) {
    TickAt(6 + (7 + m) / 60, (7 + m) % 60, 0);
    TickAt(6 + (7 + m) / 60, (7 + m) % 60, 30);  // not on the minute: nothing
  }
  EXPECT_EQ(tray.adds - before, 21);
  EXPECT_EQ(ctx().state.trayReaddCount, 21);
}

TEST_F(TrayTest, AfterThatItIsAddedEveryTenMinutesWhileOnlyTheTrayShowsTheProgram) {
  struct Case {
    const char* what;
    bool hidden;
    std::uint8_t windowOpen;
    int minute, second;
    int adds;
  };
  const Case cases[] = {
      {"hidden, ten-minute mark", true, 0, 10, 0, 1},
      {"hidden, on the hour", true, 0, 0, 0, 1},
      {"hidden, other minute", true, 0, 11, 0, 0},
      {"hidden, mark missed by a second", true, 0, 20, 1, 0},
      {"main window shown", false, 0, 30, 0, 0},
      {"floating window open", true, 1, 40, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FrmMain& w = Start();
    ctx().state.trayReaddCount = 21;
    ctx().state.windowOpen = c.windowOpen;
    if (c.hidden) Find("cmdTask")->click();
    ASSERT_EQ(w.isVisible(), !c.hidden);
    const int before = tray.adds;
    TickAt(7, c.minute, c.second);
    EXPECT_EQ(tray.adds - before, c.adds);
  }
}

TEST_F(TrayTest, WithoutNotificationAreaHidingMinimisesAndTheIconComesWithTheTray) {
  tray.available = false;
  FrmMain& w = Start();
  EXPECT_FALSE(tray.shown);
  Find("cmdTask")->click();
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.isMinimized());
  // The panel starts later: the next re-add moment finds it.
  tray.available = true;
  TickAt(5, 7, 0);
  EXPECT_TRUE(tray.shown);
  tray.Click(TrayCode::kLeftDown);
  EXPECT_FALSE(w.isMinimized());
}

}  // namespace
}  // namespace kirimo::testing
