// Kirimo: ten memo slots, one click to the clipboard.

#include <QApplication>

#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "app/Launch.h"
#include "app/QtPlatform.h"

int main(int argc, char* argv[]) {
  kirimo::ChooseWindowPlatform();
  QApplication app(argc, argv);
  kirimo::ConfigureApplication();

  kirimo::DesktopServices desktop;
  kirimo::AppContext ctx(kirimo::Services{desktop.messages, desktop.clock, desktop.instanceLock,
                                          desktop.location, desktop.random, desktop.tray,
                                          desktop.stacking, desktop.launcher});
  const std::unique_ptr<kirimo::FrmMain> frmMain = kirimo::StartProgram(ctx);
  if (!frmMain) return 0;
  return app.exec();
}
