#include "app/Command.h"

#include "app/AppContext.h"
#include "app/SettingsHome.h"
#include "settings/FileAccess.h"

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
void RequireReadable(const std::filesystem::path& file) {
  if (settings::files::ReadFileBytes(file).status == settings::files::ReadStatus::kFailed)
    FailCommand();
}

}  // namespace

std::u16string SettingsAccess::Read(std::u16string_view key, std::u16string_view section) const {
  RequireReadable(file_);
  return settings::ReadSetting(key, section, file_);
}

std::u16string SettingsAccess::ReadStored(std::u16string_view key,
                                          std::u16string_view section) const {
  RequireReadable(file_);
  return settings::ReadStoredText(key, section, file_);
}

bool SettingsAccess::TryWrite(std::u16string_view value, std::u16string_view key,
                              std::u16string_view section) const {
  if (ctx_.startup.settingsUnreadable) return false;
  return settings::WriteSetting(value, key, section, file_);
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
