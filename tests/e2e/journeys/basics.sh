# The first start and its file, a returning user's window place, a memo
# typed and pasted and kept through a killed session, and a second copy
# refused.

first_start_and_close_box() {
  start_desktop first-start
  start_kirimo
  local main
  main=$(wait_window Kirimo)
  shot main
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  local bytes
  bytes=$(ini | tr -d '\r')
  grep -q '^HIDUKE=[0-9][0-9]/[0-9][0-9]/[0-9][0-9]/[0-9][0-9]:[0-9][0-9]$' <<<"$bytes" || fail "no stamp: $bytes"
  for key in DAIMEI0= SETTEI= FUKKI=0 PASSCHK=0 WINDOWFLAG=0 SHYOKAI=0 FSI=0; do
    grep -qx "$key" <<<"$bytes" || fail "no $key in: $bytes"
  done
  grep -q '^\[frmMain\]$' <<<"$bytes" && grep -q '^LEFT=[0-9.]*$' <<<"$bytes" || fail "no position: $bytes"
  ini | grep -q $'\r$' || fail "not CRLF"
  stop_desktop
}

memo_typed_recalled_and_killed() {
  start_desktop memo
  start_kirimo
  local main dialog
  main=$(wait_window Kirimo)
  click "push button" "メモ１" Kirimo
  dialog=$(wait_window "メモ１入力")
  xdotool windowactivate --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 30 "home"
  xdotool key Tab Tab Tab
  xdotool type --delay 30 "Tokyo-1-2-3"
  shot dialog
  xdotool key Return
  for _ in $(seq 50); do kirimo_windows | grep -q "メモ１入力" || break; sleep 0.1; done
  ! kirimo_windows | grep -q "メモ１入力" || fail "the dialog stayed open"
  main=$(wait_window Kirimo)
  sleep 0.5
  click "push button" "home" Kirimo
  wait_clipboard "Tokyo-1-2-3"
  shot recalled

  # A session that ends without a shutdown keeps the memo readable.
  kill -KILL "$kirimo_pid"
  wait "$kirimo_pid" 2>/dev/null || true
  printf 'x' | xclip -selection clipboard
  start_kirimo
  main=$(wait_window Kirimo)
  sleep 0.5
  click "push button" "home" Kirimo
  wait_clipboard "Tokyo-1-2-3"
  shot after-kill
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  stop_desktop
}

second_copy_refused() {
  start_desktop second-copy
  start_kirimo
  local first=$kirimo_pid main
  main=$(wait_window Kirimo)
  local before
  before=$(ini | md5sum)
  start_kirimo
  local second=$kirimo_pid
  # The refusal is a box of the second copy's own; OK ends it.
  local box=""
  for _ in $(seq 100); do
    box=$(wmctrl -lp | awk -v pid="$second" '$3 == pid { print $1; exit }')
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no refusal box"
  shot refusal
  xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
  xdotool key Return 2>/dev/null
  wait_exit || fail "the second copy ended with status $?"
  kill -0 "$first" || fail "the first copy ended too"
  [ "$(ini | md5sum)" = "$before" ] || fail "the second copy changed Kirim.ini"
  kirimo_pid=$first
  wmctrl -ic "$main"
  wait_exit || true
  stop_desktop
}

# A returning user's main window comes back where it was left, start after
# start, frame and all.
position_kept_across_restarts() {
  start_desktop position
  printf '[MyData]\r\nSHYOKAI=1\r\nHIDUKE=01/02/03/04:05\r\n[frmMain]\r\nLEFT=1500\r\nTOP=3000\r\n' \
    >"$work/app/Kirim.ini"
  local main
  for _ in 1 2 3; do
    start_kirimo
    main=$(wait_window Kirimo)
    sleep 1
    wmctrl -ic "$main"
    wait_exit || fail "exit status $?"
    ini | tr -d '\r' | grep -q '^LEFT=1500$' || fail "moved: $(ini | tr -d '\r' | grep -A2 frmMain)"
    ini | tr -d '\r' | grep -q '^TOP=3000$' || fail "moved: $(ini | tr -d '\r' | grep -A2 frmMain)"
  done
  stop_desktop
}

journeys+=(first_start_and_close_box position_kept_across_restarts memo_typed_recalled_and_killed second_copy_refused)
