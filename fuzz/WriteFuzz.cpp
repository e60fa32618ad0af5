// A write on any file, of any value: either the value reads back unchanged
// and every other key reads as before, or the write is refused and nothing
// changes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "settings/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kirimo::settings;
  kirimo::fuzz::Bytes bytes(data, size);
  static constexpr std::u16string_view kSections[] = {u"MyData", u"frmMain", u"x y"};
  static constexpr std::u16string_view kKeys[] = {u"HIDUKE", u"MEMO", u"DAIMEI1", u"TOP", u"k"};
  const auto section = kSections[bytes.Byte() % 3];
  const auto key = kKeys[bytes.Byte() % 5];
  const std::u16string value = kirimo::fuzz::Utf16(bytes.Piece(600));
  const std::string file(bytes.Rest());

  const std::optional<std::string> written = profile::WithValue(file, section, key, value);
  if (!written) return 0;
  const auto back = profile::FindValue(*written, section, key, std::nullopt);
  if (!back || *back != value) kirimo::fuzz::Violated("the value does not read back");
  for (auto otherSection : kSections) {
    for (auto otherKey : kKeys) {
      if (otherSection == section && otherKey == key) continue;
      if (profile::FindValue(file, otherSection, otherKey, std::nullopt) !=
          profile::FindValue(*written, otherSection, otherKey, std::nullopt))
        kirimo::fuzz::Violated("another key changed");
    }
  }
  return 0;
}
