#include "lock/PasswordGate.h"

#include "app/AppContext.h"

namespace kirimo {

// The password dialog arrives with the lock's own work.
void RunStartupPasswordDialog(AppContext&) {}

}  // namespace kirimo
