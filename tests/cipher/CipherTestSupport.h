#pragma once
// Shared pieces of the cipher tests: a random source whose draws the test
// chooses, and a record of the failures the cipher reports.

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "cipher/Cipher.h"
#include "support/SeededRandom.h"

namespace kirimo::testing_support {

// A stamp as start-up makes it.
inline const std::u16string kStamp = u"24/05/01/12:30";

// Replays the draws a test has queued, in order. Helpers turn the values the
// cipher should pick into draws, so that a test reads as "R1 = 123".
class ScriptedRandom : public RandomSource {
 public:
  double NextUniform() override {
    if (draws_.empty()) {
      ADD_FAILURE() << "the cipher drew more random numbers than the test queued";
      return 0.0;
    }
    const double u = draws_.front();
    draws_.pop_front();
    return u;
  }

  ScriptedRandom& Uniform(double u) {
    draws_.push_back(u);
    return *this;
  }
  // R1 or R2, 111 to 998.
  ScriptedRandom& Digits(int value) { return Uniform((value - 111 + 0.5) / 888.0); }
  // The stamp's insertion point k, 1 to length - 1, for a plain layer of
  // the given length.
  ScriptedRandom& Position(int k, int length) { return Uniform((k - 1 + 0.5) / (length - 1)); }
  // R1, R2 and k for one attempt.
  ScriptedRandom& Layer(int r1, int r2, int k, int length) {
    return Digits(r1).Digits(r2).Position(k, length);
  }

  std::size_t Remaining() const { return draws_.size(); }

 private:
  std::deque<double> draws_;
};

class FailureLog {
 public:
  FailureLog() = default;
  FailureLog(const FailureLog&) = delete;
  FailureLog& operator=(const FailureLog&) = delete;

  const FailureReporter& Reporter() const { return reporter_; }
  const std::vector<std::u16string>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::vector<std::u16string> messages_;
  FailureReporter reporter_ = [this](const std::u16string& message) {
    messages_.push_back(message);
  };
};

using Messages = std::vector<std::u16string>;

// Builds a stored text around a plain layer P (R1 + decoy block + text + R2)
// by the layout's own steps, for decoder tests that need stored texts the
// encoder would never write.
inline std::u16string StoredFromPlainLayer(std::u16string_view plain, std::size_t insertAt,
                                           std::u16string_view stamp = kStamp) {
  const FailureReporter none;
  const std::size_t half = plain.size() / 2;
  std::u16string halves(plain.substr(0, half).rbegin(), plain.substr(0, half).rend());
  halves.append(plain.substr(half).rbegin(), plain.substr(half).rend());
  std::u16string inner = halves.substr(0, insertAt);
  inner += stamp;
  inner += halves.substr(insertAt);
  std::u16string swapped;
  for (const char16_t ch : SplitOddEven(inner, none)) {
    swapped += SwapCodeDigit(ch);
  }
  return SplitOddEven(swapped, none);
}

}  // namespace kirimo::testing_support
