#include "app/SettingsHome.h"

#include <cstdio>
#include <system_error>

#include "app/Platform.h"
#include "settings/FileAccess.h"
#include "settings/Settings.h"

namespace kirimo {

namespace fs = std::filesystem;

namespace {

fs::path IniIn(const fs::path& dir) { return dir / settings::kSettingsFileName; }

// Named as the settings writer names its temporary files, so that a probe
// left by a killed process is removed with theirs at the next start. One
// name serves: only one copy of the program runs.
fs::path ProbeNameIn(const fs::path& dir) {
  fs::path probe = IniIn(dir);
  probe += ".0000000000000000.tmp";
  return probe;
}

bool CanCreateFileIn(const fs::path& dir) {
  std::error_code error;
  if (!fs::is_directory(dir, error)) return false;
  const fs::path probe = ProbeNameIn(dir);
  std::FILE* file = nullptr;
#ifdef _WIN32
  file = _wfopen(probe.c_str(), L"wb");
#else
  file = std::fopen(probe.c_str(), "wb");
#endif
  if (!file) return false;
  std::fclose(file);
  fs::remove(probe, error);
  return true;
}

bool CanReplace(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (error || !fs::is_regular_file(status)) return false;
  // Read-only is the file's own mark, whoever asks (the writer refuses such
  // a file even to an administrator).
  constexpr fs::perms anyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & anyWrite) == fs::perms::none) return false;
    // Opened for writing without creating or truncating it: nothing changes.
#ifdef _WIN32
  std::FILE* handle = _wfopen(file.c_str(), L"r+b");
#else
  std::FILE* handle = std::fopen(file.c_str(), "r+b");
#endif
  if (!handle) return false;
  std::fclose(handle);
  return true;
}

}  // namespace

ProgramDirAccess ProbeProgramDir(const fs::path& dir) {
  ProgramDirAccess access;
  std::error_code error;
  const fs::path ini = IniIn(dir);
  access.iniExists = fs::exists(fs::symlink_status(ini, error)) || fs::exists(ini, error);
  access.iniUnreadable =
      access.iniExists && settings::CheckSettingsFile(ini) == settings::FileState::kUnreadable;
  access.iniWritable = access.iniExists && CanReplace(ini);
  access.dirWritable = CanCreateFileIn(dir);
  return access;
}

bool SettingsBesideProgram(const ProgramDirAccess& access) {
  if (access.iniUnreadable) return true;
  if (!access.dirWritable) return false;
  return !access.iniExists || access.iniWritable;
}

fs::path ChooseSettingsDir(const SettingsLocation& location) {
  const fs::path programDir = location.ExecutableDir();
  const ProgramDirAccess access = ProbeProgramDir(programDir);
  if (SettingsBesideProgram(access)) return programDir;

  const fs::path userDir = location.UserConfigDir();
  // Without a place of its own the program stays where it was: its writes
  // fail there as they would have anyway, and each failure is reported.
  if (userDir.empty()) return programDir;
  std::error_code error;
  fs::create_directories(userDir, error);
  if (access.iniExists && !fs::exists(IniIn(userDir), error)) {
    const settings::files::ReadResult old = settings::files::ReadFileBytes(IniIn(programDir));
    // Whole or not at all: the writer replaces through a temporary file.
    if (old.status == settings::files::ReadStatus::kRead)
      settings::files::ReplaceFileContents(IniIn(userDir), old.bytes);
  }
  return userDir;
}

}  // namespace kirimo
