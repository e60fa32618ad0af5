// The seal: a lock weakened by hand in Kirim.ini is recognised at the next
// start, the memos are wiped when the option says so, and the lock is put
// back. Nothing the program or an older copy does with the file may ever
// look like that.

#include <filesystem>

#include "LockFixture.h"

namespace kirimo::testing {
namespace {

const QString kWiped = QStringLiteral("データをすべて消去しました");
const QString kWipeFailed = QStringLiteral("データを消去に失敗しました");
const QString kLoadError = QStringLiteral("メインフォームロード時にエラーしました");

class IntrusionTest : public LockFixture {
 protected:
  // A file the program itself has written with the lock on: one login and
  // one shutdown, so it carries its seal.
  void SealedLock(bool wipe, std::u16string_view password = u"pw") {
    SetIni(LockedIni(password, SomeMemos(), wipe));
    ASSERT_TRUE(StartAnswering({{QString::fromStdU16String(std::u16string(password))}}));
    CloseMain();
    main.reset();
    ASSERT_TRUE(RawValue(iniBytes(), "FUUIN").has_value());
    ASSERT_NE(RawValue(iniBytes(), "FUUIN"), "");
    boxes.shown.clear();
    passwordDialogsShown = 0;
  }
  // The next start asks for the password as before and lets the right one in.
  void ExpectLockAsBefore(std::u16string_view password = u"pw") {
    boxes.shown.clear();
    passwordDialogsShown = 0;
    ASSERT_TRUE(StartAnswering({{"wrong"}, {QString::fromStdU16String(std::u16string(password))}}));
    EXPECT_EQ(passwordDialogsShown, 1);
    EXPECT_EQ(boxes.texts(), std::vector<QString>{QStringLiteral("パスワードが違います")});
    EXPECT_TRUE(Action("mnuPass")->isChecked());
  }
};

struct Tampering {
  const char* name;
  bool sealedWipe;
  std::vector<std::pair<std::string, std::string>> edits;
  bool wiped;
};

void PrintTo(const Tampering& t, std::ostream* os) { *os << t.name; }

class TamperingTest : public IntrusionTest, public ::testing::WithParamInterface<Tampering> {};

TEST_P(TamperingTest, IsCaughtAndTheLockPutBack) {
  const Tampering& t = GetParam();
  SealedLock(t.sealedWipe);
  const std::string stamp = *RawValue(iniBytes(), "HIDUKE");
  std::string bytes = iniBytes();
  for (const auto& [key, value] : t.edits) bytes = WithValue(bytes, key, value);
  SetIni(bytes);

  EXPECT_FALSE(TryStart());
  EXPECT_EQ(passwordDialogsShown, 0);
  EXPECT_FALSE(tray.shown);
  EXPECT_EQ(boxes.texts(), t.wiped ? std::vector<QString>{kWiped} : std::vector<QString>{});
  if (t.wiped)
    ExpectWiped();
  else
    ExpectMemos(SomeMemos());
  EXPECT_EQ(RawValue(iniBytes(), "PASSCHK"), "1");
  EXPECT_EQ(RawValue(iniBytes(), "FSI"), t.sealedWipe ? "1" : "0");
  EXPECT_EQ(RawValue(iniBytes(), "HIDUKE"), stamp);

  ExpectLockAsBefore();
  EXPECT_EQ(Captions(1), t.wiped ? EmptyCaptions(1) : TitledCaptions("one"));
  // Only once: the lock put back is no attempt.
  CloseMain();
  ExpectLockAsBefore();
}

INSTANTIATE_TEST_SUITE_P(
    Lock, TamperingTest,
    ::testing::Values(
        Tampering{"LockOffWithTheWipe", true, {{"PASSCHK", "0"}}, true},
        Tampering{"LockOffWithoutTheWipe", false, {{"PASSCHK", "0"}}, false},
        Tampering{"LockKeyRemovedWithTheWipe", true, {{"PASSCHK", ""}}, true},
        Tampering{"PasswordEmptiedWithTheWipe", true, {{"DAIMEI0", ""}, {"SETTEI", ""}}, true},
        Tampering{"PasswordEmptiedWithoutTheWipe", false, {{"DAIMEI0", ""}, {"SETTEI", ""}}, false},
        Tampering{"FirstCopyEmptied", true, {{"DAIMEI0", ""}}, true},
        Tampering{
            "CopiesMadeUnreadable", false, {{"DAIMEI0", "garbage"}, {"SETTEI", "garbage"}}, false},
        Tampering{"FirstCopyMadeUnreadable", true, {{"DAIMEI0", "x"}}, true},
        Tampering{"WipeOffFirst", true, {{"FSI", "0"}}, true},
        Tampering{"WipeAndLockOff", true, {{"FSI", "0"}, {"PASSCHK", "0"}}, true},
        // The file's own wipe option counts too.
        Tampering{"LockOffAndWipeOnByHand", false, {{"PASSCHK", "0"}, {"FSI", "1"}}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The wipe empties the twenty memo keys in their order, in one write, and
// keeps the password and every other key.
TEST_F(IntrusionTest, TheWipeWritesTheTwentyKeysInOrder) {
  SetIni(LockedIni(u"pw", {}, true, "FUKKI=600\r\n"));
  ASSERT_TRUE(StartAnswering({{"pw"}}));
  CloseMain();
  main.reset();
  SetIni(WithValue(iniBytes(), "PASSCHK", "0"));
  EXPECT_FALSE(TryStart());
  const std::string bytes = iniBytes();
  size_t last = 0;
  for (const char* key :
       {"MEMO",    "MEMO2",   "MEMO3",   "MEMO4",   "MEMO5",   "MEMO6",   "MEMO7",
        "MEMO8",   "MEMO9",   "MEMO10",  "DAIMEI1", "DAIMEI2", "DAIMEI3", "DAIMEI4",
        "DAIMEI5", "DAIMEI6", "DAIMEI7", "DAIMEI8", "DAIMEI9", "DAIMEI10"}) {
    const size_t at = bytes.find("\r\n" + std::string(key) + "=\r\n");
    ASSERT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, last) << key;
    last = at;
  }
  EXPECT_EQ(RawValue(bytes, "FUKKI"), "600");
  EXPECT_EQ(Decoded("SETTEI"), u"pw");
}

// A wipe that cannot be written says so and erases nothing; the program
// still ends.
TEST_F(IntrusionTest, AWipeThatCannotBeWrittenSaysSo) {
  namespace fs = std::filesystem;
  SealedLock(true);
  SetIni(WithValue(iniBytes(), "PASSCHK", "0"));
  const std::string before = iniBytes();
  fs::permissions(ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  // With nowhere else to go, the program keeps the read-only file.
  location.userDir.clear();
  EXPECT_FALSE(TryStart());
  EXPECT_EQ(boxes.texts(), std::vector<QString>{kWipeFailed});
  EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(iniBytes(), before);
  fs::permissions(ini(), fs::perms::owner_write, fs::perm_options::add);
}

// Files the program or an older copy has written: never an attempt.
TEST_F(IntrusionTest, ALegacyFileWithoutASealStartsAndGainsOne) {
  SetIni(LockedIni(u"pw", SomeMemos()));
  ASSERT_TRUE(StartAnswering({{"pw"}}));
  EXPECT_NE(RawValue(iniBytes(), "FUUIN").value_or(""), "");
  CloseMain();
  main.reset();
  // Legacy without the lock: a hand-made PASSCHK=0 judges nothing yet.
  SetIni(IniWith(SomeMemos(), "PASSCHK=0\r\nFSI=1\r\n"));
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Captions(1), TitledCaptions("one"));
}

TEST_F(IntrusionTest, AnOlderCopysChoicesStand) {
  SealedLock(true);
  // An older copy started with the file (it stores both copies anew) and
  // its user switched the lock off there.
  std::string bytes = iniBytes();
  bytes = WithValue(bytes, "DAIMEI0", Stored(u"pw"));
  bytes = WithValue(bytes, "SETTEI", Stored(u"pw"));
  bytes = WithValue(bytes, "PASSCHK", "0");
  bytes = WithValue(bytes, "FSI", "0");
  SetIni(bytes);
  Start();
  EXPECT_EQ(passwordDialogsShown, 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Captions(4), TitledCaptions(QStringLiteral("四番")));
  CloseMain();
  main.reset();
  // Its seal is renewed: the same start again is no attempt either.
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  ExpectMemos(SomeMemos());
}

TEST_F(IntrusionTest, ADamagedSealJudgesNothing) {
  SealedLock(true);
  std::string bytes = WithValue(iniBytes(), "FUUIN", "garbage*:;,!");
  SetIni(WithValue(bytes, "PASSCHK", "0"));
  Start();
  EXPECT_EQ(passwordDialogsShown, 0);
  ExpectMemos(SomeMemos());
}

// What the user does in the program: the options switched in the menu, a
// password change, or a start that fails before the password.
TEST_F(IntrusionTest, TheUsersOwnChangesAreNoAttempt) {
  SealedLock(true);
  ASSERT_TRUE(StartAnswering({{"pw", "Command2"}, {"neu"}}));
  CloseMain();
  ExpectLockAsBefore(u"neu");
  Action("mnuFusei")->trigger();  // wipe off
  CloseMain();
  ExpectLockAsBefore(u"neu");
  Action("mnuPass")->trigger();  // lock off
  CloseMain();
  main.reset();
  boxes.shown.clear();
  Start();
  EXPECT_TRUE(boxes.shown.empty());
  Action("mnuPass")->trigger();  // on again
  Action("mnuFusei")->trigger();
  CloseMain();
  ExpectLockAsBefore(u"neu");
  ExpectMemos(SomeMemos());
}

// A start-up that fails before the password was asked (here the window's
// position) must not let the menu switch the lock off.
TEST_F(IntrusionTest, AStartThatFailedBeforeThePasswordKeepsTheLock) {
  SetIni(LockedIni(u"pw", SomeMemos(), true, "SHYOKAI=1\r\n"));
  EXPECT_TRUE(TryStart());
  EXPECT_EQ(boxes.texts(), std::vector<QString>{kLoadError});
  EXPECT_EQ(passwordDialogsShown, 0);
  Action("mnuPass")->trigger();
  Action("mnuPass")->trigger();
  EXPECT_EQ(ctx().state.passwordRequired, 0);
  CloseMain();
  EXPECT_EQ(RawValue(iniBytes(), "PASSCHK"), "1");
  EXPECT_EQ(RawValue(iniBytes(), "FSI"), "1");
  ExpectLockAsBefore();
  ExpectMemos(SomeMemos());
}

}  // namespace
}  // namespace kirimo::testing
