// The password dialog on its own (constructed and clicked) and at start-up
// (shown modally and answered), and the lock's menu items.

#include <QGuiApplication>
#include <QScreen>
#include <filesystem>

#include "LockFixture.h"
#include "app/Twips.h"

namespace kirimo::testing {
namespace {

const QString kWrong = QStringLiteral("パスワードが違います");
const QString kChanged = QStringLiteral("パスワードが変更されました");
const QString kConfirmed =
    QStringLiteral("パスワードを確認しました新しいパスワードを入力して下さい");
const QString kOldPassword = QStringLiteral("以前のパスワードを入力して下さい");
const QString kSpaces = QStringLiteral("パスワードにスペースは含めません");
const QString kAmpersand = QStringLiteral("パスワードに「&」の文字は使えません");
const QString kKatakana = QStringLiteral("パスワードに半角カタカナ文字を含めません");
const QString kUnusable = QStringLiteral("パスワードに使用できない文字が入っています");
const QString kDelimiter = QStringLiteral("パスワードに「*:;,!」と同じ組み合わせは使えません");
const QString kNotStored = QStringLiteral("入力時ＩＮＩファイルに書き込みできませんでした");

using Outcome = FrmPass::Outcome;

class PasswordDialogTest : public LockFixture {
 protected:
  // The dialog as start-up shows it, for a run with these copies in plain.
  FrmPass& Open(std::u16string_view first, std::u16string_view second) {
    Start();
    ctx().state.storedPassword = first;
    ctx().state.passwordCopy = second;
    dialog_ = std::make_unique<FrmPass>(ctx());
    ctx().windows.frmPass = dialog_.get();
    dialog_->Form_Load();
    dialog_->show();
    return *dialog_;
  }
  QLineEdit* Text1() { return dialog_->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  QPushButton* Button(const char* name) {
    return dialog_->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  void TearDown() override {
    dialog_.reset();
    LockFixture::TearDown();
  }

  std::unique_ptr<FrmPass> dialog_;
};

TEST_F(PasswordDialogTest, LayoutAsDesigned) {
  FrmPass& dialog = Open(u"pw", u"pw");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("パスワードの入力"));
  EXPECT_EQ(dialog.size(), QSize(TwipsToPixels(4605), TwipsToPixels(1110)));
  EXPECT_EQ(Text1()->geometry(), TwipsRect(120, 120, 4335, 270));
  EXPECT_EQ(Button("Command1")->geometry(), TwipsRect(3600, 600, 855, 375));
  EXPECT_EQ(Button("Command2")->geometry(), TwipsRect(1800, 600, 1695, 375));
  EXPECT_EQ(Button("Command1")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Button("Command2")->text(), QStringLiteral("パスワードの変更"));
  // What is typed shows.
  EXPECT_EQ(Text1()->echoMode(), QLineEdit::Normal);
  EXPECT_EQ(Text1()->nextInFocusChain(), Button("Command1"));
  EXPECT_EQ(Button("Command1")->nextInFocusChain(), Button("Command2"));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(dialog.geometry().center().x(), screen.center().x(), 2);
  EXPECT_NEAR(dialog.geometry().center().y(), screen.center().y(), 2);

  // Twenty-five characters, a kanji counting as one.
  TypeInto(Text1(), QString(30, QChar(u'漢')));
  EXPECT_EQ(Text1()->text(), QString(25, QChar(u'漢')));
}

struct ShownMessage {
  QString text;
  MsgIcon icon;
  bool pair;
  bool operator==(const ShownMessage&) const = default;
};

struct DialogCase {
  const char* name;
  std::u16string first, second;
  std::vector<Entry> entries;
  std::vector<ShownMessage> messages;
  Outcome outcome;
  std::u16string password;  // both copies afterwards
  QString boxAfter = {};    // Text1 while the dialog stays open
  bool changing = false;
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class PasswordDialogCases : public PasswordDialogTest,
                            public ::testing::WithParamInterface<DialogCase> {};

constexpr MsgIcon kInfo = MsgIcon::Information;
constexpr MsgIcon kWarn = MsgIcon::Warning;

TEST_P(PasswordDialogCases, EntriesAsTheUserTypesThem) {
  const DialogCase& c = GetParam();
  Open(c.first, c.second);
  EXPECT_EQ(Button("Command2")->isEnabled(), !c.first.empty());
  boxes.shown.clear();
  for (const Entry& e : c.entries) {
    if (dialog_->outcome() != Outcome::kOpen) break;
    Text1()->setText(QString());
    TypeInto(Text1(), e.text);
    QTest::mouseClick(Button(e.button), Qt::LeftButton);
  }
  std::vector<ShownMessage> shown;
  for (const ShownBox& b : boxes.shown) shown.push_back({b.text, b.icon, b.betweenTopmostPair});
  EXPECT_EQ(shown, c.messages);
  EXPECT_EQ(dialog_->outcome(), c.outcome);
  EXPECT_EQ(ctx().state.storedPassword, c.password);
  EXPECT_EQ(ctx().state.passwordCopy, c.password);
  EXPECT_EQ(ctx().state.changingPassword, c.changing);
  if (c.outcome == Outcome::kOpen) {
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(Text1()->text(), c.boxAfter);
  } else {
    EXPECT_FALSE(dialog_->isVisible());
    // Nothing of the password stays in the box or its undo history.
    EXPECT_TRUE(Text1()->text().isEmpty());
    EXPECT_FALSE(Text1()->isUndoAvailable());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lock, PasswordDialogCases,
    ::testing::Values(
        DialogCase{
            "FirstEntryBecomesThePassword", u"", u"", {{"neu"}}, {}, Outcome::kPasswordSet, u"neu"},
        DialogCase{"OkWithAnEmptyBoxDoesNothing", u"", u"", {{""}}, {}, Outcome::kOpen, u""},
        DialogCase{"RightPassword", u"pw", u"pw", {{"pw"}}, {}, Outcome::kLoggedIn, u"pw"},
        DialogCase{"WrongPasswordsAnyNumberOfTimes",
                   u"pw",
                   u"pw",
                   {{"Pw"}, {"pw1"}, {"ｐｗ"}, {"pw"}},
                   {{kWrong, kInfo, false}, {kWrong, kInfo, false}, {kWrong, kInfo, false}},
                   Outcome::kLoggedIn,
                   u"pw"},
        DialogCase{"AWrongPasswordStaysInTheBox",
                   u"pw",
                   u"pw",
                   {{"nope"}},
                   {{kWrong, kInfo, false}},
                   Outcome::kOpen,
                   u"pw",
                   "nope"},
        DialogCase{"ChangeThroughOk",
                   u"pw",
                   u"pw",
                   {{"pw", "Command2"}, {"neu"}},
                   {{kConfirmed, kInfo, false}, {kChanged, kInfo, false}},
                   Outcome::kPasswordSet,
                   u"neu"},
        DialogCase{"ChangeThroughTheChangeButton",
                   u"pw",
                   u"pw",
                   {{"pw", "Command2"}, {"neu", "Command2"}},
                   {{kConfirmed, kInfo, false}, {kChanged, kInfo, false}},
                   Outcome::kPasswordSet,
                   u"neu"},
        DialogCase{"FirstStepOfAChangeEmptiesTheBox",
                   u"pw",
                   u"pw",
                   {{"pw", "Command2"}},
                   {{kConfirmed, kInfo, false}},
                   Outcome::kOpen,
                   u"pw",
                   "",
                   true},
        DialogCase{"WrongOldPassword",
                   u"pw",
                   u"pw",
                   {{"px", "Command2"}},
                   {{kOldPassword, kInfo, false}},
                   Outcome::kOpen,
                   u"pw",
                   ""},
        DialogCase{"ChangeButtonWithOnlySpacesDoesNothing",
                   u"pw",
                   u"pw",
                   {{"   ", "Command2"}},
                   {},
                   Outcome::kOpen,
                   u"pw",
                   "   "},
        DialogCase{"OkWithOnlySpacesBreaksTheSpaceRule",
                   u"pw",
                   u"pw",
                   {{"   "}},
                   {{kSpaces, kWarn, false}},
                   Outcome::kOpen,
                   u"pw",
                   "   "},
        // Only the character classes and "&" step in front of the
        // always-on-top windows.
        DialogCase{"RulesAndTheTopmostPair",
                   u"pw",
                   u"pw",
                   {{"a b"}, {QStringLiteral("aｱ")}, {QString(QChar(0xE000))}, {"a*:;,!"}, {"a&b"}},
                   {{kSpaces, kWarn, false},
                    {kKatakana, kWarn, true},
                    {kUnusable, kWarn, true},
                    {kDelimiter, kWarn, false},
                    {kAmpersand, kWarn, true}},
                   Outcome::kOpen,
                   u"pw",
                   "a&b"},
        // A broken rule keeps the change going; the next valid entry is it.
        DialogCase{
            "ARuleBrokenInTheMiddleOfAChange",
            u"pw",
            u"pw",
            {{"pw", "Command2"}, {"a&"}, {"neu"}},
            {{kConfirmed, kInfo, false}, {kAmpersand, kWarn, true}, {kChanged, kInfo, false}},
            Outcome::kPasswordSet,
            u"neu"},
        // Copies that differ: the change checks the second (the login, the
        // first: below).
        DialogCase{
            "DifferingCopiesChangeChecksTheSecond",
            u"one",
            u"two",
            {{"one", "Command2"}, {"two", "Command2"}, {"neu"}},
            {{kOldPassword, kInfo, false}, {kConfirmed, kInfo, false}, {kChanged, kInfo, false}},
            Outcome::kPasswordSet,
            u"neu"}),
    [](const auto& info) { return std::string(info.param.name); });

// The login with differing copies leaves them as they were; start-up makes
// the second win.
TEST_F(PasswordDialogTest, DifferingCopiesStayAsTheyWereAfterALogin) {
  Open(u"one", u"two");
  TypeInto(Text1(), "one");
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  EXPECT_EQ(dialog_->outcome(), Outcome::kLoggedIn);
  EXPECT_EQ(ctx().state.storedPassword, u"one");
  EXPECT_EQ(ctx().state.passwordCopy, u"two");
}

TEST_F(PasswordDialogTest, TheCloseBoxEndsItAndForgetsWhatWasTyped) {
  Open(u"pw", u"pw");
  TypeInto(Text1(), "pw");
  QTest::mouseClick(Button("Command2"), Qt::LeftButton);
  TypeInto(Text1(), "neu");
  dialog_->close();
  EXPECT_EQ(dialog_->outcome(), Outcome::kClosedByUser);
  EXPECT_EQ(ctx().state.storedPassword, u"pw");
  EXPECT_TRUE(Text1()->text().isEmpty());
  EXPECT_FALSE(Text1()->isUndoAvailable());
}

TEST_F(PasswordDialogTest, EscapeDoesNotEndIt) {
  Open(u"pw", u"pw");
  QTest::keyClick(Text1(), Qt::Key_Escape);
  EXPECT_EQ(dialog_->outcome(), Outcome::kOpen);
  EXPECT_TRUE(dialog_->isVisible());
}

// A password typed with a Linux input method's code points is stored in
// the form the file keeps, and the box shows that form.
TEST_F(PasswordDialogTest, JisCodePointsBecomeTheirStoredForm) {
  Open(u"", u"");
  TypeInto(Text1(), QStringLiteral("a\u301Cb"));
  QTest::mouseClick(Button("Command1"), Qt::LeftButton);
  EXPECT_EQ(ctx().state.storedPassword, u"a\uFF5Eb");
}

using StartupPasswordTest = LockFixture;

// Through the real modal path: nothing of the main window before the
// right password.
TEST_F(StartupPasswordTest, TheRightPasswordOpensTheMainWindow) {
  SetIni(LockedIni(u"秘密pw", SomeMemos()));
  bool titleVisibleWhileAsked = true;
  WhenPasswordAsked([&](QWidget& dialog) {
    titleVisibleWhileAsked = tray.shown || ctx().state.startupComplete;
    EXPECT_TRUE(dialog.isModal());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("Command2")->isEnabled());
    EnterPassword(dialog, {"wrong"});
    EnterPassword(dialog, {QStringLiteral("秘密pw")});
  });
  ASSERT_TRUE(TryStart());
  EXPECT_EQ(passwordDialogsShown, 1);
  EXPECT_FALSE(titleVisibleWhileAsked);
  EXPECT_EQ(boxes.texts(), std::vector<QString>{kWrong});
  EXPECT_EQ(Captions(4), TitledCaptions(QStringLiteral("四番")));
  EXPECT_TRUE(Action("mnuPass")->isChecked());
  EXPECT_TRUE(Action("mnuFusei")->isChecked());
  EXPECT_EQ(Decoded("DAIMEI0"), u"秘密pw");
  EXPECT_EQ(Decoded("SETTEI"), u"秘密pw");
  EXPECT_EQ(ctx().windows.frmPass, nullptr);
}

TEST_F(StartupPasswordTest, ClosingTheDialogEndsTheProgramWithoutWriting) {
  for (const bool withPassword : {true, false}) {
    SCOPED_TRACE(withPassword);
    SetIni(LockedIni(withPassword ? u"pw" : u"", SomeMemos()));
    const std::string before = iniBytes();
    // A change begun and abandoned.
    EXPECT_FALSE(StartAnswering(withPassword ? std::vector<Entry>{{"pw", "Command2"}}
                                             : std::vector<Entry>{{""}}));
    EXPECT_EQ(loadResult, LoadResult::Terminate);
    EXPECT_FALSE(tray.shown);
    EXPECT_EQ(iniBytes(), before);
  }
}

// The first password, set at one start, is the only one the next accepts.
TEST_F(StartupPasswordTest, TheFirstPasswordAndAChangeHoldAtTheNextStart) {
  SetIni(LockedIni(u"", SomeMemos()));
  WhenPasswordAsked([](QWidget& dialog) {
    EXPECT_FALSE(dialog.findChild<QPushButton*>("Command2")->isEnabled());
    EnterPassword(dialog, {"first"});
  });
  ASSERT_TRUE(TryStart());
  CloseMain();

  ASSERT_TRUE(StartAnswering({{"first", "Command2"}, {"second"}}));
  EXPECT_EQ(boxes.texts(), (std::vector<QString>{kConfirmed, kChanged}));
  CloseMain();

  boxes.shown.clear();
  EXPECT_FALSE(StartAnswering({{"first"}}));
  EXPECT_EQ(boxes.texts(), std::vector<QString>{kWrong});
  boxes.shown.clear();
  ASSERT_TRUE(StartAnswering({{"second"}}));
  EXPECT_TRUE(boxes.shown.empty());
  ExpectMemos(SomeMemos());
}

// The second copy wins at start-up; from then on both are it.
TEST_F(StartupPasswordTest, DifferingCopiesBecomeTheSecondAfterTheLogin) {
  SetIni(IniWith(
      {}, "PASSCHK=1\r\nDAIMEI0=" + Stored(u"one") + "\r\nSETTEI=" + Stored(u"two") + "\r\n"));
  ASSERT_TRUE(StartAnswering({{"one"}}));
  EXPECT_EQ(Decoded("DAIMEI0"), u"two");
  EXPECT_EQ(Decoded("SETTEI"), u"two");
}

// A password just set that cannot be stored is not in force, and the user
// is told; an unchanged one that cannot be stored again stays silent.
TEST_F(StartupPasswordTest, APasswordThatCannotBeStoredIsSaid) {
  namespace fs = std::filesystem;
  struct Case {
    std::u16string stored;
    std::vector<Entry> entries;
    std::vector<QString> messages;
  };
  const Case cases[] = {
      {u"", {{"neu"}}, {kNotStored}},
      {u"pw", {{"pw", "Command2"}, {"neu"}}, {kConfirmed, kChanged, kNotStored}},
      {u"pw", {{"pw"}}, {}},
  };
  // With nowhere else to go, the program keeps the read-only file, and its
  // writes fail there.
  location.userDir.clear();
  for (const Case& c : cases) {
    SetIni(LockedIni(c.stored, SomeMemos()));
    const std::string before = iniBytes();
    fs::permissions(ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    boxes.shown.clear();
    ASSERT_TRUE(StartAnswering(c.entries));
    EXPECT_EQ(boxes.texts(), c.messages);
    EXPECT_EQ(Captions(1), TitledCaptions("one"));
    CloseMain();
    EXPECT_EQ(iniBytes(), before);
    fs::permissions(ini(), fs::perms::owner_write, fs::perm_options::add);
    main.reset();
  }
}

using LockMenuTest = LockFixture;

TEST_F(LockMenuTest, SwitchingTheLockOffTakesTheWipeOptionWithIt) {
  const QString kNotice = QStringLiteral(
      "起動時にパスワードを要求するのチェックが外れましたので「不正な閲覧を試みた場合データをすべて"
      "消去する」のチェックを外しました。");
  struct Case {
    bool wipe;
    std::vector<QString> messages;
  };
  for (const Case& c : {Case{true, {kNotice}}, Case{false, {}}}) {
    SCOPED_TRACE(c.wipe);
    SetIni(LockedIni(u"pw", SomeMemos(), c.wipe));
    ASSERT_TRUE(StartAnswering({{"pw"}}));
    boxes.shown.clear();
    Action("mnuPass")->trigger();
    EXPECT_EQ(boxes.texts(), c.messages);
    for (const ShownBox& b : boxes.shown) EXPECT_TRUE(b.betweenTopmostPair);
    EXPECT_FALSE(Action("mnuPass")->isChecked());
    EXPECT_FALSE(Action("mnuFusei")->isChecked());
    EXPECT_EQ(ctx().state.wipeOnIntrusion, 0);
    CloseMain();
    // The next start asks nothing; every memo is there.
    passwordDialogsShown = 0;
    boxes.shown.clear();
    Start();
    EXPECT_EQ(passwordDialogsShown, 0);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Captions(10), TitledCaptions("ten"));
    EXPECT_NE(iniBytes().find("PASSCHK=0\r\n"), std::string::npos);
    EXPECT_NE(iniBytes().find("FSI=0\r\n"), std::string::npos);
    main.reset();
  }
}

TEST_F(LockMenuTest, SwitchingTheLockOnAsksNothingNow) {
  SetIni(IniWith(SomeMemos()));
  Start();
  Action("mnuPass")->trigger();
  EXPECT_TRUE(Action("mnuPass")->isChecked());
  EXPECT_EQ(ctx().state.passwordRequired, 1);
  EXPECT_EQ(passwordDialogsShown, 0);
  EXPECT_TRUE(boxes.shown.empty());
  CloseMain();
  // The next start asks, and the first entry becomes the password.
  ASSERT_TRUE(StartAnswering({{"neu"}}));
  EXPECT_EQ(passwordDialogsShown, 1);
  EXPECT_EQ(Decoded("SETTEI"), u"neu");
}

TEST_F(LockMenuTest, TheWipeOptionNeedsTheLock) {
  SetIni(IniWith(SomeMemos()));
  Start();
  Action("mnuFusei")->trigger();
  EXPECT_EQ(boxes.texts(),
            std::vector<QString>{QStringLiteral(
                "「起動時にパスワードを要求する」にチェックが入っていないと有効になりません")});
  EXPECT_TRUE(boxes.shown[0].betweenTopmostPair);
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Information);
  EXPECT_FALSE(Action("mnuFusei")->isChecked());
  EXPECT_EQ(ctx().state.wipeOnIntrusion, 0);

  // With the lock: on and off again, nothing written until shutdown.
  Action("mnuPass")->trigger();
  boxes.shown.clear();
  const std::string before = iniBytes();
  Action("mnuFusei")->trigger();
  EXPECT_TRUE(Action("mnuFusei")->isChecked());
  EXPECT_EQ(ctx().state.wipeOnIntrusion, 1);
  Action("mnuFusei")->trigger();
  EXPECT_FALSE(Action("mnuFusei")->isChecked());
  EXPECT_EQ(ctx().state.wipeOnIntrusion, 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(iniBytes(), before);
}

}  // namespace
}  // namespace kirimo::testing
