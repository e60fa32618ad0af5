// A recall decodes two stored texts and start-up twelve; the cipher must stay
// invisible next to reading the settings file. Goal for the 50-character
// content: encode at most 3 µs, decode at most 2 µs (median).
//
//   build/bin/kirimo_bench --benchmark_filter=Cipher --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <string>

#include "cipher/Cipher.h"

namespace {

const std::u16string kStamp = u"24/05/01/12:30";

const std::u16string kTitle = u"銀行口座メモKey1";  // 10 characters
// 50 characters of kana, kanji and ASCII, with a few characters repeated as
// in real addresses, so that the decoy block is built too.
const std::u16string kContent =
    u"東京都千代田区丸の内1-2-3丸の内ビル4F受付TEL03-1234-5678まで平日9時からです。";

struct Fixture {
  kirimo::SystemRandomSource random;
  kirimo::FailureReporter report = [](const std::u16string&) {};
  kirimo::CipherContext context{kStamp, random, report};
};

void BM_CipherEncode(benchmark::State& state, const std::u16string& text) {
  Fixture fixture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kirimo::EncodeText(text, fixture.context));
  }
}

void BM_CipherDecode(benchmark::State& state, const std::u16string& text) {
  Fixture fixture;
  const std::u16string stored = kirimo::EncodeText(text, fixture.context);
  if (kirimo::DecodeText(stored, fixture.context) != text) {
    state.SkipWithError("the text did not come back");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(kirimo::DecodeText(stored, fixture.context));
  }
}

BENCHMARK_CAPTURE(BM_CipherEncode, Title10, kTitle);
BENCHMARK_CAPTURE(BM_CipherEncode, Content50, kContent);
BENCHMARK_CAPTURE(BM_CipherDecode, Title10, kTitle);
BENCHMARK_CAPTURE(BM_CipherDecode, Content50, kContent);

}  // namespace
