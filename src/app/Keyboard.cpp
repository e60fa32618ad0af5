#include "app/Keyboard.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

namespace kirimo {

namespace {

class KeyboardAccess : public QObject {
 public:
  KeyboardAccess(QMainWindow* window, bool altHandledByStyle)
      : QObject(window), window_(window), altHandledByStyle_(altHandledByStyle) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      const bool plain =
          key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
      // Alt alone, with no other key between its press and its release.
      if (key->key() != Qt::Key_Alt)
        altAlone_ = false;
      else if (!key->isAutoRepeat())
        altAlone_ = true;
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
        if (auto* button = qobject_cast<QPushButton*>(watched); button && button->isEnabled()) {
          button->animateClick();
          return true;
        }
      }
      if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
        OpenMenuBar();
        return true;
      }
    } else if (event->type() == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Alt && !key->isAutoRepeat() && altAlone_) {
        altAlone_ = false;
        if (!altHandledByStyle_) {
          OpenMenuBar();
          return true;
        }
      }
    } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusOut) {
      altAlone_ = false;
    }
    return false;
  }

 private:
  void OpenMenuBar() {
    QMenuBar* bar = window_->menuBar();
    const QList<QAction*> menus = bar->actions();
    if (menus.isEmpty()) return;
    bar->setFocus(Qt::MenuBarFocusReason);
    // From wherever the bar was left, the first menu again.
    bar->setActiveAction(nullptr);
    bar->setActiveAction(menus.first());
  }

  QMainWindow* window_;
  bool altHandledByStyle_;
  bool altAlone_ = false;
};

}  // namespace

void InstallKeyboardAccess(QMainWindow* window) {
  // Styles that move to the menu bar on Alt themselves (Windows') keep it.
  const bool altByStyle =
      window->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, window->menuBar());
  auto* access = new KeyboardAccess(window, altByStyle);
  window->installEventFilter(access);
  for (QPushButton* button : window->findChildren<QPushButton*>())
    button->installEventFilter(access);
}

}  // namespace kirimo
