// Recall: a click on a memo button (or its menu item) puts the slot's
// content on the clipboard; an empty slot opens the entry dialog instead.

#include "MemoFixture.h"
#include "app/Tray.h"

namespace kirimo::testing {
namespace {

using MemoRecallTest = MemoFixture;

TEST_F(MemoRecallTest, TitledSlotPutsItsContentOnTheClipboardAndDropsThePlainTexts) {
  struct Case {
    int slot;
    std::u16string content;
  };
  const Case cases[] = {
      {3, u"〒100-0001東京都千代田区千代田1-1"},
      {10, u"0312345678"},
      // A titled slot whose content is empty still replaces what was there.
      {5, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    StartWith({{c.slot, u"住所", c.content}, {7, u"other", u"not this"}});
    const std::string before = iniBytes();
    SetClipboard(QStringLiteral("before"));
    Click("cmdMemo" + std::to_string(c.slot));
    EXPECT_EQ(ClipboardText(), QString::fromStdU16String(c.content));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(AllBuffersEmpty());
    EXPECT_TRUE(ctx().state.settingsDir.empty());
    // Recall reads; it never writes.
    EXPECT_EQ(iniBytes(), before);
    main.reset();
  }
}

TEST_F(MemoRecallTest, SlotOneReadsMemoAndNotMemo1) {
  struct Case {
    const char* name;
    std::string extra;
    QString expected;
  };
  const Case cases[] = {
      {"both keys", "MEMO=" + Stored(u"right") + "\r\nMEMO1=" + Stored(u"wrong") + "\r\n",
       QStringLiteral("right")},
      {"only MEMO1", "MEMO1=" + Stored(u"wrong") + "\r\n", QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({}, c.extra + "DAIMEI1=" + Stored(u"one") + "\r\n");
    SetClipboard(QStringLiteral("before"));
    Click("cmdMemo1");
    EXPECT_EQ(ClipboardText(), c.expected);
    EXPECT_EQ(Dialog(), nullptr);
    main.reset();
  }
}

// With the show-on-title-click option a recalled content restarts the
// floating window's count back to the clock; nothing else does.
TEST_F(MemoRecallTest, OnlyAShownContentRestartsTheAutoReturnCount) {
  struct Case {
    const char* name;
    std::string option;
    std::u16string content;
    std::int16_t count;
  };
  const Case cases[] = {
      {"option on", "t", u"shown", 0},
      {"option on, empty content", "t", u"", 601},
      {"option off", "", u"not shown", 601},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({{2, u"two", c.content}}, "WINHYOUJI=" + c.option + "\r\n");
    ASSERT_EQ(ctx().state.autoReturnCount, 601);
    Click("cmdMemo2");
    EXPECT_EQ(ClipboardText(), QString::fromStdU16String(c.content));
    EXPECT_EQ(ctx().state.autoReturnCount, c.count);
    EXPECT_TRUE(AllBuffersEmpty());
    main.reset();
  }
}

TEST_F(MemoRecallTest, MenuItemRecallsLikeTheButton) {
  StartWith({{4, u"tel", u"0120-000-000"}});
  Action("mnuMemo4")->trigger();
  EXPECT_EQ(ClipboardText(), QStringLiteral("0120-000-000"));
  EXPECT_TRUE(AllBuffersEmpty());
}

TEST_F(MemoRecallTest, EmptySlotOpensTheEntryDialogAndLeavesTheClipboard) {
  // A content without a title (a half-finished store) is an empty slot too.
  StartWith({}, "MEMO6=" + Stored(u"orphan") + "\r\n");
  const std::string before = iniBytes();
  main->show();
  SetClipboard(QStringLiteral("keep me"));
  Click("cmdMemo6");

  FrmInput* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(MainWindowHidden(ctx()));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("メモ６入力"));
  EXPECT_TRUE(Box("Text1")->text().isEmpty());
  EXPECT_TRUE(Box("Text2")->text().isEmpty());
  EXPECT_TRUE(ctx().state.entryDialogOpen);
  EXPECT_EQ(ctx().state.pendingSlot, 6);
  EXPECT_FALSE(ctx().ui.shell.Timer1->isActive());
  EXPECT_EQ(ClipboardText(), QStringLiteral("keep me"));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(AllBuffersEmpty());
  EXPECT_EQ(iniBytes(), before);
}

TEST_F(MemoRecallTest, RecallWhileTheDialogIsOpenChangesNothing) {
  StartWith({{5, u"five", u"content five"}});
  // Opened from the tray menu: the main window stays hidden afterwards.
  main->hide();
  Action("mnuMemo2")->trigger();
  FrmInput* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ctx().state.mainWasHidden);
  SetClipboard(QStringLiteral("keep me"));
  main->showNormal();  // where the tray is missing the user can reach its menu

  Click("cmdMemo5");
  Action("mnuMemo5")->trigger();
  Click("cmdMemo3");

  EXPECT_EQ(Dialog(), dialog);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("メモ２入力"));
  EXPECT_EQ(ctx().state.pendingSlot, 2);
  EXPECT_TRUE(ctx().state.mainWasHidden);
  EXPECT_EQ(ClipboardText(), QStringLiteral("keep me"));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(AllBuffersEmpty());
  int dialogs = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("frmInput") && w->isVisible()) ++dialogs;
  EXPECT_EQ(dialogs, 1);
}

// Where the memo command came from decides whether closing the dialog
// brings the main window back: not when it was hidden in the tray.
TEST_F(MemoRecallTest, ClosingTheDialogRestoresTheMainWindowOnlyIfItWasShown) {
  struct Case {
    const char* name;
    bool mainShown;
    bool fromMenu;
    bool shownAfterwards;
  };
  const Case cases[] = {
      {"menu, main hidden", false, true, false},
      {"menu, main shown", true, true, true},
      {"button", true, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({});
    main->setVisible(c.mainShown);
    if (c.fromMenu)
      Action("mnuMemo8")->trigger();
    else
      Click("cmdMemo8");
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(ctx().state.mainWasHidden, !c.mainShown);

    ClickInDialog("cmdCancel");
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(!MainWindowHidden(ctx()), c.shownAfterwards);
    EXPECT_FALSE(ctx().state.mainWasHidden);
    EXPECT_FALSE(ctx().state.entryDialogOpen);
    EXPECT_EQ(ctx().state.pendingSlot, 0);
    EXPECT_TRUE(ctx().ui.shell.Timer1->isActive());
    TearDown();
    main.reset();
  }
}

}  // namespace
}  // namespace kirimo::testing
