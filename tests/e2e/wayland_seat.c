// A seat (keyboard and pointer) for weston's headless backend, which has
// none of its own. Without a seat a Wayland compositor keeps no clipboard
// and activates no window: Qt refuses to set the selection ("no wl_seats
// available"), and wl-paste finds nothing to read. No input device is
// behind it; it only lets the compositor focus windows and hold the
// selection, as on a desktop with a keyboard plugged in.
//
// Loaded with: weston --backend=headless-backend.so --modules=wayland_seat.so

#include <libweston/libweston.h>
#include <wayland-server.h>

// Exported by libweston for its backends, but declared only in its
// private headers.
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* compositor,
                      const char* name);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void weston_seat_init_pointer(struct weston_seat* seat);

// The seat lives as long as the compositor.
static struct weston_seat seat;

WL_EXPORT int wet_module_init(struct weston_compositor* compositor, int* argc, char* argv[]) {
  (void)argc;
  (void)argv;
  weston_seat_init(&seat, compositor, "seat0");
  weston_seat_init_pointer(&seat);
  // No keymap of its own: the compositor's default, from weston.ini.
  return weston_seat_init_keyboard(&seat, NULL) < 0 ? -1 : 0;
}
