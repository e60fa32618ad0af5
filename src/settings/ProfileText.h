#pragma once
// The private-profile format on the bytes of a whole file, without any file
// access: finding a value and producing the file with one value changed.
// Kept apart from the file handling so that the format rules can be checked
// and benchmarked on their own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kirimo::settings::profile {

// What GetPrivateProfileStringA can hand back through a 255-byte buffer.
inline constexpr std::size_t kReadLimitBytes = 254;

// The value of key in section as the Windows reader returns it (blanks
// trimmed, one pair of outer quotes removed), or nullopt when the section or
// the key is missing. With a limit, the value is cut to at most that many
// Shift-JIS bytes without splitting a double-byte character.
std::optional<std::u16string> FindValue(std::string_view fileBytes, std::u16string_view section,
                                        std::u16string_view key,
                                        std::optional<std::size_t> limitBytes);

// The file with value stored under key in section, changing as little as
// possible: the first matching key line is replaced in place (keeping the
// key's spelling), a new key goes after the last entry of the first matching
// section, a new section goes at the end. nullopt when the entry could not be
// read back as given: a line break or NUL anywhere (a value could otherwise
// smuggle in lines of its own), a name empty or with blanks at either end,
// "=" or a leading "[", ";" or "#" in a key, "]" in a section, or a
// character the file's encoding cannot hold (Windows would write "?").
std::optional<std::string> WithValue(std::string_view fileBytes, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view value);

// The value text as written after "=": wrapped in one extra pair of quotes
// when the reader would otherwise trim it or strip its own outer quotes.
std::u16string QuoteForWriting(std::u16string_view value);

}  // namespace kirimo::settings::profile
