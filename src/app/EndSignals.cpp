#include "app/EndSignals.h"

#include <QPointer>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#endif

namespace kirimo {

#ifdef Q_OS_UNIX
namespace {

// Only async-signal-safe work in the handler: one byte into a socket that
// the event loop watches.
int signalSocket[2] = {-1, -1};

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};
// The handlers that were there before ours, for RestoreEndSignals.
struct sigaction previous[3];
bool installed = false;

void OnEndSignal(int) {
  const char byte = 1;
  [[maybe_unused]] auto written = ::write(signalSocket[0], &byte, 1);
}

}  // namespace

// One window at a time closes on the signals: the latest one given.
namespace {
QPointer<QSocketNotifier> current;
}  // namespace

void CloseOnEndSignals(QWidget* window) {
  if (signalSocket[0] == -1 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0) return;
  delete current.data();
  auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, window);
  current = notifier;
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window, notifier] {
    char byte;
    [[maybe_unused]] auto got = ::read(signalSocket[1], &byte, 1);
    notifier->setEnabled(false);
    window->close();
  });
  struct sigaction action = {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i)
    ::sigaction(kEndSignals[i], &action, installed ? nullptr : &previous[i]);
  installed = true;
}

void RestoreEndSignals() {
  if (!installed) return;
  for (int i = 0; i < 3; ++i) ::sigaction(kEndSignals[i], &previous[i], nullptr);
  installed = false;
}
#else
void CloseOnEndSignals(QWidget*) {}
void RestoreEndSignals() {}
#endif

}  // namespace kirimo
