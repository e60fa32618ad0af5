#pragma once
// Where a window may stand: the screens' available areas, and a place just
// inside the nearest of them for a window that would otherwise be out of
// reach (a position stored on a larger screen, or on a monitor since
// unplugged).

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kirimo {

// The top-left corner that puts `window` (its outer rectangle) inside one
// of `areas`: unchanged when it already lies wholly inside one; otherwise
// moved just inside the area nearest to it. A window larger than the area
// keeps its top-left corner (and so its title bar or its text) inside.
QPoint PlaceInside(const QRect& window, const QList<QRect>& areas);

// The available areas of the screens the desktop has now.
QList<QRect> AvailableScreenAreas();

// Moves a top-level window inside the nearest screen when it is not on one;
// `outer` is its rectangle with the frame.
void KeepOnScreen(QWidget* window, const QRect& outer);

}  // namespace kirimo
