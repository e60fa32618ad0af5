// The cipher converts every character of a stored text between character and
// code several times, and the settings file goes through Shift-JIS on each
// read and write.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cipher/CodePage932.h"

namespace {

// A stored text at its longest: 254 characters, kana, kanji and ASCII mixed.
std::u16string LongMixedText() {
  const std::u16string pattern = u"メモ帳Kirimo東京都千代田区1-2-3ｱｲｳ①㈱";
  std::u16string text;
  while (text.size() < 254) text += pattern;
  text.resize(254);
  return text;
}

void BM_CharacterCode(benchmark::State& state) {
  const std::u16string text = LongMixedText();
  for (auto _ : state) {
    int sum = 0;
    for (const char16_t ch : text) sum += kirimo::cp932::CharacterCode(ch);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CharacterCode);

void BM_CharacterFromCode(benchmark::State& state) {
  const std::u16string text = LongMixedText();
  std::vector<int> codes;
  for (const char16_t ch : text) codes.push_back(kirimo::cp932::CharacterCode(ch));
  for (auto _ : state) {
    for (const int code : codes) benchmark::DoNotOptimize(kirimo::cp932::CharacterFromCode(code));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(codes.size()));
}
BENCHMARK(BM_CharacterFromCode);

void BM_ShiftJisRoundTrip(benchmark::State& state) {
  const std::u16string text = LongMixedText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(kirimo::cp932::FromShiftJis(kirimo::cp932::ToShiftJis(text)));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ShiftJisRoundTrip);

}  // namespace
