// What start-up does with the enciphered values: titles become captions
// (and leave memory), the password copies are stored anew at every start.

#include <QPushButton>

#include "AppFixture.h"
#include "cipher/Cipher.h"
#include "cipher/CodePage932.h"
#include "settings/Settings.h"

namespace kirimo::testing {
namespace {

constexpr char16_t kStamp[] = u"24/01/02/03:04";

class StoredTextStartupTest : public AppFixture {
 protected:
  std::string Stored(std::u16string_view plain) {
    const FailureReporter fail = [](const std::u16string&) { ADD_FAILURE(); };
    return cp932::ToShiftJis(EncodeText(plain, CipherContext{kStamp, random, fail}));
  }
  std::u16string Decoded(std::u16string_view key) {
    std::vector<std::u16string> failures;
    const FailureReporter fail = [&](const std::u16string& m) { failures.push_back(m); };
    std::u16string plain = DecodeText(settings::ReadStoredText(key, u"MyData", ini()),
                                      CipherContext{kStamp, random, fail});
    EXPECT_TRUE(failures.empty());
    return plain;
  }
  std::string Header() { return "[MyData]\r\nHIDUKE=" + cp932::ToShiftJis(kStamp) + "\r\n"; }
};

TEST_F(StoredTextStartupTest, TitlesBecomeCaptionsAndLeaveMemory) {
  SetIni(Header() + "DAIMEI1=" + Stored(u"住所") + "\r\nDAIMEI10=" + Stored(u"ABC") + "\r\n");
  FrmMain& w = Start();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Find("cmdMemo1")->text(), QStringLiteral("住所"));
  EXPECT_EQ(Action("mnuMemo1")->text(), QStringLiteral("住所"));
  EXPECT_EQ(Action("mnuReset10")->text(), QStringLiteral("リセット「ABC」"));
  EXPECT_EQ(Find("cmdReset10")->text(), QStringLiteral("リセット"));
  EXPECT_EQ(Find("cmdMemo2")->text(), QStringLiteral("メモ２"));
  for (int n = 1; n <= kSlotCount; ++n) EXPECT_TRUE(ctx().state.slotTitle[n].empty()) << n;
  (void)w;
}

TEST_F(StoredTextStartupTest, SecondPasswordCopyWinsAndBothChangeAtEveryStart) {
  SetIni(Header() + "DAIMEI0=" + Stored(u"first") + "\r\nSETTEI=" + Stored(u"second") + "\r\n");
  std::string previous = iniBytes();
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    Start();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Decoded(u"DAIMEI0"), u"second");
    EXPECT_EQ(Decoded(u"SETTEI"), u"second");
    EXPECT_NE(settings::ReadStoredText(u"DAIMEI0", u"MyData", ini()),
              settings::ReadStoredText(u"SETTEI", u"MyData", ini()));
    EXPECT_NE(iniBytes(), previous);
    previous = iniBytes();
    main.reset();
  }
}

TEST_F(StoredTextStartupTest, PasswordThatCannotBeDecodedIsKeptAsStored) {
  // Made with another stamp: the decoder reports it and start-up goes on,
  // but the stored copies must survive rather than be replaced by nothing.
  const FailureReporter fail = [](const std::u16string&) {};
  const std::string foreign =
      cp932::ToShiftJis(EncodeText(u"secret", CipherContext{u"99/12/31/23:59", random, fail}));
  const std::string before = Header() + "DAIMEI0=" + foreign + "\r\nSETTEI=" + foreign + "\r\n";
  SetIni(before);
  Start();
  EXPECT_FALSE(boxes.shown.empty());
  EXPECT_EQ(iniBytes(), before);
  // Nothing of it is held in plain.
  EXPECT_EQ(cp932::ToShiftJis(ctx().state.storedPassword), foreign);
  EXPECT_EQ(cp932::ToShiftJis(ctx().state.passwordCopy), foreign);
}

}  // namespace
}  // namespace kirimo::testing
