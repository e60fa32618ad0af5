#include "settings/ProfileText.h"

#include <cstdint>
#include <vector>

#include "cipher/CodePage932.h"

namespace kirimo::settings::profile {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kLineBreak = "\r\n";

// Files are Shift-JIS unless they start with a byte order mark, which
// Windows honours and so do we: a file saved from an editor as UTF-8, or as
// "Unicode" (UTF-16, either byte order) from Notepad, keeps its encoding.
enum class Encoding { kShiftJis, kUtf8, kUtf16Le, kUtf16Be };

bool IsUtf16(Encoding encoding) {
  return encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be;
}

// Bytes per code unit: the structural characters ("[", "]", "=", quotes,
// blanks, line breaks) are one unit in every encoding.
std::size_t UnitSize(Encoding encoding) { return IsUtf16(encoding) ? 2 : 1; }

// The code unit at byte offset i: the byte itself in Shift-JIS and UTF-8.
// Half a unit at the end of a UTF-16 file is no character of the format.
char16_t UnitAt(std::string_view bytes, std::size_t i, Encoding encoding) {
  const auto first = static_cast<std::uint8_t>(bytes[i]);
  if (!IsUtf16(encoding)) return first;
  if (i + 1 >= bytes.size()) return u'\uFFFD';
  const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
  return encoding == Encoding::kUtf16Le ? static_cast<char16_t>(first | (second << 8))
                                        : static_cast<char16_t>((first << 8) | second);
}

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// Byte length of the character at i. The structural characters are single
// units, but "[" and "]" are also valid Shift-JIS trail bytes, so scanning
// must step over whole characters. The pairing follows the decoder: a lead
// byte takes any following byte but NUL. In UTF-8 every byte of a
// multi-byte sequence is 0x80 or above, and in UTF-16 the second unit of a
// surrogate pair is no structural character either, so a unit at a time is
// safe there.
std::size_t CharLength(std::string_view bytes, std::size_t i, std::size_t end, Encoding encoding) {
  if (IsUtf16(encoding)) return end - i < 2 ? end - i : 2;
  if (encoding == Encoding::kShiftJis && cp932::IsLeadByte(static_cast<std::uint8_t>(bytes[i])) &&
      i + 1 < end && bytes[i + 1] != '\0') {
    return 2;
  }
  return 1;
}

// ---- UTF-8, for files that carry the byte order mark ----

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    std::uint32_t code = 0;
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
      code = lead;
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      code = lead & 0x1Fu;
      length = 2;
      minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      code = lead & 0x0Fu;
      length = 3;
      minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      code = lead & 0x07u;
      length = 4;
      minimum = 0x10000;
    }
    bool valid = length > 0 && i + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(bytes[i + k]);
      if ((next & 0xC0u) != 0x80u) {
        valid = false;
      } else {
        code = (code << 6) | (next & 0x3Fu);
      }
    }
    if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) {
      valid = false;
    }
    if (!valid) {
      text.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FFu)));
    } else {
      text.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return text;
}

// nullopt for a lone surrogate, which UTF-8 cannot hold.
std::optional<std::string> EncodeUtf8(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00u);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      return std::nullopt;
    }
    if (code < 0x80) {
      bytes.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return bytes;
}

// ---- UTF-16, for files that carry its byte order mark ----

std::u16string DecodeUtf16(std::string_view bytes, Encoding encoding) {
  std::u16string text;
  text.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i < bytes.size(); i += 2) text.push_back(UnitAt(bytes, i, encoding));
  return text;
}

std::string EncodeUtf16(std::u16string_view text, Encoding encoding) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    const auto low = static_cast<char>(unit & 0xFF);
    const auto high = static_cast<char>(unit >> 8);
    bytes.push_back(encoding == Encoding::kUtf16Le ? low : high);
    bytes.push_back(encoding == Encoding::kUtf16Le ? high : low);
  }
  return bytes;
}

std::u16string Decode(std::string_view bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf8:
      return DecodeUtf8(bytes);
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      return DecodeUtf16(bytes, encoding);
    case Encoding::kShiftJis:
      break;
  }
  return cp932::FromShiftJis(bytes);
}

bool AllRepresentable(std::u16string_view text) {
  for (const char16_t ch : text) {
    if (!cp932::IsRepresentable(ch)) return false;
  }
  return true;
}

// nullopt when a character would not come back as itself: the Windows
// functions would silently write "?" for it. A UTF-16 file could hold any
// character, but the "A" functions hand every text through code page 932
// first, so it holds exactly what a Shift-JIS file holds.
std::optional<std::string> Encode(std::u16string_view text, Encoding encoding) {
  if (encoding == Encoding::kUtf8) return EncodeUtf8(text);
  if (!AllRepresentable(text)) return std::nullopt;
  if (IsUtf16(encoding)) return EncodeUtf16(text, encoding);
  return cp932::ToShiftJis(text);
}

// The format's own characters ("=", "[", line breaks) in the file's
// encoding.
std::string Structural(std::string_view ascii, Encoding encoding) {
  if (!IsUtf16(encoding)) return std::string(ascii);
  return EncodeUtf16(std::u16string(ascii.begin(), ascii.end()), encoding);
}

// ---- letter case ----

// Windows compares profile names without regard to case over all of Unicode;
// these are the letters code page 932 can hold.
char16_t FoldCase(char16_t ch) {
  if (ch < 0x80) return (ch >= u'a' && ch <= u'z') ? static_cast<char16_t>(ch - 0x20) : ch;
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return static_cast<char16_t>(ch - 0x20);
  if (ch >= 0x3B1 && ch <= 0x3C9 && ch != 0x3C2) return static_cast<char16_t>(ch - 0x20);
  if (ch >= 0x430 && ch <= 0x44F) return static_cast<char16_t>(ch - 0x20);
  if (ch >= 0x450 && ch <= 0x45F) return static_cast<char16_t>(ch - 0x50);
  if (ch >= 0xFF41 && ch <= 0xFF5A) return static_cast<char16_t>(ch - 0x20);
  return ch;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// ---- lines ----

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

struct Line {
  std::size_t begin = 0;  // content, without the line break
  std::size_t end = 0;
  std::size_t next = 0;  // start of the following line
  LineKind kind = LineKind::kOther;
  std::size_t nameBegin = 0;  // section or key name, blanks trimmed
  std::size_t nameEnd = 0;
  std::size_t valueBegin = 0;  // key value, blanks and outer quotes removed
  std::size_t valueEnd = 0;
};

struct Trimmed {
  std::size_t begin;
  std::size_t end;
  std::size_t lastCharBegin;  // start of the last character kept
};

// [begin, end) without blanks at either end; begin must be a character
// boundary.
Trimmed Trim(std::string_view bytes, std::size_t begin, std::size_t end, Encoding encoding) {
  while (begin < end && IsBlank(UnitAt(bytes, begin, encoding))) begin += UnitSize(encoding);
  Trimmed trimmed{begin, begin, begin};
  for (std::size_t i = begin; i < end;) {
    const std::size_t length = CharLength(bytes, i, end, encoding);
    if (!IsBlank(UnitAt(bytes, i, encoding))) {
      trimmed.lastCharBegin = i;
      trimmed.end = i + length;
    }
    i += length;
  }
  return trimmed;
}

void Classify(std::string_view bytes, Line& line, Encoding encoding) {
  const std::size_t unit = UnitSize(encoding);
  std::size_t start = line.begin;
  while (start < line.end && IsBlank(UnitAt(bytes, start, encoding))) start += unit;
  if (start == line.end) {
    line.kind = LineKind::kBlank;
    return;
  }
  const char16_t first = UnitAt(bytes, start, encoding);
  if (first == u';' || first == u'#') {
    line.kind = LineKind::kComment;
    return;
  }
  if (first == u'[') {
    // The name ends at the last "]" of the line, as Windows reads it:
    // "[a]b]" is the section "a]b".
    std::optional<std::size_t> close;
    for (std::size_t i = start + unit; i < line.end;
         i += CharLength(bytes, i, line.end, encoding)) {
      if (UnitAt(bytes, i, encoding) == u']') close = i;
    }
    if (!close) {
      line.kind = LineKind::kOther;
      return;
    }
    const Trimmed name = Trim(bytes, start + unit, *close, encoding);
    line.kind = LineKind::kSection;
    line.nameBegin = name.begin;
    line.nameEnd = name.end;
    return;
  }
  for (std::size_t i = start; i < line.end; i += CharLength(bytes, i, line.end, encoding)) {
    if (UnitAt(bytes, i, encoding) != u'=') continue;
    const Trimmed name = Trim(bytes, start, i, encoding);
    Trimmed value = Trim(bytes, i + unit, line.end, encoding);
    // One pair of matching outer quotes goes, whatever they enclose. The
    // closing quote must be a character of its own, not a trail byte.
    if (value.end - value.begin >= 2 * unit && value.lastCharBegin == value.end - unit) {
      const char16_t open = UnitAt(bytes, value.begin, encoding);
      if ((open == u'"' || open == u'\'') && UnitAt(bytes, value.lastCharBegin, encoding) == open) {
        value.begin += unit;
        value.end -= unit;
      }
    }
    line.kind = LineKind::kKey;
    line.nameBegin = name.begin;
    line.nameEnd = name.end;
    line.valueBegin = value.begin;
    line.valueEnd = value.end;
    return;
  }
  line.kind = LineKind::kOther;
}

struct Parsed {
  Encoding encoding = Encoding::kShiftJis;
  std::vector<Line> lines;
};

Encoding Detect(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return Encoding::kUtf8;
  if (bytes.starts_with(kUtf16LeBom)) return Encoding::kUtf16Le;
  if (bytes.starts_with(kUtf16BeBom)) return Encoding::kUtf16Be;
  return Encoding::kShiftJis;
}

std::size_t BomSize(Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf8:
      return kUtf8Bom.size();
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      return kUtf16LeBom.size();
    case Encoding::kShiftJis:
      break;
  }
  return 0;
}

// Where the line starting at begin ends: at the first CR or LF that is a
// character of its own. Windows converts a Shift-JIS file as a whole before
// it looks for lines, so a lead byte right before a line break takes the
// break into its character: in LF-only and CR-only files the line goes on;
// in CR LF files the CR goes and the LF still ends the line.
std::size_t LineEnd(std::string_view bytes, std::size_t begin, Encoding encoding) {
  if (IsUtf16(encoding)) {
    std::size_t i = begin;
    while (i < bytes.size() && UnitAt(bytes, i, encoding) != u'\r' &&
           UnitAt(bytes, i, encoding) != u'\n') {
      i += CharLength(bytes, i, bytes.size(), encoding);
    }
    return i;
  }
  for (std::size_t from = begin;;) {
    std::size_t lineBreak = from;
    while (lineBreak < bytes.size() && bytes[lineBreak] != '\r' && bytes[lineBreak] != '\n') {
      ++lineBreak;
    }
    if (lineBreak == bytes.size()) return lineBreak;
    if (encoding != Encoding::kShiftJis || lineBreak == from ||
        !cp932::IsLeadByte(static_cast<std::uint8_t>(bytes[lineBreak - 1]))) {
      return lineBreak;
    }
    // The byte before may be a lead byte or the trail byte of a pair: only
    // stepping over whole characters tells.
    std::size_t i = from;
    while (i < lineBreak) i += CharLength(bytes, i, bytes.size(), encoding);
    if (i == lineBreak) return lineBreak;
    from = i;
  }
}

// Lines end at CR LF, LF or CR alone (see LineEnd).
Parsed Parse(std::string_view bytes) {
  Parsed parsed;
  parsed.encoding = Detect(bytes);
  const Encoding encoding = parsed.encoding;
  const std::size_t unit = UnitSize(encoding);
  std::size_t i = BomSize(encoding);
  while (i < bytes.size()) {
    Line line;
    line.begin = i;
    i = LineEnd(bytes, i, encoding);
    line.end = i;
    if (i < bytes.size()) {
      if (UnitAt(bytes, i, encoding) == u'\r' && i + unit < bytes.size() &&
          UnitAt(bytes, i + unit, encoding) == u'\n') {
        i += unit;
      }
      i += unit;
    }
    line.next = i;
    Classify(bytes, line, parsed.encoding);
    parsed.lines.push_back(line);
  }
  return parsed;
}

bool NameIs(std::string_view bytes, const Line& line, std::u16string_view wanted,
            Encoding encoding) {
  return EqualsIgnoringCase(
      Decode(bytes.substr(line.nameBegin, line.nameEnd - line.nameBegin), encoding), wanted);
}

// Index of the header of the first section named so, and one past its last
// line.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(std::string_view bytes, const Parsed& parsed,
                                       std::u16string_view section) {
  const auto& lines = parsed.lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !NameIs(bytes, lines[i], section, parsed.encoding)) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < lines.size() && lines[end].kind != LineKind::kSection) ++end;
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(std::string_view bytes, const Parsed& parsed,
                                   const SectionSpan& span, std::u16string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const Line& line = parsed.lines[i];
    if (line.kind == LineKind::kKey && NameIs(bytes, line, key, parsed.encoding)) return i;
  }
  return std::nullopt;
}

// Shift-JIS byte count of one UTF-16 unit, as the ANSI reader would count it.
std::size_t ShiftJisWidth(char16_t ch) { return cp932::CharacterCode(ch) < 0 ? 2 : 1; }

std::u16string CutAtNul(std::u16string text) {
  const std::size_t nul = text.find(u'\0');
  if (nul != std::u16string::npos) text.erase(nul);
  return text;
}

// A value in Shift-JIS bytes as the "A" reader hands it back: with a limit,
// cut before a double-byte character that would not fit whole.
std::u16string FromAnsiValue(std::string_view value, std::optional<std::size_t> limitBytes) {
  std::size_t end = value.size();
  if (limitBytes) {
    std::size_t kept = 0;
    while (kept < end) {
      const std::size_t length = CharLength(value, kept, end, Encoding::kShiftJis);
      if (kept + length > *limitBytes) break;
      kept += length;
    }
    end = kept;
  }
  return CutAtNul(cp932::FromShiftJis(value.substr(0, end)));
}

bool IsQuote(char16_t ch) { return ch == u'"' || ch == u'\''; }

// What a reader may trim at the ends of a value: blanks, and what the
// Windows reader trims besides (vertical tab, form feed and control-Z, the
// old end-of-file mark), and the full-width blank. Our own reader trims
// only blanks; quoting the rest costs nothing and keeps the value intact
// whichever way a reader decides.
bool IsTrimmable(char16_t ch) {
  return ch == u' ' || ch == u'\t' || ch == u'\v' || ch == u'\f' || ch == u'\x1A' ||
         ch == u'\u3000';
}

bool HasAny(std::u16string_view text, std::u16string_view characters) {
  return text.find_first_of(characters) != std::u16string_view::npos;
}

bool IsStorableName(std::u16string_view name) {
  return !name.empty() && !HasAny(name, std::u16string_view(u"\r\n\0", 3)) &&
         !IsTrimmable(name.front()) && !IsTrimmable(name.back());
}

}  // namespace

std::optional<std::u16string> FindValue(std::string_view fileBytes, std::u16string_view section,
                                        std::u16string_view key,
                                        std::optional<std::size_t> limitBytes) {
  const Parsed parsed = Parse(fileBytes);
  const auto span = FindSection(fileBytes, parsed, section);
  if (!span) return std::nullopt;
  const auto index = FindKey(fileBytes, parsed, *span, key);
  if (!index) return std::nullopt;
  const Line& line = parsed.lines[*index];
  const std::string_view stored =
      fileBytes.substr(line.valueBegin, line.valueEnd - line.valueBegin);

  switch (parsed.encoding) {
    case Encoding::kShiftJis:
      return FromAnsiValue(stored, limitBytes);
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      // The "A" reader converts the value to code page 932 before it hands
      // it back: what the program sees is that text ("?" for a character
      // the code page lacks), cut as a Shift-JIS value would be.
      return FromAnsiValue(cp932::ToShiftJis(DecodeUtf16(stored, parsed.encoding)), limitBytes);
    case Encoding::kUtf8:
      break;
  }

  std::u16string value = DecodeUtf8(stored);
  if (limitBytes) {
    std::size_t width = 0;
    std::size_t kept = 0;
    while (kept < value.size() && width + ShiftJisWidth(value[kept]) <= *limitBytes) {
      width += ShiftJisWidth(value[kept]);
      ++kept;
    }
    // Never leave half a surrogate pair behind.
    if (kept > 0 && kept < value.size() && value[kept - 1] >= 0xD800 && value[kept - 1] <= 0xDBFF) {
      --kept;
    }
    value.erase(kept);
  }
  return CutAtNul(std::move(value));
}

std::u16string QuoteForWriting(std::u16string_view value) {
  if (value.empty()) return std::u16string();
  const bool trimmed = IsTrimmable(value.front()) || IsTrimmable(value.back());
  const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
  if (!trimmed && !quoted) return std::u16string(value);
  const char16_t quote = value.front() == u'"' ? u'\'' : u'"';
  std::u16string out;
  out.reserve(value.size() + 2);
  out.push_back(quote);
  out.append(value);
  out.push_back(quote);
  return out;
}

std::optional<std::string> WithValue(std::string_view fileBytes, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view value) {
  // A line break in any of the three would split the entry, and a value with
  // one could smuggle in keys of its own; names the reader would trim, read
  // as a comment or cut short could never be found again.
  if (!IsStorableName(section) || !IsStorableName(key) ||
      HasAny(value, std::u16string_view(u"\r\n\0", 3)) || section.find(u']') != section.npos ||
      key.find(u'=') != key.npos || key.front() == u'[' || key.front() == u';' ||
      key.front() == u'#') {
    return std::nullopt;
  }

  const Parsed parsed = Parse(fileBytes);
  const Encoding encoding = parsed.encoding;
  // Half a code unit at the end: anything added after it would be read
  // shifted by one byte.
  if (IsUtf16(encoding) && fileBytes.size() % 2 != 0) return std::nullopt;
  const auto encodedValue = Encode(QuoteForWriting(value), encoding);
  if (!encodedValue) return std::nullopt;
  const std::string lineBreak = Structural(kLineBreak, encoding);
  const std::string equals = Structural("=", encoding);
  std::string out;
  out.reserve(fileBytes.size() + key.size() + encodedValue->size() + section.size() + 16);

  const auto span = FindSection(fileBytes, parsed, section);
  if (span) {
    if (const auto index = FindKey(fileBytes, parsed, *span, key)) {
      // Same place, same spelling of the key; only the value changes.
      const Line& line = parsed.lines[*index];
      out.append(fileBytes.substr(0, line.begin));
      out.append(fileBytes.substr(line.nameBegin, line.nameEnd - line.nameBegin));
      out.append(equals);
      out.append(*encodedValue);
      out.append(lineBreak);
      out.append(fileBytes.substr(line.next));
      return out;
    }
    // After the section's last entry, so that blank lines and comments
    // leading up to the next section stay with that section.
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
      const LineKind kind = parsed.lines[i].kind;
      if (kind != LineKind::kBlank && kind != LineKind::kComment) after = i;
    }
    const Line& anchor = parsed.lines[after];
    const auto encodedKey = Encode(key, encoding);
    if (!encodedKey) return std::nullopt;
    out.append(fileBytes.substr(0, anchor.next));
    if (anchor.next == anchor.end) out.append(lineBreak);  // last line had no break
    out.append(*encodedKey);
    out.append(equals);
    out.append(*encodedValue);
    out.append(lineBreak);
    out.append(fileBytes.substr(anchor.next));
    return out;
  }

  const auto encodedSection = Encode(section, encoding);
  const auto encodedKey = Encode(key, encoding);
  if (!encodedSection || !encodedKey) return std::nullopt;
  out.append(fileBytes);
  if (!parsed.lines.empty() && parsed.lines.back().next == parsed.lines.back().end) {
    out.append(lineBreak);
  }
  out.append(Structural("[", encoding));
  out.append(*encodedSection);
  out.append(Structural("]", encoding));
  out.append(lineBreak);
  out.append(*encodedKey);
  out.append(equals);
  out.append(*encodedValue);
  out.append(lineBreak);
  return out;
}

}  // namespace kirimo::settings::profile
