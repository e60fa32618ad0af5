#pragma once
// A push button whose caption, when wider than the button, is shown from
// its start and cut at the end with "…" (a plain QPushButton centres it and
// cuts both ends, so a long title reads as another word). The caption
// itself, and with it the name a screen reader announces, stays whole.

#include <QPushButton>

namespace kirimo {

class ElidingButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

  // The caption as painted.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int TextRoom() const;
};

// Sets a button's caption; where it is cut, the tooltip holds it whole.
void SetButtonCaption(QPushButton* button, const QString& caption);

}  // namespace kirimo
