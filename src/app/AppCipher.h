#pragma once
// The memo cipher as the program uses it: with the installation stamp of
// the running copy, its random source, and failures shown as message boxes.

#include <string>
#include <string_view>

namespace kirimo {

struct AppContext;

std::u16string EncodeStored(AppContext& ctx, std::u16string_view plain);
std::u16string DecodeStored(AppContext& ctx, std::u16string_view stored);

}  // namespace kirimo
