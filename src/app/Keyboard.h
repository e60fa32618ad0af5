#pragma once
// The main window's keyboard, as on Windows: Return and Enter press the
// focused button (Qt presses only with Space outside dialogs), and F10 or a
// lone Alt take the keyboard to the menu bar, so that every menu can be
// reached without a mouse.

class QMainWindow;

namespace kirimo {

void InstallKeyboardAccess(QMainWindow* window);

}  // namespace kirimo
