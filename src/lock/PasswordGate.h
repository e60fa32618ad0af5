#pragma once
// The password asked at start-up.

namespace kirimo {

struct AppContext;

// Shows the password dialog modally; returns only when the right password
// was given (the dialog ends the program otherwise).
void RunStartupPasswordDialog(AppContext& ctx);

}  // namespace kirimo
