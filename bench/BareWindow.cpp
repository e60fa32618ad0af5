// The floors that tools/perf.sh measures Kirimo's start-up, memory and idle
// CPU time against: a bare Qt window of the main window's client size and,
// built with BARE_WINDOW_TIMER, the same window with a one-second timer
// whose tick does nothing. Not part of the program.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("BareWindow"));
  window.resize(554, 293);
#ifdef BARE_WINDOW_TIMER
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [] {});
  timer.start(1000);
#endif
  window.show();
  return app.exec();
}
