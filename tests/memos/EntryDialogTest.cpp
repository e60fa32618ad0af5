// The memo entry dialog: its layout, storing a memo, the text rules, the
// ways of closing it, and what it does when the memo cannot be stored.

#include <QLabel>
#include <QPointer>
#include <QScreen>

#include "MemoFixture.h"
#include "app/Twips.h"

namespace kirimo::testing {
namespace {

using MemoEntryDialogTest = MemoFixture;

const QString kWriteFailed = QStringLiteral("入力時ＩＮＩファイルに書き込みできませんでした");

TEST_F(MemoEntryDialogTest, LayoutAsDesigned) {
  StartWith({});
  Click("cmdMemo1");
  FrmInput* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);

  struct Control {
    const char* name;
    QString caption;
    int left, top, width, height;
  };
  const Control controls[] = {
      {"Label1", QStringLiteral("メモの題名"), 240, 240, 975, 255},
      {"Text1", QString(), 1200, 120, 2895, 375},
      {"Label2", QStringLiteral("メモする内容"), 240, 720, 1095, 255},
      {"Text2", QString(), 240, 960, 6615, 375},
      {"cmdOk", QStringLiteral("OK"), 4440, 1560, 1215, 375},
      {"cmdReset", QStringLiteral("リセット"), 3120, 1560, 1215, 375},
      {"cmdCancel", QStringLiteral("キャンセル"), 5760, 1560, 1095, 375},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    QWidget* w = dialog->findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), QRect(TwipsToPixels(c.left), TwipsToPixels(c.top),
                                   TwipsToPixels(c.width), TwipsToPixels(c.height)));
    if (auto* b = qobject_cast<QPushButton*>(w)) {
      EXPECT_EQ(b->text(), c.caption);
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(l->text(), c.caption);
    }
  }
  EXPECT_EQ(dialog->size(), QSize(TwipsToPixels(7080), TwipsToPixels(2100)));
  EXPECT_EQ(Box("Text1")->maxLength(), 30);
  EXPECT_EQ(Box("Text2")->maxLength(), 510);

  // Tab goes through the controls that take focus in their tab order.
  std::vector<QString> order;
  QWidget* w = Box("Text1");
  do {
    if (w->focusPolicy() & Qt::TabFocus) order.push_back(w->objectName());
    w = w->nextInFocusChain();
  } while (w != Box("Text1"));
  EXPECT_EQ(order, (std::vector<QString>{"Text1", "cmdOk", "cmdCancel", "Text2", "cmdReset"}));

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(dialog->geometry().center().x(), screen.center().x(), 2);
  EXPECT_NEAR(dialog->geometry().center().y(), screen.center().y(), 2);
}

TEST_F(MemoEntryDialogTest, CaptionNamesTheSlot) {
  StartWith({});
  const QString digits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０"};
  for (int slot = 1; slot <= 10; ++slot) {
    Click("cmdMemo" + std::to_string(slot));
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->windowTitle(), QStringLiteral("メモ") + digits[slot - 1] + "入力");
    ClickInDialog("cmdCancel");
  }
}

TEST_F(MemoEntryDialogTest, OkStoresBothTextsUnderTheSlotKeysAndRelabelsTheSlot) {
  struct Case {
    int slot;
    QString title;
    QString content;
  };
  const Case cases[] = {
      {1, QStringLiteral("銀行"), QStringLiteral("1234-567-8901234")},
      {10, QStringLiteral("ABC"), QStringLiteral("ｍａｉｌ＠ｅｘａｍｐｌｅ．ｊｐ")},
      // Exactly fifty characters is the longest content.
      {4, QStringLiteral("long"), QString(50, QChar(u'x'))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    StartWith({{c.slot == 1 ? 2 : 1, u"other", u"kept"}});
    const std::string before = iniBytes();
    const auto otherCaptions = Captions(c.slot == 1 ? 2 : 1);

    Enter(c.slot, c.title, c.content);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(Captions(c.slot), TitledCaptions(c.title));
    EXPECT_EQ(Captions(c.slot == 1 ? 2 : 1), otherCaptions);
    EXPECT_EQ(Find(("cmdReset" + std::to_string(c.slot)).c_str())->text(),
              QStringLiteral("リセット"));

    // Two keys added, content first, and nothing else touched.
    const std::string after = iniBytes();
    ASSERT_EQ(after.substr(0, before.size()), before);
    const std::string added = after.substr(before.size());
    EXPECT_EQ(added, ContentKeyOf(c.slot) + "=" + *RawValue(after, ContentKeyOf(c.slot)) + "\r\n" +
                         TitleKeyOf(c.slot) + "=" + *RawValue(after, TitleKeyOf(c.slot)) + "\r\n");
    EXPECT_EQ(Decoded(ContentKeyOf(c.slot)), c.content.toStdU16String());
    EXPECT_EQ(Decoded(TitleKeyOf(c.slot)), c.title.toStdU16String());

    EXPECT_FALSE(ctx().state.entryDialogOpen);
    EXPECT_EQ(ctx().state.pendingSlot, 0);
    EXPECT_TRUE(AllBuffersEmpty());
    EXPECT_TRUE(ctx().ui.shell.Timer1->isActive());
    EXPECT_TRUE(main->isVisible());

    // From now on the button recalls the memo.
    Click("cmdMemo" + std::to_string(c.slot));
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(ClipboardText(), c.content);
    TearDown();
    main.reset();
  }
}

TEST_F(MemoEntryDialogTest, TheSameMemoEnteredTwiceIsStoredDifferently) {
  StartWith({});
  Enter(3, QStringLiteral("pin"), QStringLiteral("0000"));
  const std::string first = iniBytes();
  Click("cmdReset3");
  Enter(3, QStringLiteral("pin"), QStringLiteral("0000"));
  const std::string second = iniBytes();

  EXPECT_NE(RawValue(first, "MEMO3"), RawValue(second, "MEMO3"));
  EXPECT_NE(RawValue(first, "DAIMEI3"), RawValue(second, "DAIMEI3"));
  EXPECT_EQ(Decoded("MEMO3"), u"0000");
  EXPECT_EQ(Decoded("DAIMEI3"), u"pin");
}

TEST_F(MemoEntryDialogTest, OkWithAnEmptyTextDoesNothing) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("a"), QString()}, {QString(), QStringLiteral("b")}, {QString(), QString()}};
  StartWith({});
  const std::string before = iniBytes();
  Click("cmdMemo5");
  for (const auto& [title, content] : cases) {
    SCOPED_TRACE((title + "/" + content).toStdString());
    Box("Text1")->setText(title);
    Box("Text2")->setText(content);
    ClickInDialog("cmdOk");
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Box("Text1")->text(), title);
    EXPECT_EQ(Box("Text2")->text(), content);
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(iniBytes(), before);
  EXPECT_EQ(Captions(5), EmptyCaptions(5));
}

TEST_F(MemoEntryDialogTest, BrokenRuleShowsItsMessageAndKeepsTheDialogAsItWas) {
  struct Case {
    QString title;
    QString content;
    QString message;
    MsgIcon icon;
  };
  const Case cases[] = {
      // The length rule comes before the space rule.
      {QStringLiteral("t"), QString(50, QChar(u'y')) + QStringLiteral(" z"),
       QStringLiteral("最長50文字まで記憶可能です"), MsgIcon::Information},
      {QStringLiteral("a b"), QStringLiteral("c d"), QStringLiteral("題名にスペースは含めません"),
       MsgIcon::Warning},
      {QStringLiteral("ab"), QStringLiteral("c　d"),
       QStringLiteral("メモ内容にスペースは含めません"), MsgIcon::Warning},
      {QStringLiteral("ｶﾅ"), QStringLiteral("x#$=y"),
       QStringLiteral("題名に半角カタカナ文字を含めません"), MsgIcon::Warning},
      {QStringLiteral("a&b"), QStringLiteral("c"), QStringLiteral("題名に「&」の文字は使えません"),
       MsgIcon::Warning},
      {QStringLiteral("t"), QStringLiteral("a*:;,!b"),
       QStringLiteral("メモ内容に「*:;,!」と同じ組み合わせは使えません"), MsgIcon::Warning},
      {QStringLiteral("t"), QString(QChar(0x7E8A)),  // 纊, an IBM extension kanji
       QStringLiteral("メモ内容に使用できない文字が入っています"), MsgIcon::Warning},
  };
  StartWith({});
  const std::string before = iniBytes();
  Click("cmdMemo7");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.toStdString());
    boxes.shown.clear();
    Box("Text1")->setText(c.title);
    Box("Text2")->setText(c.content);
    ClickInDialog("cmdOk");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, c.message);
    EXPECT_EQ(boxes.shown[0].icon, c.icon);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Box("Text1")->text(), c.title);
    EXPECT_EQ(Box("Text2")->text(), c.content);
  }
  EXPECT_EQ(iniBytes(), before);
  EXPECT_EQ(Captions(7), EmptyCaptions(7));
  EXPECT_TRUE(AllBuffersEmpty());
}

TEST_F(MemoEntryDialogTest, JisCodePointsBecomeTheirCodePage932Forms) {
  StartWith({});
  Click("cmdMemo2");
  // A title still missing: OK ends silently, but the box already shows what
  // would be stored.
  Box("Text2")->setText(QStringLiteral("1〜2−3"));
  ClickInDialog("cmdOk");
  EXPECT_EQ(Box("Text2")->text(), QStringLiteral("1～2－3"));

  Box("Text1")->setText(QStringLiteral("range"));
  ClickInDialog("cmdOk");
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Decoded("MEMO2"), u"1～2－3");
}

TEST_F(MemoEntryDialogTest, ResetButtonEmptiesBothBoxesAndKeepsTheDialogOpen) {
  StartWith({});
  const std::string before = iniBytes();
  Click("cmdMemo9");
  Type(QStringLiteral("title"), QStringLiteral("content"));
  ClickInDialog("cmdReset");
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_TRUE(Box("Text1")->text().isEmpty());
  EXPECT_TRUE(Box("Text2")->text().isEmpty());
  EXPECT_TRUE(ctx().state.entryDialogOpen);
  EXPECT_EQ(iniBytes(), before);
}

TEST_F(MemoEntryDialogTest, EveryWayOfClosingStoresNothingAndEmptiesTheBoxes) {
  enum class Way { Cancel, CloseBox, Escape, EndCommand };
  struct Case {
    const char* name;
    Way way;
  };
  const Case cases[] = {{"cancel", Way::Cancel},
                        {"close box", Way::CloseBox},
                        {"escape", Way::Escape},
                        {"end command", Way::EndCommand}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({});
    const std::string before = iniBytes();
    Click("cmdMemo1");
    Type(QStringLiteral("secret"), QStringLiteral("hunter2"));
    QPointer<QLineEdit> text1 = Box("Text1");
    QPointer<QLineEdit> text2 = Box("Text2");

    switch (c.way) {
      case Way::Cancel:
        ClickInDialog("cmdCancel");
        break;
      case Way::CloseBox:
        Dialog()->close();
        break;
      case Way::Escape:
        QTest::keyClick(Box("Text2"), Qt::Key_Escape);
        break;
      case Way::EndCommand:
        Click("cmdEnd");
        break;
    }
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_FALSE(ctx().state.entryDialogOpen);
    EXPECT_EQ(ctx().state.pendingSlot, 0);
    // Nothing typed survives in the closed dialog, not even for undo.
    ASSERT_TRUE(text1 && text2);
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_TRUE(text2->text().isEmpty());
    EXPECT_FALSE(text1->isUndoAvailable());
    EXPECT_FALSE(text2->isUndoAvailable());
    EXPECT_FALSE(text1->window()->isVisible());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(RawValue(iniBytes(), "MEMO"), std::nullopt);
    EXPECT_EQ(RawValue(iniBytes(), "DAIMEI1"), std::nullopt);
    if (c.way != Way::EndCommand) {
      EXPECT_EQ(iniBytes(), before);
      EXPECT_EQ(Captions(1), EmptyCaptions(1));
    }
    TearDown();
    EXPECT_TRUE(text1.isNull());
    main.reset();
  }
}

// The cipher cannot store every text that passes the rules; such a content
// must cost neither the slot nor what the user typed.
TEST_F(MemoEntryDialogTest, ContentTheCipherCannotStoreKeepsTheDialogAndTheFile) {
  std::u16string unstorable;
  while (unstorable.size() < 50) unstorable += u"aab";
  unstorable.resize(50);
  StartWith({{2, u"two", u"stays"}});
  const std::string before = iniBytes();
  Click("cmdMemo1");
  Type(QStringLiteral("title"), QString::fromStdU16String(unstorable));

  ClickInDialog("cmdOk");
  ASSERT_EQ(boxes.shown.size(), 1u);  // the cipher's own message, and no other
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_NE(boxes.shown[0].text, kWriteFailed);
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_EQ(Box("Text1")->text(), QStringLiteral("title"));
  EXPECT_EQ(Box("Text2")->text(), QString::fromStdU16String(unstorable));
  EXPECT_EQ(iniBytes(), before);
  EXPECT_EQ(Captions(1), EmptyCaptions(1));
  EXPECT_EQ(Captions(2), TitledCaptions(QStringLiteral("two")));
  EXPECT_TRUE(AllBuffersEmpty());

  // Shortened, it goes in.
  Box("Text2")->setText(QStringLiteral("aab"));
  ClickInDialog("cmdOk");
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Decoded("MEMO"), u"aab");
  EXPECT_EQ(Captions(1), TitledCaptions(QStringLiteral("title")));
}

TEST_F(MemoEntryDialogTest, FileThatCannotBeWrittenKeepsTheDialogAndTheCaptions) {
  StartWith({});
  Click("cmdMemo4");
  Type(QStringLiteral("title"), QStringLiteral("content"));
  {
    UnwritableIni unwritable(ini());
    ClickInDialog("cmdOk");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kWriteFailed);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Box("Text1")->text(), QStringLiteral("title"));
    EXPECT_EQ(Box("Text2")->text(), QStringLiteral("content"));
    EXPECT_EQ(Captions(4), EmptyCaptions(4));
    EXPECT_TRUE(ctx().state.entryDialogOpen);
    EXPECT_EQ(ctx().state.pendingSlot, 4);
    EXPECT_TRUE(AllBuffersEmpty());
    EXPECT_TRUE(ctx().state.settingsDir.empty());
  }
  // Once the file can be written again, the same OK stores the memo.
  ClickInDialog("cmdOk");
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Decoded("MEMO4"), u"content");
  EXPECT_EQ(Decoded("DAIMEI4"), u"title");
  EXPECT_EQ(Captions(4), TitledCaptions(QStringLiteral("title")));
}

}  // namespace
}  // namespace kirimo::testing
