#include "app/Launch.h"

#include <QApplication>
#include <QFont>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "app/AppContext.h"
#include "app/EndSignals.h"
#include "app/FrmMain.h"
#include "app/Version.h"

// Resources of a static library are registered by hand.
static void InitTranslationResources() { Q_INIT_RESOURCE(translations); }

namespace kirimo {

bool InstallQtJapanese(QObject* owner) {
  InitTranslationResources();
  auto* translator = new QTranslator(owner);
  if (!translator->load(QStringLiteral(":/kirimo/translations/qtbase_ja.qm"))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QByteArray PlatformForSession(const QByteArray& chosen, const QByteArray& waylandDisplay,
                              const QByteArray& sessionType, const QByteArray& display) {
  const bool wayland = !waylandDisplay.isEmpty() || sessionType == "wayland";
  if (!chosen.isEmpty() || !wayland || display.isEmpty()) return {};
  return QByteArrayLiteral("xcb");
}

void ChooseWindowPlatform() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  const QByteArray platform =
      PlatformForSession(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                         qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
  if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
#endif
}

namespace {

// Start-up places the window's frame, as shutdown saves it. Some window
// managers put the client area where the frame was asked for, since the
// frame is not known before the window is mapped; the window would then
// creep by its frame at every start. Once the frame is known, it is moved
// where start-up placed it (once: later moves are the user's).
void KeepFramePlaced(QWidget* window, QPoint placed) {
  auto* watch = new QTimer(window);
  watch->setInterval(25);
  auto tries = std::make_shared<int>(0);
  QObject::connect(watch, &QTimer::timeout, window, [window, watch, placed, tries] {
    const bool frameKnown = window->frameGeometry() != window->geometry();
    if (frameKnown || ++*tries > 200) {
      watch->deleteLater();
      if (frameKnown && window->pos() != placed) window->move(placed);
    }
  });
  watch->start();
}

}  // namespace

void ConfigureApplication() {
  QApplication::setApplicationName(QStringLiteral("Kirimo"));
  QApplication::setApplicationVersion(QString::fromLatin1(version::kText));
  // The desktop entry's name: desktops match the windows and the tray icon
  // to the installed entry and its icon by it.
  QGuiApplication::setDesktopFileName(QStringLiteral("jp.kirimo.Kirimo"));
  // The program hides in the tray; only the end command ends it.
  QApplication::setQuitOnLastWindowClosed(false);
  // Kirimo is a Japanese program on every system.
  InstallQtJapanese(qApp);
  // The Windows UI font, or its metric-compatible stand-in elsewhere.
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QApplication::setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
}

std::unique_ptr<FrmMain> StartProgram(AppContext& ctx) {
  auto frmMain = std::make_unique<FrmMain>(ctx);
  if (frmMain->Form_Load() == LoadResult::Terminate) return nullptr;
  CloseOnEndSignals(frmMain.get());
  // A session that ends through its session manager (and Windows' end of
  // session) asks the program to save; nothing may be lost if no close
  // follows. The close that may come afterwards has nothing left to save.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, frmMain.get(),
                   [&ctx](QSessionManager&) { MainFormQueryUnload(ctx); });
  const QPoint placed = frmMain->pos();
  frmMain->show();
  KeepFramePlaced(frmMain.get(), placed);
  return frmMain;
}

}  // namespace kirimo
