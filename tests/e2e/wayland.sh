#!/usr/bin/env bash
# Kirimo on native Wayland, with no X server anywhere (no DISPLAY, no
# XWayland): on weston's headless backend it starts on the wayland
# platform, maps its main window, stores a memo entered through the entry
# dialog, puts it on the clipboard (read back with wl-paste), ends through
# the end command with Kirim.ini written, and a second start decodes and
# recalls the memo again.
#
# The headless backend has no seat, and so no clipboard and no focus:
# tests/e2e/wayland_seat.c, built here against libweston, gives it one.
# Nothing on Wayland can send input to another program's windows, so the
# program is driven through the accessibility bus (tests/e2e/wayland_drive.py),
# which presses its buttons and menu items and fills its text boxes.
#
# On failure it says what it expected, and leaves the program's output, the
# compositor's log and a screenshot in build/e2e/.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=${E2E_BIN:-$root/build/bin}
out=${E2E_OUT:-$root/build/e2e}
mkdir -p "$out"

work=$(mktemp -d /tmp/kirimo-wayland.XXXXXX)
weston_pid="" bus_pid="" atspi_pid="" kirimo_pid=""

stop() {
  local pid
  for pid in "$kirimo_pid" "$atspi_pid" "$bus_pid" "$weston_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "$kirimo_pid" "$atspi_pid" "$weston_pid"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop EXIT

shot() {
  # weston-screenshooter writes into the current directory, under a name
  # of its own.
  (cd "$work/shots" && rm -f ./*.png && timeout 10 weston-screenshooter >/dev/null 2>&1 &&
    mv ./*.png "$out/wayland-$1.png") || true
}

fail() {
  echo "FAIL [wayland]: $*" >&2
  shot failed
  cp "$work/kirimo.log" "$out/wayland.log" 2>/dev/null || true
  cp "$work/weston.log" "$out/wayland-weston.log" 2>/dev/null || true
  exit 1
}

drive() { /usr/bin/python3 "$here/wayland_drive.py" "$kirimo_pid" "$@" || fail "step: $*"; }

mkdir -p "$work/home" "$work/runtime" "$work/app" "$work/shots"
chmod 700 "$work/runtime"
cp "$bin/kirimo" "$bin/Kirimo_Readme.txt" "$work/app/"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime LANG=C.UTF-8
# The program must make its own choice of platform, and have no X server
# to choose.
unset DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE WAYLAND_SOCKET

# pkg-config gives several flags, split into words on purpose.
# shellcheck disable=SC2046
gcc -shared -fPIC -Wall -Wextra -Werror $(pkg-config --cflags libweston-10) \
  "$here/wayland_seat.c" -o "$work/wayland_seat.so" $(pkg-config --libs libweston-10)

# No XWayland; no on-screen keyboard client; a desktop with no panel.
printf '[core]\nxwayland=false\n[input-method]\npath=\n[shell]\npanel-position=none\n' >"$work/weston.ini"
# --debug lets weston-screenshooter read the screen; pixman gives it pixels.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --debug \
  --socket=kirimo-0 --config="$work/weston.ini" --modules="$work/wayland_seat.so" \
  --log="$work/weston.log" >"$work/weston.out" 2>&1 &
weston_pid=$!
export WAYLAND_DISPLAY=kirimo-0
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not open its socket"

eval "$(dbus-launch --sh-syntax)"
bus_pid=$DBUS_SESSION_BUS_PID
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
atspi_pid=$!

start_kirimo() {
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/app/kirimo" >>"$work/kirimo.log" 2>&1 &
  kirimo_pid=$!
  # Active: mapped by the compositor and given the keyboard.
  drive wait-active Kirimo
  grep -q 'libqwayland-generic\.so' "/proc/$kirimo_pid/maps" ||
    fail "the program is not on the wayland platform"
  ! grep -q 'libqxcb\.so' "/proc/$kirimo_pid/maps" || fail "the program loaded the xcb platform"
}

end_kirimo() {
  drive menu Kirimo "ウインドウ" "終了"
  local status=0
  for _ in $(seq 100); do kill -0 "$kirimo_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$kirimo_pid" 2>/dev/null && fail "the end command did not end the program"
  wait "$kirimo_pid" || status=$?
  kirimo_pid=""
  [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
}

wait_clipboard() {
  local got="" end=$((SECONDS + 10))
  while [ $SECONDS -lt $end ]; do
    got=$(timeout 5 wl-paste --no-newline 2>/dev/null || true)
    [ "$got" = "$1" ] && return 0
    sleep 0.1
  done
  fail "wl-paste shows '$got', expected '$1'"
}

title="自宅" content="東京都港区1-2-3"

start_kirimo
shot main
drive press Kirimo "メモ１"
drive wait-active "メモ１入力"
drive set-text "メモ１入力" "メモの題名" "$title"
drive set-text "メモ１入力" "メモする内容" "$content"
shot dialog
drive press "メモ１入力" "OK"
drive wait-gone "メモ１入力"
drive wait-active Kirimo
drive expect-button Kirimo "$title"
drive press Kirimo "$title"
wait_clipboard "$content"
end_kirimo

ini=$work/app/Kirim.ini
[ -f "$ini" ] || fail "no Kirim.ini beside the program"
# Stored texts are Shift-JIS bytes: matched byte by byte.
keys() { LC_ALL=C grep -aE "^($1)=" "$ini" | tr -d '\r'; }
for key in MEMO DAIMEI1 HIDUKE; do
  [ -n "$(keys "$key" | cut -d= -f2-)" ] || fail "no stored $key in: $(cat -v "$ini")"
done
LC_ALL=C grep -aq $'^\\[frmMain\\]\r$' "$ini" || fail "no [frmMain] section in: $(cat -v "$ini")"
[ "$(LC_ALL=C grep -ac $'\r$' "$ini")" -eq "$(wc -l <"$ini")" ] || fail "Kirim.ini has lines without CRLF"
for plain in "$title" "$content"; do
  for encoding in UTF-8 SHIFT_JIS; do
    needle=$(printf '%s' "$plain" | iconv -f UTF-8 -t "$encoding")
    ! LC_ALL=C grep -qF -- "$needle" "$ini" || fail "'$plain' stands in Kirim.ini as plain $encoding"
  done
done
memo_lines=$(keys 'MEMO|DAIMEI1|HIDUKE')

# A second start decodes the stored memo itself.
timeout 5 wl-copy --clear || true
start_kirimo
drive expect-button Kirimo "$title"
drive press Kirimo "$title"
wait_clipboard "$content"
shot recalled
end_kirimo
[ "$(keys 'MEMO|DAIMEI1|HIDUKE')" = "$memo_lines" ] ||
  fail "the memo or the stamp changed at the second run: $(cat -v "$ini")"

echo "ok   wayland: memo stored, recalled and read back at a second start"
