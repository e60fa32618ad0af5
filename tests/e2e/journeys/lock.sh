# The password lock: the first password set in the start-up dialog, wrong
# and right passwords, the change, the close box that ends the program
# without a write, and the wipe after a lock weakened by hand.

readonly lock_dialog="パスワードの入力"

# TEXT typed into the password box in place of what it held. The box shows
# what is typed, and it is read back, so that a key lost by the typing tool
# is typed again rather than taken for the program's fault.
lock_type() {
  local typed=""
  for _ in 1 2 3; do
    click text "" "$lock_dialog"
    xdotool key ctrl+a BackSpace
    [ -n "$1" ] && type_text "$1"
    typed=$(ax text text "" "$lock_dialog")
    [ "$typed" = "$1" ] && break
  done
  [ "$typed" = "$1" ] || fail "typed '$1', the box shows '$typed'"
}

# lock_enter TEXT BUTTON: TEXT typed, then a click on BUTTON.
lock_enter() {
  lock_type "$1"
  click "push button" "$2" "$lock_dialog"
}

# The password dialog is on screen and nothing else of the program: no main
# window, no title of a memo.
lock_only_dialog() {
  local windows
  wait_window "$lock_dialog" >/dev/null
  windows=$(kirimo_windows | cut -d' ' -f2-)
  [ "$windows" = "$lock_dialog" ] || fail "besides the password dialog: $(tr '\n' ';' <<<"$windows")"
  # Read through the bus that shows the dialog, so that a bus that answers
  # nothing cannot pass for an empty screen.
  ax center dialog "$lock_dialog" >/dev/null || fail "the bus does not show the password dialog"
  on_screen frame Kirimo && fail "the main window shows behind the password dialog"
  # Nor the icon, whose menu would show the titles.
  [ -z "$(docked_icon)" ] || fail "the icon docked before the password"
  [ -n "${1:-}" ] && on_screen "push button" "$1" && fail "the title '$1' shows before the password"
  return 0
}

lock_menu_on() {
  menu "ツール" "$1"
  for _ in $(seq 20); do checked "menu item" "$1" && return 0; sleep 0.1; done
  fail "'$1' has no check mark"
}

lock_close_main() {
  wmctrl -ic "$(wait_main)"
  wait_exit || fail "exit status $?"
}

key_of() { ini | tr -d '\r' | sed -n "s/^$1=//p"; }

# A memo, the lock switched on, and the first password given at the next
# start; then the wrong passwords and the right one at the start after.
lock_first_password_then_login() {
  start_desktop lock-first
  start_tray
  start_kirimo
  wait_main >/dev/null
  enter_memo "メモ１" "home" "Tokyo-1-2-3"
  # Switching the lock on asks nothing now.
  lock_menu_on "起動時にパスワードを要求する"
  no_message
  ! checked "menu item" "不正な閲覧を試みた場合データをすべて消去する" || fail "the wipe came on with the lock"
  lock_close_main
  [ "$(key_of PASSCHK)" = 1 ] || fail "PASSCHK=$(key_of PASSCHK)"
  [ -z "$(key_of DAIMEI0)" ] || fail "a password before one was given"

  # No password yet: nothing to change, and the first entry is the password.
  start_kirimo
  lock_only_dialog home
  ! ax states "push button" "パスワードの変更" "$lock_dialog" | grep -qx enabled ||
    fail "パスワードの変更 is enabled without a password"
  shot first-dialog
  # A password against the rules is told so and not taken.
  local rule bad
  while IFS='|' read -r bad rule; do
    lock_enter "$bad" OK
    expect_message "$rule"
    answer OK
    [ "$(ax text text "" "$lock_dialog")" = "$bad" ] || fail "the box lost '$bad'"
    lock_only_dialog home
  done <<'RULES'
鍵 2024|パスワードにスペースは含めません
鍵ｶｷﾞ|パスワードに半角カタカナ文字を含めません
鍵#$=|パスワードに「#$=」と同じ組み合わせは使えません
鍵&2024|パスワードに「&」の文字は使えません
RULES
  lock_enter "鍵-2024" OK
  wait_no_window "$lock_dialog"
  wait_main >/dev/null
  ax center "push button" home Kirimo >/dev/null || fail "no title after the first password"
  tray_icon >/dev/null
  no_message
  lock_close_main
  local first second
  first=$(key_of DAIMEI0) second=$(key_of SETTEI)
  [ -n "$first" ] && [ -n "$second" ] || fail "the password was not stored: $(ini | tr -d '\r')"
  grep -q "鍵-2024" <(ini | iconv -f SHIFT_JIS -t UTF-8) && fail "the password is stored as typed"

  # Wrong passwords, one close to it, are told so each time, any number of
  # times; the dialog stays with the text as typed.
  start_kirimo
  lock_only_dialog home
  ax states "push button" "パスワードの変更" "$lock_dialog" | grep -qx enabled ||
    fail "パスワードの変更 is disabled with a password"
  local wrong
  for wrong in "鍵-2025" "鍵" "鍵-2024鍵" "鍵－2024"; do
    lock_enter "$wrong" OK
    expect_message "パスワードが違います"
    shot wrong
    answer OK
    [ "$(ax text text "" "$lock_dialog")" = "$wrong" ] || fail "the box lost '$wrong'"
    lock_only_dialog home
  done
  # An empty box does nothing.
  lock_enter "" OK
  sleep 0.3
  no_message
  lock_only_dialog home
  lock_enter "鍵-2024" OK
  wait_no_window "$lock_dialog"
  click "push button" home Kirimo
  wait_clipboard "Tokyo-1-2-3"
  shot logged-in
  lock_close_main
  # Stored anew at every start.
  [ "$(key_of DAIMEI0)" != "$first" ] || fail "DAIMEI0 was not stored anew"
  stop_desktop
}

# The change: a wrong old password refused, the right one confirmed, the new
# one taken and the dialog closed; from then on only the new one opens.
lock_password_changed() {
  start_desktop lock-change
  printf '[MyData]\r\nPASSCHK=1\r\n' >"$work/app/Kirim.ini"
  start_kirimo
  lock_only_dialog
  lock_enter "old-pass" OK
  lock_close_main

  start_kirimo
  lock_only_dialog
  # Spaces alone: nothing to change, but no password either.
  lock_enter "   " "パスワードの変更"
  sleep 0.3
  no_message
  lock_enter "   " OK
  expect_message "パスワードにスペースは含めません"
  answer OK
  lock_enter "nope" "パスワードの変更"
  expect_message "以前のパスワードを入力して下さい"
  answer OK
  [ -z "$(ax text text "" "$lock_dialog")" ] || fail "the box kept the wrong old password"
  lock_enter "old-pass" "パスワードの変更"
  expect_message "パスワードを確認しました新しいパスワードを入力して下さい"
  shot confirmed
  answer OK
  [ -z "$(ax text text "" "$lock_dialog")" ] || fail "the box kept the old password"
  lock_only_dialog
  lock_enter "新しい合言葉" OK
  expect_message "パスワードが変更されました"
  answer OK
  wait_no_window "$lock_dialog"
  wait_main >/dev/null
  shot changed
  lock_close_main

  start_kirimo
  lock_only_dialog
  lock_enter "old-pass" OK
  expect_message "パスワードが違います"
  answer OK
  lock_enter "新しい合言葉" OK
  wait_no_window "$lock_dialog"
  wait_main >/dev/null
  lock_close_main
  stop_desktop
}

# The dialog's close box ends the program and writes nothing, also in the
# middle of a change, which is then lost.
lock_close_box_writes_nothing() {
  start_desktop lock-close
  printf '[MyData]\r\nPASSCHK=1\r\n' >"$work/app/Kirim.ini"
  start_kirimo
  lock_only_dialog
  lock_enter "pw-one" OK
  lock_close_main
  cp "$work/app/Kirim.ini" "$work/before.ini"

  local dialog
  start_kirimo
  lock_only_dialog
  dialog=$(wait_window "$lock_dialog")
  shot before-close
  wmctrl -ic "$dialog"
  wait_exit || fail "exit status $?"
  cmp "$work/before.ini" "$work/app/Kirim.ini" || fail "the close box changed Kirim.ini"

  start_kirimo
  lock_only_dialog
  lock_enter "pw-one" "パスワードの変更"
  expect_message "パスワードを確認しました新しいパスワードを入力して下さい"
  answer OK
  lock_type "pw-two"
  dialog=$(wait_window "$lock_dialog")
  wmctrl -ic "$dialog"
  wait_exit || fail "exit status $?"
  cmp "$work/before.ini" "$work/app/Kirim.ini" || fail "the close box in a change changed Kirim.ini"

  start_kirimo
  lock_only_dialog
  lock_enter "pw-one" OK
  wait_no_window "$lock_dialog"
  wait_main >/dev/null
  lock_close_main
  stop_desktop
}

# With the wipe on, a start after someone weakened the lock by hand in
# Kirim.ini (switched it off, emptied the password) erases every memo before
# anything shows, says so and ends; the lock is as before. Wrong passwords,
# and the user's own switching off, are no intrusion.
lock_tampering_wipes_memos() {
  start_desktop lock-wipe
  start_tray
  start_kirimo
  wait_main >/dev/null
  tray_icon >/dev/null
  enter_memo "メモ１" "home" "Tokyo-1-2-3"
  enter_memo "メモ２" "bank" "1234-5678"
  # The wipe is no option without the lock.
  menu "ツール" "不正な閲覧を試みた場合データをすべて消去する"
  expect_message "「起動時にパスワードを要求する」にチェックが入っていないと有効になりません"
  answer OK
  ! checked "menu item" "不正な閲覧を試みた場合データをすべて消去する" || fail "the wipe came on without the lock"
  lock_menu_on "起動時にパスワードを要求する"
  lock_menu_on "不正な閲覧を試みた場合データをすべて消去する"
  lock_close_main
  start_kirimo
  lock_only_dialog home
  lock_enter "secret" OK
  wait_main >/dev/null
  lock_close_main

  start_kirimo
  lock_only_dialog home
  lock_enter "secrets" OK
  expect_message "パスワードが違います"
  answer OK
  lock_enter "Secret" OK
  expect_message "パスワードが違います"
  answer OK
  lock_enter "secret" OK
  wait_no_window "$lock_dialog"
  click "push button" bank Kirimo
  wait_clipboard "1234-5678"
  lock_close_main
  [ "$(key_of PASSCHK)$(key_of FSI)" = 11 ] || fail "PASSCHK=$(key_of PASSCHK) FSI=$(key_of FSI)"
  local stamp
  stamp=$(key_of HIDUKE)
  cp "$work/app/Kirim.ini" "$work/sealed.ini"

  local edit memoKeys key bytes
  memoKeys=(MEMO MEMO2 MEMO3 MEMO4 MEMO5 MEMO6 MEMO7 MEMO8 MEMO9 MEMO10
    DAIMEI1 DAIMEI2 DAIMEI3 DAIMEI4 DAIMEI5 DAIMEI6 DAIMEI7 DAIMEI8 DAIMEI9 DAIMEI10)
  for edit in 's/^PASSCHK=1/PASSCHK=0/' $'s/^DAIMEI0=[^\r]*/DAIMEI0=/;s/^SETTEI=[^\r]*/SETTEI=/'; do
    cp "$work/sealed.ini" "$work/app/Kirim.ini"
    LC_ALL=C sed -i "$edit" "$work/app/Kirim.ini"
    cmp -s "$work/sealed.ini" "$work/app/Kirim.ini" && fail "the edit '$edit' changed nothing"
    start_kirimo
    expect_message "データをすべて消去しました"
    [ "$(kirimo_windows | cut -d' ' -f2-)" = Kirimo ] || fail "besides the message: $(kirimo_windows)"
    on_screen frame Kirimo && fail "the main window shows with the message"
    [ -z "$(docked_icon)" ] || fail "the icon docked with the message"
    shot wiped
    answer OK
    wait_exit || fail "exit status $?"
    bytes=$(ini | tr -d '\r')
    for key in "${memoKeys[@]}"; do
      grep -qx "$key=" <<<"$bytes" || fail "after '$edit': $key is not empty: $bytes"
    done
    [ "$(key_of HIDUKE)" = "$stamp" ] || fail "after '$edit': the stamp changed"
    [ "$(key_of PASSCHK)$(key_of FSI)" = 11 ] || fail "after '$edit': the lock was not put back"

    # The same password opens the next start, on empty slots.
    start_kirimo
    lock_only_dialog home
    lock_enter "secret" OK
    wait_no_window "$lock_dialog"
    wait_main >/dev/null
    ax center "push button" "メモ１" Kirimo >/dev/null && ax center "push button" "メモ２" Kirimo >/dev/null ||
      fail "after '$edit': a slot kept its title"
    lock_close_main
  done

  # Switched off by the user: the wipe goes with it, and nothing is erased.
  cp "$work/sealed.ini" "$work/app/Kirim.ini"
  start_kirimo
  lock_only_dialog home
  lock_enter "secret" OK
  wait_no_window "$lock_dialog"
  wait_main >/dev/null
  menu "ツール" "起動時にパスワードを要求する"
  expect_message "起動時にパスワードを要求するのチェックが外れましたので「不正な閲覧を試みた場合データをすべて消去する」のチェックを外しました。"
  answer OK
  ! checked "menu item" "起動時にパスワードを要求する" || fail "the lock stayed on"
  ! checked "menu item" "不正な閲覧を試みた場合データをすべて消去する" || fail "the wipe stayed on"
  lock_close_main
  start_kirimo
  click "push button" home Kirimo
  wait_clipboard "Tokyo-1-2-3"
  shot switched-off
  lock_close_main
  stop_desktop
}

journeys+=(lock_first_password_then_login lock_password_changed lock_close_box_writes_nothing
  lock_tampering_wipes_memos)
