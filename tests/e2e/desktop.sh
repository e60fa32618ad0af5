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
  local log
  for log in kirimo xvfb openbox atspi; do
    [ -n "$work" ] && [ -f "$work/$log.log" ] && cp "$work/$log.log" "$E2E_OUT/$journey-$log.log"
  done
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

  # Xvfb picks a free display itself and says which. Without -noreset it
  # starts over whenever its last client leaves (the probes below, and
  # dbus-launch, are such clients), and a client connecting meanwhile is
  # refused: "openbox did not start".
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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
  wmctrl -m >/dev/null 2>&1 || fail "openbox did not start on $DISPLAY (Xvfb $(kill -0 "${desktop_pids[0]}" 2>/dev/null && echo alive || echo gone)): $(cat "$work/openbox.log")"
  sleep 0.3
}

stop_desktop() {
  local pid
  if [ -n "${kirimo_pid:-}" ] && kill "$kirimo_pid" 2>/dev/null; then
    # Its shutdown writes Kirim.ini: let it end before its folder goes.
    for _ in $(seq 50); do kill -0 "$kirimo_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$kirimo_pid" 2>/dev/null || true
  fi
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

# ax [--nth N] [--wait S] COMMAND ROLE NAME [WINDOW]: what the running
# copy's windows show, read through the accessibility bus (see atspi.py).
ax() {
  local args=(--pid "$kirimo_pid")
  while [[ "${1:-}" == --* ]]; do args+=("$1" "$2"); shift 2; done
  local command=$1 role=${2:-} name=${3:-} window=${4:-}
  [ -n "$window" ] && args+=(--in "$window")
  /usr/bin/python3 "$E2E_ROOT/tests/e2e/atspi.py" "${args[@]}" "$command" "$role" ${name:+"$name"}
}

# click [--nth N] ROLE NAME [WINDOW] [BUTTON]: a click on the control where
# it shows.
click() {
  local options=()
  while [[ "${1:-}" == --* ]]; do options+=("$1" "$2"); shift 2; done
  local at
  at=$(ax "${options[@]}" center "$1" "$2" "${3:-}") || fail "no $1 '$2' to click${3:+ in $3}"
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
checked() { ax states "$1" "$2" | grep -x checked >/dev/null; }

shot() { import -window root "$E2E_OUT/$journey-$1.png"; }

ini() { cat "$work/app/Kirim.ini"; }

# type_text TEXT: typed into the focused control. A character outside the
# keyboard's map is given a spare key first, all at once: left to xdotool,
# which remaps a key for each such character as it types it, the program can
# read a key before its new mapping arrives and lose or double a character.
type_text() {
  local map
  map=$(/usr/bin/python3 -c '
import sys
chars = sorted({c for c in sys.argv[1] if ord(c) > 126})
for i, c in enumerate(chars):
    print(f"keycode {200 + i} = U{ord(c):04X}")
' "$1")
  if [ -n "$map" ]; then
    xmodmap - <<<"$map"
    sleep 0.3
  fi
  sleep 0.2
  xdotool type --delay 40 "$1"
}

# focus ROLE NAME WINDOW: a click on the control, and the wait until it has
# the keyboard focus (a window just mapped may get it a moment later).
focus() {
  for _ in $(seq 30); do
    click "$1" "$2" "$3"
    ax states "$1" "$2" "$3" | grep -x focused >/dev/null && return 0
    sleep 0.2
  done
  fail "$1 '$2' in '$3' does not take the focus"
}

# enter_memo CAPTION TITLE CONTENT: a click on the empty slot's button, the
# two texts typed into the entry dialog, and OK.
enter_memo() {
  local caption=$1 title=$2 content=$3 dialog
  click "push button" "$caption" Kirimo
  dialog=$(wait_window "${caption}入力")
  focus text "メモの題名" "${caption}入力"
  type_text "$title"
  focus text "メモする内容" "${caption}入力"
  type_text "$content"
  [ "$(ax text text "メモの題名" "${caption}入力")" = "$title" ] || fail "the title box shows '$(ax text text "メモの題名" "${caption}入力")'"
  [ "$(ax text text "メモする内容" "${caption}入力")" = "$content" ] || fail "the content box shows '$(ax text text "メモする内容" "${caption}入力")'"
  click "push button" OK "${caption}入力"
  for _ in $(seq 50); do kirimo_windows | grep -q "${caption}入力" || break; sleep 0.1; done
  ! kirimo_windows | grep -q "${caption}入力" || fail "the entry dialog stayed open"
  ax center "push button" "$title" Kirimo >/dev/null || fail "no button shows the title '$title'"
}

# The value a key holds in Kirim.ini, as stored.
ini_value() { ini | tr -d '\r' | awk -F= -v key="$1" '$1 == key { sub(/^[^=]*=/, ""); print; exit }'; }

# The X window of the copy's floating window (the utility window).
floating_window() {
  local id
  for _ in $(seq 50); do
    for id in $(kirimo_windows | awk '{ print $1 }'); do
      xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_UTILITY && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  fail "no floating window (windows: $(kirimo_windows | tr '\n' ';'))"
}

# geometry ID: "X Y WIDTH HEIGHT" of an X window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# on_top ID: whether the window manager keeps the window above the others.
on_top() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# stacked_above A B: whether window A lies above window B.
stacked_above() {
  local a=$(($1)) b=$(($2)) id i=0 pa=0 pb=0
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//; s/,/ /g'); do
    i=$((i + 1))
    [ $((id)) -eq "$a" ] && pa=$i
    [ $((id)) -eq "$b" ] && pb=$i
  done
  [ "$pa" -gt 0 ] && [ "$pb" -gt 0 ] && [ "$pa" -gt "$pb" ]
}

# wait_label PATTERN: the floating window's text comes to match the
# extended regular expression; prints it.
wait_label() {
  local text=""
  for _ in $(seq "${2:-40}"); do
    text=$(ax --wait 2 text label "" Kirimo 2>/dev/null || true)
    grep -Eqx -- "$1" <<<"$text" && { echo "$text"; return 0; }
    sleep 0.1
  done
  fail "the floating window shows '$text', not /$1/"
}

# wait_no_window NAME: until the copy has no mapped window of this name.
wait_no_window() {
  for _ in $(seq 100); do
    kirimo_windows | awk -v name="$1" '{ $1 = ""; sub(/^ /, ""); if ($0 == name) f = 1 } END { exit !f }' ||
      return 0
    sleep 0.1
  done
  fail "the window '$1' stayed"
}

# The main window on screen, as the accessibility bus has it (message boxes
# bear its name too); prints its X window.
wait_main() {
  ax center frame Kirimo >/dev/null || fail "no main window on screen"
  wait_window Kirimo
}

# expect_message TEXT [BUTTON...]: the program's message box on screen says
# TEXT and offers these buttons, in order (OK alone when none are given).
expect_message() {
  local text=$1 got want
  shift
  [ $# -gt 0 ] || set -- OK
  got=$(ax alert) ||
    fail "no message box; expected '$text' [$*]"
  want=$(printf '%s\n' "$text" "$@")
  [ "$got" = "$want" ] || fail "expected the box '$text' [$*], saw: $(tr '\n' '|' <<<"$got")"
}

# no_message: no message box of the copy is on screen.
no_message() {
  local got
  if got=$(ax --wait 0 alert 2>/dev/null); then
    fail "an unexpected message box: $(tr '\n' '|' <<<"$got")"
  fi
}

# answer BUTTON: clicks BUTTON in the message box and waits until the box
# has gone.
answer() {
  click "push button" "$1" Kirimo
  for _ in $(seq 50); do
    ax --wait 0 alert >/dev/null 2>&1 ||
      return 0
    sleep 0.1
  done
  fail "the message box stayed after '$1'"
}

# open_popup COMMAND...: runs COMMAND, the click that opens a popup menu, and
# lists the menu as it shows, "X Y STATES NAME" an item (see atspi.py).
open_popup() {
  /usr/bin/python3 "$E2E_ROOT/tests/e2e/atspi.py" --pid "$kirimo_pid" popup -- "$@" ||
    fail "no menu opened by: $*"
}

# popup_click LISTING NAME: a click on the item NAME of an open popup menu
# that open_popup listed.
popup_click() {
  local at
  at=$(awk -v name="$2" '{ x = $1; y = $2; $1 = $2 = $3 = ""; sub(/^ +/, ""); if ($0 == name) { print x, y; exit } }' <<<"$1")
  [ -n "$at" ] || fail "no item '$2' in the menu: $(tr '\n' '|' <<<"$1")"
  xdotool mousemove $at click 1
}

# start_tray: a notification area (the trayer panel, top right), for a
# program started after it.
start_tray() {
  trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
    --transparent false --tint 0xc0c0c0 >"$work/trayer.log" 2>&1 &
  desktop_pids+=($!)
  for _ in $(seq 100); do
    xwininfo -root -tree | grep '("trayer" "Trayer")' >/dev/null && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "trayer did not start: $(cat "$work/trayer.log")"
}

# docked_icon: "X Y", the centre of the program's icon docked in the panel
# (a small window of the program's inside it), or nothing when none is.
# (Here and below every reader takes all its input: one that leaves early
# fails the writer, and with it the pipeline.)
docked_icon() {
  xwininfo -root -tree | awk '/\("kirimo" "Kirimo"\)/ && !at {
    split($0, a, /\)  /); split(a[2], g, /[x+ ]+/)
    if (g[1] < 64 && g[2] < 64) at = g[5] + int(g[1] / 2) " " g[6] + int(g[2] / 2) }
    END { if (at) print at }'
}

# tray_icon: the same, once the icon has docked.
tray_icon() {
  local at
  for _ in $(seq 100); do
    at=$(docked_icon)
    [ -n "$at" ] && { echo "$at"; return 0; }
    sleep 0.1
  done
  fail "the icon did not dock"
}

# on_screen ROLE NAME [WINDOW]: whether the control shows now (no waiting).
on_screen() { ax --wait 0 center "$1" "$2" "${3:-}" >/dev/null 2>&1; }

# wait_unmapped ID: until the X window is off the screen, hidden or
# minimised (where there is no tray to hide into).
wait_unmapped() {
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null || return 0
    sleep 0.1
  done
  fail "the window $1 stayed on screen"
}
