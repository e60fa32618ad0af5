#pragma once
// The families of the floating window's controls: each table gives the
// items' names and captions, which the main window builds its controls
// from, and the values they stand for, which the commands and the check
// marks read. One table per family, so the two can never disagree.

#include <array>
#include <cstdint>
#include <string_view>

namespace kirimo {

// The automatic return to the clock ("FUKKI"), in menu order.
struct AutoReturnItem {
  const char* name;
  std::u16string_view caption;
  std::int16_t seconds;
};
inline constexpr std::array<AutoReturnItem, 6> kAutoReturnItems{{
    {"mnuFukki15", u"１５秒", 15},
    {"mnuFukki30", u"３０秒", 30},
    {"mnuFukki1m", u"０１分", 60},
    {"mnuFukki3m", u"０３分", 180},
    {"mnuFukki10m", u"１０分", 600},
    {"mnuFukkiNasi", u"なし", 0},
}};

// The clock formats ("TIMECASE"), in menu order.
struct ClockFormatItem {
  const char* name;
  std::u16string_view caption;
  std::u16string_view code;
};
inline constexpr std::array<ClockFormatItem, 3> kClockFormatItems{{
    {"mnuTime1", u"ＨＨ：ＮＮ：ＳＳ", u"a"},
    {"mnuTime2", u"午前/ＨＨ：ＮＮ：ＳＳ", u"b"},
    {"mnuTime3", u"ＤＤ日(曜日)/ＨＨ：ＮＮ：ＳＳ", u"c"},
}};

// The four size buttons under the memo buttons, left to right.
enum class SizeStep { kWider, kNarrower, kLower, kTaller };
struct SizeButton {
  const char* name;
  const char* picture;  // resource name of the arrow picture
  std::u16string_view tip;
  int left;  // twips
  int tab;
  SizeStep step;
};
inline constexpr std::array<SizeButton, 4> kSizeButtons{{
    {"cmdWup", "arrow_right", u"ウインドウの幅を大きくする", 120, 22, SizeStep::kWider},
    {"cmdWdown", "arrow_left", u"ウインドウの幅を小さくする", 600, 23, SizeStep::kNarrower},
    {"cmdHdown", "arrow_up", u"ウインドウの高さを小さくする", 1080, 24, SizeStep::kLower},
    {"cmdHup", "arrow_down", u"ウインドウの高さを大きくする", 1560, 25, SizeStep::kTaller},
}};

// The floating window's font sizes ("FNTSIZE"), in the order cmdFont steps
// through them.
struct FontSizeItem {
  std::u16string_view code;
  int points;
  std::u16string_view caption;
};
inline constexpr std::array<FontSizeItem, 5> kFontSizes{{
    {u"a", 10, u"フォントサイズ 10"},
    {u"b", 12, u"フォントサイズ 12"},
    {u"c", 16, u"フォントサイズ 16"},
    {u"d", 20, u"フォントサイズ 20"},
    {u"e", 24, u"フォントサイズ 24"},
}};

}  // namespace kirimo
