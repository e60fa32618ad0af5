#!/usr/bin/env bash
# Measures Kirimo against bare Qt programs (the floors) on one Xvfb desktop
# with the openbox window manager and a private D-Bus session bus, and
# prints the medians, their ratios and the goals:
#
#   start-up to the mapped windows   Kirimo with its floating window open
#                                    <= 1.5 x a bare Qt window
#   resident memory (VmRSS) after    <= 1.5 x the bare window
#   start-up has settled
#   CPU time over an idle period     clock shown <= a bare Qt label clock;
#                                    clock hidden <= 1.2 x the bare window
#                                    with a one-second timer
#
# A measurement, not a test: nothing fails when a goal is unmet. Builds the
# program and the floors (bench/BareWindow.cpp, bench/BareClock.cpp) and the
# start-up probe (bench/WaitMapped.cpp) into build-perf/, Release. Every
# sample starts its program fresh, in its own copy directory with its own
# HOME and XDG_RUNTIME_DIR. The samples run one after another, the programs
# interleaved within each round, since on a small machine concurrent
# programs would take CPU time from each other.
#
#   bash tools/perf.sh [--runs N] [--idle SECONDS] [--settle SECONDS]
#
# Defaults: 7 runs, 30 s idle, 2 s for start-up to settle (the full run takes
# about 20 minutes). For a quick look: --runs 3 --idle 5. The table is also
# written to build-perf/perf-table.txt.
set -euo pipefail

if [ "${1:-}" = --inner ]; then
  work=$2 runs=$3 idle=$4 settle=$5 out=$6
  bin=$work/programs
  results=$work/results
  : >"$results"

  HOME=$work/wm-home openbox >/dev/null 2>&1 &
  wm=$!
  trap 'kill "$wm" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
  wmctrl -m >/dev/null 2>&1 || { echo "openbox did not start" >&2; exit 1; }

  # The settings of a user who has run Kirimo before: with the floating
  # window open and its clock shown at the last exit ("WINHYOUJI" must be
  # "t", or start-up closes the window again), or with the window closed and
  # the clock off. ASCII only, so these are already Shift-JIS; CRLF ends.
  # The warm-up start of each replaces it with the file that Kirimo itself
  # wrote at its end, as a returning user has it: with every key there, a
  # start need not add any.
  returning() {
    printf '[MyData]\r\nHIDUKE=26/12/01/09:00\r\nSHYOKAI=1\r\nWINDOWFLAG=%s\r\nWINHYOUJI=t\r\nTIMECASE=a\r\nTIMEFLAG=%s\r\n[frmMain]\r\nLEFT=1500\r\nTOP=1500\r\n[frmWindow]\r\nLEFT=12000\r\nTOP=600\r\nWIDTH=3000\r\nHEIGHT=495\r\n' \
      "$1" "$2"
  }
  returning 1 t >"$work/open.ini"
  returning 0 '' >"$work/hidden.ini"
  # What each kind of start must leave in the file at its end.
  declare -A kept=([open]="WINDOWFLAG=1 TIMEFLAG=t" [hidden]="WINDOWFLAG=0 TIMEFLAG=" [none]="")

  # name, program, windows it maps at start-up, its Kirim.ini, idle sample.
  subjects=(
    "kirimo-open kirimo 2 open yes"
    "kirimo-hidden kirimo 1 hidden yes"
    "kirimo-first kirimo 1 none no"
    "bare-window bare_window 1 none no"
    "bare-timer bare_timer 1 none yes"
    "bare-clock bare_clock 1 none yes"
  )

  # CPU time of every thread of a process in nanoseconds: the scheduler's
  # run time, far finer than the clock ticks of /proc/PID/stat. Qt runs its
  # X event reader (and D-Bus) in threads of their own.
  cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d", s }'; }

  # One sample: start, time to the windows being viewable, memory once
  # start-up has settled, and CPU time over the idle period (scaled to
  # exactly `idle` seconds). Appends "name start-up-ms rss-KiB cpu-ms".
  sample() {
    local name=$1 program=$2 windows=$3 settings=$4 measure_idle=$5 record=${6:-yes}
    local dir=$work/sample
    rm -rf "$dir"
    mkdir -p "$dir/bin" "$dir/home" "$dir/runtime"
    chmod 700 "$dir/runtime"
    cp "$bin/$program" "$dir/bin/"
    [ "$program" = kirimo ] && cp "$bin/Kirimo_Readme.txt" "$dir/bin/"
    [ "$settings" = none ] || cp "$work/$settings.ini" "$dir/bin/Kirim.ini"
    mkfifo "$dir/probe"
    # The window manager and the X server finish with the last program's
    # windows first, so that its end does not slow this start.
    sleep 1
    (cd "$dir" && exec env HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" \
      "$bin/wait_mapped" "$windows" "$dir/bin/$program") >"$dir/probe" 2>"$dir/stderr" &
    local probe=$! pid ms
    if ! read -r pid ms <"$dir/probe"; then
      wait "$probe" || true
      echo "$name did not start:" >&2
      cat "$dir/stderr" >&2
      exit 1
    fi
    sleep "$settle"
    # Exactly the windows waited for: a message box (a start-up failure)
    # would make the figures meaningless.
    local shown
    shown=$(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
    if [ "$shown" -ne "$windows" ]; then
      echo "$name shows $shown windows instead of $windows; see $out/unexpected.png" >&2
      import -window root "$out/unexpected.png" 2>/dev/null || true
      exit 1
    fi
    local rss cpu=-
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    if [ "$measure_idle" = yes ]; then
      local t0 t1 c0 c1
      t0=$(date +%s%N) c0=$(cpu_ns "$pid")
      sleep "$idle"
      c1=$(cpu_ns "$pid") t1=$(date +%s%N)
      cpu=$(awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" -v s="$idle" \
        'BEGIN { printf "%.3f", c / 1e6 * s * 1e9 / t }')
    fi
    # Kirimo saves its settings and ends on SIGTERM; the floors just end.
    # The probe reaps the program and ends at once: while it runs, the PID
    # is still the program's.
    kill -TERM "$pid"
    for _ in $(seq 100); do kill -0 "$probe" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$probe" 2>/dev/null; then
      echo "$name did not end on SIGTERM" >&2
      kill -KILL "$pid"
    fi
    wait "$probe" || true
    if [ "$program" = kirimo ]; then
      local line
      grep -aq '^HIDUKE=..' "$dir/bin/Kirim.ini" || { echo "$name saved no settings" >&2; exit 1; }
      for line in ${kept[$settings]}; do
        grep -aq "^$line"$'\r'"\$" "$dir/bin/Kirim.ini" || { echo "$name did not save $line" >&2; exit 1; }
      done
      [ "$record" = yes ] || [ "$settings" = none ] || cp "$dir/bin/Kirim.ini" "$work/$settings.ini"
    fi
    rm -rf "$dir"
    [ "$record" = yes ] || return 0
    echo "$name $ms $rss $cpu" >>"$results"
    printf '  %-14s start-up %7.1f ms   RSS %6d KiB   idle CPU %s ms\n' "$name" "$ms" "$rss" "$cpu" >&2
  }

  # One unrecorded start of each, so that no program pays for a cold page
  # cache or for the session bus starting its services.
  echo "warming up" >&2
  for s in "${subjects[@]}"; do
    read -r name program windows settings _ <<<"$s"
    sample "$name" "$program" "$windows" "$settings" no no
  done
  for run in $(seq "$runs"); do
    echo "run $run of $runs" >&2
    for s in "${subjects[@]}"; do
      # shellcheck disable=SC2086
      sample $s
    done
  done

  # figure NAME COLUMN median|min|max (columns: 2 start-up, 3 RSS, 4 CPU).
  figure() {
    awk -v n="$1" -v c="$2" '$1 == n && $c != "-" { print $c }' "$results" | sort -g |
      awk -v what="$3" '{ a[NR] = $1 }
        END {
          if (NR == 0) { print "-"; exit }
          if (what == "min") print a[1]
          else if (what == "max") print a[NR]
          else if (NR % 2) print a[(NR + 1) / 2]
          else print (a[NR / 2] + a[NR / 2 + 1]) / 2
        }'
  }

  echo
  echo "Medians of $runs runs (min-max), ${idle} s idle, $(nproc) cores, $(date -u +%Y-%m-%d)"
  printf '%-14s %-24s %-22s %-22s\n' program "start-up (ms)" "RSS (MiB)" "idle CPU (ms/${idle} s)"
  for s in "${subjects[@]}"; do
    read -r name _ <<<"$s"
    line=$(printf '%-14s' "$name")
    for column in 2 3 4; do
      read -r med lo hi <<<"$(figure "$name" $column median) $(figure "$name" $column min) $(figure "$name" $column max)"
      if [ "$med" = - ]; then
        cell=-
      elif [ $column = 3 ]; then
        cell=$(awk -v m="$med" -v l="$lo" -v h="$hi" 'BEGIN { printf "%.1f (%.1f-%.1f)", m / 1024, l / 1024, h / 1024 }')
      else
        cell=$(awk -v m="$med" -v l="$lo" -v h="$hi" 'BEGIN { printf "%.1f (%.1f-%.1f)", m, l, h }')
      fi
      line+=$(printf ' %-22s' "$cell")
    done
    echo "$line"
  done

  echo
  printf '%-38s %8s %8s  %-12s %6s %7s  %s\n' figure Kirimo floor "floor is" ratio goal met
  goal() {
    local label=$1 subject=$2 floor=$3 column=$4 limit=$5 scale=$6
    local k f
    k=$(figure "$subject" "$column" median) f=$(figure "$floor" "$column" median)
    awk -v label="$label" -v k="$k" -v f="$f" -v floor="$floor" -v limit="$limit" -v s="$scale" 'BEGIN {
      r = k / f
      printf "%-38s %8.1f %8.1f  %-12s %6.2f %7s  %s\n", label, k / s, f / s, floor, r,
        (limit == "-" ? "-" : "<= " limit), (limit == "-" ? "" : (r <= limit ? "yes" : "no"))
    }'
  }
  goal "start-up, window open (ms)" kirimo-open bare-window 2 1.5 1
  goal "start-up, first start (ms)" kirimo-first bare-window 2 - 1
  # The bare window draws no text and so never loads a font: any window
  # with a label pays for that, as the label clock shows.
  goal "start-up, window open (ms)" kirimo-open bare-clock 2 - 1
  goal "RSS, window open (MiB)" kirimo-open bare-window 3 1.5 1024
  goal "RSS, first start (MiB)" kirimo-first bare-window 3 1.5 1024
  goal "idle CPU, clock shown (ms/${idle} s)" kirimo-open bare-clock 4 1.0 1
  goal "idle CPU, clock hidden (ms/${idle} s)" kirimo-hidden bare-timer 4 1.2 1
  exit 0
fi

runs=7 idle=30 settle=2
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --idle) idle=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    *)
      sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
      exit 2
      ;;
  esac
done

cd "$(dirname "$0")/.."
repo=$(pwd)
build=$repo/build-perf
bash tools/setup.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKIRIMO_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kirimo bare_window bare_timer bare_clock wait_mapped >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/programs" "$work/wm-home"
for p in kirimo Kirimo_Readme.txt bare_window bare_timer bare_clock wait_mapped; do
  cp "$build/bin/$p" "$work/programs/"
done
# Kirimo picks the X11 platform itself only inside a Wayland session.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  dbus-run-session -- bash "$repo/tools/perf.sh" --inner "$work" "$runs" "$idle" "$settle" "$build" \
  2> >(grep -v --line-buffered 'Failed to set fd limit' >&2) | tee "$build/perf-table.txt"
