// The main window as designed: every control in its place with its caption,
// the tab order, and the whole menu tree.

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "AppFixture.h"

namespace kirimo::testing {
namespace {

struct ControlCase {
  std::string name;
  QString caption;  // text, or the tooltip of a picture button
  int left, top, width, height, tab;
};

std::vector<ControlCase> Controls() {
  std::vector<ControlCase> c;
  const QString digits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０"};
  for (int n = 1; n <= 10; ++n) {
    const int row = (n - 1) % 5;
    const bool right = n > 5;
    c.push_back({"cmdMemo" + std::to_string(n), QStringLiteral("メモ") + digits[n - 1],
                 right ? 4200 : 120, 120 + 600 * row, 2895, 375, right ? 5 + row : row});
    c.push_back({"cmdReset" + std::to_string(n), QStringLiteral("リセット"), right ? 7080 : 3000,
                 120 + 600 * row, 1095, 375, right ? 15 + row : 10 + row});
  }
  c.push_back({"cmdWup", QStringLiteral("ウインドウの幅を大きくする"), 120, 3120, 495, 495, 22});
  c.push_back({"cmdWdown", QStringLiteral("ウインドウの幅を小さくする"), 600, 3120, 495, 495, 23});
  c.push_back(
      {"cmdHdown", QStringLiteral("ウインドウの高さを小さくする"), 1080, 3120, 495, 495, 24});
  c.push_back({"cmdHup", QStringLiteral("ウインドウの高さを大きくする"), 1560, 3120, 495, 495, 25});
  c.push_back({"cmdAllReset", QStringLiteral("オールリセット"), 2160, 3120, 1935, 495, 21});
  c.push_back({"cmdTemae", QStringLiteral("常に手前に表示"), 4200, 3120, 1935, 495, 26});
  c.push_back({"cmdTime", QStringLiteral("日付/時間"), 6240, 3120, 1935, 495, 28});
  c.push_back({"cmdFont", QStringLiteral("フォントサイズ 12"), 120, 3720, 1935, 495, 30});
  c.push_back({"cmdClear", QStringLiteral("クリップボードクリアー"), 2160, 3720, 1935, 495, 29});
  c.push_back({"cmdTask", QStringLiteral("タスクトレイに常駐"), 4200, 3720, 1935, 495, 27});
  c.push_back({"cmdEnd", QStringLiteral("終了"), 6240, 3720, 1935, 495, 20});
  return c;
}

using MainWindowLayoutTest = AppFixture;

TEST_F(MainWindowLayoutTest, ControlsSitWhereDesignedWithTheirCaptions) {
  Start();
  const auto controls = Controls();
  std::vector<QWidget*> byTab(31, nullptr);
  for (const ControlCase& c : controls) {
    SCOPED_TRACE(c.name);
    QPushButton* b = Find(c.name.c_str());
    ASSERT_NE(b, nullptr);
    const bool picture = c.name.rfind("cmdW", 0) == 0 || c.name.rfind("cmdH", 0) == 0;
    if (picture) {
      EXPECT_TRUE(b->text().isEmpty());
      EXPECT_EQ(b->toolTip(), c.caption);
      EXPECT_FALSE(b->icon().isNull());
    } else {
      EXPECT_EQ(b->text(), c.caption);
    }
    // 15 twips per pixel on the 96 DPI test screen.
    EXPECT_EQ(b->geometry(), QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15));
    byTab[c.tab] = b;
  }
  // Tab order 0..30 runs through the buttons as designed.
  for (int t = 0; t + 1 < 31; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(byTab[t]->nextInFocusChain(), byTab[t + 1]);
  }
}

TEST_F(MainWindowLayoutTest, WindowHasFixedClientAreaAndNoMinimiseOrMaximise) {
  FrmMain& w = Start();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Kirimo"));
  EXPECT_EQ(w.centralWidget()->size(), QSize(554, 293));
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
}

// The menu as a user reads it: captions in order, "-" for a separator,
// submenus indented.
QStringList MenuLines(const QMenu* menu, const QString& indent) {
  QStringList out;
  for (QAction* a : menu->actions()) {
    out << indent + (a->isSeparator() ? QStringLiteral("-") : a->text()) + QStringLiteral(" ") +
               a->objectName();
    if (a->menu()) out << MenuLines(a->menu(), indent + QStringLiteral("  "));
  }
  return out;
}

TEST_F(MainWindowLayoutTest, MenuTreeIsComplete) {
  FrmMain& w = Start();
  QStringList lines;
  for (QAction* top : w.menuBar()->actions()) {
    lines << top->text() + QStringLiteral(" ") + top->objectName();
    lines << MenuLines(top->menu(), QStringLiteral("  "));
  }
  QStringList expected = {"ウインドウ mnuWindow",
                          "  ウインドウを表示 mnuWindowOn",
                          "  ウインドウを閉じる mnuWClose",
                          "  ウインドウクリアー mnuClear",
                          "  ウインドウを中央に移動 mnuMidle",
                          "  - Sep1",
                          "  常に手前に表示(ウインドウ) mnuTemae",
                          "  常に手前に表示解除(ウインドウ) mnuTemaeKaijo",
                          "  - Sep2",
                          "  日付/時計 mnuTokei",
                          "  - Sep3",
                          "  自動日付/時計復帰 mnuFukki",
                          "    １５秒 mnuFukki15",
                          "    ３０秒 mnuFukki30",
                          "    ０１分 mnuFukki1m",
                          "    ０３分 mnuFukki3m",
                          "    １０分 mnuFukki10m",
                          "    なし mnuFukkiNasi",
                          "  - Sep4"};
  const QStringList digits = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０"};
  for (int n = 1; n <= 10; ++n)
    expected << QStringLiteral("  メモ%1 mnuMemo%2").arg(digits[n - 1]).arg(n);
  expected << "  - Sep5"
           << "  リセット mnuReset";
  for (int n = 1; n <= 10; ++n)
    expected << QStringLiteral("    リセットメモ%1 mnuReset%2").arg(digits[n - 1]).arg(n);
  expected << "  - Sep6"
           << "  クリップボードクリアー mnuClipboardClear"
           << "    クリップボードクリアー mnuClipClear"
           << "  - Sep7"
           << "  終了 mnuEnd"
           << "ツール mnuTool"
           << "  題名クリック時ウインドウを表示可能にする mnuWindowHyouji"
           << "  題名クリック時ウインドウを表示不可にする mnuWindowHihyouji"
           << "  起動時にパスワードを要求する mnuPass"
           << "  不正な閲覧を試みた場合データをすべて消去する mnuFusei"
           << "日付/時計 mnuTime"
           << "  ＨＨ：ＮＮ：ＳＳ mnuTime1"
           << "  午前/ＨＨ：ＮＮ：ＳＳ mnuTime2"
           << "  ＤＤ日(曜日)/ＨＨ：ＮＮ：ＳＳ mnuTime3"
           << "ヘルプ mnuHelp1"
           << "  ヘルプ mnuHelp"
           << "  - Sep8"
           << "  バージョン mnuVersion";
  EXPECT_EQ(lines, expected);
  for (QAction* a : w.findChildren<QAction*>()) EXPECT_TRUE(a->shortcut().isEmpty());
}

}  // namespace
}  // namespace kirimo::testing
