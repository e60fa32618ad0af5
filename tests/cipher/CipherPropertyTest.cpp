// Properties over many texts: every text the rules accept comes back through
// the cipher, encodings of one text differ, and no input at all, however
// damaged, makes the decoder misbehave. Run under the sanitizers in CI.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "cipher/Cipher.h"
#include "cipher/CipherTestSupport.h"
#include "cipher/CodePage932.h"
#include "cipher/TextRules.h"

namespace kirimo {
namespace {

using testing_support::FailureLog;
using testing_support::kStamp;
using testing_support::Messages;
using testing_support::SeededRandom;

// Characters to draw from, by kind, so that ASCII, kana, kanji and symbols
// all turn up often despite the thousands of kanji.
class CharacterPools {
 public:
  CharacterPools() {
    for (int i = 0; i < 0x10000; ++i) {
      const char16_t ch = static_cast<char16_t>(i);
      if (ch == u' ' || ClassifyCharacter(ch) != CharacterClass::Allowed) continue;
      if (ch < 0x80) {
        ascii_.push_back(ch);
      } else if (ch >= u'ぁ' && ch <= u'ヶ') {
        kana_.push_back(ch);
      } else if (ch >= 0x4E00 && ch <= 0x9FFF) {
        kanji_.push_back(ch);
      } else {
        symbols_.push_back(ch);
      }
    }
  }

  char16_t Draw(std::mt19937& engine) const {
    const std::vector<char16_t>* pools[] = {&ascii_, &kana_, &kanji_, &symbols_};
    const std::vector<char16_t>& pool = *pools[engine() % 4];
    return pool[engine() % pool.size()];
  }

  bool Complete() const {
    return !ascii_.empty() && !kana_.empty() && !kanji_.empty() && !symbols_.empty();
  }

 private:
  std::vector<char16_t> ascii_, kana_, kanji_, symbols_;
};

// 1 to 50 characters that pass the memo rules; now and then a character is
// doubled, which brings run groups and decoys.
std::u16string RuleAbidingText(const CharacterPools& pools, std::mt19937& engine) {
  for (;;) {
    const std::size_t length = 1 + engine() % 50;
    std::u16string text;
    while (text.size() < length) {
      const char16_t ch = pools.Draw(engine);
      text.push_back(ch);
      if (engine() % 10 == 0 && text.size() < length) text.push_back(ch);
    }
    if (!CheckMemoEntry(u"t", text)) return text;
  }
}

TEST(CipherPropertyTest, EveryTextTheRulesAcceptComesBackAndEncodingsDiffer) {
  const CharacterPools pools;
  ASSERT_TRUE(pools.Complete());
  std::mt19937 engine(20240501);
  SeededRandom random(7);
  FailureLog failures;
  const CipherContext context{kStamp, random, failures.Reporter()};

  for (int i = 0; i < 3000; ++i) {
    const std::u16string text = RuleAbidingText(pools, engine);
    const std::u16string first = EncodeText(text, context);
    const std::u16string second = EncodeText(text, context);

    ASSERT_FALSE(first.empty()) << testing::PrintToString(text);
    EXPECT_NE(first, second) << testing::PrintToString(text);
    EXPECT_EQ(DecodeText(first, context), text);
    EXPECT_EQ(DecodeText(second, context), text);
    ASSERT_EQ(failures.Messages(), Messages{}) << testing::PrintToString(text);
  }
}

// The decoy block is as long against its text as it gets when every
// character repeats. The decoder refuses a block that leaves no text after
// it, so these texts, from the shortest ("aa") to 50 of one character, must
// still come back.
TEST(CipherPropertyTest, TextsOfNothingButRepeatsComeBack) {
  const CharacterPools pools;
  std::mt19937 engine(20240502);
  SeededRandom random(13);
  FailureLog failures;
  const CipherContext context{kStamp, random, failures.Reporter()};

  for (int i = 0; i < 2000; ++i) {
    const std::size_t length = 2 + engine() % 49;
    std::u16string text;
    while (text.size() < length) {
      const char16_t ch = pools.Draw(engine);
      const std::size_t run = std::min<std::size_t>(2 + engine() % 9, length - text.size());
      text.append(run, ch);
    }
    if (text.size() >= 2 && text[text.size() - 1] != text[text.size() - 2]) {
      text.back() = text[text.size() - 2];  // no lone character at the end
    }
    if (CheckMemoEntry(u"t", text)) continue;

    const std::u16string stored = EncodeText(text, context);
    ASSERT_FALSE(stored.empty()) << testing::PrintToString(text);
    EXPECT_EQ(DecodeText(stored, context), text);
    ASSERT_EQ(failures.Messages(), Messages{}) << testing::PrintToString(text);
  }
}

// --- Damaged and hostile stored texts -------------------------------------

const std::set<std::u16string> kKnownMessages = {
    u"デコード中にエラーしました1",        u"デコード中にエラーしました2",
    u"エンコード中にエラーしましたDECREN", u"エンコード中にエラーしましたENCREN",
    u"エンコード中エラーしましたdm1",      u"エンコード中エラーしましたdm2",
    u"エンコード中にエラーしました1",      u"エンコード中にエラーしました2"};

class Mutator {
 public:
  explicit Mutator(std::uint32_t seed) : engine_(seed) {}

  std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : engine_() % bound; }

  // Any code unit: lone surrogates, private use, controls, unassigned.
  char16_t AnyUnit() { return static_cast<char16_t>(engine_() & 0xFFFF); }

  // Units that steer the decoder into its branches: digits, the delimiter
  // characters, the stamp's characters, and their substitutes.
  char16_t FormatUnit() {
    static const std::u16string units = u"0123456789*:;,!#$=?/&%xyz・∮ ()[]\\'\"+-.<>@AZ" + kStamp;
    const char16_t ch = units[Below(units.size())];
    return engine_() % 2 == 0 ? ch : SwapCodeDigit(ch)[0];
  }

  std::u16string RandomText() {
    const std::size_t length = Below(engine_() % 4 == 0 ? 600 : 260);
    std::u16string text;
    const bool format = engine_() % 2 == 0;
    for (std::size_t i = 0; i < length; ++i) text.push_back(format ? FormatUnit() : AnyUnit());
    return text;
  }

  void Mutate(std::u16string& text) {
    const int edits = 1 + static_cast<int>(Below(4));
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = Below(text.size() + 1);
      switch (Below(6)) {
        case 0:
          if (at < text.size()) text[at] = AnyUnit();
          break;
        case 1:
          if (at < text.size()) text[at] = FormatUnit();
          break;
        case 2:
          text.insert(at, 1, engine_() % 2 == 0 ? AnyUnit() : FormatUnit());
          break;
        case 3:
          if (at < text.size()) text.erase(at, 1 + Below(3));
          break;
        case 4:
          text.resize(at);
          break;
        default:
          text.insert(at, text.substr(Below(text.size() + 1), Below(20)));
          break;
      }
    }
  }

 private:
  std::mt19937 engine_;
};

void ExpectKnownMessages(const FailureLog& failures) {
  for (const std::u16string& message : failures.Messages()) {
    EXPECT_TRUE(kKnownMessages.count(message)) << testing::PrintToString(message);
  }
}

// A failed decoding is never passed off as a text.
void ExpectSoundDecoding(const std::u16string& result, const FailureLog& failures) {
  ExpectKnownMessages(failures);
  if (!failures.Messages().empty()) {
    EXPECT_EQ(result, u"");
  }
}

// The encoder carries on without its decoy when packing or listing fails,
// but a failure of its own or of the shuffle leaves nothing to store.
void ExpectSoundEncoding(const std::u16string& result, const FailureLog& failures) {
  ExpectKnownMessages(failures);
  for (const std::u16string& message : failures.Messages()) {
    if (message == u"エンコード中にエラーしました1" ||
        message == u"エンコード中にエラーしました2") {
      EXPECT_EQ(result, u"");
    }
  }
}

TEST(CipherFuzzTest, DecodeTextSurvivesRandomAndDamagedStoredTexts) {
  const CharacterPools pools;
  std::mt19937 engine(99);
  Mutator mutator(1234);
  SeededRandom random(5);
  FailureLog failures;
  const CipherContext context{kStamp, random, failures.Reporter()};

  for (int i = 0; i < 20000; ++i) {
    std::u16string stored;
    if (i % 2 == 0) {
      stored = mutator.RandomText();
    } else {
      stored = EncodeText(RuleAbidingText(pools, engine), context);
      mutator.Mutate(stored);
    }
    failures.Clear();
    const std::u16string text = DecodeText(stored, context);
    ExpectSoundDecoding(text, failures);
    if (HasFailure()) {
      FAIL() << "stored text " << testing::PrintToString(stored);
    }
  }
}

TEST(CipherFuzzTest, EncodeTextSurvivesTextsTheRulesWouldRefuse) {
  Mutator mutator(4321);
  SeededRandom random(11);
  FailureLog failures;
  const CipherContext context{kStamp, random, failures.Reporter()};

  for (int i = 0; i < 5000; ++i) {
    const std::u16string text = mutator.RandomText();
    failures.Clear();
    const std::u16string stored = EncodeText(text, context);
    ExpectSoundEncoding(stored, failures);
    failures.Clear();
    ExpectSoundDecoding(DecodeText(stored, context), failures);
    if (HasFailure()) {
      FAIL() << "text " << testing::PrintToString(text);
    }
  }
}

}  // namespace
}  // namespace kirimo
