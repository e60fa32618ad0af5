#include "cipher/Cipher.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "cipher/CodePage932.h"
#include "cipher/Wipe.h"

namespace kirimo {

namespace {

constexpr std::u16string_view kRunOpen = u"*:;,!";
constexpr std::u16string_view kRunClose = u"#$=";
constexpr std::u16string_view kSummaryOpen = u":*!,;";
constexpr std::u16string_view kSummaryClose = u"=#$";
constexpr std::u16string_view kDecoyEnd = u"!*,;:?";

constexpr std::u16string_view kEncodeFailed = u"エンコード中にエラーしました1";
constexpr std::u16string_view kSplitFailed = u"エンコード中にエラーしました2";
constexpr std::u16string_view kPackFailed = u"エンコード中にエラーしましたENCREN";
constexpr std::u16string_view kSummaryFailed = u"エンコード中エラーしましたdm1";
constexpr std::u16string_view kDecoyFailed = u"エンコード中エラーしましたdm2";
constexpr std::u16string_view kDecodeFailed = u"デコード中にエラーしました1";
constexpr std::u16string_view kMergeFailed = u"デコード中にエラーしました2";
constexpr std::u16string_view kUnpackFailed = u"エンコード中にエラーしましたDECREN";

// The original counted positions in bytes. A loop over a text of 255
// characters already overflows its counter on the last step, so the longest
// text a byte-counted loop can walk is 254 characters.
constexpr std::size_t kByteMax = 255;
constexpr std::size_t kLongestWalk = 254;
constexpr std::size_t kLongestMerge = 2 * kLongestWalk;

// Random digits at each end of the plain layer: 111 to 998, always three.
constexpr int kDigitsBase = 111;
constexpr int kDigitsSpan = 888;

// Decoys that would be unprintable or clash with the format are replaced by
// one of the 45 kanji after "宗".
constexpr int kRandomDecoyBase = -28864;
constexpr int kRandomDecoySpan = 45;
constexpr int kFullWidthSpaceCode = -32448;

// A stamp-like run in the text can hide the real stamp from the decoder;
// the encoder then draws again. More draws rarely help: past these, the
// text cannot be stored and the user is told so.
constexpr int kStampAttempts = 16;
// "yy/mm/dd/hh:nn". Without it a stored text can neither be made nor read:
// an empty stamp would be "found" anywhere and turn every memo into noise.
constexpr std::size_t kStampLength = 14;

void Report(const FailureReporter& reportFailure, std::u16string_view message) {
  if (reportFailure) {
    reportFailure(std::u16string(message));
  }
}

void AppendDecimal(std::u16string& out, int value) {
  if (value < 0) {
    out.push_back(u'-');
    value = -value;
  }
  char16_t digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count > 0) {
    out.push_back(digits[--count]);
  }
}

std::size_t DecimalLength(std::size_t value) {
  std::size_t length = 1;
  while (value >= 10) {
    value /= 10;
    ++length;
  }
  return length;
}

// A non-empty run of ASCII digits worth at most 255, as the original's byte
// conversions accepted it; nullopt for anything else.
std::optional<std::size_t> ParseByte(std::u16string_view text) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::size_t value = 0;
  for (const char16_t ch : text) {
    if (ch < u'0' || ch > u'9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::size_t>(ch - u'0');
    if (value > kByteMax) {
      return std::nullopt;
    }
  }
  return value;
}

// "Character from code"; empty for a code outside -32768..65535.
std::u16string FromCode(int code) {
  std::optional<std::u16string> text = cp932::CharacterFromCode(code);
  return text ? std::move(*text) : std::u16string();
}

double Uniform(RandomSource& random) {
  const double u = random.NextUniform();
  // Keep a faulty source from pushing a choice out of its range.
  if (!(u >= 0.0)) {
    return 0.0;
  }
  if (u >= 1.0) {
    return std::nextafter(1.0, 0.0);
  }
  return u;
}

// ⌊u·span + base⌋
int Draw(RandomSource& random, int span, int base) {
  return static_cast<int>(std::floor(Uniform(random) * span + base));
}

// --- SwapCodeDigit ------------------------------------------------------

struct Swapped {
  char16_t first;
  char16_t second;
  std::uint8_t length;
};

bool KeepsOwnCode(char16_t ch) {
  switch (ch) {
    case u' ':
    case u'・':
    case u'%':
    case u'&':
    case u'x':
    case u'y':
    case u'z':
    case u'∮':
      return true;
    default:
      return false;
  }
}

constexpr int kPartnerDigit[10] = {7, 8, 9, 5, 6, 3, 4, 0, 1, 2};

int PartnerCode(int code) {
  if (code >= 0 && code < 10) {
    // A one-digit code gets its partner appended: 9 becomes 92.
    return code * 10 + kPartnerDigit[code];
  }
  const int magnitude = code < 0 ? -code : code;
  const int last = magnitude % 10;
  const int swapped = magnitude - last + kPartnerDigit[last];
  return code < 0 ? -swapped : swapped;
}

Swapped ComputeSwap(char16_t ch) {
  // A character outside code page 932 is swapped as what the code page makes
  // of it ("?").
  const std::u16string normal = FromCode(cp932::CharacterCode(ch));
  if (normal.size() != 1) {
    return {ch, 0, 1};
  }
  const char16_t base = normal[0];
  if (KeepsOwnCode(base)) {
    return {base, 0, 1};
  }
  const std::u16string candidate = FromCode(PartnerCode(cp932::CharacterCode(base)));
  if (candidate.empty() || candidate == u"・" || candidate == u" " || candidate == u"  ") {
    return {base, 0, 1};
  }
  if (candidate.size() == 1) {
    return {candidate[0], 0, 1};
  }
  return {candidate[0], candidate[1], 2};
}

// A character's substitution, worked out the first time it is needed and
// kept: encoding and decoding then cost one lookup per character, and a
// start of the program works out only the few dozen characters it meets
// rather than all 65,536 up front. Each thread keeps its own table, so no
// lock is needed; length 0 marks an entry not worked out yet.
const Swapped& SwapOf(char16_t ch) {
  thread_local std::vector<Swapped> table(0x10000, Swapped{0, 0, 0});
  Swapped& entry = table[ch];
  if (entry.length == 0) entry = ComputeSwap(ch);
  return entry;
}

void AppendSwapped(std::u16string& out, std::u16string_view text) {
  for (const char16_t ch : text) {
    const Swapped& swapped = SwapOf(ch);
    out.push_back(swapped.first);
    if (swapped.length == 2) {
      out.push_back(swapped.second);
    }
  }
}

// --- BuildDecoy -----------------------------------------------------------

struct DecoyPlan {
  std::u16string fixed;  // empty: draw one of the kanji after "宗" each time
};

// nullopt when the search runs off the end of the code range.
std::optional<DecoyPlan> PlanDecoy(char16_t ch) {
  const int code = cp932::CharacterCode(ch);
  std::u16string next = FromCode(code + 1);
  if (next.empty()) {
    return std::nullopt;
  }
  if (next != u"・") {
    return DecoyPlan{std::move(next)};
  }
  for (int probe = code + 2;; ++probe) {
    std::u16string found = FromCode(probe);
    if (found.empty()) {
      return std::nullopt;
    }
    if (found == u"・") {
      continue;
    }
    const int foundCode = cp932::CharacterCode(found[0]);
    if ((foundCode >= 0 && foundCode <= 32) || foundCode == 37 || foundCode == 38 ||
        foundCode == 127 || foundCode == kFullWidthSpaceCode) {
      return DecoyPlan{};
    }
    return DecoyPlan{std::move(found)};
  }
}

// --- EncodeText / DecodeText helpers ------------------------------------

// Each half reversed in place: the first ⌊n/2⌋ characters, then the rest.
// The same operation undoes itself.
void AppendHalvesReversed(std::u16string& out, std::u16string_view text) {
  const std::size_t half = text.size() / 2;
  for (std::size_t i = half; i > 0; --i) {
    out.push_back(text[i - 1]);
  }
  for (std::size_t i = text.size(); i > half; --i) {
    out.push_back(text[i - 1]);
  }
}

}  // namespace

std::u16string SwapCodeDigit(char16_t ch) {
  const Swapped& swapped = SwapOf(ch);
  std::u16string out(1, swapped.first);
  if (swapped.length == 2) {
    out.push_back(swapped.second);
  }
  return out;
}

std::u16string RunLengthPack(std::u16string_view text, const FailureReporter& reportFailure) {
  if (text.size() == 1) {
    return std::u16string(text);
  }
  if (text.size() > kByteMax) {
    Report(reportFailure, kPackFailed);
    return {};
  }
  // Room for the worst case, so that growing leaves no copy of the text in a
  // buffer given up on the way: a run of two, the most growth per character,
  // becomes eleven characters.
  std::u16string packed;
  packed.reserve(6 * text.size());
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = start + 1;
    while (end < text.size() && text[end] == text[start]) {
      ++end;
    }
    const std::size_t run = end - start;
    if (run == 1) {
      packed.push_back(text[start]);
    } else {
      const std::size_t count = 3 * run - 3;
      if (count > kByteMax) {
        WipeText(packed);
        Report(reportFailure, kPackFailed);
        return {};
      }
      packed += kRunOpen;
      packed.push_back(text[start]);
      packed.push_back(u',');
      AppendDecimal(packed, static_cast<int>(count));
      packed += kRunClose;
    }
    start = end;
  }
  return packed;
}

std::u16string BuildRepeatSummary(std::u16string_view packed,
                                  const FailureReporter& reportFailure) {
  if (packed.empty()) {
    return {};
  }
  if (packed.size() > kByteMax) {
    Report(reportFailure, kSummaryFailed);
    return {};
  }
  // The original took the first character of a working copy, counted it,
  // deleted all of it and repeated; a carriage return was never deleted, so
  // once one reached the front nothing more was listed. That lists, in order
  // of first appearance, every character that first appears before the first
  // carriage return, with its count in the whole text. Counting through a
  // small hash table does the same in one pass.
  constexpr std::size_t kSlots = 512;  // more than twice the 255 characters
  char16_t keys[kSlots];
  std::uint16_t counts[kSlots] = {};
  std::uint16_t order[kByteMax];
  std::size_t distinct = 0;
  std::size_t listed = packed.size();
  for (std::size_t i = 0; i < packed.size(); ++i) {
    const char16_t ch = packed[i];
    if (ch == u'\r' && listed == packed.size()) {
      listed = distinct;
    }
    std::size_t slot = (static_cast<std::uint32_t>(ch) * 2654435761u >> 23) & (kSlots - 1);
    while (counts[slot] != 0 && keys[slot] != ch) {
      slot = (slot + 1) & (kSlots - 1);
    }
    if (counts[slot] == 0) {
      keys[slot] = ch;
      order[distinct++] = static_cast<std::uint16_t>(slot);
    }
    ++counts[slot];
  }
  // At most one entry of at most twelve characters for every two characters.
  std::u16string summary;
  summary.reserve(6 * packed.size());
  for (std::size_t i = 0; i < distinct && i < listed; ++i) {
    const std::size_t slot = order[i];
    if (keys[slot] == u'\r' || counts[slot] < 2) {
      continue;
    }
    summary += kSummaryOpen;
    summary.push_back(keys[slot]);
    AppendDecimal(summary, counts[slot]);
    summary += kSummaryClose;
  }
  // The table holds the text's characters too.
  for (std::size_t i = 0; i < distinct; ++i) {
    WipeCharacters(&keys[order[i]], 1);
  }
  return summary;
}

std::u16string BuildDecoy(std::u16string_view summary, RandomSource& random,
                          const FailureReporter& reportFailure) {
  if (summary.empty()) {
    return {};
  }
  const auto fail = [&] {
    Report(reportFailure, kDecoyFailed);
    return std::u16string();
  };
  // The decoys are the neighbours of the text's own characters. A text the
  // encoder can take has at most 255 repeats, each at most two characters.
  std::u16string decoys;
  decoys.reserve(2 * kByteMax);
  const WipeAtExit wipeDecoys(decoys);
  std::size_t open = 0;
  while ((open = summary.find(kSummaryOpen, open)) != std::u16string_view::npos) {
    const std::size_t at = open + kSummaryOpen.size();
    const std::size_t close = summary.find(kSummaryClose, at + 1);
    if (close == std::u16string_view::npos) {
      return fail();
    }
    const std::optional<std::size_t> count = ParseByte(summary.substr(at + 1, close - at - 1));
    if (!count) {
      return fail();
    }
    std::optional<DecoyPlan> plan = PlanDecoy(summary[at]);
    if (!plan) {
      return fail();
    }
    const WipeAtExit wipeFixed(plan->fixed);
    for (std::size_t i = 0; i < *count; ++i) {
      if (!plan->fixed.empty()) {
        decoys += plan->fixed;
      } else {
        decoys += FromCode(kRandomDecoyBase + Draw(random, kRandomDecoySpan, 1));
      }
    }
    open = close + kSummaryClose.size();
  }
  // The prefix counts the six characters of "!*,;:?" and the decoys, but not
  // its own digits.
  std::u16string block;
  block.reserve(decoys.size() + kDecoyEnd.size() + 3);
  AppendDecimal(block, static_cast<int>(decoys.size() + kDecoyEnd.size()));
  block += kDecoyEnd;
  block += decoys;
  return block;
}

std::u16string SplitOddEven(std::u16string_view text, const FailureReporter& reportFailure) {
  if (text.size() > kLongestWalk) {
    Report(reportFailure, kSplitFailed);
    return {};
  }
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); i += 2) {
    out.push_back(text[i]);
  }
  for (std::size_t i = 1; i < text.size(); i += 2) {
    out.push_back(text[i]);
  }
  return out;
}

std::u16string MergeOddEven(std::u16string_view text, const FailureReporter& reportFailure) {
  if (text.size() > kLongestMerge) {
    Report(reportFailure, kMergeFailed);
    return {};
  }
  const std::size_t half = (text.size() + 1) / 2;
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < half; ++i) {
    out.push_back(text[i]);
    if (half + i < text.size()) {
      out.push_back(text[half + i]);
    }
  }
  return out;
}

std::optional<std::u16string> StripDecoy(std::u16string_view text) {
  const std::size_t end = text.find(kDecoyEnd);
  if (end == std::u16string_view::npos) {
    return std::u16string(text);
  }
  const std::optional<std::size_t> length = ParseByte(text.substr(0, end));
  if (!length) {
    return std::nullopt;
  }
  const std::size_t skip = *length + DecimalLength(*length);
  // The encoder puts the text, never empty, after the block, so a prefix
  // that claims everything or more has been damaged; taking it at its word
  // would silently give an empty memo.
  if (skip > kByteMax || skip >= text.size()) {
    return std::nullopt;
  }
  return std::u16string(text.substr(skip));
}

std::u16string RunLengthUnpack(std::u16string_view text, const FailureReporter& reportFailure) {
  std::size_t open = text.find(kRunOpen);
  if (open == std::u16string_view::npos) {
    return std::u16string(text);
  }
  // Room for the longest result, so that growing leaves no copy behind: each
  // group takes at least eleven characters and gives at most 86.
  std::u16string out;
  out.reserve(text.size() + (text.size() / 11 + 1) * 86);
  const auto fail = [&] {
    WipeText(out);
    Report(reportFailure, kUnpackFailed);
    return std::u16string();
  };
  out.append(text.substr(0, open));
  for (;;) {
    // Group: "*:;,!" c "," count "#$="; the count starts 7 after the opening.
    const std::size_t close = text.find(kRunClose, open);
    if (close == std::u16string_view::npos || close < open + 7 || close >= kByteMax) {
      return fail();
    }
    const std::optional<std::size_t> count = ParseByte(text.substr(open + 7, close - open - 7));
    if (!count) {
      return fail();
    }
    // (f + 3) / 3 rounded to the nearest whole number; f = 3n - 3 gives n.
    out.append((*count + 4) / 3, text[open + 5]);
    const std::size_t after = close + kRunClose.size();
    open = text.find(kRunOpen, after);
    if (open == std::u16string_view::npos) {
      out += text.substr(after);
      return out;
    }
    out += text.substr(after, open - after);
  }
}

std::u16string EncodeText(std::u16string_view text, const CipherContext& context) {
  if (text.empty()) {
    return {};
  }
  const FailureReporter& reportFailure = context.reportFailure;
  const std::u16string_view stamp = context.installStamp;
  if (stamp.size() != kStampLength) {
    Report(reportFailure, kEncodeFailed);
    return {};
  }

  // The packed text only seeds the decoy; the plain layer holds the text.
  // Every layer up to the substitution still shows the text, rearranged, and
  // is wiped on the way out.
  std::u16string packed = RunLengthPack(text, reportFailure);
  const WipeAtExit wipePacked(packed);
  std::u16string summary = BuildRepeatSummary(packed, reportFailure);
  const WipeAtExit wipeSummary(summary);
  std::u16string decoy = BuildDecoy(summary, context.random, reportFailure);
  const WipeAtExit wipeDecoy(decoy);

  std::u16string plain;
  const WipeAtExit wipePlain(plain);
  std::u16string halves;
  const WipeAtExit wipeHalves(halves);
  std::u16string inner;
  const WipeAtExit wipeInner(inner);
  for (int attempt = 1;; ++attempt) {
    const int leading = Draw(context.random, kDigitsSpan, kDigitsBase);
    const int trailing = Draw(context.random, kDigitsSpan, kDigitsBase);
    plain.clear();
    plain.reserve(decoy.size() + text.size() + 6);
    AppendDecimal(plain, leading);
    plain += decoy;
    plain += text;
    AppendDecimal(plain, trailing);

    const std::size_t length = plain.size();
    const std::size_t insertAt =
        std::min<std::size_t>(Draw(context.random, static_cast<int>(length - 1), 1), length - 1);
    if (insertAt > kByteMax) {
      Report(reportFailure, kEncodeFailed);
      return {};
    }

    halves.clear();
    halves.reserve(length);
    AppendHalvesReversed(halves, plain);
    inner.reserve(length + stamp.size());
    inner.assign(halves, 0, insertAt);
    inner += stamp;
    inner.append(halves, insertAt);

    // The decoder cuts the stamp at its first occurrence. If the text itself
    // makes the stamp's characters appear earlier, it would cut there and
    // the memo would come back garbled; draw new positions instead.
    if (inner.size() > kLongestWalk || inner.find(stamp) == insertAt) {
      break;
    }
    if (attempt == kStampAttempts) {
      Report(reportFailure, kEncodeFailed);
      return {};
    }
  }

  std::u16string split = SplitOddEven(inner, reportFailure);
  const WipeAtExit wipeSplit(split);
  std::u16string swapped;
  swapped.reserve(split.size());
  AppendSwapped(swapped, split);
  return SplitOddEven(swapped, reportFailure);
}

std::u16string DecodeText(std::u16string_view stored, const CipherContext& context) {
  if (stored.empty()) {
    return {};
  }
  const FailureReporter& reportFailure = context.reportFailure;
  const std::u16string_view stamp = context.installStamp;
  const auto fail = [&] {
    Report(reportFailure, kDecodeFailed);
    return std::u16string();
  };
  if (stamp.size() != kStampLength) {
    return fail();
  }

  const std::u16string merged = MergeOddEven(stored, reportFailure);
  if (merged.size() > kLongestWalk) {
    return fail();
  }
  // From the substitution on, every layer shows the text, rearranged, and
  // is wiped on the way out. A character may swap to two.
  std::u16string swapped;
  const WipeAtExit wipeSwapped(swapped);
  swapped.reserve(2 * merged.size());
  AppendSwapped(swapped, merged);
  std::u16string inner = MergeOddEven(swapped, reportFailure);
  const WipeAtExit wipeInner(inner);

  if (inner.size() < stamp.size()) {
    return fail();
  }
  const std::size_t length = inner.size() - stamp.size();
  const std::size_t insertAt = inner.find(stamp);
  // Three random digits must stand at each end of the plain layer.
  if (length > kByteMax || insertAt == std::u16string_view::npos || length < 6) {
    return fail();
  }

  std::u16string halves;
  const WipeAtExit wipeHalves(halves);
  halves.reserve(length);
  halves.append(inner, 0, insertAt);
  halves.append(inner, insertAt + stamp.size());
  std::u16string plain;
  const WipeAtExit wipePlain(plain);
  plain.reserve(length);
  AppendHalvesReversed(plain, halves);

  std::optional<std::u16string> text = StripDecoy(std::u16string_view(plain).substr(3, length - 6));
  if (!text) {
    return fail();
  }
  const WipeAtExit wipeText(*text);
  return RunLengthUnpack(*text, reportFailure);
}

}  // namespace kirimo
