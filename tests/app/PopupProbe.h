#pragma once
// Which popup menu an action opens, for tests: QMenu::exec waits for the
// menu to close, so it is looked at and closed (with Escape, as a user
// would) from inside the wait.

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

namespace kirimo::testing {

// The popup menu that fn opens; nullptr when it opens none.
inline QWidget* PopupDuring(const std::function<void()>& fn) {
  QPointer<QWidget> seen;
  QTimer::singleShot(0, [&] {
    seen = QApplication::activePopupWidget();
    if (seen) QTest::keyClick(seen, Qt::Key_Escape);
    // A popup that ignores Escape must not hang the test.
    if (QWidget* still = QApplication::activePopupWidget()) still->close();
  });
  fn();
  QCoreApplication::processEvents();
  return seen;
}

}  // namespace kirimo::testing
