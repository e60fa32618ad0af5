#!/usr/bin/env bash
# Measures what the idle clock costs: Kirimo with the clock shown in its
# floating window, and a bare Qt program whose frameless bold label shows
# the time, each alone on an Xvfb desktop with openbox. Prints, for each,
# the time from start to its windows being mapped and the CPU time (user +
# system) over the sampling period.
#
#   bash tools/measure_clock.sh [build-dir] [seconds]
#
# Needs the benchmarks built (bare_clock): cmake -DKIRIMO_BENCH=ON.
set -euo pipefail

if [ "${1:-}" = "--inner" ]; then
  shift
  work=$1 seconds=$2
  openbox >/dev/null 2>&1 &
  sleep 1

  # CPU time of a process: /proc/PID/stat's utime + stime in clock ticks,
  # and the scheduler's run time in nanoseconds for a finer figure.
  cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) * 1000 / hz }' "/proc/$1/stat"; }
  run_ms() { awk '{ printf "%.2f", $1 / 1e6 }' "/proc/$1/schedstat"; }

  # Starts a program, waits until `windows` windows of it are mapped, waits
  # for start-up to settle, then samples its CPU time.
  measure() {
    local name=$1 windows=$2; shift 2
    local start pid mapped
    start=$(date +%s%N)
    [ -x "$1" ] || { echo "$1 is missing" >&2; exit 1; }
    "$@" >/dev/null 2>&1 &
    pid=$!
    until [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -ge "$windows" ]; do
      sleep 0.002
    done
    mapped=$(( ($(date +%s%N) - start) / 1000000 ))
    sleep 2
    local cpu0 run0 cpu1 run1
    cpu0=$(cpu_ms "$pid") run0=$(run_ms "$pid")
    sleep "$seconds"
    cpu1=$(cpu_ms "$pid") run1=$(run_ms "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    printf '%-8s start-up to mapped: %5d ms   CPU over %s s: %6.1f ms (stat)  %8.2f ms (schedstat)\n' \
      "$name" "$mapped" "$seconds" "$(echo "$cpu1 - $cpu0" | bc)" "$(echo "$run1 - $run0" | bc)"
  }

  measure bare 1 "$work/bin/bare_clock"
  measure kirimo 2 "$work/bin/kirimo"
  exit 0
fi

build=${1:-build}
seconds=${2:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin" "$work/bin"
rm -f "$work/bin/Kirim.ini"
# A user who has started Kirimo before, with the clock on and the floating
# window open at the last exit.
printf '[MyData]\r\nHIDUKE=26/12/01/09:00\r\nSHYOKAI=1\r\nWINDOWFLAG=1\r\nWINHYOUJI=t\r\nTIMECASE=a\r\nTIMEFLAG=t\r\n[frmMain]\r\nLEFT=1500\r\nTOP=1500\r\n[frmWindow]\r\nLEFT=12000\r\nTOP=600\r\nWIDTH=3000\r\nHEIGHT=495\r\n' \
  >"$work/bin/Kirim.ini"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
HOME=$work/home XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb \
  xvfb-run -a -e /dev/stderr -s "-screen 0 1280x800x24" bash "$0" --inner "$work" "$seconds"
