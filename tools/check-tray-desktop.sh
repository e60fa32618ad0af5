#!/usr/bin/env bash
# Kirimo on a real X desktop: Xvfb with the openbox window manager and the
# trayer panel as the notification area. Checks that the icon docks, that a
# left click on it brings the hidden main window back, that a right click
# opens the "ウインドウ" menu, and that the about box opens from the menu bar;
# leaves screenshots of each in the output directory. Each run has its own
# HOME, XDG_RUNTIME_DIR and copy of the program.
# Usage: tools/check-tray-desktop.sh [build-dir] [output-dir]
set -euo pipefail

if [ "${1:-}" = --inside ]; then
  work=$2 out=$3
  pids=()
  cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
  trap cleanup EXIT
  fail() { echo "FAILED: $*" >&2; exit 1; }
  mapped() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
  # The program's windows: "id width height x y" for each mapped one.
  windows() {
    xwininfo -root -tree | awk '/\("kirimo" "Kirimo"\)/ {
      split($0, a, /\)  /); split(a[2], g, /[x+ ]+/); print $1, g[1], g[2], g[5], g[6] }'
  }
  wait_for() { for _ in $(seq 50); do eval "$1" && return 0; sleep 0.2; done; return 1; }

  HOME=$work/home openbox & pids+=($!)
  sleep 1
  trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
    --transparent false --tint 0xc0c0c0 & pids+=($!)
  sleep 1
  (cd "$work" && exec env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    "$work/bin/kirimo") & kirimo=$!
  pids+=($kirimo)

  # The icon: a small window of ours inside the panel.
  wait_for '[ -n "$(windows | awk "\$2 < 64 && \$3 < 64")" ]' || fail "the icon did not dock"
  read -r icon iw ih ix iy < <(windows | awk '$2 < 64 && $3 < 64' | head -1)
  cx=$((ix + iw / 2)) cy=$((iy + ih / 2))
  wait_for '[ -n "$(windows | awk "\$2 == 554")" ]' || fail "no main window"
  read -r main _ < <(windows | awk '$2 == 554' | head -1)
  echo "icon $icon docked at $ix,$iy (${iw}x$ih); main window $main"
  import -window root "$out/tray.png"

  # "タスクトレイに常駐": the button's centre, below the menu bar.
  xdotool mousemove --window "$main" 344 282 click 1
  wait_for "! mapped $main" || fail "タスクトレイに常駐 did not hide the main window"
  import -window root "$out/hidden.png"
  xdotool mousemove "$cx" "$cy" click 1
  wait_for "mapped $main" || fail "a left click on the icon did not bring the main window back"
  [ "$(xdotool getactivewindow)" = "$((main))" ] || fail "the restored window has no focus"
  echo "left click: main window back, with focus"

  xdotool mousemove --window "$main" 344 282 click 1
  wait_for "! mapped $main" || fail "the main window did not hide again"
  xdotool mousemove "$cx" "$cy" click 3
  wait_for '[ -n "$(windows | awk "\$3 > 300 && \$2 < 400")" ]' || fail "a right click opened no menu"
  import -window root "$out/tray-menu.png"
  xdotool key Escape
  wait_for '[ -z "$(windows | awk "\$3 > 300 && \$2 < 400")" ]' || fail "Escape left the menu open"
  mapped "$main" && fail "the menu brought the hidden main window back"
  echo "right click: the window menu, closed by Escape; main window still hidden"

  xdotool mousemove "$cx" "$cy" click 1
  wait_for "mapped $main" || fail "no main window for the about box"
  # F10, then to the last menu ("ヘルプ") and its last item ("バージョン").
  xdotool key F10 Left Up Return
  wait_for '[ -n "$(windows | awk "\$2 == 382")" ]' || fail "no about box"
  sleep 0.5
  import -window root "$out/about.png"
  xdotool key Return
  wait_for "mapped $main" || fail "closing the about box did not bring the main window back"
  echo "about box: opened from the keyboard, closed with Enter"

  kill -TERM "$kirimo"
  wait "$kirimo" || true
  grep -q '^HIDUKE=' "$work/bin/Kirim.ini" || fail "the settings were not saved at the end"
  echo "tray desktop checks passed; screenshots in $out"
  exit 0
fi

cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-$(mktemp -d)}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/kirimo" "$build/bin/Kirimo_Readme.txt" "$work/bin/"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$(pwd)/tools/check-tray-desktop.sh" --inside "$work" "$out"
