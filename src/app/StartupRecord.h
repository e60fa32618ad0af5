#pragma once
// What start-up found in the settings file, kept for shutdown: shutdown
// writes back only what start-up actually read (or made), so that a failed
// or cut-short start-up cannot overwrite stored settings with defaults.

#include <filesystem>
#include <set>
#include <string>

namespace kirimo {

struct StartupRecord {
  // Keys of "MyData" whose values start-up holds.
  std::set<std::u16string, std::less<>> keysRead;
  // How many of "frmMain" "LEFT" and "TOP" shutdown saves: 0, 1 ("LEFT") or
  // 2 (both).
  int positionKeysToSave = 0;
  // A number whose stored value start-up could not use; shutdown gives it
  // its default back, or every start would fail on it.
  std::u16string unusableKey;
  // The file was there but could not be read: this run must not write it at
  // all, or what it could not see would be lost.
  bool settingsUnreadable = false;
  // Start-up got past the password dialog (or needed none): only such a run
  // may store the lock's options.
  bool lockOpened = false;
  // The directory of this run's Kirim.ini, chosen by the run's first access
  // (start-up's) and kept for the whole run.
  std::filesystem::path settingsHome;
  // Shutdown has run (the close box, the end command, a logout); it runs
  // once.
  bool shutdownDone = false;
};

}  // namespace kirimo
