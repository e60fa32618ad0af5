// Any stored text, however damaged, decodes to something or says it cannot:
// never a crash, a hang or undefined behaviour.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "cipher/Cipher.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirimo;
  fuzz::Bytes bytes(data, size);
  fuzz::BytesRandom random(bytes);
  bool failed = false;
  const FailureReporter report = [&](const std::u16string&) { failed = true; };
  const CipherContext cipher{u"24/05/01/12:30", random, report};
  const std::u16string stored = fuzz::Utf16(bytes.Rest());
  const std::u16string plain = DecodeText(stored, cipher);
  // Failing gives nothing back; an empty stored text is an empty memo.
  if (failed && !plain.empty()) kirimo::fuzz::Violated("a failed decode returned text");
  if (stored.empty() && (failed || !plain.empty())) kirimo::fuzz::Violated("empty stored text");
  return 0;
}
