#pragma once
// Code page 932 (Shift-JIS as Windows defines it), from our own table so
// that every platform converts exactly as Windows does.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kirimo::cp932 {

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte(std::uint8_t byte);

// The signed 16-bit "character code": a single-byte character gives its
// byte (0..255), a double-byte one b1*256 + b2 - 65536. A character with
// no code of its own (no mapping, or only a best-fit one) gives 63 ("?").
// Where Windows has two codes for a character, the one it chooses.
std::int16_t CharacterCode(char16_t ch);

// True when the character has a code of its own that converts back to it.
bool IsRepresentable(char16_t ch);

// "Character from code": one or two characters; nullopt for a code below
// -32768 or above 65535. Negative codes are first increased by 65536.
std::optional<std::u16string> CharacterFromCode(int code);

// Whole texts to and from Shift-JIS bytes. Unrepresentable characters
// become "?"; undecodable bytes become "・" as Windows does.
std::string ToShiftJis(std::u16string_view text);
std::u16string FromShiftJis(std::string_view bytes);

}  // namespace kirimo::cp932
