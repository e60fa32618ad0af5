// Start-up and shutdown as the user and the next start see them: the
// messages, the window, and the bytes of Kirim.ini.

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "AppFixture.h"

namespace kirimo::testing {
namespace {

const QString kLoadError = QStringLiteral("メインフォームロード時にエラーしました");

QString LeftTopLines(const FrmMain& w) {
  const QPoint p = w.frameGeometry().topLeft();
  return QStringLiteral("[frmMain]\r\nLEFT=%1\r\nTOP=%2\r\n").arg(p.x() * 15).arg(p.y() * 15);
}

using StartupTest = AppFixture;

TEST_F(StartupTest, FirstStartCreatesPasswordKeysThenShutdownSavesSettingsInOrder) {
  FrmMain& w = Start();
  EXPECT_EQ(loadResult, LoadResult::Running);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(ctx().state.startupComplete);
  // The new stamp is stored at once, before any memo can be entered.
  EXPECT_EQ(iniBytes(), "[MyData]\r\nHIDUKE=26/03/04/05:06\r\nDAIMEI0=\r\nSETTEI=\r\n");
  EXPECT_EQ(Find("cmdFont")->text(), QStringLiteral("フォントサイズ 12"));

  CloseMain();
  const std::string expected =
      "[MyData]\r\nHIDUKE=26/03/04/05:06\r\nDAIMEI0=\r\nSETTEI=\r\nTIMECASE=\r\nFUKKI=0\r\n"
      "PASSCHK=0\r\nWINHYOUJI=\r\nFNTSIZE=\r\nTIMEFLAG=\r\nWINDOWFLAG=0\r\nSHYOKAI=0\r\nFSI=0\r\n" +
      LeftTopLines(w).toStdString();
  EXPECT_EQ(iniBytes(), expected);
}

TEST_F(StartupTest, EndButtonAndEndMenuItemBothShutDown) {
  for (const bool fromMenu : {false, true}) {
    SCOPED_TRACE(fromMenu);
    SetIni("[MyData]\r\nFUKKI=600\r\n");
    FrmMain& w = Start();
    if (fromMenu)
      Action("mnuEnd")->trigger();
    else
      Find("cmdEnd")->click();
    EXPECT_FALSE(w.isVisible());
    const std::string bytes = iniBytes();
    EXPECT_NE(bytes.find("FUKKI=600\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("HIDUKE=26/03/04/05:06\r\n"), std::string::npos);
    EXPECT_NE(bytes.find(LeftTopLines(w).toStdString()), std::string::npos);
    main.reset();
  }
}

TEST_F(StartupTest, FirstStartCentresTheWindowOnTheScreen) {
  FrmMain& w = Start();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QRect frame = w.frameGeometry();
  EXPECT_NEAR(frame.left(), (screen.width() - frame.width()) / 2, 1);
  EXPECT_NEAR(frame.top(), (screen.height() - frame.height()) / 2, 1);
}

TEST_F(StartupTest, StoredStampIsNeverReplaced) {
  SetIni("[MyData]\r\nHIDUKE=01/02/03/04:05\r\n");
  Start();
  EXPECT_EQ(ctx().state.installStamp, u"01/02/03/04:05");
  CloseMain();
  EXPECT_NE(iniBytes().find("HIDUKE=01/02/03/04:05\r\n"), std::string::npos);
}

TEST_F(StartupTest, StoredWindowPositionIsUsed) {
  SetIni("[MyData]\r\nSHYOKAI=1\r\n[frmMain]\r\nLEFT=1500\r\nTOP=750\r\n");
  FrmMain& w = Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(100, 50));
  CloseMain();
  EXPECT_NE(iniBytes().find("[frmMain]\r\nLEFT=1500\r\nTOP=750\r\n"), std::string::npos);
}

TEST_F(StartupTest, SavedSettingsShowInTheMenusAndButtons) {
  struct Case {
    const char* ini;
    bool passChecked;
    bool fuseiChecked;
    QString fontCaption;
  };
  const Case cases[] = {
      {"PASSCHK=1\r\nFSI=1\r\nFNTSIZE=d\r\n", true, true, QStringLiteral("フォントサイズ 20")},
      {"PASSCHK=1\r\nFSI=0\r\nFNTSIZE=a\r\n", true, false, QStringLiteral("フォントサイズ 10")},
      // Without the password the wipe option shows no mark, whatever is stored.
      {"PASSCHK=0\r\nFSI=1\r\nFNTSIZE=z\r\n", false, false, QStringLiteral("フォントサイズ 12")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    SetIni(std::string("[MyData]\r\n") + c.ini);
    Start();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Action("mnuPass")->isChecked(), c.passChecked);
    EXPECT_EQ(Action("mnuFusei")->isChecked(), c.fuseiChecked);
    EXPECT_EQ(Find("cmdFont")->text(), c.fontCaption);
    EXPECT_FALSE(Action("mnuWClose")->isEnabled());
    EXPECT_FALSE(Action("mnuClear")->isEnabled());
    CloseMain();
    // The wipe option is kept as stored, shown or not.
    EXPECT_NE(iniBytes().find(std::string("FSI=") +
                              (std::string(c.ini).find("FSI=1") != std::string::npos ? "1" : "0")),
              std::string::npos);
    main.reset();
  }
}

TEST_F(StartupTest, AlwaysOnTopItemsFollowTheFloatingWindowFlag) {
  for (const char* te : {"t", ""}) {
    SCOPED_TRACE(te);
    SetIni(std::string("[MyData]\r\nTE=") + te + "\r\n");
    Start();
    const bool onTop = std::string(te) == "t";
    EXPECT_EQ(Action("mnuTemae")->isEnabled(), !onTop);
    EXPECT_EQ(Action("mnuTemaeKaijo")->isEnabled(), onTop);
    main.reset();
  }
}

// A start-up that fails shows its message and stops. Shutdown keeps every
// stored value as it was, except the one that could not be used, which it
// replaces so that the next start succeeds.
struct FailureCase {
  const char* name;
  std::string ini;
  std::string unusableLine;  // empty when nothing but the position is replaced
  std::string replacement;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class StartupFailureTest : public AppFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(StartupFailureTest, ShowsTheMessageKeepsTheFileAndTheNextStartSucceeds) {
  const FailureCase& c = GetParam();
  SetIni(c.ini);
  Start();
  EXPECT_EQ(loadResult, LoadResult::Running);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kLoadError);
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(boxes.shown[0].buttons, MsgButtons::Ok);
  EXPECT_FALSE(ctx().state.startupComplete);
  CloseMain();

  const std::string after = iniBytes();
  size_t start = 0;
  for (size_t end; (end = c.ini.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = c.ini.substr(start, end + 2 - start);
    if (line == c.unusableLine) continue;
    EXPECT_NE(after.find(line), std::string::npos) << line;
  }
  if (!c.unusableLine.empty()) {
    EXPECT_EQ(after.find(c.unusableLine), std::string::npos);
    EXPECT_NE(after.find(c.replacement), std::string::npos);
  }

  main.reset();
  boxes.shown.clear();
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(ctx().state.startupComplete);
}

INSTANTIATE_TEST_SUITE_P(
    BadValues, StartupFailureTest,
    ::testing::Values(
        FailureCase{"WindowFlagOutOfRange",
                    "[MyData]\r\nWINDOWFLAG=300\r\nHIDUKE=01/02/03/04:05\r\nFUKKI=600\r\n"
                    "TIMECASE=b\r\n",
                    "WINDOWFLAG=300\r\n", "WINDOWFLAG=0\r\n"},
        FailureCase{"NegativePasswordFlag",
                    "[MyData]\r\nWINDOWFLAG=1\r\nWINHYOUJI=t\r\nTIMECASE=c\r\nFUKKI=15\r\n"
                    "PASSCHK=-1\r\nSHYOKAI=0\r\nHIDUKE=01/02/03/04:05\r\nFSI=1\r\n",
                    "PASSCHK=-1\r\n", "PASSCHK=0\r\n"},
        FailureCase{"DelayTooLargeFor16Bits",
                    "[MyData]\r\nFUKKI=70000\r\nHIDUKE=01/02/03/04:05\r\n", "FUKKI=70000\r\n",
                    "FUKKI=0\r\n"},
        // Everything was read, but the window has nowhere to go.
        FailureCase{"PositionMissing",
                    "[MyData]\r\nWINDOWFLAG=0\r\nTIMECASE=a\r\nFUKKI=30\r\nPASSCHK=0\r\n"
                    "SHYOKAI=1\r\nHIDUKE=01/02/03/04:05\r\nFSI=0\r\nWINHYOUJI=\r\nFNTSIZE=\r\n"
                    "TIMEFLAG=\r\n[frmMain]\r\nTOP=750\r\n",
                    "", ""},
        FailureCase{"PositionNotANumber",
                    "[MyData]\r\nSHYOKAI=1\r\n[frmMain]\r\nLEFT=abc\r\nTOP=750\r\n", "LEFT=abc\r\n",
                    "LEFT="},
        // Neither key stored: both are healed by the one failed start.
        FailureCase{"NoPositionAtAll", "[MyData]\r\nSHYOKAI=1\r\nHIDUKE=01/02/03/04:05\r\n", "",
                    ""},
        FailureCase{"PositionBeyondAnyScreen",
                    "[MyData]\r\nSHYOKAI=1\r\n[frmMain]\r\nLEFT=1E+30\r\nTOP=750\r\n",
                    "LEFT=1E+30\r\n", "LEFT="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, SecondCopyBeepsWarnsAndLeavesWithoutTouchingTheFile) {
  lock.free = false;
  EXPECT_FALSE(TryStart());
  EXPECT_EQ(loadResult, LoadResult::Terminate);
  EXPECT_EQ(boxes.beeps, 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, QStringLiteral("すでにプログラムが起動されています"));
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_TRUE(boxes.shown[0].systemModal);
  EXPECT_FALSE(std::filesystem::exists(ini()));
}

}  // namespace
}  // namespace kirimo::testing

namespace kirimo::testing {
namespace {

using RestartTest = AppFixture;

// Each start is a new run: nothing of an earlier run's state may carry a
// case through that should fail on its own.
TEST_F(RestartTest, AFailingStartAfterAGoodOneStartsFromFreshState) {
  Start();
  ctx().state.memoShown = true;
  ctx().state.trayReaddCount = 7;
  ctx().state.mainWasHidden = true;
  ASSERT_TRUE(ctx().state.startupComplete);
  main.reset();

  SetIni("[MyData]\r\nWINDOWFLAG=300\r\n");
  Start();
  EXPECT_FALSE(ctx().state.startupComplete);
  EXPECT_FALSE(ctx().state.memoShown);
  EXPECT_EQ(ctx().state.trayReaddCount, 0);
  EXPECT_FALSE(ctx().state.mainWasHidden);
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_EQ(boxes.texts()[0], kLoadError);
}

TEST_F(RestartTest, StartsAsTheProgramDoesWithTheWindowShown) {
  FrmMain& w = Start();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(ctx().windows.frmMain, &w);
  main.reset();
  // The controls went with the window.
  EXPECT_EQ(ctx().ui.shell.Timer1, nullptr);
  EXPECT_EQ(ctx().windows.frmMain, nullptr);
}

}  // namespace
}  // namespace kirimo::testing
