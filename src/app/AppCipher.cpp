#include "app/AppCipher.h"

#include "app/AppContext.h"

namespace kirimo {

// Until the cipher is in, texts pass through unchanged: a stored value read
// at start-up is written back exactly as it was.
std::u16string EncodeStored(AppContext&, std::u16string_view plain) {
  return std::u16string(plain);
}

std::u16string DecodeStored(AppContext&, std::u16string_view stored) {
  return std::u16string(stored);
}

}  // namespace kirimo
