#pragma once
// The program with its floating window: the window as the user sees it
// (place and size in twips, its text), the timer's ticks against the fake
// clock, and mouse presses on the window.

#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>

#include "memos/MemoFixture.h"
#include "window/Clock.h"
#include "window/FloatingWindow.h"
#include "window/FrmWindow.h"

namespace kirimo::testing {

// A rectangle in twips (15 to the pixel on the test screen).
struct Twips {
  int left, top, width, height;
  bool operator==(const Twips&) const = default;
};
inline void PrintTo(const Twips& t, std::ostream* os) {
  *os << "(" << t.left << ", " << t.top << ", " << t.width << " x " << t.height << ")";
}

// The "frmWindow" lines of a stored place and size.
inline std::string WindowKeys(const Twips& t) {
  return "LEFT=" + std::to_string(t.left) + "\r\nTOP=" + std::to_string(t.top) +
         "\r\nWIDTH=" + std::to_string(t.width) + "\r\nHEIGHT=" + std::to_string(t.height) + "\r\n";
}

// Kirim.ini of a user who has started the program before, with the floating
// window shown at the last exit and the given "frmWindow" lines.
inline std::string ReturningIni(const std::string& windowKeys, const std::string& myData = "") {
  return "[MyData]\r\nHIDUKE=01/02/03/04:05\r\nSHYOKAI=1\r\nWINDOWFLAG=1\r\nWINHYOUJI=t\r\n" +
         myData + "[frmMain]\r\nLEFT=1500\r\nTOP=750\r\n[frmWindow]\r\n" + windowKeys;
}
inline std::string ReturningIni(const Twips& t, const std::string& myData = "") {
  return ReturningIni(WindowKeys(t), myData);
}

class WindowFixture : public MemoFixture {
 protected:
  FrmWindow* Window() { return FindFloatingWindow(ctx()); }
  QString WindowText() { return FloatingWindowText(ctx()); }
  Twips WindowTwips() {
    FrmWindow* w = Window();
    if (!w) throw std::runtime_error("the floating window is closed");
    const QRect g = w->geometry();
    return {g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15};
  }

  // One tick of Timer1, a second after the last.
  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) {
      clock.Advance(1);
      main->Timer1_Timer();
    }
  }

  // Counts the popups of the "ウインドウ" menu and closes each at once, as
  // Escape would.
  int& CountPopups() {
    QMenu* menu = ctx().ui.window.mnuWindow;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
      ++popups;
      QTimer::singleShot(0, menu, [menu] { menu->close(); });
    });
    return popups;
  }

  // Mouse events as the desktop delivers them: to the window, which hands
  // them to the control under the mouse.
  void Press(Qt::MouseButton button, QPoint at) {
    QTest::mousePress(Window()->windowHandle(), button, {}, at);
  }
  void Release(Qt::MouseButton button, QPoint at) {
    QTest::mouseRelease(Window()->windowHandle(), button, {}, at);
  }
  void MoveMouse(QPoint to) { QTest::mouseMove(Window()->windowHandle(), to); }

  // A point over the label's text.
  QPoint OverLabel() { return Window()->label()->geometry().center(); }

  int popups = 0;
};

}  // namespace kirimo::testing
