#include "window/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace kirimo {

namespace {

// Squared distance between two rectangles, 0 when they overlap.
long long Distance(const QRect& a, const QRect& b) {
  const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
  const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
  return dx * dx + dy * dy;
}

long long Overlap(const QRect& a, const QRect& b) {
  const QRect both = a.intersected(b);
  return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

int Clamp(int start, int length, int areaStart, int areaLength) {
  // Too long for the area: its start stays reachable.
  if (length >= areaLength) return areaStart;
  return std::clamp(start, areaStart, areaStart + areaLength - length);
}

}  // namespace

QPoint PlaceInside(const QRect& window, const QList<QRect>& areas) {
  if (areas.isEmpty()) return window.topLeft();
  for (const QRect& area : areas)
    if (area.contains(window)) return window.topLeft();
  // The area it overlaps most, or else the nearest one.
  const QRect* best = nullptr;
  long long bestOverlap = -1;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const QRect& area : areas) {
    const long long overlap = Overlap(window, area);
    const long long distance = Distance(window, area);
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
      best = &area;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return QPoint(Clamp(window.x(), window.width(), best->x(), best->width()),
                Clamp(window.y(), window.height(), best->y(), best->height()));
}

QList<QRect> AvailableScreenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas.append(screen->availableGeometry());
  return areas;
}

void KeepOnScreen(QWidget* window, const QRect& outer) {
  // A Wayland compositor neither tells nor takes a window's place: what is
  // stored stays as it is.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  const QPoint place = PlaceInside(outer, AvailableScreenAreas());
  if (place != outer.topLeft()) window->move(window->pos() + (place - outer.topLeft()));
}

}  // namespace kirimo
