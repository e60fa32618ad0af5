#pragma once
// Every user command, start-up and each window's load and unload follow one
// failure rule: on any fault the settings path is forgotten, one fixed
// message says which operation failed, and the rest of the operation is
// abandoned; what was changed before the fault stays changed. The settings
// access below fails the same way as any other fault, so a command body
// needs no checks of its own for the file.

#include <QString>
#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/Settings.h"

namespace kirimo {

struct AppContext;

// The one way for a command body to fail.
struct CommandFailure : std::runtime_error {
  CommandFailure() : std::runtime_error("command failure") {}
};
[[noreturn]] void FailCommand();

// The settings file for the duration of one operation: SettingsDir is set
// when it starts and forgotten when it ends, on every path out of it.
class SettingsAccess {
 public:
  explicit SettingsAccess(AppContext& ctx);
  ~SettingsAccess();
  SettingsAccess(const SettingsAccess&) = delete;
  SettingsAccess& operator=(const SettingsAccess&) = delete;

  const std::filesystem::path& file() const { return file_; }

  // A value (cut to 254 bytes as the Windows reader does) or a stored text
  // (whole). A missing file, section or key reads as empty; a file that is
  // there but cannot be read fails the operation.
  std::u16string Read(std::u16string_view key,
                      std::u16string_view section = settings::kMyData) const;
  std::u16string ReadStored(std::u16string_view key,
                            std::u16string_view section = settings::kMyData) const;
  // Stores one value; a write that does not reach the file fails the
  // operation. So does any write in a run that could not read the file.
  void Write(std::u16string_view value, std::u16string_view key,
             std::u16string_view section = settings::kMyData) const;
  // The same, without failing: false when it did not reach the file.
  bool TryWrite(std::u16string_view value, std::u16string_view key,
                std::u16string_view section = settings::kMyData) const;
  // Fails the operation when this run may not write the file at all (it
  // could not read it at start-up), before anything is prepared for it.
  void RequireWritable() const;
  // Several keys in one replacement of the file: all of them or none.
  bool TryWriteAll(std::span<const settings::SettingWrite> writes) const;

 private:
  AppContext& ctx_;
  std::filesystem::path file_;
};

// Runs body under the failure rule; message is the operation's own. True
// when the body ran to its end (or returned early by itself).
bool RunCommand(AppContext& ctx, const QString& failureMessage,
                const std::function<void(SettingsAccess&)>& body);

}  // namespace kirimo
