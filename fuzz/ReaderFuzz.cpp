// The settings reader on any file: the value cut to 254 bytes is always the
// start of the whole value, and reading never crashes.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "settings/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirimo::settings;
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  static constexpr std::u16string_view kKeys[] = {u"HIDUKE", u"MEMO", u"DAIMEI1", u"LEFT", u"a"};
  static constexpr std::u16string_view kSections[] = {u"MyData", u"frmMain", u"a"};
  for (auto section : kSections) {
    for (auto key : kKeys) {
      const auto whole = profile::FindValue(file, section, key, std::nullopt);
      const auto cut = profile::FindValue(file, section, key, profile::kReadLimitBytes);
      if (whole.has_value() != cut.has_value()) kirimo::fuzz::Violated("found only one way");
      if (whole && whole->compare(0, cut->size(), *cut) != 0)
        kirimo::fuzz::Violated("the cut value is not a prefix of the whole");
    }
  }
  return 0;
}
