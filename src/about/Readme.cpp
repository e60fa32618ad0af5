#include "about/Readme.h"

#include <QStandardPaths>
#include <system_error>

#include "app/AppContext.h"
#include "app/Command.h"
#include "settings/Settings.h"

namespace kirimo {

QString NotepadCommandLine(const std::u16string& dir) {
  return QStringLiteral("Notepad ") + QString::fromStdU16String(dir) +
         QString::fromUtf16(kReadmeName);
}

std::filesystem::path FindReadme(const std::filesystem::path& programDir) {
  const std::filesystem::path beside = programDir / kReadmeName;
  std::error_code error;
  if (std::filesystem::is_regular_file(beside, error)) return beside;
  // An installed copy: <prefix>/bin/kirimo with <prefix>/share/kirimo/.
  const std::filesystem::path shared = programDir.parent_path() / "share" / "kirimo" / kReadmeName;
  if (std::filesystem::is_regular_file(shared, error)) return shared;
  const QString located =
      QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                             QStringLiteral("kirimo/") + QString::fromUtf16(kReadmeName));
  if (!located.isEmpty()) return located.toStdU16String();
  return beside;
}

void OpenReadme(AppContext& ctx) {
  bool started = false;
  {
    // SettingsDir for the time of the command, as every command has it.
    const SettingsAccess access(ctx);
    const std::filesystem::path programDir = ctx.services.location.ExecutableDir();
    const std::filesystem::path readme = FindReadme(programDir);
#ifdef Q_OS_WIN
    started = ctx.services.launcher.StartCommandLine(
        NotepadCommandLine(settings::BuildSettingsPath(readme.parent_path())));
#else
    // There is no Notepad here: the desktop's program for text files.
    started =
        ctx.services.launcher.OpenWithDefaultProgram(QString::fromStdU16String(readme.u16string()));
#endif
  }
  if (!started) ShowMessage(ctx, QStringLiteral("メモ帳を起動できませんでした"), MsgIcon::Warning);
}

}  // namespace kirimo
