// Every memo recall and every start-up reads Kirim.ini afresh, key by key,
// with nothing cached: these measure one such read from a full file, and one
// write, which replaces the whole file.

#include <benchmark/benchmark.h>

#include "FullSettingsFile.h"

namespace {

using kirimo::bench::FullSettingsFile;
using kirimo::settings::ReadInt16Field;
using kirimo::settings::ReadSetting;
using kirimo::settings::ReadStoredText;
using kirimo::settings::WriteSetting;

// The recall of the last slot: its content is near the end of "MyData".
void BM_ReadStoredText(benchmark::State& state) {
  FullSettingsFile settings;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadStoredText(u"MEMO10", u"MyData", settings.file()));
  }
}
BENCHMARK(BM_ReadStoredText);

void BM_ReadNumberSetting(benchmark::State& state) {
  FullSettingsFile settings;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadInt16Field(ReadSetting(u"FUKKI", u"MyData", settings.file())));
  }
}
BENCHMARK(BM_ReadNumberSetting);

// Dominated by getting the new file onto the disk (flush and rename).
void BM_WriteSetting(benchmark::State& state) {
  FullSettingsFile settings;
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(
        WriteSetting(flip ? u"15" : u"600", u"FUKKI", u"MyData", settings.file()));
  }
}
BENCHMARK(BM_WriteSetting);

}  // namespace
