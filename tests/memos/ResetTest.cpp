// Reset of one slot, all-reset with its question, and the clipboard clear.

#include "MemoFixture.h"

namespace kirimo::testing {
namespace {

using MemoResetTest = MemoFixture;

const QString kAllResetQuestion = QStringLiteral("メモしたすべてをリセットしますか？");

TEST_F(MemoResetTest, ResetEmptiesTheSlotInTheFileAndOnItsControls) {
  struct Case {
    const char* name;
    int slot;
    bool fromMenu;
  };
  const Case cases[] = {
      {"button, slot 1", 1, false},
      {"menu, slot 10", 10, true},
      // An empty slot is written empty all the same.
      {"button, never used slot", 6, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({{1, u"one", u"1111"}, {10, u"ten", u"1010"}, {2, u"two", u"2222"}});
    const std::string before = iniBytes();
    const std::string n = std::to_string(c.slot);
    if (c.fromMenu)
      Action(("mnuReset" + n).c_str())->trigger();
    else
      Click("cmdReset" + n);

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(iniBytes(),
              WithValue(WithValue(before, ContentKeyOf(c.slot), ""), TitleKeyOf(c.slot), ""));
    EXPECT_EQ(Captions(c.slot), EmptyCaptions(c.slot));
    EXPECT_EQ(Find(("cmdReset" + n).c_str())->text(), QStringLiteral("リセット"));
    EXPECT_EQ(Captions(2), TitledCaptions(QStringLiteral("two")));
    EXPECT_TRUE(AllBuffersEmpty());
    EXPECT_TRUE(ctx().state.settingsDir.empty());

    // The slot is empty now: its button asks for a new memo.
    SetClipboard(QStringLiteral("keep me"));
    Click("cmdMemo" + n);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(ClipboardText(), QStringLiteral("keep me"));
    TearDown();
    main.reset();
  }
}

TEST_F(MemoResetTest, ResetClearsTheFloatingWindowOnlyWhenItIsOpen) {
  for (const std::uint8_t open : {1, 0}) {
    SCOPED_TRACE(open);
    StartWith({{3, u"three", u"333"}});
    ctx().state.windowOpen = open;
    ctx().state.memoShown = true;
    Action("mnuClear")->setEnabled(true);
    Click("cmdReset3");
    EXPECT_EQ(ctx().state.memoShown, !open);
    EXPECT_EQ(Action("mnuClear")->isEnabled(), !open);
    main.reset();
  }
}

TEST_F(MemoResetTest, ResetThatCannotBeWrittenSaysSoAndKeepsTheCaptions) {
  StartWith({{5, u"five", u"555"}});
  const std::string before = iniBytes();
  {
    UnwritableIni unwritable(ini());
    Click("cmdReset5");
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            QStringLiteral("リセット時ＩＮＩファイルに書き込みできませんでした"));
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(Captions(5), TitledCaptions(QStringLiteral("five")));
  EXPECT_EQ(iniBytes(), before);
  EXPECT_TRUE(ctx().state.settingsDir.empty());

  // The memo is still there, and still recalls.
  Click("cmdMemo5");
  EXPECT_EQ(ClipboardText(), QStringLiteral("555"));
}

TEST_F(MemoResetTest, AllResetWithYesEmptiesTwentyKeysInOrderAndNothingElse) {
  StartWith({{3, u"three", u"333"}, {10, u"ten", u"1010"}},
            "FSI=1\r\nFUKKI=30\r\nTIMECASE=b\r\nWINHYOUJI=t\r\n");
  const std::string before = iniBytes();
  boxes.answers = {MsgAnswer::Yes};
  Click("cmdAllReset");

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kAllResetQuestion);
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Question);
  EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNoCancel);

  // Keys that were there change in place; the missing ones are added in the
  // order they are written: the ten contents, then the ten titles.
  std::string expected = before;
  for (int n = 1; n <= 10; ++n) expected = WithValue(expected, ContentKeyOf(n), "");
  for (int n = 1; n <= 10; ++n) expected = WithValue(expected, TitleKeyOf(n), "");
  EXPECT_EQ(iniBytes(), expected);
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(Captions(n), EmptyCaptions(n)) << n;
  EXPECT_TRUE(AllBuffersEmpty());
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

TEST_F(MemoResetTest, AllResetAnsweredNoOrCancelChangesNothing) {
  for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
    SCOPED_TRACE(static_cast<int>(answer));
    boxes.shown.clear();
    StartWith({{1, u"one", u"111"}});
    const std::string before = iniBytes();
    boxes.answers = {answer};
    Click("cmdAllReset");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kAllResetQuestion);
    EXPECT_EQ(iniBytes(), before);
    EXPECT_EQ(Captions(1), TitledCaptions(QStringLiteral("one")));
    for (int n = 2; n <= 10; ++n) EXPECT_EQ(Captions(n), EmptyCaptions(n)) << n;
    EXPECT_TRUE(ctx().state.settingsDir.empty());
    main.reset();
  }
}

TEST_F(MemoResetTest, AllResetThatCannotBeWrittenSaysSoAndKeepsTheCaptions) {
  StartWith({{1, u"one", u"111"}, {9, u"nine", u"999"}});
  const std::string before = iniBytes();
  boxes.answers = {MsgAnswer::Yes};
  {
    UnwritableIni unwritable(ini());
    Click("cmdAllReset");
  }
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text,
            QStringLiteral("オールリセット時ＩＮＩファイルに書き込みできませんでした"));
  EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Warning);
  EXPECT_EQ(Captions(1), TitledCaptions(QStringLiteral("one")));
  EXPECT_EQ(Captions(9), TitledCaptions(QStringLiteral("nine")));
  EXPECT_EQ(iniBytes(), before);
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

using MemoClipboardClearTest = MemoFixture;

TEST_F(MemoClipboardClearTest, EmptiesTheClipboardOnlyOnYes) {
  struct Case {
    MsgAnswer answer;
    bool fromMenu;
    QString expected;
  };
  const Case cases[] = {
      {MsgAnswer::Yes, false, QString()},
      {MsgAnswer::Yes, true, QString()},
      {MsgAnswer::No, false, QStringLiteral("keep me")},
      {MsgAnswer::Cancel, true, QStringLiteral("keep me")},
  };
  StartWith({});
  const std::string before = iniBytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    SCOPED_TRACE(c.fromMenu);
    SetClipboard(QStringLiteral("keep me"));
    boxes.shown.clear();
    boxes.answers = {c.answer};
    if (c.fromMenu)
      Action("mnuClipClear")->trigger();
    else
      Click("cmdClear");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("クリップボードをクリアーしますか？"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(ClipboardText(), c.expected);
  }
  EXPECT_EQ(iniBytes(), before);
}

}  // namespace
}  // namespace kirimo::testing
