#pragma once
// The core never shows anything itself: a failure is handed to this callback,
// which the application turns into a message box.

#include <functional>
#include <string>

namespace kirimo {

using FailureReporter = std::function<void(const std::u16string& message)>;

}  // namespace kirimo
