#pragma once
// A desktop that logs out or shuts down ends its programs with a signal on
// POSIX systems; this turns such a signal into an ordinary close of the main
// window, so that the settings are saved as with the close box.

class QWidget;

namespace kirimo {

// Closes `window` when SIGTERM, SIGHUP or SIGINT arrives. Does nothing on
// systems without POSIX signals, where the platform closes the windows itself.
void CloseOnEndSignals(QWidget* window);

// Puts back the handlers that were there before (for tests that start the
// program more than once in one process).
void RestoreEndSignals();

}  // namespace kirimo
