#include "cipher/CodePage932.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kirimo::cp932 {
namespace {

#include "cipher/CodePage932Table.inc"

// What Windows gives for a lead byte without a character: "・".
constexpr char16_t kUnassigned = u'\u30FB';
constexpr std::uint16_t kDefaultCode = 0x3F;  // "?"

// The code Windows chooses for each UTF-16 unit, 0 where code page 932 has
// none of its own (no code is 0 but NUL's, which is looked at first). Spread
// out once from the sorted list, so that every lookup is one index.
const std::array<std::uint16_t, 0x10000>& CodeTable() {
  static const auto table = [] {
    std::array<std::uint16_t, 0x10000> codes{};
    for (const Encoding& entry : kEncodings) codes[entry.character] = entry.code;
    return codes;
  }();
  return table;
}

// The code Windows chooses for ch, or nullopt when code page 932 has none
// (best-fit stand-ins included: they do not convert back to ch).
std::optional<std::uint16_t> FindCode(char16_t ch) {
  if (ch == 0) return 0;
  const std::uint16_t code = CodeTable()[ch];
  if (code == 0) return std::nullopt;
  return code;
}

char16_t DoubleByteCharacter(std::uint8_t lead, std::uint8_t trail) {
  const std::size_t row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
  return kDoubleByte[row * 256 + trail];
}

}  // namespace

bool IsLeadByte(std::uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::int16_t CharacterCode(char16_t ch) {
  const int code = FindCode(ch).value_or(kDefaultCode);
  return static_cast<std::int16_t>(code <= 0xFF ? code : code - 0x10000);
}

bool IsRepresentable(char16_t ch) { return FindCode(ch).has_value(); }

std::optional<std::u16string> CharacterFromCode(int code) {
  if (code < -0x8000 || code > 0xFFFF) return std::nullopt;
  const unsigned value = code < 0 ? static_cast<unsigned>(code + 0x10000) : code;
  if (value <= 0xFF) return std::u16string(1, kSingleByte[value]);
  const auto high = static_cast<std::uint8_t>(value >> 8);
  const auto low = static_cast<std::uint8_t>(value & 0xFF);
  // A lead byte makes one character of the pair, "・" when none is assigned
  // (even with a NUL trail byte, which Windows would decode on its own: the
  // cipher counts every such code as one character).
  if (IsLeadByte(high)) return std::u16string(1, DoubleByteCharacter(high, low));
  return std::u16string{kSingleByte[high], kSingleByte[low]};
}

std::string ToShiftJis(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  // One unit at a time, as the program counts characters: a surrogate pair
  // becomes two "?".
  for (const char16_t ch : text) {
    const std::uint16_t code = FindCode(ch).value_or(kDefaultCode);
    if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
    bytes.push_back(static_cast<char>(code & 0xFF));
  }
  return bytes;
}

std::u16string FromShiftJis(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    if (!IsLeadByte(byte)) {
      text.push_back(kSingleByte[byte]);
      continue;
    }
    // A lead byte at the end or before a NUL stands alone, as in Windows;
    // any other trail byte is taken into the character, assigned or not.
    if (i + 1 == bytes.size() || bytes[i + 1] == '\0') {
      text.push_back(kUnassigned);
      continue;
    }
    text.push_back(DoubleByteCharacter(byte, static_cast<std::uint8_t>(bytes[++i])));
  }
  return text;
}

}  // namespace kirimo::cp932
