#pragma once
// The settings file Kirim.ini: a private-profile (INI) file in Shift-JIS,
// read and written byte-compatibly with the Windows profile-string
// functions, but atomically (temporary file + rename). A file that starts
// with a byte order mark (UTF-8, UTF-16 LE or BE) is read and written in
// that encoding, as Windows does.

#include <filesystem>
#include <optional>
#include <span>
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

// What is at the settings file's place. kUnreadable: something is there
// that cannot be read as the file (a directory, no read permission, an I/O
// error); it must then be neither taken for an empty file nor replaced.
enum class FileState { kReadable, kMissing, kUnreadable };
FileState CheckSettingsFile(const std::filesystem::path& file);

// The value of key in section, cut to 254 Shift-JIS bytes like
// GetPrivateProfileStringA with a 255-byte buffer; empty when missing.
std::u16string ReadSetting(std::u16string_view key, std::u16string_view section,
                           const std::filesystem::path& file);

// Stored texts (titles, contents, password copies) are read whole: cut to
// 254 bytes they could never be decoded.
std::u16string ReadStoredText(std::u16string_view key, std::u16string_view section,
                              const std::filesystem::path& file);

// As ReadSetting and ReadStoredText, but nullopt when the file exists and
// cannot be read, so that a caller can tell "nothing stored" from "could not
// look". A missing file, section or key still reads as the empty text.
std::optional<std::u16string> TryReadSetting(std::u16string_view key, std::u16string_view section,
                                             const std::filesystem::path& file);
std::optional<std::u16string> TryReadStoredText(std::u16string_view key,
                                                std::u16string_view section,
                                                const std::filesystem::path& file);

// Stores value under key in section; true on success. Never leaves a torn
// file behind.
// A value with blanks or quotes at its ends is written inside an extra pair
// of quotes so that it reads back unchanged. Refused (false, file untouched):
// line breaks or NULs, names that could not be found again, and characters
// that the file's encoding cannot hold.
bool WriteSetting(std::u16string_view value, std::u16string_view key, std::u16string_view section,
                  const std::filesystem::path& file);

// One entry of a batch write. With onlyIfMissing the entry is skipped when
// the key already holds a non-empty value (by the time the entry's turn
// comes): a stored value the program did not make, such as the installation
// stamp, is never replaced.
struct SettingWrite {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string value;
  bool onlyIfMissing = false;
};

// Applies the entries in order, each exactly as WriteSetting would change
// the file, and replaces the file once, so that either all of them are
// stored or none. False with the file untouched when any entry is refused
// (as WriteSetting refuses it) or the file exists but cannot be read. An
// unchanged result is not rewritten.
bool WriteSettings(std::span<const SettingWrite> writes, const std::filesystem::path& file);

// Removes what killed writes left beside the file: regular files named as
// the writer names its temporary files (Kirim.ini.<16 hex digits>.tmp), each
// a full copy of the settings of its time. Nothing else is touched. Only for
// start-up, while no other write to the file can be under way.
void RemoveStaleTemporaryFiles(const std::filesystem::path& file);

}  // namespace kirimo::settings
