#pragma once
// What a memo title, a memo content and the password may contain: no spaces,
// only characters the cipher brings back unchanged, and none of the stored
// format's delimiters. The dialogs run these checks when the user confirms
// and show the first violation; nothing is stored until all pass.

#include <optional>
#include <string>
#include <string_view>

#include "cipher/Failure.h"

namespace kirimo {

// Which rule a text broke; the password dialog shows some of them above the
// always-on-top windows and some not, and decides by this.
enum class RuleKind {
  kNothingTyped,  // silent: the confirmation is ignored
  kTooLong,
  kSpaces,
  kHalfWidthKatakana,
  kUnusableCharacter,
  kDelimiter,
  kAmpersand,
};

// The first broken rule. An empty message means the confirmation is simply
// ignored: no box, the dialog stays as it is.
struct RuleViolation {
  std::u16string message;
  MsgIcon icon = MsgIcon::Warning;
  RuleKind kind = RuleKind::kNothingTyped;

  bool IsSilent() const { return message.empty(); }
  bool operator==(const RuleViolation&) const = default;
};

// How the character test sees one character.
enum class CharacterClass { Allowed, HalfWidthKatakana, Unusable };

CharacterClass ClassifyCharacter(char16_t ch);

// The text without the half-width spaces at either end.
std::u16string_view TrimHalfWidthSpaces(std::u16string_view text);

// The memo entry dialog's OK, with the title and content as typed.
std::optional<RuleViolation> CheckMemoEntry(std::u16string_view title, std::u16string_view content);

// The password dialog has two buttons that confirm: OK ("OK") and the
// change button ("パスワードの変更"), which ignores a text of only
// half-width spaces.
enum class PasswordButton { Ok, ChangePassword };

std::optional<RuleViolation> CheckPassword(std::u16string_view password, PasswordButton button);

// Input methods outside Windows type a few characters with their JIS code
// points, which code page 932 cannot store; the dialogs pass the typed text
// through this before the rules so that what the user sees is what is kept.
std::u16string NormalizeJisInput(std::u16string_view text);

}  // namespace kirimo
