// Start-up probe of tools/perf.sh: starts a program and reports when a given
// number of its top-level windows are viewable on the X display.
//
//   wait_mapped WINDOWS PROGRAM [ARGUMENTS...]
//
// Prints "PID MILLISECONDS" (the time from just before the fork to the last
// of those windows becoming viewable) on stdout and closes stdout, so that a
// reader of a pipe sees the line at once; then stays the program's parent
// until it ends and exits with its status. Driven by the X server's events
// rather than by polling, so that the probe takes no CPU time away from the
// start-up it measures. Not part of the program.

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <set>

namespace {

// Windows are given up on after this long: a program that never shows them
// must not hang the whole measurement.
constexpr int kTimeoutMs = 60000;

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

class Watch {
 public:
  Watch(xcb_connection_t* c, xcb_window_t root) : c_(c), pidAtom_(Atom(c, "_NET_WM_PID")) {
    // Every top-level window is created as a child of the root, before any
    // window manager reparents it into its frame.
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip, so that the selection is in force before the program
    // can create its first window.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }

  void Follow(xcb_window_t w) {
    if (!candidates_.insert(w).second) return;
    // Its own map and reparent events, wherever the window manager puts it.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c_, w, XCB_CW_EVENT_MASK, &mask);
  }

  // The windows of `pid` that are viewable now (mapped, and every ancestor
  // mapped: under a reparenting window manager the frame is mapped after
  // the client). Re-checked on every event, since a window may have been
  // mapped before we followed it.
  size_t CountViewable(pid_t pid) {
    for (const xcb_window_t w : candidates_) {
      if (viewable_.count(w)) continue;
      const Reply<xcb_get_window_attributes_reply_t> attributes(
          xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr));
      if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
      if (OwnerPid(w) == pid) viewable_.insert(w);
    }
    return viewable_.size();
  }

 private:
  long OwnerPid(xcb_window_t w) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, w, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) return -1;
    return static_cast<long>(*static_cast<uint32_t*>(xcb_get_property_value(reply.get())));
  }

  xcb_connection_t* c_;
  xcb_atom_t pidAtom_;
  std::set<xcb_window_t> candidates_;
  std::set<xcb_window_t> viewable_;
};

int WaitForEnd(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return 1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::atoi(argv[1]) < 1) {
    std::fprintf(stderr, "usage: %s WINDOWS PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  const size_t windows = static_cast<size_t>(std::atoi(argv[1]));
  int screen = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screen);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "wait_mapped: cannot open the display\n");
    return 2;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screen; ++i) xcb_screen_next(&it);
  Watch watch(c, it.data->root);
  // The program must not inherit our connection.
  const int fd = xcb_get_file_descriptor(c);
  fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);

  const double start = NowMs();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("wait_mapped: fork");
    return 2;
  }
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    _exit(127);
  }

  while (watch.CountViewable(pid) < windows) {
    const double left = kTimeoutMs - (NowMs() - start);
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "wait_mapped: %s ended before its windows were shown\n", argv[2]);
      return 1;
    }
    if (left <= 0) {
      std::fprintf(stderr, "wait_mapped: %s showed fewer than %zu windows in %d ms\n", argv[2],
                   windows, kTimeoutMs);
      kill(pid, SIGKILL);
      WaitForEnd(pid);
      return 1;
    }
    pollfd p{fd, POLLIN, 0};
    // Short slices, so that a program that dies is noticed.
    poll(&p, 1, left < 100 ? static_cast<int>(left) + 1 : 100);
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY:
          watch.Follow(reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
          break;
        case XCB_MAP_NOTIFY:
          watch.Follow(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
          break;
        default:
          break;
      }
      std::free(event);
    }
    if (xcb_connection_has_error(c)) {
      std::fprintf(stderr, "wait_mapped: lost the display\n");
      return 2;
    }
  }
  const double elapsed = NowMs() - start;
  xcb_disconnect(c);
  std::printf("%d %.1f\n", static_cast<int>(pid), elapsed);
  std::fflush(stdout);
  std::fclose(stdout);
  return WaitForEnd(pid);
}
