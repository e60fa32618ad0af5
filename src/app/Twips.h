#pragma once
// Window lengths are kept in twips (1/1440 inch), as the layouts and the
// settings file use them, and turned into pixels only at the Qt boundary.

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <cmath>

namespace kirimo {

inline double TwipsPerPixel() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

inline double PixelsToTwips(int pixels) { return pixels * TwipsPerPixel(); }

// A control's place from the twips of its layout.
inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

inline QRect TwipsRect(const QRect& twips) {
  return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

}  // namespace kirimo
