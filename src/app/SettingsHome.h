#pragma once
// Where Kirim.ini lives. Beside the program, as designed, wherever that can
// work: a portable copy in a user's folder, a USB stick, a build tree. An
// installed copy (/usr/bin, C:\Program Files) cannot write there, and every
// memo entered would be lost; it keeps the file in the user's own
// configuration directory instead.

#include <filesystem>

namespace kirimo {

class SettingsLocation;

// What the program's directory allows, tried on the file system.
struct ProgramDirAccess {
  bool iniExists = false;
  // Kirim.ini may be replaced: it is not read-only and this user may write it.
  bool iniWritable = false;
  // A file can be made in the directory (every write of Kirim.ini makes its
  // replacement there first).
  bool dirWritable = false;
  // Something is at Kirim.ini's place that cannot be read as the file.
  bool iniUnreadable = false;
};
ProgramDirAccess ProbeProgramDir(const std::filesystem::path& dir);

// The program's directory serves when Kirim.ini there can be written, or
// is not there yet and can be made. It also stays when Kirim.ini is there
// but cannot be read: start-up then says so and writes nothing, where a
// fresh file elsewhere would hide the memos and start another stamp.
bool SettingsBesideProgram(const ProgramDirAccess& access);

// The directory for this run's Kirim.ini. When it is the user's, it is made
// if missing, and a read-only Kirim.ini beside the program gives a new one
// its first content, so that the memos in it stay readable.
std::filesystem::path ChooseSettingsDir(const SettingsLocation& location);

}  // namespace kirimo
