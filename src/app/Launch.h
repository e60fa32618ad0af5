#pragma once
// What main() does around the event loop, shared with the tests so that it
// is under test too.

#include <memory>

class QObject;

namespace kirimo {

struct AppContext;
class FrmMain;

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
