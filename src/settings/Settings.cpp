#include "settings/Settings.h"

#include <optional>

#include "settings/FileAccess.h"
#include "settings/ProfileText.h"

namespace kirimo::settings {
namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
bool IsSeparator(char16_t ch) { return ch == u'\\' || ch == u'/'; }
#else
constexpr char16_t kSeparator = u'/';
bool IsSeparator(char16_t ch) { return ch == u'/'; }
#endif

std::u16string Read(std::u16string_view key, std::u16string_view section,
                    const std::filesystem::path& file, std::optional<std::size_t> limitBytes) {
  // A file that is missing or cannot be read reads as empty, as with the
  // Windows functions; every value has a meaningful empty default.
  const files::ReadResult read = files::ReadFileBytes(file);
  if (read.status != files::ReadStatus::kRead) return std::u16string();
  return profile::FindValue(read.bytes, section, key, limitBytes).value_or(std::u16string());
}

}  // namespace

std::u16string BuildSettingsPath(const std::filesystem::path& executableDir) {
  std::u16string dir = executableDir.u16string();
  // An empty directory stays empty (the working directory) rather than
  // becoming the root.
  if (!dir.empty() && !IsSeparator(dir.back())) dir.push_back(kSeparator);
  return dir;
}

std::filesystem::path SettingsFile(std::u16string_view settingsDir) {
  std::u16string path(settingsDir);
  path.append(kSettingsFileName);
  return std::filesystem::path(path);
}

std::u16string ReadSetting(std::u16string_view key, std::u16string_view section,
                           const std::filesystem::path& file) {
  return Read(key, section, file, profile::kReadLimitBytes);
}

std::u16string ReadStoredText(std::u16string_view key, std::u16string_view section,
                              const std::filesystem::path& file) {
  return Read(key, section, file, std::nullopt);
}

bool WriteSetting(std::u16string_view value, std::u16string_view key, std::u16string_view section,
                  const std::filesystem::path& file) {
  const files::ReadResult read = files::ReadFileBytes(file);
  // Something there that cannot be read must not be replaced by a file
  // holding only this one key.
  if (read.status == files::ReadStatus::kFailed) return false;
  const std::optional<std::string> updated = profile::WithValue(read.bytes, section, key, value);
  if (!updated) return false;
  // Shutdown writes every setting back, most of them unchanged; an
  // unchanged file needs no rewrite.
  if (read.status == files::ReadStatus::kRead && *updated == read.bytes) return true;
  return files::ReplaceFileContents(file, *updated);
}

}  // namespace kirimo::settings
