#pragma once
// The program with its password lock: Kirim.ini files with a stored
// password, and the password dialog answered as a user would.

#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "lock/FrmPass.h"
#include "memos/MemoFixture.h"

namespace kirimo::testing {

// One entry in the password dialog: the text typed, then a button.
struct Entry {
  QString text;
  const char* button = "Command1";
};

class LockFixture : public MemoFixture {
 protected:
  // A file as the program leaves it with the lock on (before it has a seal).
  std::string LockedIni(std::u16string_view password, const std::vector<StoredMemo>& memos,
                        bool wipe = true, const std::string& extra = "") {
    std::string lock = "PASSCHK=1\r\nFSI=" + std::string(wipe ? "1" : "0") + "\r\n";
    if (!password.empty())
      lock += "DAIMEI0=" + Stored(password) + "\r\nSETTEI=" + Stored(password) + "\r\n";
    return IniWith(memos, lock + extra);
  }

  static void EnterPassword(QWidget& dialog, const Entry& entry) {
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
    box->setText(QString());
    TypeInto(box, entry.text);
    dialog.findChild<QPushButton*>(QString::fromLatin1(entry.button))->click();
  }

  // Starts with the dialog answered by these entries; true when the
  // program runs afterwards.
  bool StartAnswering(std::vector<Entry> entries) {
    WhenPasswordAsked([entries = std::move(entries)](QWidget& dialog) {
      for (const Entry& e : entries) {
        if (!dialog.isVisible()) break;
        EnterPassword(dialog, e);
      }
    });
    return TryStart();
  }

  static std::vector<StoredMemo> SomeMemos() {
    return {{1, u"one", u"1111"}, {4, u"四番", u"よん"}, {10, u"ten", u"10"}};
  }

  // Every memo still in the file, decodable as the next start would.
  void ExpectMemos(const std::vector<StoredMemo>& memos) {
    for (const StoredMemo& m : memos) {
      SCOPED_TRACE(m.slot);
      EXPECT_EQ(Decoded(TitleKeyOf(m.slot)), m.title);
      EXPECT_EQ(Decoded(ContentKeyOf(m.slot)), m.content);
    }
  }
  void ExpectWiped() {
    const std::string bytes = iniBytes();
    for (int n = 1; n <= kSlotCount; ++n) {
      EXPECT_EQ(RawValue(bytes, TitleKeyOf(n)), "") << n;
      EXPECT_EQ(RawValue(bytes, ContentKeyOf(n)), "") << n;
    }
  }
};

}  // namespace kirimo::testing
