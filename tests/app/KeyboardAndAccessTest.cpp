// The main window for a user without a mouse, with a screen reader, on a
// high-DPI screen, with long titles, and Qt's own texts in Japanese.

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AppFixture.h"
#include "PopupProbe.h"
#include "app/ElidingButton.h"
#include "memos/Slots.h"

namespace kirimo::testing {
namespace {

class KeyboardAndAccessTest : public AppFixture {
 protected:
  QWidget* PopupAfter(QWidget* target, Qt::Key key) {
    return PopupDuring([&] { QTest::keyClick(target, key); });
  }
  // One key event as the keyboard sends it, without the presses and
  // releases of its modifiers that QTest adds.
  static void Send(QWidget* target, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods) {
    QKeyEvent event(type, key, mods);
    QApplication::sendEvent(target, &event);
  }
};

TEST_F(KeyboardAndAccessTest, ReturnAndEnterPressTheFocusedButton) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    SCOPED_TRACE(key);
    FrmMain& w = Start();
    QPushButton* task = Find("cmdTask");
    task->setFocus();
    QTest::keyClick(task, key);
    QTest::qWait(250);  // the press is animated
    EXPECT_FALSE(w.isVisible());
  }
}

TEST_F(KeyboardAndAccessTest, F10OpensTheFirstMenu) {
  FrmMain& w = Start();
  QPushButton* memo = Find("cmdMemo1");
  memo->setFocus();
  EXPECT_EQ(PopupAfter(memo, Qt::Key_F10), ctx().ui.window.mnuWindow);
  // Twice: from where the bar was left, the first menu again.
  EXPECT_EQ(PopupAfter(memo, Qt::Key_F10), ctx().ui.window.mnuWindow);
  // Still no shortcuts on the items themselves.
  for (QAction* a : w.findChildren<QAction*>()) EXPECT_TRUE(a->shortcut().isEmpty());
}

TEST_F(KeyboardAndAccessTest, LoneAltTakesTheKeyboardToTheMenuBar) {
  struct Case {
    const char* what;
    bool alone;
  };
  for (const Case& c : {Case{"alone", true}, Case{"with another key", false}}) {
    SCOPED_TRACE(c.what);
    FrmMain& w = Start();
    QPushButton* memo = Find("cmdMemo1");
    memo->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 1000));
    const QPointer<QWidget> popup = PopupDuring([&] {
      Send(memo, QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
      if (!c.alone) {
        Send(memo, QEvent::KeyPress, Qt::Key_X, Qt::AltModifier);
        Send(memo, QEvent::KeyRelease, Qt::Key_X, Qt::AltModifier);
      }
      Send(memo, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    });
    // The bar highlights its first menu (the style's own way on Windows and
    // Fusion) or opens it.
    const bool reached = w.menuBar()->activeAction() == ctx().ui.window.mnuWindow->menuAction() ||
                         popup == ctx().ui.window.mnuWindow;
    EXPECT_EQ(reached, c.alone);
  }
}

TEST_F(KeyboardAndAccessTest, LongTitleIsCutAtItsEndWithTheWholeTitleInTooltipAndName) {
  Start();
  const QString longTitle = QStringLiteral("東京都千代田区丸の内一丁目の会社住所");
  SetSlotCaptions(ctx(), 3, longTitle);
  auto* b = qobject_cast<ElidingButton*>(Find("cmdMemo3"));
  ASSERT_NE(b, nullptr);
  const QString shown = b->ShownText();
  EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
  EXPECT_TRUE(longTitle.startsWith(shown.chopped(1))) << shown.toStdString();
  EXPECT_EQ(b->toolTip(), longTitle);
  EXPECT_EQ(b->text(), longTitle);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name), longTitle);
  // The menu items keep the whole title.
  EXPECT_EQ(Action("mnuMemo3")->text(), longTitle);

  // A title that fits is shown whole, without a tooltip.
  SetSlotCaptions(ctx(), 3, QStringLiteral("住所"));
  EXPECT_EQ(b->ShownText(), QStringLiteral("住所"));
  EXPECT_TRUE(b->toolTip().isEmpty());
}

TEST_F(KeyboardAndAccessTest, EveryControlHasAnAccessibleName) {
  FrmMain& w = Start();
  for (QPushButton* b : w.findChildren<QPushButton*>()) {
    SCOPED_TRACE(b->objectName().toStdString());
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name).isEmpty());
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Find("cmdWup"))->text(QAccessible::Name),
            QStringLiteral("ウインドウの幅を大きくする"));
  // The entry dialog's text boxes are named by their labels.
  Find("cmdMemo1")->click();
  QWidget* dialog = ctx().windows.frmInput;
  ASSERT_NE(dialog, nullptr);
  for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name).isEmpty());
  }
}

TEST_F(KeyboardAndAccessTest, SizeButtonsTakeTheirLargePictureOnHighDpiScreens) {
  Start();
  for (const char* name : {"cmdWup", "cmdWdown", "cmdHdown", "cmdHup"}) {
    SCOPED_TRACE(name);
    const QIcon icon = Find(name)->icon();
    EXPECT_EQ(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
    const QPixmap large = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(large.size(), QSize(32, 32));
    // Drawn at 32 pixels, not the small picture scaled up: the two differ.
    const QImage scaledUp = icon.pixmap(QSize(16, 16), 1.0)
                                .toImage()
                                .scaled(32, 32)
                                .convertToFormat(QImage::Format_ARGB32);
    EXPECT_NE(large.toImage().convertToFormat(QImage::Format_ARGB32), scaledUp);
  }
}

TEST(QtJapaneseTest, MessageBoxButtonsAndTextMenusReadJapanese) {
  QObject owner;
  ASSERT_TRUE(InstallQtJapanese(&owner));
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
      << box.button(QMessageBox::Yes)->text().toStdString();
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
  QLineEdit edit;
  edit.setText(QStringLiteral("x"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  EXPECT_TRUE(menu->actions().first()->text().startsWith(QStringLiteral("元に戻す")))
      << menu->actions().first()->text().toStdString();
}

}  // namespace
}  // namespace kirimo::testing
