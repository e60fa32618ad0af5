#pragma once
// The password lock: the password asked at start-up, the lock's menu items,
// the wipe, and the seal by which start-up recognises a lock weakened by
// hand in Kirim.ini.

#include <string>
#include <string_view>

namespace kirimo {

struct AppContext;
class SettingsAccess;

enum class PasswordDialogResult {
  kLoggedIn,     // the right password: start-up goes on
  kPasswordSet,  // a first password set or the password changed: start-up goes on
  kClosed        // the user closed the dialog: the program ends, writing nothing
};

// Shows the password dialog modally and returns when it has gone.
PasswordDialogResult RunStartupPasswordDialog(AppContext& ctx);

// The check marks of mnuPass and mnuFusei as start-up sets them: both stay
// unchecked unless the password is asked at start-up.
void ApplyLockMarks(AppContext& ctx);

// mnuPass and mnuFusei: the options change only the state; shutdown writes
// them.
void SwitchStartupPassword(AppContext& ctx);
void SwitchWipeOption(AppContext& ctx);

// Empties the twenty memo keys in one write and says how it went.
void WipeAllMemos(AppContext& ctx);

// The seal ("FUUIN") vouching for the lock as the program last stored it:
// the two options as they stand in the state, the password (plain), and the
// two stored password texts written with it. Empty when it cannot be made;
// an empty seal is judged by nothing.
std::u16string MakeSeal(AppContext& ctx, std::u16string_view plainPassword,
                        std::u16string_view storedFirst, std::u16string_view storedSecond);

// The same for the password texts the state holds in stored form (the
// second copy is the one in force).
std::u16string MakeSealFromStored(AppContext& ctx);

// Start-up, once the settings and the stamp are read: true when someone has
// weakened the lock by hand. The memos are then wiped (when the option is
// on), the sealed lock is put back, and the program must end.
bool StopIntrusion(AppContext& ctx, const SettingsAccess& settings);

}  // namespace kirimo
