// The platform chosen for a Wayland session: X11 through XWayland unless
// the user chose one, or there is no X server to reach.

#include <gtest/gtest.h>

#include "app/Launch.h"

namespace kirimo::testing {
namespace {

TEST(PlatformChoiceTest, XcbOnlyForAWaylandSessionWithXWaylandAndNoChoiceOfTheUser) {
  struct Case {
    const char *chosen, *waylandDisplay, *sessionType, *display, *expected;
  };
  const Case cases[] = {
      {"", "wayland-0", "wayland", ":0", "xcb"},
      {"", "wayland-0", "", ":1", "xcb"},
      {"", "", "wayland", ":0", "xcb"},
      {"wayland", "wayland-0", "wayland", ":0", ""},  // the user's choice stands
      {"offscreen", "", "", ":0", ""},
      {"", "wayland-0", "wayland", "", ""},  // no XWayland: native
      {"", "", "x11", ":0", ""},             // X11 already
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.chosen) + "|" + c.waylandDisplay + "|" + c.sessionType + "|" +
                 c.display);
    EXPECT_EQ(PlatformForSession(c.chosen, c.waylandDisplay, c.sessionType, c.display),
              QByteArray(c.expected));
  }
}

}  // namespace
}  // namespace kirimo::testing
