// Every memo recall and every start-up reads Kirim.ini afresh, key by key,
// with nothing cached: these measure one such read from a full file, and one
// write, which replaces the whole file.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "settings/Numbers.h"
#include "settings/Settings.h"

namespace {

namespace fs = std::filesystem;
using kirimo::settings::ReadInt16Field;
using kirimo::settings::ReadSetting;
using kirimo::settings::ReadStoredText;
using kirimo::settings::WriteSetting;

// A stored text of about 200 characters: kana and kanji mixed with ASCII
// digits and delimiters, in Shift-JIS.
std::u16string StoredText(int slot) {
  const std::u16string pattern = u"ア1カ2サ3タ4ナ5漢6字7メ8モ9'";
  // Built by appending: g++ 12 warns falsely (-Wrestrict) on literal + string.
  std::u16string text(1, u'\'');
  text.push_back(static_cast<char16_t>(u'A' + slot));
  while (text.size() < 200) text += pattern;
  text.resize(200);
  return text;
}

// Ten slots with titles and contents, both password copies, every display
// setting and both window geometries: the file of a well-used installation.
class FullSettingsFile {
 public:
  FullSettingsFile() {
    dir_ = fs::temp_directory_path() /
           ("kirimo-settings-bench-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
    file_ = dir_ / "Kirim.ini";
    Put(u"MyData", u"DAIMEI0", StoredText(0));
    Put(u"MyData", u"SETTEI", StoredText(0));
    for (int slot = 1; slot <= 10; ++slot) {
      const std::u16string number = kirimo::settings::FormatInteger(slot);
      Put(u"MyData", std::u16string(u"DAIMEI").append(number), StoredText(slot).substr(0, 60));
      Put(u"MyData", std::u16string(u"MEMO").append(slot == 1 ? u"" : number), StoredText(slot));
    }
    const std::pair<const char16_t*, const char16_t*> settings[] = {
        {u"WINDOWFLAG", u"1"}, {u"TE", u"t"},       {u"TEM", u""},
        {u"WINHYOUJI", u"t"},  {u"TIMECASE", u"b"}, {u"TIMEFLAG", u"t"},
        {u"FNTSIZE", u"c"},    {u"FUKKI", u"600"},  {u"PASSCHK", u"1"},
        {u"SHYOKAI", u"1"},    {u"FSI", u"0"},      {u"HIDUKE", u"24/05/17/09:41"}};
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

 private:
  void Put(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!WriteSetting(value, key, section, file_)) throw std::runtime_error("setup write failed");
  }

  fs::path dir_;
  fs::path file_;
};

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
