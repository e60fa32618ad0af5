# A private X desktop for one journey: Xvfb, a window manager and a session
# bus, each its own process, started and stopped by PID, with a HOME,
# XDG_RUNTIME_DIR and program copy of its own. Sourced by the journeys.

set -euo pipefail

E2E_ROOT=${E2E_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_BIN=${E2E_BIN:-$E2E_ROOT/build/bin}
E2E_OUT=${E2E_OUT:-$E2E_ROOT/build/e2e}
mkdir -p "$E2E_OUT"

desktop_pids=()
journey=""
work=""

fail() {
  echo "FAIL [$journey]: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then import -window root "$E2E_OUT/$journey-failed.png" 2>/dev/null || true; fi
  [ -n "$work" ] && [ -f "$work/kirimo.log" ] && cp "$work/kirimo.log" "$E2E_OUT/$journey.log"
  [ -n "${kirimo_pid:-}" ] && ax dump "" >"$E2E_OUT/$journey-windows.txt" 2>&1 || true
  exit 1
}

# start_desktop NAME: a fresh directory with a copy of the program, and a
# desktop to run it on.
start_desktop() {
  journey=$1
  # Each journey runs in a subshell of its own, which does not inherit the
  # caller's traps: whatever way it ends, its processes go with it.
  trap stop_desktop EXIT
  work=$(mktemp -d "/tmp/kirimo-e2e-$journey.XXXXXX")
  mkdir -p "$work/home" "$work/runtime" "$work/app"
  chmod 700 "$work/runtime"
  cp "$E2E_BIN/kirimo" "$E2E_BIN/Kirimo_Readme.txt" "$work/app/"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  export LANG=C.UTF-8

  # Xvfb picks a free display itself and says which.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  desktop_pids+=($!)
  for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb does not answer"

  eval "$(dbus-launch --sh-syntax)"
  desktop_pids+=("$DBUS_SESSION_BUS_PID")
  openbox >"$work/openbox.log" 2>&1 &
  desktop_pids+=($!)
  # The accessibility bus, on this session's bus, for reading the windows
  # as a screen reader does.
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
  desktop_pids+=($!)
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
  wmctrl -m >/dev/null 2>&1 || fail "openbox did not start: $(cat "$work/openbox.log")"
  sleep 0.3
}

stop_desktop() {
  local pid
  [ -n "${kirimo_pid:-}" ] && kill "$kirimo_pid" 2>/dev/null || true
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  desktop_pids=()
  kirimo_pid=""
  [ -n "$work" ] && rm -rf "$work"
  work=""
}
trap stop_desktop EXIT

start_kirimo() {
  "$work/app/kirimo" >>"$work/kirimo.log" 2>&1 &
  kirimo_pid=$!
}

# The X windows of the running copy, one "id name" a line. Names are
# compared here, in UTF-8, not by xdotool's expressions, which mis-match
# Japanese names in some locales.
kirimo_windows() {
  wmctrl -lp | awk -v pid="$kirimo_pid" '$3 == pid { id = $1; $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print id, $0 }'
}

# wait_window NAME: the id of the copy's mapped window with exactly this name.
wait_window() {
  local id
  for _ in $(seq 150); do
    id=$(kirimo_windows | awk -v name="$1" '{ i = $1; $1 = ""; sub(/^ /, ""); if ($0 == name) { print i; exit } }')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$1' (windows: $(kirimo_windows | tr '\n' ';'))"
}

wait_exit() {
  for _ in $(seq 100); do kill -0 "$kirimo_pid" 2>/dev/null || { wait "$kirimo_pid"; return $?; }; sleep 0.1; done
  fail "the program did not end"
}

wait_clipboard() {
  local got=""
  for _ in $(seq 50); do
    got=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$1" ] && return 0
    sleep 0.1
  done
  fail "clipboard holds '$got', not '$1'"
}

# ax COMMAND ROLE NAME [WINDOW]: what the running copy's windows show, read
# through the accessibility bus (see atspi.py).
ax() {
  local command=$1 role=$2 name=${3:-} window=${4:-}
  local args=(--pid "$kirimo_pid")
  [ -n "$window" ] && args+=(--in "$window")
  /usr/bin/python3 "$E2E_ROOT/tests/e2e/atspi.py" "${args[@]}" "$command" "$role" ${name:+"$name"}
}

# click ROLE NAME [WINDOW] [BUTTON]: a click on the control where it shows.
click() {
  local at
  at=$(ax center "$1" "$2" "${3:-}") || fail "no $1 '$2' to click${3:+ in $3}"
  xdotool mousemove $at click "${4:-1}"
}

# menu TOP ITEM...: opens the menu bar's TOP menu and walks down the items,
# clicking each as it shows.
menu() {
  click "menu item" "$1"
  shift
  local item
  for item in "$@"; do
    sleep 0.2
    click "menu item" "$item"
  done
}

# checked ROLE NAME: whether the control shows its check mark.
checked() { ax states "$1" "$2" | grep -qx checked; }

shot() { import -window root "$E2E_OUT/$journey-$1.png"; }

ini() { cat "$work/app/Kirim.ini"; }
