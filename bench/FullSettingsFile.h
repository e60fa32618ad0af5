#pragma once
// The Kirim.ini of a well-used installation, for the benchmarks: ten memos
// with the longest contents enciphered for real, both password copies,
// every display setting and both window geometries.

#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "cipher/Cipher.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"

namespace kirimo::bench {

inline constexpr std::u16string_view kStamp = u"24/05/17/09:41";

class FixedRandom : public RandomSource {
 public:
  double NextUniform() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }

 private:
  std::mt19937 engine_{17};
};

inline const FailureReporter& ThrowOnFailure() {
  static const FailureReporter report = [](const std::u16string&) {
    throw std::runtime_error("cipher failure");
  };
  return report;
}

// Fifty characters, the longest content: kana, kanji, full-width and ASCII
// mixed, with a few repeats so that the decoy block is not empty.
inline std::u16string Content(int slot) {
  const std::u16string pattern = u"東京都千代田区丸の内1-2-3ビル4F〒100-0005ＴＥＬ03";
  std::u16string text(1, static_cast<char16_t>(u'A' + slot));
  while (text.size() < 50) text += pattern;
  text.resize(50);
  return text;
}

class FullSettingsFile {
 public:
  FullSettingsFile() {
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() /
           ("kirimo-bench-" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
    file_ = dir_ / "Kirim.ini";
    const CipherContext cipher{std::u16string(kStamp), random_, ThrowOnFailure()};
    Put(u"MyData", u"DAIMEI0", EncodeText(u"password123", cipher));
    Put(u"MyData", u"SETTEI", EncodeText(u"password123", cipher));
    for (int slot = 1; slot <= 10; ++slot) {
      const std::u16string number = settings::FormatInteger(slot);
      Put(u"MyData", std::u16string(u"MEMO").append(slot == 1 ? u"" : number),
          EncodeText(Content(slot), cipher));
      Put(u"MyData", std::u16string(u"DAIMEI").append(number),
          EncodeText(std::u16string(u"住所メモ").append(number), cipher));
    }
    const std::pair<const char16_t*, std::u16string_view> values[] = {
        {u"WINDOWFLAG", u"1"}, {u"TE", u"t"},       {u"TEM", u""},      {u"WINHYOUJI", u"t"},
        {u"TIMECASE", u"b"},   {u"TIMEFLAG", u"t"}, {u"FNTSIZE", u"c"}, {u"FUKKI", u"600"},
        {u"PASSCHK", u"1"},    {u"SHYOKAI", u"1"},  {u"FSI", u"0"},     {u"HIDUKE", kStamp}};
    for (const auto& [key, value] : values) Put(u"MyData", key, value);
    Put(u"frmMain", u"LEFT", u"3705");
    Put(u"frmMain", u"TOP", u"1234.5");
    Put(u"frmWindow", u"LEFT", u"9000");
    Put(u"frmWindow", u"TOP", u"600");
    Put(u"frmWindow", u"WIDTH", u"3000");
    Put(u"frmWindow", u"HEIGHT", u"900");
  }
  ~FullSettingsFile() {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  FullSettingsFile(const FullSettingsFile&) = delete;
  FullSettingsFile& operator=(const FullSettingsFile&) = delete;

  const std::filesystem::path& file() const { return file_; }
  RandomSource& random() { return random_; }

 private:
  void Put(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (!settings::WriteSetting(value, key, section, file_))
      throw std::runtime_error("setup write failed");
  }

  FixedRandom random_;
  std::filesystem::path dir_;
  std::filesystem::path file_;
};

}  // namespace kirimo::bench
