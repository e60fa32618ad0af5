# The floating window: the clock in each format, dragged and put back in the
# centre from its own menu, its place kept across a restart, the end
# command against the close box; a recalled memo and its return to the
# clock; the size and font buttons; always on top, and through a message
# box.

# The three formats' texts, and the items that choose them.
clock_a='[0-9]{2}:[0-9]{2}:[0-9]{2}'
clock_b='午[前後]/(0[1-9]|1[0-2]):[0-9]{2}:[0-9]{2}'
clock_c='[0-9]{2}日\([日月火水木金土]\)[0-9]{2}:[0-9]{2}:[0-9]{2}'
format_items=("ＨＨ：ＮＮ：ＳＳ" "午前/ＨＨ：ＮＮ：ＳＳ" "ＤＤ日(曜日)/ＨＨ：ＮＮ：ＳＳ")

# The day and weekday the format "c" shows now, as the date command says.
today_c() {
  local days=(日 月 火 水 木 金 土)
  echo "$(date +%d)日(${days[$(date +%w)]})"
}

choose_format() {
  menu "日付/時計" "${format_items[$1]}"
  local i
  for i in 0 1 2; do
    if [ "$i" -eq "$1" ]; then
      checked "menu item" "${format_items[$i]}" || fail "'${format_items[$i]}' is not checked"
    else
      ! checked "menu item" "${format_items[$i]}" || fail "'${format_items[$i]}' is checked too"
    fi
  done
}

# drag ID DX DY: the window pressed in its middle and dragged by the mouse.
drag() {
  local x y w h
  read -r x y w h < <(geometry "$1")
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 1
  sleep 0.2
  for _ in $(seq 10); do
    xdotool mousemove_relative -- $(($2 / 10)) $(($3 / 10))
    sleep 0.03
  done
  xdotool mouseup 1
  sleep 0.3
}

expect_at() {
  local x y w h
  read -r x y w h < <(geometry "$1")
  [ "$x $y" = "$2 $3" ] || fail "the floating window is at $x,$y, not $2,$3"
}

clock_formats_drag_and_place() {
  start_desktop clock
  start_kirimo
  local main floating
  main=$(wait_window Kirimo)
  # Shown with a click on a memo's title from now on, and at the next start.
  menu "ツール" "題名クリック時ウインドウを表示可能にする"
  click "push button" "日付/時間" Kirimo
  floating=$(floating_window)
  ax center "push button" "日付/時計非表示" Kirimo >/dev/null || fail "the clock button did not change"
  # The first start's window: 3000 x 500 twips in the screen's middle, over
  # the main window it was opened from.
  read -r x y w h < <(geometry "$floating")
  [ "$w $h" = "200 33" ] || fail "the floating window is ${w}x$h"
  [ $((x - (1280 - w) / 2)) -le 1 ] && [ $(((800 - h) / 2 - y)) -le 1 ] || fail "not centred: $x,$y"
  stacked_above "$floating" "$main" || fail "the floating window opened below the main window"
  # No format chosen yet: the clock is empty.
  [ -z "$(ax text label "" Kirimo)" ] || fail "a clock without a format shows '$(ax text label "" Kirimo)'"
  # Dragged off the main window, which the menus below bring to the front.
  drag "$floating" 300 250
  expect_at "$floating" $((x + 300)) $((y + 250))

  choose_format 0
  wait_label "$clock_a" >/dev/null
  choose_format 1
  wait_label "$clock_b" >/dev/null
  choose_format 2
  local before text after
  before=$(today_c)
  text=$(wait_label "$clock_c")
  after=$(today_c)
  [[ "$text" == "$before"* || "$text" == "$after"* ]] || fail "'$text' is not today, $before"
  shot formats

  # Its own menu, on a right click, puts it back in the middle.
  xdotool mousemove $((x + 300 + 20)) $((y + 250 + 10)) click 3
  click "menu item" "ウインドウを中央に移動"
  expect_at "$floating" "$x" "$y"
  drag "$floating" 300 -200
  expect_at "$floating" $((x + 300)) $((y - 200))
  shot dragged

  # The close box ends the program with the window open: it opens again
  # where it was left, showing the clock in the chosen format.
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  [ "$(ini_value WINDOWFLAG)" = 1 ] || fail "WINDOWFLAG=$(ini_value WINDOWFLAG) after the close box"
  [ "$(ini_value TIMECASE)" = c ] && [ "$(ini_value TIMEFLAG)" = t ] && [ "$(ini_value WINHYOUJI)" = t ] ||
    fail "the clock's settings were not kept: $(ini | tr -d '\r' | grep -E 'TIME|WIN')"
  [ "$(ini | tr -d '\r' | sed -n '/^\[frmWindow\]/,$p' | grep '^LEFT=')" = "LEFT=$(((x + 300) * 15))" ] ||
    fail "stored $(ini | tr -d '\r' | sed -n '/^\[frmWindow\]/,$p' | grep '^LEFT='), not LEFT=$(((x + 300) * 15))"
  start_kirimo
  main=$(wait_window Kirimo)
  floating=$(floating_window)
  expect_at "$floating" $((x + 300)) $((y - 200))
  wait_label "$clock_c" >/dev/null
  shot restarted

  # The end command closes the window before the main window: the window
  # counts as closed, though the clock, still on, opens it at the next start.
  click "push button" "終了" Kirimo
  wait_exit || fail "exit status $?"
  [ "$(ini_value WINDOWFLAG)" = 0 ] || fail "WINDOWFLAG=$(ini_value WINDOWFLAG) after the end command"
  [ "$(ini_value TIMEFLAG)" = t ] || fail "the end command switched the clock off"
  stop_desktop
}

recalled_memo_returns_to_the_clock() {
  start_desktop recall
  start_kirimo
  local main
  main=$(wait_window Kirimo)
  enter_memo "メモ１" "addr" "Osaka-5-6-7"
  menu "ツール" "題名クリック時ウインドウを表示可能にする"
  choose_format 0
  menu "ウインドウ" "自動日付/時計復帰" "１５秒"
  checked "menu item" "１５秒" || fail "'１５秒' is not checked"
  ! checked "menu item" "なし" || fail "'なし' is still checked"
  click "push button" "日付/時間" Kirimo
  wait_label "$clock_a" >/dev/null

  click "push button" "addr" Kirimo
  local start=$SECONDS
  wait_clipboard "Osaka-5-6-7"
  wait_label "Osaka-5-6-7" >/dev/null
  # Over the main window that the click brought to the front, to be seen.
  sleep 0.3
  stacked_above "$(floating_window)" "$main" || fail "the memo shows under the main window"
  shot memo
  # The memo stays for the fifteen seconds, then the clock comes back.
  sleep 12
  wait_label "Osaka-5-6-7" 1 >/dev/null
  wait_label "$clock_a" 100 >/dev/null
  local waited=$((SECONDS - start))
  [ "$waited" -ge 14 ] && [ "$waited" -le 19 ] || fail "the clock came back after ${waited} s"
  shot clock-again

  # The window's own clear empties it until the clock's next second.
  click "push button" "addr" Kirimo
  wait_label "Osaka-5-6-7" >/dev/null
  menu "ウインドウ" "ウインドウクリアー"
  wait_label "$clock_a|" >/dev/null
  wait_label "$clock_a" >/dev/null
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  [ "$(ini_value FUKKI)" = 15 ] || fail "FUKKI=$(ini_value FUKKI)"
  stop_desktop
}

size_font_and_always_on_top() {
  start_desktop appearance
  start_kirimo
  local main floating
  main=$(wait_window Kirimo)
  menu "ツール" "題名クリック時ウインドウを表示可能にする"
  # A size button opens the window first; each press moves one edge by 50
  # twips, whole pixels at 96 DPI.
  click "push button" "ウインドウの幅を大きくする" Kirimo
  floating=$(floating_window)
  local x y w h w0 h0
  sleep 0.3
  read -r x y w h < <(geometry "$floating")
  [ "$w $h" = "203 33" ] || fail "one press gave ${w}x$h"
  for button in ウインドウの幅を小さくする ウインドウの高さを大きくする ウインドウの高さを大きくする ウインドウの高さを小さくする; do
    click "push button" "$button" Kirimo
  done
  sleep 0.3
  read -r x y w0 h0 < <(geometry "$floating")
  [ "$w0 $h0" = "200 36" ] || fail "the presses gave ${w0}x$h0"

  # The font button goes round the five sizes; the text grows and shrinks.
  local heights=() caption size
  for size in 12 16 20 24 10 12; do
    ax center "push button" "フォントサイズ $size" Kirimo >/dev/null || fail "no 'フォントサイズ $size'"
    heights+=("$(ax extents label "" Kirimo | awk '{ print $4 }')")
    [ "$size" = 12 ] && [ ${#heights[@]} -gt 1 ] && break
    click "push button" "フォントサイズ $size" Kirimo
    sleep 0.2
  done
  [ "${heights[0]}" -lt "${heights[1]}" ] && [ "${heights[1]}" -lt "${heights[2]}" ] &&
    [ "${heights[2]}" -lt "${heights[3]}" ] && [ "${heights[4]}" -lt "${heights[0]}" ] &&
    [ "${heights[5]}" -eq "${heights[0]}" ] || fail "text heights ${heights[*]} at 12 16 20 24 10 12 points"

  # Always on top, for the floating window, then for the main window too.
  menu "ウインドウ" "常に手前に表示(ウインドウ)"
  sleep 0.3
  on_top "$floating" || fail "the floating window is not kept on top"
  ! on_top "$main" || fail "the main window is kept on top too"
  click "push button" "常に手前に表示" Kirimo
  ax center "push button" "手前に表示解除" Kirimo >/dev/null || fail "the button did not change"
  sleep 0.3
  on_top "$main" || fail "the main window is not kept on top"
  # A message box is not hidden by them while it is open; afterwards both
  # are on top again, the main window above the floating one.
  click "push button" "クリップボードクリアー" Kirimo
  ax center label "クリップボードをクリアーしますか？" Kirimo >/dev/null || fail "no question"
  sleep 0.3
  ! on_top "$floating" || fail "the floating window stays on top over the message box"
  ! on_top "$main" || fail "the main window stays on top over the message box"
  local box
  box=$(kirimo_windows | awk '{ print $1 }' | while read -r id; do [ "$id" != "$main" ] && [ "$id" != "$floating" ] && echo "$id"; done | head -n1)
  [ -n "$box" ] && stacked_above "$box" "$floating" && stacked_above "$box" "$main" || fail "the message box is not on top"
  shot box-over-windows
  expect_message "クリップボードをクリアーしますか？" "はい(Y)" "いいえ(N)" "キャンセル"
  answer "いいえ(N)"
  sleep 0.3
  on_top "$floating" && on_top "$main" || fail "always on top was not restored"
  stacked_above "$main" "$floating" || fail "the main window is not above the floating window"
  shot on-top

  # Neither choice is kept: the next start has ordinary windows, at the
  # size and font size left.
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  [ "$(ini_value FNTSIZE)" = b ] || fail "FNTSIZE=$(ini_value FNTSIZE)"
  start_kirimo
  main=$(wait_window Kirimo)
  floating=$(floating_window)
  sleep 0.5
  ! { on_top "$floating" || on_top "$main"; } || fail "always on top came back after a restart"
  read -r _ _ w h < <(geometry "$floating")
  [ "$w $h" = "$w0 $h0" ] || fail "the size came back as ${w}x$h"
  ax center "push button" "フォントサイズ 12" Kirimo >/dev/null || fail "the font size was not kept"
  stop_desktop
}

journeys+=(clock_formats_drag_and_place recalled_memo_returns_to_the_clock size_font_and_always_on_top)
