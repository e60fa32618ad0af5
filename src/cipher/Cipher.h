#pragma once
// The memo cipher: the reversible scrambling that turns a title, a content or
// the password into the stored text written to Kirim.ini, and back.
//
// Stored-text layout, from the inside out:
//   P = R1 + decoy block + text + R2        (R1, R2: three random digits each)
//   decoy block = N + "!*,;:?" + decoys     (empty when nothing repeats)
//   T = reverse(first half of P) + reverse(second half of P)
//   U = first k characters of T + installation stamp + rest of T
//   stored text = SplitOddEven(SwapCodeDigit(each of SplitOddEven(U)))
//
// The original kept its positions in 8-bit counters, which limits how long
// the layers may grow. Those limits are part of the format: a text that the
// original could not store must fail here in the same way, with the same
// message, so that both programs read and write the same files.

#include <optional>
#include <string>
#include <string_view>

#include "cipher/Failure.h"
#include "cipher/RandomSource.h"

namespace kirimo {

// Everything one encoding or decoding needs from the running program.
struct CipherContext {
  // The 14-character stamp made at the first start ("yy/mm/dd/hh:nn"); a
  // stored text decodes only with the stamp it was made with.
  std::u16string installStamp;
  RandomSource& random;
  const FailureReporter& reportFailure;
};

// Plain text -> stored text. An empty text gives an empty stored text
// without drawing anything. On failure the reason goes to reportFailure and
// the result is empty.
std::u16string EncodeText(std::u16string_view text, const CipherContext& context);

// Stored text -> plain text. An empty stored text gives an empty text
// silently. Any input, damaged or hostile, gives either a text or a reported
// failure and an empty result.
std::u16string DecodeText(std::u16string_view stored, const CipherContext& context);

// --- The layers, each usable on its own ---------------------------------

// Replaces every run of n >= 2 equal characters c by "*:;,!" c "," (3n-3)
// "#$=". Fails (empty result) for a text over 255 characters or a run over
// 86.
std::u16string RunLengthPack(std::u16string_view text, const FailureReporter& reportFailure);

// Lists, in order of first appearance, each character that occurs twice or
// more as ":*!,;" c count "=#$". A carriage return stops the listing. Fails
// (empty result) for a packed text over 255 characters.
std::u16string BuildRepeatSummary(std::u16string_view packed, const FailureReporter& reportFailure);

// Turns a summary into the decoy block N "!*,;:?" decoys, or nothing for an
// empty summary. Fails (empty result) for a malformed summary, a count over
// 255 or a code that runs off the end of the code range.
std::u16string BuildDecoy(std::u16string_view summary, RandomSource& random,
                          const FailureReporter& reportFailure);

// Characters at odd positions, then those at even positions. Fails (empty
// result) for a text of 255 characters or more.
std::u16string SplitOddEven(std::u16string_view text, const FailureReporter& reportFailure);

// The inverse of SplitOddEven. Fails (empty result) above 508 characters.
std::u16string MergeOddEven(std::u16string_view text, const FailureReporter& reportFailure);

// The per-character substitution of the last decimal digit of the character
// code (0<->7, 1<->8, 2<->9, 3<->5, 4<->6). Its own inverse for all but a few
// characters. Usually one character; two for the rare code that lands on a
// pair of single bytes.
std::u16string SwapCodeDigit(char16_t ch);

// Removes the decoy block from the front of the plain layer (without its
// random digits). nullopt when the length prefix is damaged, which includes
// a block that leaves no text after it; the caller reports that.
std::optional<std::u16string> StripDecoy(std::u16string_view text);

// The inverse of RunLengthPack. A text without "*:;,!" comes back as it is.
// Fails (empty result) for a malformed run group.
std::u16string RunLengthUnpack(std::u16string_view text, const FailureReporter& reportFailure);

}  // namespace kirimo
