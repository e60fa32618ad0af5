#pragma once
// The floating window: a borderless window with one line of text, the
// clock or the memo just recalled, over a gingham picture. The user moves
// it by pressing on it and pops up the main window's "ウインドウ" menu with a
// right click. It exists from OpenFloatingWindow until it is closed.

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QLabel;

namespace kirimo {

struct AppContext;

class FrmWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FrmWindow(AppContext& ctx);
  ~FrmWindow() override;

  // Size and place from the settings file (or the first start's default),
  // always-on-top and font size; once, before the window is first shown.
  void Form_Load();
  // False once the window has closed; it is then only waiting to be deleted.
  bool IsLoaded() const { return loaded_; }

  QLabel* label() const { return lblText; }
  // The one line the window shows; what lies beyond the window's edges is
  // cut off.
  void SetText(const QString& text);
  // Fits the label to the window and its font.
  void FitLabel();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Unload();
  void StartMove();

  AppContext& ctx_;
  bool loaded_ = false;
  QLabel* lblText;
  QPixmap background_;

  // The press that may become a move: the button, where it went down, and
  // whether the window follows the mouse by hand (where the desktop cannot
  // move it itself).
  Qt::MouseButton pressed_ = Qt::NoButton;
  QPoint pressGlobal_;
  QPoint pressWindowPos_;
  bool moving_ = false;
  bool movingByHand_ = false;
};

// The open floating window, or null while it is closed.
FrmWindow* FindFloatingWindow(AppContext& ctx);

}  // namespace kirimo
