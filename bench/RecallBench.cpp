// A memo recall, less the clipboard: the two reads of a slot's stored texts
// from a full Kirim.ini and their two decodings. Settings are never cached,
// so every click pays for reading the file; the goal is a median of at most
// 100 µs.

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "FullSettingsFile.h"

namespace {

using kirimo::CipherContext;
using kirimo::DecodeText;
using kirimo::bench::Content;
using kirimo::bench::FullSettingsFile;
using kirimo::bench::kStamp;
using kirimo::bench::ThrowOnFailure;
using kirimo::settings::ReadStoredText;

// The last slot: its keys are the furthest into "MyData".
void BM_RecallPathWithoutClipboard(benchmark::State& state) {
  FullSettingsFile settings;
  const CipherContext cipher{std::u16string(kStamp), settings.random(), ThrowOnFailure()};
  if (DecodeText(ReadStoredText(u"MEMO10", u"MyData", settings.file()), cipher) != Content(10))
    throw std::runtime_error("the stored memo does not decode");
  for (auto _ : state) {
    std::u16string content = ReadStoredText(u"MEMO10", u"MyData", settings.file());
    std::u16string title = ReadStoredText(u"DAIMEI10", u"MyData", settings.file());
    content = DecodeText(content, cipher);
    title = DecodeText(title, cipher);
    benchmark::DoNotOptimize(content);
    benchmark::DoNotOptimize(title);
  }
}
BENCHMARK(BM_RecallPathWithoutClipboard)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
