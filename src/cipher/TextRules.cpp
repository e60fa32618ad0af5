#include "cipher/TextRules.h"

#include <array>

#include "cipher/Cipher.h"
#include "cipher/CodePage932.h"

namespace kirimo {

namespace {

constexpr std::size_t kLongestContent = 50;

// The stored format's delimiters, in the order the dialogs report them.
constexpr std::array<std::u16string_view, 5> kDelimiters = {u"*:;,!", u":*!,;", u"!*,;:?", u"#$=",
                                                            u"=#$"};

// Each field's messages start with the field's name.
constexpr std::u16string_view kTitle = u"題名に";
constexpr std::u16string_view kContent = u"メモ内容に";
constexpr std::u16string_view kPassword = u"パスワードに";

RuleViolation Warn(std::u16string_view field, std::u16string_view what, RuleKind kind) {
  std::u16string message(field);
  message += what;
  return {std::move(message), MsgIcon::Warning, kind};
}

bool ContainsSpace(std::u16string_view text) {
  return text.find_first_of(u" 　") != std::u16string_view::npos;
}

std::optional<RuleViolation> CheckSpaces(std::u16string_view text, std::u16string_view field) {
  if (ContainsSpace(text)) {
    return Warn(field, u"スペースは含めません", RuleKind::kSpaces);
  }
  return std::nullopt;
}

std::optional<RuleViolation> CheckCharacters(std::u16string_view text, std::u16string_view field) {
  for (const char16_t ch : text) {
    switch (ClassifyCharacter(ch)) {
      case CharacterClass::Allowed:
        break;
      case CharacterClass::HalfWidthKatakana:
        return Warn(field, u"半角カタカナ文字を含めません", RuleKind::kHalfWidthKatakana);
      case CharacterClass::Unusable:
        return Warn(field, u"使用できない文字が入っています", RuleKind::kUnusableCharacter);
    }
  }
  return std::nullopt;
}

std::optional<RuleViolation> CheckDelimiters(std::u16string_view text, std::u16string_view field) {
  for (const std::u16string_view delimiter : kDelimiters) {
    if (text.find(delimiter) != std::u16string_view::npos) {
      std::u16string what = u"「";
      what += delimiter;
      what += u"」と同じ組み合わせは使えません";
      return Warn(field, what, RuleKind::kDelimiter);
    }
  }
  if (text.find(u'&') != std::u16string_view::npos) {
    return Warn(field, u"「&」の文字は使えません", RuleKind::kAmpersand);
  }
  return std::nullopt;
}

// The cipher swaps each character's last code digit with its partner when
// storing and again when reading; a character whose partner leads somewhere
// else (a few special symbols whose partner is a second code of another
// character) would come back changed.
bool ComesBackFromCipher(char16_t ch) {
  const std::u16string once = SwapCodeDigit(ch);
  return once.size() == 1 && SwapCodeDigit(once[0]) == std::u16string(1, ch);
}

}  // namespace

std::u16string_view TrimHalfWidthSpaces(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

CharacterClass ClassifyCharacter(char16_t ch) {
  const int code = cp932::CharacterCode(ch);
  if (code >= 161 && code <= 223) {
    return CharacterClass::HalfWidthKatakana;
  }
  // Single-byte printable ASCII and the double-byte codes 0x8141 to 0xEAA4.
  // Control characters, characters code page 932 has no code of its own for
  // (they would be stored as "?") and characters the cipher changes are kept
  // out: each would silently turn into something else in the stored memo.
  const bool inRange = (code >= 32 && code < 127) || (code >= -32447 && code <= -5468);
  if (!inRange || !cp932::IsRepresentable(ch) || !ComesBackFromCipher(ch)) {
    return CharacterClass::Unusable;
  }
  return CharacterClass::Allowed;
}

std::optional<RuleViolation> CheckMemoEntry(std::u16string_view title,
                                            std::u16string_view content) {
  if (title.empty() || content.empty()) {
    return RuleViolation{};
  }
  if (content.size() > kLongestContent) {
    return RuleViolation{u"最長50文字まで記憶可能です", MsgIcon::Information, RuleKind::kTooLong};
  }
  if (auto violation = CheckSpaces(title, kTitle)) {
    return violation;
  }
  if (auto violation = CheckSpaces(content, kContent)) {
    return violation;
  }
  if (auto violation = CheckCharacters(title, kTitle)) {
    return violation;
  }
  if (auto violation = CheckDelimiters(title, kTitle)) {
    return violation;
  }
  if (auto violation = CheckDelimiters(content, kContent)) {
    return violation;
  }
  return CheckCharacters(content, kContent);
}

std::optional<RuleViolation> CheckPassword(std::u16string_view password, PasswordButton button) {
  const bool nothingTyped =
      button == PasswordButton::Ok ? password.empty() : TrimHalfWidthSpaces(password).empty();
  if (nothingTyped) {
    return RuleViolation{};
  }
  if (auto violation = CheckSpaces(password, kPassword)) {
    return violation;
  }
  if (auto violation = CheckCharacters(password, kPassword)) {
    return violation;
  }
  return CheckDelimiters(password, kPassword);
}

std::u16string NormalizeJisInput(std::u16string_view text) {
  std::u16string normalized(text);
  for (char16_t& ch : normalized) {
    switch (ch) {
      case u'\u301C':  // 〜 wave dash
        ch = u'\uFF5E';
        break;
      case u'\u2016':  // ‖ double vertical line
        ch = u'\u2225';
        break;
      case u'\u2212':  // − minus sign
        ch = u'\uFF0D';
        break;
      case u'\u00A2':  // ¢
        ch = u'\uFFE0';
        break;
      case u'\u00A3':  // £
        ch = u'\uFFE1';
        break;
      case u'\u00AC':  // ¬
        ch = u'\uFFE2';
        break;
      case u'\u2014':  // — em dash
        ch = u'\u2015';
        break;
      default:
        break;
    }
  }
  return normalized;
}

}  // namespace kirimo
