#pragma once
// The program with memos stored in Kirim.ini: the stored texts are made with
// the real cipher and written as Shift-JIS bytes, and what the program
// writes is decoded from the file's bytes, as the next start would.

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>
#include <optional>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "cipher/Cipher.h"
#include "cipher/CodePage932.h"
#include "memos/FrmInput.h"
#include "memos/MemoCommands.h"
#include "settings/Settings.h"

namespace kirimo::testing {

inline constexpr std::u16string_view kStamp = u"01/02/03/04:05";

struct StoredMemo {
  int slot;
  std::u16string title;
  std::u16string content;
};

inline std::string ContentKeyOf(int slot) {
  return slot == 1 ? "MEMO" : "MEMO" + std::to_string(slot);
}
inline std::string TitleKeyOf(int slot) { return "DAIMEI" + std::to_string(slot); }

// The raw bytes of key's value in the file, as written; nullopt when the key
// is not there.
inline std::optional<std::string> RawValue(const std::string& bytes, const std::string& key) {
  const std::string head = "\r\n" + key + "=";
  const size_t at = bytes.find(head);
  if (at == std::string::npos) return std::nullopt;
  const size_t start = at + head.size();
  return bytes.substr(start, bytes.find("\r\n", start) - start);
}

// bytes with key's value replaced, or with the key added at the end (the
// files of these tests end with their [MyData] section).
inline std::string WithValue(std::string bytes, const std::string& key, const std::string& value) {
  const std::string head = "\r\n" + key + "=";
  const size_t at = bytes.find(head);
  if (at == std::string::npos) return bytes + key + "=" + value + "\r\n";
  const size_t start = at + head.size();
  return bytes.replace(start, bytes.find("\r\n", start) - start, value);
}

class MemoFixture : public AppFixture {
 protected:
  void TearDown() override {
    if (!main) return;
    // As at the program's end: the dialog closes without bringing the main
    // window back.
    ctx().windows.ending = true;
    UnloadOtherWindows(ctx());
    // Closed dialogs wait for the event loop to delete them; tests have none.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::string Stored(std::u16string_view plain) {
    std::vector<std::u16string> failures;
    const FailureReporter report = [&](const std::u16string& m) { failures.push_back(m); };
    const CipherContext cipher{std::u16string(kStamp), fixtureRandom, report};
    const std::u16string stored = EncodeText(plain, cipher);
    EXPECT_TRUE(failures.empty());
    return cp932::ToShiftJis(stored);
  }

  // Kirim.ini of a program started before, with the given memos.
  std::string IniWith(const std::vector<StoredMemo>& memos, const std::string& extra = "") {
    std::string bytes = "[MyData]\r\nHIDUKE=" + cp932::ToShiftJis(kStamp) + "\r\n" + extra;
    for (const StoredMemo& m : memos) {
      bytes += ContentKeyOf(m.slot) + "=" + Stored(m.content) + "\r\n";
      bytes += TitleKeyOf(m.slot) + "=" + Stored(m.title) + "\r\n";
    }
    return bytes;
  }

  FrmMain& StartWith(const std::vector<StoredMemo>& memos, const std::string& extra = "") {
    SetIni(IniWith(memos, extra));
    FrmMain& w = Start();
    EXPECT_TRUE(boxes.shown.empty());
    return w;
  }

  // What the next start would read under key: the stored text decoded with
  // the file's own stamp. nullopt when the key is missing or does not decode.
  std::optional<std::u16string> Decoded(const std::string& key) { return DecodedIn(ini(), key); }
  std::optional<std::u16string> DecodedIn(const std::filesystem::path& file,
                                          const std::string& key) {
    const std::string bytes = ReadBytes(file);
    if (!RawValue(bytes, key) || !RawValue(bytes, "HIDUKE")) return std::nullopt;
    // Through the settings reader, which takes off the quotes that the
    // writer puts around a stored text beginning and ending with one.
    const std::u16string wideKey(key.begin(), key.end());
    const auto stored = settings::TryReadStoredText(wideKey, settings::kMyData, file);
    const auto stamp = settings::TryReadStoredText(u"HIDUKE", settings::kMyData, file);
    if (!stored || !stamp) return std::nullopt;
    bool failed = false;
    const FailureReporter report = [&](const std::u16string&) { failed = true; };
    const CipherContext cipher{*stamp, fixtureRandom, report};
    std::u16string plain = DecodeText(*stored, cipher);
    if (failed) return std::nullopt;
    return plain;
  }

  QString ClipboardText() const {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
  }
  void SetClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
  }

  FrmInput* Dialog() { return FindEntryDialog(ctx()); }
  QLineEdit* Box(const char* name) {
    FrmInput* d = Dialog();
    return d ? d->findChild<QLineEdit*>(QString::fromLatin1(name)) : nullptr;
  }
  void ClickInDialog(const char* name) {
    FrmInput* d = Dialog();
    ASSERT_NE(d, nullptr);
    QPushButton* b = d->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Click(const std::string& name) { QTest::mouseClick(Find(name.c_str()), Qt::LeftButton); }

  // Types into the open dialog's boxes as a user does: ASCII on the keys,
  // everything else through the input method.
  void Type(const QString& title, const QString& content) {
    ASSERT_NE(Dialog(), nullptr);
    TypeInto(Box("Text1"), title);
    TypeInto(Box("Text2"), content);
  }
  static void TypeInto(QLineEdit* box, const QString& text) {
    for (QChar ch : text) {
      if (ch.unicode() < 0x80) {
        QTest::keyClicks(box, QString(ch));
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(QString(ch));
        QApplication::sendEvent(box, &commit);
      }
    }
  }

  // The whole entry of a memo into an empty slot.
  void Enter(int slot, const QString& title, const QString& content) {
    Click("cmdMemo" + std::to_string(slot));
    Type(title, content);
    ClickInDialog("cmdOk");
  }

  bool AllBuffersEmpty() const {
    for (int n = 1; n <= kSlotCount; ++n)
      if (!ctx().state.slotTitle[n].empty() || !ctx().state.slotContent[n].empty()) return false;
    return true;
  }

  // The captions a slot shows: memo button, memo menu item, reset menu item.
  std::vector<QString> Captions(int slot) {
    const std::string n = std::to_string(slot);
    return {Find(("cmdMemo" + n).c_str())->text(), Action(("mnuMemo" + n).c_str())->text(),
            Action(("mnuReset" + n).c_str())->text()};
  }
  static std::vector<QString> TitledCaptions(const QString& title) {
    return {title, title, QStringLiteral("リセット「") + title + QStringLiteral("」")};
  }
  static std::vector<QString> EmptyCaptions(int slot) {
    static const char16_t* digits[] = {u"",   u"１", u"２", u"３", u"４",  u"５",
                                       u"６", u"７", u"８", u"９", u"１０"};
    const QString d = QString::fromUtf16(digits[slot]);
    return {QStringLiteral("メモ") + d, QStringLiteral("メモ") + d,
            QStringLiteral("リセットメモ") + d};
  }

  SeededRandom fixtureRandom;
};

// Puts a directory where Kirim.ini was, which no user, however privileged,
// can write a settings file over; the file comes back on Restore.
class UnwritableIni {
 public:
  explicit UnwritableIni(std::filesystem::path ini) : ini_(std::move(ini)) {
    kept_ = ini_;
    kept_ += ".kept";
    std::filesystem::rename(ini_, kept_);
    std::filesystem::create_directory(ini_);
  }
  ~UnwritableIni() { Restore(); }
  void Restore() {
    if (restored_) return;
    restored_ = true;
    std::filesystem::remove_all(ini_);
    std::filesystem::rename(kept_, ini_);
  }

 private:
  std::filesystem::path ini_, kept_;
  bool restored_ = false;
};

}  // namespace kirimo::testing
