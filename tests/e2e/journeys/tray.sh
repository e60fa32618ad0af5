# The tray: the main window hidden into it and brought back by a left
# click, the window menu on a right click, a memo recalled from that menu.

tray_hide_restore_and_menu() {
  start_desktop tray
  start_tray
  start_kirimo
  local main icon listing
  main=$(wait_main)
  enter_memo "メモ１" "home" "Tokyo-1-2-3"
  icon=$(tray_icon)
  shot docked

  click "push button" "タスクトレイに常駐" Kirimo
  wait_no_window Kirimo
  kill -0 "$kirimo_pid" || fail "the program ended"
  shot hidden

  # A left click brings it back, with the focus.
  xdotool mousemove $icon click 1
  main=$(wait_main)
  for _ in $(seq 30); do [ "$(xdotool getactivewindow)" = "$((main))" ] && break; sleep 0.1; done
  [ "$(xdotool getactivewindow)" = "$((main))" ] || fail "the restored main window has no focus"
  shot restored

  # A right click opens "ウインドウ", with the memo's title in its place;
  # Escape closes it and changes nothing.
  click "push button" "タスクトレイに常駐" Kirimo
  wait_no_window Kirimo
  listing=$(open_popup xdotool mousemove $icon click 3)
  shot menu
  # The menu bar's states: nothing to close or clear before the floating
  # window opens.
  local want
  want=$(cat <<'MENU'
enabled ウインドウを表示
- ウインドウを閉じる
- ウインドウクリアー
enabled ウインドウを中央に移動
enabled 常に手前に表示(ウインドウ)
- 常に手前に表示解除(ウインドウ)
enabled 日付/時計
enabled 自動日付/時計復帰
enabled home
enabled メモ２
enabled メモ３
enabled メモ４
enabled メモ５
enabled メモ６
enabled メモ７
enabled メモ８
enabled メモ９
enabled メモ１０
enabled リセット
enabled クリップボードクリアー
enabled 終了
MENU
  )
  [ "$(cut -d' ' -f3- <<<"$listing")" = "$want" ] ||
    fail "the tray's menu reads: $(cut -d' ' -f3- <<<"$listing" | tr '\n' '|')"
  xdotool key Escape
  sleep 0.5
  [ -z "$(kirimo_windows)" ] || fail "Escape left a window: $(kirimo_windows)"

  # While an entry dialog is open the icon does nothing: no main window on
  # a left click, no command from a right click.
  xdotool mousemove $icon click 1
  main=$(wait_main)
  click "push button" "メモ２" Kirimo
  wait_window "メモ２入力" >/dev/null
  wait_no_window Kirimo
  printf 'x' | xclip -selection clipboard
  xdotool mousemove $icon click 1
  sleep 0.5
  xdotool mousemove $icon click 3
  sleep 0.5
  popup_click "$listing" home
  sleep 0.5
  shot dialog-open
  [ "$(kirimo_windows | cut -d' ' -f2-)" = "メモ２入力" ] ||
    fail "the icon brought the main window back over the entry dialog: $(kirimo_windows)"
  [ "$(xclip -o -selection clipboard)" = x ] || fail "the icon's menu recalled a memo over the entry dialog"
  click "push button" "キャンセル" "メモ２入力"
  main=$(wait_main)

  # The memo recalled from the menu reaches the clipboard; the main window
  # stays in the tray.
  click "push button" "タスクトレイに常駐" Kirimo
  wait_no_window Kirimo
  listing=$(open_popup xdotool mousemove $icon click 3)
  popup_click "$listing" home
  wait_clipboard "Tokyo-1-2-3"
  shot recalled
  sleep 0.3
  [ -z "$(kirimo_windows)" ] || fail "the recall showed a window: $(kirimo_windows)"

  # "終了" from the tray's menu ends the program.
  listing=$(open_popup xdotool mousemove $icon click 3)
  popup_click "$listing" "終了"
  wait_exit || fail "exit status $?"
  stop_desktop
}

journeys+=(tray_hide_restore_and_menu)
