#pragma once
// The core never shows anything itself: a failure is handed to this callback,
// which the application turns into a message box.

#include <functional>
#include <string>

namespace kirimo {

// The icon of a message box, for the core's rules and the program's boxes
// alike.
enum class MsgIcon { Warning, Information, Question };

using FailureReporter = std::function<void(const std::u16string& message)>;

}  // namespace kirimo
