#pragma once
// What main() does around the event loop, shared with the tests so that it
// is under test too.

#include <QByteArray>
#include <memory>

class QObject;

namespace kirimo {

struct AppContext;
class FrmMain;

// The platform plugin for a Linux Wayland session: window positions,
// centring and always-on-top need X11, which XWayland gives. "xcb" when the
// user has chosen no platform (QT_QPA_PLATFORM empty), the session is
// Wayland and an X server is reachable (DISPLAY set); otherwise empty, and
// Qt chooses as usual.
QByteArray PlatformForSession(const QByteArray& chosen, const QByteArray& waylandDisplay,
                              const QByteArray& sessionType, const QByteArray& display);
// Sets QT_QPA_PLATFORM by PlatformForSession; before the application object.
void ChooseWindowPlatform();

// Names, version, fonts and the main window's life for the application
// object, which must exist already.
void ConfigureApplication();

// Qt's own texts in Japanese (from the program's resources), whatever the
// system's language; the translation goes with owner.
bool InstallQtJapanese(QObject* owner);

// Builds the main window, runs start-up, saves at the end of the session
// and on the end signals, and shows the window. Empty when the program must
// end at once (another copy runs).
std::unique_ptr<FrmMain> StartProgram(AppContext& ctx);

}  // namespace kirimo
