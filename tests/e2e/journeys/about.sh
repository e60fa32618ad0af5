# The about box, read as designed and closed every way a person closes it,
# and the help command that opens the user guide beside the program.

readonly about_box="Kirimoのﾊﾞｰｼﾞｮﾝ情報"

# While the box is open the main window is hidden; however the box goes,
# the main window comes back with the focus.
about_box_read_and_closed() {
  start_desktop about
  start_kirimo
  local main box way want
  main=$(wait_main)
  want=$(printf '%s\n' "Kirimo" "ﾊﾞｰｼﾞｮﾝ 1.1.7" \
    "これはちょっとメモしたいという時にメモしておいて読みこむ時にクリップボードにコピーするアプリです。データは独自の暗号化ルーチンにより容易に解読できないようになっていますので安心です。")
  for way in OK Return Escape close-box; do
    menu "ヘルプ" "バージョン"
    box=$(wait_window "$about_box")
    wait_unmapped "$main"
    [ "$(ax names label "" "$about_box")" = "$want" ] ||
      fail "the about box reads: $(ax names label "" "$about_box" | tr '\n' '|')"
    [ "$(ax names "push button" "" "$about_box")" = OK ] ||
      fail "the about box's buttons: $(ax names "push button" "" "$about_box" | tr '\n' '|')"
    ax center image Kirimo "$about_box" >/dev/null || fail "no icon in the about box"
    [ "$way" = OK ] && shot about
    case $way in
      OK) click "push button" OK "$about_box" ;;
      close-box) wmctrl -ic "$box" ;;
      *)
        xdotool windowactivate --sync "$box" 2>/dev/null || true
        xdotool key "$way"
        ;;
    esac
    wait_no_window "$about_box"
    main=$(wait_main)
    for _ in $(seq 30); do [ "$(xdotool getactivewindow)" = "$((main))" ] && break; sleep 0.1; done
    [ "$(xdotool getactivewindow)" = "$((main))" ] || fail "closed by $way, the main window has no focus"
  done
  shot closed
  wmctrl -ic "$main"
  wait_exit || fail "exit status $?"
  stop_desktop
}

# "ヘルプ" hands the user guide beside the program, in a folder whose name
# has a space, to the desktop's viewer: here one that notes what it was
# asked to open. Without any viewer the program says so.
about_help_opens_readme() {
  start_desktop help
  mkdir -p "$work/viewer"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$work" >"$work/viewer/xdg-open"
  chmod +x "$work/viewer/xdg-open"
  mv "$work/app" "$work/my app"
  ln -s "my app" "$work/app"
  unset BROWSER DEFAULT_BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
  local listing opened
  PATH="$work/viewer:$PATH" start_kirimo
  wait_main >/dev/null
  listing=$(open_popup xdotool mousemove $(ax center "menu item" "ヘルプ" Kirimo) click 1)
  [ "$(cut -d' ' -f4- <<<"$listing")" = $'ヘルプ\nバージョン' ] ||
    fail "the help menu reads: $(tr '\n' '|' <<<"$listing")"
  popup_click "$listing" "ヘルプ"
  for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
  [ -s "$work/opened" ] || fail "no viewer was started"
  opened=$(/usr/bin/python3 -c 'import sys, urllib.parse as u; p = u.urlparse(sys.argv[1]); print(p.scheme + " " + u.unquote(p.path))' "$(cat "$work/opened")")
  [ "$opened" = "file $(realpath "$work/my app")/Kirimo_Readme.txt" ] ||
    fail "the viewer was asked to open: $(cat "$work/opened")"
  sleep 0.3
  no_message
  shot opened
  wmctrl -ic "$(wait_main)"
  wait_exit || fail "exit status $?"

  PATH=/nonexistent start_kirimo
  wait_main >/dev/null
  listing=$(open_popup xdotool mousemove $(ax center "menu item" "ヘルプ" Kirimo) click 1)
  popup_click "$listing" "ヘルプ"
  expect_message "メモ帳を起動できませんでした"
  shot no-viewer
  answer OK
  wmctrl -ic "$(wait_main)"
  wait_exit || fail "exit status $?"
  stop_desktop
}

journeys+=(about_box_read_and_closed about_help_opens_readme)
