// A memo the entry dialog accepts is stored, read from the file and decoded
// back exactly as typed.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "cipher/Cipher.h"
#include "cipher/TextRules.h"
#include "settings/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirimo;
  fuzz::Bytes bytes(data, size);
  const std::u16string title = fuzz::Utf16(bytes.Piece(60));
  const std::u16string content = fuzz::Utf16(bytes.Piece(110));
  if (CheckMemoEntry(title, content)) return 0;  // refused by the dialog
  fuzz::BytesRandom random(bytes);
  bool failed = false;
  const FailureReporter report = [&](const std::u16string&) { failed = true; };
  const CipherContext cipher{u"24/05/01/12:30", random, report};

  const std::u16string trimmed(TrimHalfWidthSpaces(content));
  const std::u16string stored = EncodeText(trimmed, cipher);
  if (failed) return 0;  // the cipher said why; the dialog keeps the text
  const auto file = settings::profile::WithValue("", u"MyData", u"MEMO", stored);
  if (!file) fuzz::Violated("a stored text cannot be written");
  const auto read = settings::profile::FindValue(*file, u"MyData", u"MEMO", std::nullopt);
  if (!read || *read != stored) fuzz::Violated("the stored text does not read back");
  if (DecodeText(*read, cipher) != trimmed || failed) fuzz::Violated("the memo came back changed");
  return 0;
}
