#include "app/Command.h"

#include "app/AppContext.h"
#include "app/SettingsHome.h"

namespace kirimo {

void FailCommand() { throw CommandFailure(); }

SettingsAccess::SettingsAccess(AppContext& ctx) : ctx_(ctx) {
  std::filesystem::path& home = ctx_.startup.settingsHome;
  if (home.empty()) home = ChooseSettingsDir(ctx_.services.location);
  ctx_.state.settingsDir = settings::BuildSettingsPath(home);
  file_ = settings::SettingsFile(ctx_.state.settingsDir);
}

SettingsAccess::~SettingsAccess() { ctx_.state.settingsDir.clear(); }

namespace {

// A file that is there but cannot be read would read as empty, which no
// caller may take for the stored value.
std::u16string Required(std::optional<std::u16string> value) {
  if (!value) FailCommand();
  return std::move(*value);
}

}  // namespace

std::u16string SettingsAccess::Read(std::u16string_view key, std::u16string_view section) const {
  return Required(settings::TryReadSetting(key, section, file_));
}

std::u16string SettingsAccess::ReadStored(std::u16string_view key,
                                          std::u16string_view section) const {
  return Required(settings::TryReadStoredText(key, section, file_));
}

bool SettingsAccess::TryWrite(std::u16string_view value, std::u16string_view key,
                              std::u16string_view section) const {
  if (ctx_.startup.settingsUnreadable) return false;
  return settings::WriteSetting(value, key, section, file_);
}

void SettingsAccess::RequireWritable() const {
  if (ctx_.startup.settingsUnreadable) FailCommand();
}

bool SettingsAccess::TryWriteAll(std::span<const settings::SettingWrite> writes) const {
  if (ctx_.startup.settingsUnreadable) return false;
  return settings::WriteSettings(writes, file_);
}

void SettingsAccess::Write(std::u16string_view value, std::u16string_view key,
                           std::u16string_view section) const {
  if (!TryWrite(value, key, section)) FailCommand();
}

bool RunCommand(AppContext& ctx, const QString& failureMessage,
                const std::function<void(SettingsAccess&)>& body) {
  bool failed = false;
  try {
    SettingsAccess settings(ctx);
    body(settings);
  } catch (const std::exception&) {
    failed = true;
  }
  // SettingsDir is forgotten by now, before the message is shown.
  if (failed) ShowMessage(ctx, failureMessage, MsgIcon::Warning);
  return !failed;
}

}  // namespace kirimo
