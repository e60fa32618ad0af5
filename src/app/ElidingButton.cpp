#include "app/ElidingButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kirimo {

int ElidingButton::TextRoom() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  // The style draws the caption inside the contents with a margin each side.
  return contents.width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
}

QString ElidingButton::ShownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, TextRoom());
}

void ElidingButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text = ShownText();
  painter.drawControl(QStyle::CE_PushButton, option);
}

void SetButtonCaption(QPushButton* button, const QString& caption) {
  button->setText(caption);
  const auto* eliding = qobject_cast<const ElidingButton*>(button);
  const bool cut = eliding && eliding->ShownText() != caption;
  button->setToolTip(cut ? caption : QString());
}

}  // namespace kirimo
