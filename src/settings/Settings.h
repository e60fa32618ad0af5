#pragma once
// The settings file Kirim.ini: a private-profile (INI) file in Shift-JIS,
// read and written byte-compatibly with the Windows profile-string
// functions, but atomically (temporary file + rename).

#include <filesystem>
#include <string>
#include <string_view>

namespace kirimo::settings {

inline constexpr std::u16string_view kSettingsFileName = u"Kirim.ini";

// The sections of Kirim.ini.
inline constexpr std::u16string_view kMyData = u"MyData";
inline constexpr std::u16string_view kFrmMain = u"frmMain";
inline constexpr std::u16string_view kFrmWindow = u"frmWindow";

// The settings directory: the given directory with a trailing separator
// (a root keeps its single one).
std::u16string BuildSettingsPath(const std::filesystem::path& executableDir);

// SettingsDir + "Kirim.ini" as a filesystem path.
std::filesystem::path SettingsFile(std::u16string_view settingsDir);

// The value of key in section, cut to 254 Shift-JIS bytes like
// GetPrivateProfileStringA with a 255-byte buffer; empty when missing.
std::u16string ReadSetting(std::u16string_view key, std::u16string_view section,
                           const std::filesystem::path& file);

// Stored texts (titles, contents, password copies) are read whole: cut to
// 254 bytes they could never be decoded.
std::u16string ReadStoredText(std::u16string_view key, std::u16string_view section,
                              const std::filesystem::path& file);

// Stores value under key in section; true on success. Never leaves a torn
// file behind.
// A value with blanks or quotes at its ends is written inside an extra pair
// of quotes so that it reads back unchanged. Refused (false, file untouched):
// line breaks or NULs, names that could not be found again, and characters
// that the file's encoding cannot hold.
bool WriteSetting(std::u16string_view value, std::u16string_view key,
                  std::u16string_view section, const std::filesystem::path& file);

}  // namespace kirimo::settings
