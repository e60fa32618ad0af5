// A memo recall, less the clipboard: the two reads of a slot's stored texts
// from a full Kirim.ini and their two decodings. Settings are never cached,
// so every click pays for reading the file; the goal is a median of at most
// 100 µs.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "cipher/Cipher.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"

namespace {

namespace fs = std::filesystem;
using kirimo::CipherContext;
using kirimo::DecodeText;
using kirimo::EncodeText;
using kirimo::FailureReporter;
using kirimo::settings::FormatInteger;
using kirimo::settings::ReadStoredText;
using kirimo::settings::WriteSetting;

constexpr std::u16string_view kStamp = u"24/05/17/09:41";

class FixedRandom : public kirimo::RandomSource {
 public:
  double NextUniform() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }

 private:
  std::mt19937 engine_{17};
};

const FailureReporter& ThrowOnFailure() {
  static const FailureReporter report = [](const std::u16string&) {
    throw std::runtime_error("cipher failure");
  };
  return report;
}

// Fifty characters, the longest content: kana, kanji, full-width and ASCII
// mixed, with a few repeats so that the decoy block is not empty.
std::u16string Content(int slot) {
  const std::u16string pattern = u"東京都千代田区丸の内1-2-3ビル4F〒100-0005ＴＥＬ03";
  std::u16string text(1, static_cast<char16_t>(u'A' + slot));
  while (text.size() < 50) text += pattern;
  text.resize(50);
  return text;
}

// The file of a well-used installation: ten memos with the longest
// contents, both password copies, every display setting, both geometries.
class FullSettingsFile {
 public:
  FullSettingsFile() {
    dir_ = fs::temp_directory_path() /
           ("kirimo-recall-bench-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
    file_ = dir_ / "Kirim.ini";
    const CipherContext cipher{std::u16string(kStamp), random_, ThrowOnFailure()};
    Put(u"MyData", u"DAIMEI0", EncodeText(u"password123", cipher));
    Put(u"MyData", u"SETTEI", EncodeText(u"password123", cipher));
    for (int slot = 1; slot <= 10; ++slot) {
      const std::u16string number = FormatInteger(slot);
      Put(u"MyData", std::u16string(u"MEMO").append(slot == 1 ? u"" : number),
          EncodeText(Content(slot), cipher));
      Put(u"MyData", std::u16string(u"DAIMEI").append(number),
          EncodeText(std::u16string(u"住所メモ").append(number), cipher));
    }
    const std::pair<const char16_t*, std::u16string_view> settings[] = {
        {u"WINDOWFLAG", u"1"}, {u"TE", u"t"},       {u"TEM", u""},      {u"WINHYOUJI", u"t"},
        {u"TIMECASE", u"b"},   {u"TIMEFLAG", u"t"}, {u"FNTSIZE", u"c"}, {u"FUKKI", u"600"},
        {u"PASSCHK", u"1"},    {u"SHYOKAI", u"1"},  {u"FSI", u"0"},     {u"HIDUKE", kStamp}};
    for (const auto& [key, value] : settings) Put(u"MyData", key, value);
    Put(u"frmMain", u"LEFT", u"3705");
    Put(u"frmMain", u"TOP", u"1234.5");
    Put(u"frmWindow", u"LEFT", u"9000");
    Put(u"frmWindow", u"TOP", u"600");
    Put(u"frmWindow", u"WIDTH", u"3000");
    Put(u"frmWindow", u"HEIGHT", u"900");
  }
  ~FullSettingsFile() {
    std::error_code error;
    fs::remove_all(dir_, error);
  }
  FullSettingsFile(const FullSettingsFile&) = delete;
  FullSettingsFile& operator=(const FullSettingsFile&) = delete;

  const fs::path& file() const { return file_; }
  kirimo::RandomSource& random() { return random_; }

 private:
  void Put(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!WriteSetting(value, key, section, file_)) throw std::runtime_error("setup write failed");
  }

  FixedRandom random_;
  fs::path dir_;
  fs::path file_;
};

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
