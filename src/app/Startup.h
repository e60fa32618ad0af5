#pragma once
// Start-up and shutdown of the program: the load and close routines of the
// main window, as steps on the shared context. They need the main window
// only as a window to place, not its controls.

namespace kirimo {

struct AppContext;

enum class LoadResult { Running, Terminate };

// Start-up. Terminate means the process must end at once: another copy
// runs, the user closed the password dialog, or the lock was found weakened
// by hand. Nothing of this run is written then (besides the wipe and the
// lock put back).
LoadResult MainFormLoad(AppContext& ctx);

// Shutdown: writes the settings back and removes the tray icon. Runs once
// per run, however the end comes (close box, end command, logout); a
// second call does nothing.
void MainFormQueryUnload(AppContext& ctx);

// Unloads the other windows and ends the event loop.
void MainFormUnload(AppContext& ctx);

// The end command (cmdEnd, mnuEnd): the other windows go first, so the
// floating window's unload is saved as closed, then the main window closes.
void EndProgram(AppContext& ctx);

}  // namespace kirimo
