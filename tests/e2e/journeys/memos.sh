# Memos typed in Japanese and recalled by button and by menu, one refused by
# the text rules, the reset of one slot, all-reset answered No then Yes, and
# the clipboard cleared.

# A content the rules refuse is told, and the dialog keeps both texts for
# the user to mend; cancelled, nothing is stored.
refused_memo_is_told_and_kept() {
  start_desktop refused
  start_kirimo
  local main
  main=$(wait_window Kirimo)
  local stored
  stored=$(ini | md5sum)
  click "push button" "メモ３" Kirimo
  wait_window "メモ３入力" >/dev/null
  focus text "メモの題名" "メモ３入力"
  type_text "bank"
  focus text "メモする内容" "メモ３入力"
  type_text "12 34"
  click "push button" OK "メモ３入力"
  expect_message "メモ内容にスペースは含めません"
  answer OK
  [ "$(ax text text "メモする内容" "メモ３入力")" = "12 34" ] || fail "the content was not kept"
  [ "$(ax text text "メモの題名" "メモ３入力")" = "bank" ] || fail "the title was not kept"
  click "push button" "キャンセル" "メモ３入力"
  main=$(wait_window Kirimo)
  ax center "push button" "メモ３" Kirimo >/dev/null || fail "slot 3 took a title"
  [ "$(ini | md5sum)" = "$stored" ] || fail "a refused memo changed Kirim.ini"
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  stop_desktop
}

japanese_memo_by_menu_and_reset() {
  start_desktop japanese
  start_kirimo
  wait_window Kirimo >/dev/null
  enter_memo "メモ２" "住所" "東京都千代田区1-1"
  shot entered
  # The menu item of the slot carries the title too, and so does the reset
  # menu's item; picking the memo's item recalls it.
  printf 'x' | xclip -selection clipboard
  menu "ウインドウ" "住所"
  wait_clipboard "東京都千代田区1-1"
  ax center "push button" "住所" Kirimo >/dev/null
  menu "ウインドウ" "リセット"
  ax center "menu item" "リセット「住所」" >/dev/null || fail "no reset item names the memo"
  xdotool key Escape Escape Escape
  sleep 0.3
  # Stored enciphered: neither text shows in the file.
  ! ini | iconv -f CP932 -t UTF-8 | grep -q "住所\|東京" || fail "a plain text in Kirim.ini"
  [ -n "$(ini_value MEMO2)" ] && [ -n "$(ini_value DAIMEI2)" ] || fail "slot 2 not stored"

  # The second of the ten reset buttons is slot 2's.
  click --nth 2 "push button" "リセット" Kirimo
  ax center "push button" "メモ２" Kirimo >/dev/null || fail "slot 2 kept its title"
  for _ in $(seq 20); do [ -z "$(ini_value MEMO2)" ] && break; sleep 0.1; done
  [ -z "$(ini_value MEMO2)" ] && [ -z "$(ini_value DAIMEI2)" ] || fail "slot 2 still stored"
  # An empty slot's button opens the entry dialog again.
  click "push button" "メモ２" Kirimo
  wait_window "メモ２入力" >/dev/null
  shot reset
  click "push button" "キャンセル" "メモ２入力"
  wait_window Kirimo >/dev/null
  local main
  main=$(wait_window Kirimo)
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  stop_desktop
}

all_reset_and_clipboard_clear() {
  start_desktop all-reset
  start_kirimo
  wait_window Kirimo >/dev/null
  enter_memo "メモ１" "tel" "03-1234-5678"
  enter_memo "メモ１０" "mail" "someone@example.jp"
  local stored
  stored=$(ini | md5sum)

  click "push button" "オールリセット" Kirimo
  expect_message "メモしたすべてをリセットしますか？" "はい(Y)" "いいえ(N)" "キャンセル"
  answer "いいえ(N)"
  [ "$(ini | md5sum)" = "$stored" ] || fail "No changed Kirim.ini"
  ax center "push button" "mail" Kirimo >/dev/null || fail "No reset a caption"

  click "push button" "オールリセット" Kirimo
  expect_message "メモしたすべてをリセットしますか？" "はい(Y)" "いいえ(N)" "キャンセル"
  answer "はい(Y)"
  ax center "push button" "メモ１" Kirimo >/dev/null || fail "slot 1 kept its title"
  ax center "push button" "メモ１０" Kirimo >/dev/null || fail "slot 10 kept its title"
  local key
  for key in MEMO DAIMEI1 MEMO10 DAIMEI10; do
    [ -z "$(ini_value "$key")" ] || fail "$key still holds $(ini_value "$key")"
  done
  [ -n "$(ini_value HIDUKE)" ] || fail "all-reset took the stamp"

  printf 'keep me' | xclip -selection clipboard
  click "push button" "クリップボードクリアー" Kirimo
  expect_message "クリップボードをクリアーしますか？" "はい(Y)" "いいえ(N)" "キャンセル"
  answer "キャンセル"
  wait_clipboard "keep me"
  click "push button" "クリップボードクリアー" Kirimo
  expect_message "クリップボードをクリアーしますか？" "はい(Y)" "いいえ(N)" "キャンセル"
  answer "はい(Y)"
  wait_clipboard ""
  shot cleared
  local main
  main=$(wait_window Kirimo)
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  stop_desktop
}

journeys+=(refused_memo_is_told_and_kept japanese_memo_by_menu_and_reset all_reset_and_clipboard_clear)
