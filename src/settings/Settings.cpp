#include "settings/Settings.h"

#include <optional>
#include <string>
#include <utility>

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

// nullopt when something is there that cannot be read; a missing file reads
// as an empty one, as with the Windows functions, since every value has a
// meaningful empty default.
std::optional<std::u16string> Read(std::u16string_view key, std::u16string_view section,
                                   const std::filesystem::path& file,
                                   std::optional<std::size_t> limitBytes) {
  const files::ReadResult read = files::ReadFileBytes(file);
  if (read.status == files::ReadStatus::kFailed) return std::nullopt;
  if (read.status == files::ReadStatus::kMissing) return std::u16string();
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

FileState CheckSettingsFile(const std::filesystem::path& file) {
  switch (files::ReadFileBytes(file).status) {
    case files::ReadStatus::kRead:
      return FileState::kReadable;
    case files::ReadStatus::kMissing:
      return FileState::kMissing;
    case files::ReadStatus::kFailed:
      break;
  }
  return FileState::kUnreadable;
}

std::u16string ReadSetting(std::u16string_view key, std::u16string_view section,
                           const std::filesystem::path& file) {
  return Read(key, section, file, profile::kReadLimitBytes).value_or(std::u16string());
}

std::u16string ReadStoredText(std::u16string_view key, std::u16string_view section,
                              const std::filesystem::path& file) {
  return Read(key, section, file, std::nullopt).value_or(std::u16string());
}

std::optional<std::u16string> TryReadSetting(std::u16string_view key, std::u16string_view section,
                                             const std::filesystem::path& file) {
  return Read(key, section, file, profile::kReadLimitBytes);
}

std::optional<std::u16string> TryReadStoredText(std::u16string_view key,
                                                std::u16string_view section,
                                                const std::filesystem::path& file) {
  return Read(key, section, file, std::nullopt);
}

bool WriteSetting(std::u16string_view value, std::u16string_view key, std::u16string_view section,
                  const std::filesystem::path& file) {
  const SettingWrite write{section, key, std::u16string(value)};
  return WriteSettings(std::span<const SettingWrite>(&write, 1), file);
}

bool WriteSettings(std::span<const SettingWrite> writes, const std::filesystem::path& file) {
  const files::ReadResult read = files::ReadFileBytes(file);
  // Something there that cannot be read must not be replaced by a file
  // holding only these keys.
  if (read.status == files::ReadStatus::kFailed) return false;
  std::string updated = read.bytes;
  for (const SettingWrite& write : writes) {
    if (write.onlyIfMissing) {
      const auto stored = profile::FindValue(updated, write.section, write.key, std::nullopt);
      if (stored && !stored->empty()) continue;
    }
    std::optional<std::string> next =
        profile::WithValue(updated, write.section, write.key, write.value);
    if (!next) return false;
    updated = std::move(*next);
  }
  // Shutdown writes every setting back, most of them unchanged; an
  // unchanged file needs no rewrite. A missing file is never unchanged by
  // an entry, and a batch that changes nothing does not create one.
  if (updated == read.bytes) return true;
  return files::ReplaceFileContents(file, updated);
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& file) {
  files::RemoveStaleTemporaryFiles(file);
}

}  // namespace kirimo::settings
