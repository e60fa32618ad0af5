#pragma once
// Overwriting plain memo text (titles, contents, the password, and the
// cipher's own layers of them) before its memory is freed or reused, so
// that none of it lingers where the next allocation or a memory dump finds
// it.

#include <cstddef>
#include <string>

namespace kirimo {

// Overwrites count characters at data. The writes go through a volatile
// pointer: to the optimiser they are stores to memory that nobody reads
// again, which it would otherwise be free to drop.
inline void WipeCharacters(char16_t* data, std::size_t count) {
  volatile char16_t* characters = data;
  for (std::size_t i = 0; i < count; ++i) {
    characters[i] = u'\0';
  }
}

// Overwrites the characters, then empties the text.
inline void WipeText(std::u16string& text) {
  WipeCharacters(text.data(), text.size());
  text.clear();
}

// Wipes a text however the scope that holds it is left. Never for a text
// that the scope returns: it would be wiped on its way out.
class WipeAtExit {
 public:
  explicit WipeAtExit(std::u16string& text) : text_(text) {}
  ~WipeAtExit() { WipeText(text_); }
  WipeAtExit(const WipeAtExit&) = delete;
  WipeAtExit& operator=(const WipeAtExit&) = delete;

 private:
  std::u16string& text_;
};

}  // namespace kirimo
