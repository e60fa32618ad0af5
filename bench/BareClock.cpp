// The floor Kirimo's idle clock is measured against: a bare Qt program whose
// frameless bold label shows the time, updated once a second. Used by
// tools/perf.sh; not part of the program.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label;
  label.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  label.setWindowTitle(QStringLiteral("BareClock"));
  QFont font = label.font();
  font.setBold(true);
  font.setPointSize(12);
  label.setFont(font);
  label.resize(200, 33);
  auto tick = [&label] {
    label.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
  };
  tick();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, tick);
  timer.start(1000);
  label.show();
  return app.exec();
}
