// The about box and the help command as a user meets them.

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "AppFixture.h"
#include "about/FrmAbout.h"
#include "about/Readme.h"

namespace kirimo::testing {
namespace {

class AboutTest : public AppFixture {
 protected:
  QWidget* OpenAbout() {
    Action("mnuVersion")->trigger();
    return ctx().windows.frmAbout;
  }
  QString LabelText(QWidget* box, const char* name) {
    auto* l = box->findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<missing>");
  }
};

TEST_F(AboutTest, VersionCommandHidesTheMainWindowAndShowsTheBuildsNameAndVersion) {
  FrmMain& w = Start();
  QWidget* box = OpenAbout();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->objectName(), QStringLiteral("frmAbout"));
  EXPECT_EQ(box->parentWidget(), nullptr);
  EXPECT_FALSE(box->isModal());
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Kirimoのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(LabelText(box, "lblTitle"), QStringLiteral("Kirimo"));
  // The three numbers of the version, not the record's "1.01.0007".
  EXPECT_EQ(LabelText(box, "lblVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.1.7"));
  EXPECT_EQ(
      LabelText(box, "lblDescription"),
      QStringLiteral("これはちょっとメモしたいという時にメモしておいて読みこむ時にクリップボード"
                     "にコピーするアプリです。データは独自の暗号化ルーチンにより容易に解読できな"
                     "いようになっていますので安心です。"));
  EXPECT_FALSE(box->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
  EXPECT_EQ(box->size(), QSize(382, 211));
  EXPECT_EQ(box->findChildren<QWidget*>(QStringLiteral("Line1")).size(), 2);
  auto* ok = box->findChild<QPushButton*>(QStringLiteral("cmdOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(ok->geometry(), QRect(283, 175, 92, 23));
}

TEST_F(AboutTest, EveryWayOfClosingBringsTheMainWindowBack) {
  struct Case {
    const char* what;
    std::function<void(QWidget*)> close;
  };
  const Case cases[] = {
      {"OK", [](QWidget* b) { b->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); }},
      {"Enter", [](QWidget* b) { QTest::keyClick(b, Qt::Key_Return); }},
      {"Escape", [](QWidget* b) { QTest::keyClick(b, Qt::Key_Escape); }},
      {"close box", [](QWidget* b) { b->close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FrmMain& w = Start();
    QPointer<QWidget> box = OpenAbout();
    ASSERT_FALSE(w.isVisible());
    c.close(box);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w, 1000));
  }
}

TEST_F(AboutTest, EndCommandUnloadsAnOpenBox) {
  Start();
  QPointer<QWidget> box = OpenAbout();
  Action("mnuEnd")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(box.isNull());
  EXPECT_NE(iniBytes().find("HIDUKE="), std::string::npos);
}

TEST_F(AboutTest, SecondVersionCommandBringsTheOpenBoxForward) {
  Start();
  QWidget* first = OpenAbout();
  EXPECT_EQ(OpenAbout(), first);
}

TEST_F(AboutTest, HelpHandsTheReadmeBesideTheProgramToTheDesktop) {
  WriteBytes(dir.path() / "Kirimo_Readme.txt", "\xEF\xBB\xBF");
  Start();
  Action("mnuHelp")->trigger();
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(std::filesystem::path(launcher.started[0].toStdU16String()),
            dir.path() / "Kirimo_Readme.txt");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

TEST_F(AboutTest, EditorThatCannotStartIsReported) {
  launcher.succeeds = false;
  Start();
  Action("mnuHelp")->trigger();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, QStringLiteral("メモ帳を起動できませんでした"));
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
  EXPECT_TRUE(ctx().state.settingsDir.empty());
}

TEST(NotepadCommandLineTest, PathGoesUnquotedAfterOneSpace) {
  EXPECT_EQ(NotepadCommandLine(u"C:\\Program Files\\Kirimo\\"),
            QStringLiteral("Notepad C:\\Program Files\\Kirimo\\Kirimo_Readme.txt"));
  EXPECT_EQ(NotepadCommandLine(u"D:\\"), QStringLiteral("Notepad D:\\Kirimo_Readme.txt"));
}

TEST(FindReadmeTest, BesideTheProgramThenInTheInstalledDataDirectory) {
  TempDir prefix;
  const auto bin = prefix.path() / "bin";
  const auto share = prefix.path() / "share" / "kirimo";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(share);
  // Neither: the place beside the program, for the editor to report.
  EXPECT_EQ(FindReadme(bin), bin / "Kirimo_Readme.txt");
  WriteBytes(share / "Kirimo_Readme.txt", "x");
  EXPECT_EQ(FindReadme(bin), share / "Kirimo_Readme.txt");
  WriteBytes(bin / "Kirimo_Readme.txt", "x");
  EXPECT_EQ(FindReadme(bin), bin / "Kirimo_Readme.txt");
}

}  // namespace
}  // namespace kirimo::testing
