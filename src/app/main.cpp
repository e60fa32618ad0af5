// Kirimo: ten memo slots, one click to the clipboard.

#include <QApplication>
#include <QFont>

#include "app/AppContext.h"
#include "app/EndSignals.h"
#include "app/FrmMain.h"
#include "app/QtPlatform.h"
#include "app/Version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kirimo"));
  QApplication::setApplicationVersion(QString::fromLatin1(kirimo::version::kText));
  // The program hides in the tray; only the end command ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  // The Windows UI font, or its metric-compatible stand-in elsewhere.
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont font(QStringLiteral("MS UI Gothic"), 9);
  QApplication::setFont(font);

  kirimo::QtMessageBoxes messages;
  kirimo::SystemClock clock;
  kirimo::UserInstanceLock instanceLock;
  kirimo::ExecutableSettingsLocation location;
  kirimo::SystemRandomSource random;
  kirimo::AppContext ctx(kirimo::Services{messages, clock, instanceLock, location, random});

  kirimo::FrmMain frmMain(ctx);
  if (frmMain.Form_Load() == kirimo::LoadResult::Terminate) return 0;
  kirimo::CloseOnEndSignals(&frmMain);
  frmMain.show();
  return app.exec();
}
