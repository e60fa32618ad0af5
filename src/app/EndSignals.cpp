#include "app/EndSignals.h"

#include <QWidget>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kirimo {

#ifdef Q_OS_UNIX
namespace {

// Only async-signal-safe work in the handler: one byte into a socket that
// the event loop watches.
int signalSocket[2] = {-1, -1};

void OnEndSignal(int) {
  const char byte = 1;
  [[maybe_unused]] auto written = ::write(signalSocket[0], &byte, 1);
}

}  // namespace

void CloseOnEndSignals(QWidget* window) {
  if (signalSocket[0] == -1 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0) return;
  auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, window);
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
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &action, nullptr);
}
#else
void CloseOnEndSignals(QWidget*) {}
#endif

}  // namespace kirimo
