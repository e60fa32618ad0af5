#pragma once
// mnuHelp: the readme in the text editor.

#include <QString>
#include <filesystem>
#include <string>

namespace kirimo {

struct AppContext;

inline constexpr char16_t kReadmeName[] = u"Kirimo_Readme.txt";

// Windows' command line for the readme in dir (with its trailing "\"):
// "Notepad <dir>Kirimo_Readme.txt", the path unquoted; Notepad takes the
// rest of its command line as the file name, spaces and all.
QString NotepadCommandLine(const std::u16string& dir);

// Where the readme lies: beside the program (a portable copy, the build
// tree), or in the data directory of an installed copy; beside the program
// when it is in neither.
std::filesystem::path FindReadme(const std::filesystem::path& programDir);

// Opens the readme: Notepad on Windows, elsewhere the desktop's program for
// text files. "メモ帳を起動できませんでした" when that cannot be started; a
// missing readme is the editor's to report.
void OpenReadme(AppContext& ctx);

}  // namespace kirimo
