#pragma once
// The password lock: the password asked at start-up and the lock's menu
// items.

namespace kirimo {

struct AppContext;

// Shows the password dialog modally; returns only when the right password
// was given (the dialog ends the program otherwise).
void RunStartupPasswordDialog(AppContext& ctx);

// The check marks of mnuPass and mnuFusei as start-up sets them: both stay
// unchecked unless the password is asked at start-up.
void ApplyLockMarks(AppContext& ctx);

}  // namespace kirimo
