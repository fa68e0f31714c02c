# shellcheck shell=bash
# The dialog, t408.exe, driven with the keys and the mouse: OK, Cancel and the
# ways of closing, the refusals, a bad value, typed Japanese, the notes, where
# it is first seen and an early close request. Sourced by scripts/test-wine.

worked=$(expect worked "$examples/JWC_TEMP.TXT" "$examples/t407.dat")

# Enter on the worked example adds the dimension exactly as the quick pass does.
dir=$(new_case enter "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  sleep 0.5
  import -window "$dialog" "$root/$win_build/t408-dialog.png" 2>/dev/null ||
    problem "screenshot failed"
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
finish_case "Enter on the worked example writes the dimension and the extended reference"

# The whole row (t408a.bat: t408.exe /a) on examples/row/: Enter writes what
# t408q /a writes, and with no t407.dat the dialog's defaults serve and
# t407.dat is made.
for row in "with-t407|$examples/row/t407.dat" "without-t407|-"; do
  label=${row%%|*} settings=${row#*|}
  expected=$(expect "row-$label" "$examples/row/JWC_TEMP.TXT" "$settings" /a)
  dir=$(new_case "row-$label" "$examples/row/JWC_TEMP.TXT" "$settings" "$exe_dir/t408.exe")
  launch "$dir" t408.exe /a
  if find_dialog; then
    sleep 0.5
    [ "$label" = with-t407 ] && { import -window "$dialog" "$root/$win_build/t408-row.png" 2>/dev/null ||
      problem "screenshot failed"; }
    xdotool key Return
  fi
  expect_exit 0
  same_file "$dir/JWC_TEMP.TXT" "$expected/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$expected/t407.dat" t407.dat
  [ "$(grep -c '^cs ' "$dir/JWC_TEMP.TXT")" = 3 ] || problem "not the row's three dimensions"
  finish_case "the whole row ($label): Enter in t408.exe /a writes what t408q /a writes"
done

# An argument t408.exe does not know: its box, exit status 2, and nothing
# written: JWC_TEMP.TXT stays as Jw_cad wrote it (begins with hq).
dir=$(new_case bad-argument "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe /x
confirm_message
[ -n "$(wine_find_window '^水平寸法線＋$' 1)" ] && problem "the dialog opened"
expect_exit 2
same_file "$dir/JWC_TEMP.TXT" "$examples/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "t408.exe /x: the box says so, exit status 2, both files untouched"

# Esc and Alt+F4 are Cancel: "hq" and t407.dat untouched.
for key in Escape alt+F4; do
  dir=$(new_case "key-$key" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  find_dialog && xdotool key "$key"
  expect_exit 0
  same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
  finish_case "$key closes like Cancel: hq, t407.dat unchanged"
done

# The title bar's close button, clicked with the mouse, is Cancel too. Wine
# draws the frame itself (no window manager): the button is at the top right.
dir=$(new_case close-button "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  width=$(xdotool getwindowgeometry --shell "$dialog" | sed -n 's/^WIDTH=//p')
  sleep 0.3
  xdotool mousemove --window "$dialog" $((width - 14)) 12 click 1
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "the title bar's close button closes like Cancel"

# Without t407.dat the dialog refuses: only the message box is seen, never the
# dialog behind it; then "hq", and no t407.dat appears.
dir=$(new_case no-settings "$examples/JWC_TEMP.TXT" - "$exe_dir/t408.exe")
launch "$dir" t408.exe
wine_find_window '^確認$' 30 >/dev/null
[ -n "$(wine_find_window '^水平寸法線＋$' 1)" ] && problem "the dialog is seen behind the refusal box"
confirm_message
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
[ -e "$dir/t407.dat" ] && problem "t407.dat was created"
finish_case "no t407.dat: only the refusal box is seen, then hq"

# A picked point inside the last dimension is refused: box, close, hq, t407.dat unchanged.
replace_line "$examples/JWC_TEMP.TXT" "$(grep -n '^hp1 ' "$examples/JWC_TEMP.TXT" | cut -d: -f1)" \
  'hp1 -500 0' > "$work/inside.txt"
dir=$(new_case inside "$work/inside.txt" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
find_dialog && xdotool key Return && confirm_message
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "a point inside the last dimension: the refusal box, then hq"

# A bad end-marker scale keeps the window open for a correction; Esc then closes it.
dir=$(new_case bad-value "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  # ComboBox1 has the keyboard; Edit1 is the fourth stop after it.
  xdotool key --delay 40 Tab Tab Tab Tab
  xdotool type --delay 40 abc
  xdotool key Return
  sleep 1
  kill -0 "$app_pid" 2>/dev/null || problem "the window closed on a bad value"
  same_file "$dir/JWC_TEMP.TXT" "$examples/JWC_TEMP.TXT" "JWC_TEMP.TXT while open"
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool key Escape
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "Edit1 = abc keeps the window open; Esc then closes it"

# A prefix typed in Japanese reaches the value text and t407.dat in Shift-JIS.
replace_line "$examples/t407.dat" 9 "$(sjis '寸法')" > "$work/prefixed.dat"
prefixed=$(expect prefixed "$examples/JWC_TEMP.TXT" "$work/prefixed.dat")
dir=$(new_case prefix "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  xdotool key --delay 40 Tab Tab Tab Tab Tab Tab
  sleep 0.3
  type_into Edit2 '寸法'
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$prefixed/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$prefixed/t407.dat" t407.dat
grep -q "$(sjis '"寸法')" "$dir/JWC_TEMP.TXT" || problem "the value text does not start with 寸法"
finish_case "a Japanese prefix typed into Edit2 arrives in Shift-JIS"

# ---- The dialog as a Windows user meets it

# The notes (Memo1) do not keep the keyboard: from a click into them, Tab
# reaches ComboBox1 (Down picks its second item), Shift+Tab reaches Cancel,
# Esc cancels.
replace_line "$examples/t407.dat" 3 1 > "$work/second-marker.dat"
second_marker=$(expect second-marker "$examples/JWC_TEMP.TXT" "$work/second-marker.dat")
for row in "Tab Down Return|$second_marker" "shift+Tab Return|$work/cancelled" "Escape|$work/cancelled"; do
  keys=${row%%|*}
  dir=$(new_case "notes-${keys// /-}" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  if find_dialog; then
    width=$(xdotool getwindowgeometry --shell "$dialog" | sed -n 's/^WIDTH=//p')
    # shellcheck disable=SC2086 # one key per word
    xdotool mousemove --window "$dialog" $((width - 95)) 130 click 1 sleep 0.3 key --delay 40 $keys
  fi
  expect_exit 0
  same_file "$dir/JWC_TEMP.TXT" "${row#*|}/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "${row#*|}/t407.dat" t407.dat
  finish_case "from a click into the notes, $keys acts as in the rest of the dialog"
done

# Start-up runs before the dialog is first seen: it appears at its saved place,
# 300,200, even while a long exchange file keeps start-up busy.
awk 'NR == 1 { $0 = "300\r" } NR == 2 { $0 = "200\r" } { print }' "$examples/t407.dat" > "$work/moved.dat"
{ cat "$examples/JWC_TEMP.TXT"; awk 'BEGIN { for (i = 0; i < 300000; i++) printf " %d 0 %d 100\r\n", i, i }'; } \
  > "$work/long.txt"
dir=$(new_case first-sight "$work/long.txt" "$work/moved.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
seen=
for _ in $(seq 1 3000); do  # a few ms each, as soon as it is on screen
  dialog=$(xdotool search --onlyvisible --name '^水平寸法線＋$' 2>/dev/null | head -n 1)
  [ -n "$dialog" ] && seen=$(xdotool getwindowgeometry "$dialog" | sed -n 's/ *Position: \([-0-9,]*\).*/\1/p')
  [ -n "$seen" ] && break
done
[ "$seen" = 300,200 ] || problem "first seen at ${seen:-no place}"
find_dialog && xdotool key Escape
expect_exit 0
finish_case "the dialog is first seen at its saved place"

# A close request the moment the window exists, from a process whose current
# folder is another one: "hq" goes to the program's folder, nothing elsewhere.
dir=$(new_case close-early "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
mkdir -p "$work/elsewhere"
expect_lines "$(probe close-early "$(windows_path "$dir/t408.exe")" "$(windows_path "$work/elsewhere")")" "exit 0"
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
[ -e "$work/elsewhere/JWC_TEMP.TXT" ] && problem "JWC_TEMP.TXT was written to the current folder"
finish_case "a close request before start-up writes hq in the program's folder only"
