# shellcheck shell=bash
# The preview strip at the bottom of the dialog: it draws what OK would add,
# changes with every value, shows OK's refusals before OK, and texts Jw_cad
# cannot hold are refused, not altered; typing fast leaves no key behind;
# and no web-browser DLL is ever loaded. Sourced by scripts/test-wine after
# the dialog cases (it uses their worked example).

# The strip as the probe sees it: "strip says: ..." and
# "strip WxH, black N, dark N, greys N, checksum C".
strip_checksum() { sed -n 's/.*checksum \([0-9]*\).*/\1/p' <<<"$1"; }
strip_black() { sed -n 's/.*black \([0-9]*\),.*/\1/p' <<<"$1"; }
strip_dark() { sed -n 's/.*dark \([0-9]*\),.*/\1/p' <<<"$1"; }
strip_greys() { sed -n 's/.*greys \([0-9]*\),.*/\1/p' <<<"$1"; }
# The band above the strip says something, whatever the state: never blank
# nor the form's full-width space; and the strip's own text is the same line.
band_says() {  # strip-output [expected-line]
  local band
  band=$(probe band | sed -n 's/^band says: //p')
  [ -n "$band" ] && [ "$band" != "　" ] || problem "the band is blank"
  grep -qxF -- "strip says: $band" <<<"$1" || problem "the band says \"$band\", the strip: $1"
  [ -z "${2:-}" ] || [ "$band" = "$2" ] || problem "the band says \"$band\", not \"$2\""
}
focus_id() { probe state | sed -n 's/^focus \([0-9]*\).*/\1/p'; }
# Control ids: 100 + the control's place in the form (tool/form_toolkit.h).
edit1_id=104
edit3_id=107

# The worked example: the strip draws the dimension in black, says what it
# would add, and every kind of change draws it anew.
dir=$(new_case preview "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  sleep 0.3
  first=$(probe strip)
  [ "$(strip_black "$first")" -gt 200 ] 2>/dev/null || problem "the strip is nearly blank: $first"
  # Smoothed: the edges of lines and text take many greys between black and white.
  [ "$(strip_greys "$first")" -ge 12 ] 2>/dev/null || problem "the strip is not smoothed: $first"
  band_says "$first" "基準寸法の右に「1000」を追加"
  import -window "$dialog" "$root/$win_build/t408-preview.png" 2>/dev/null || problem "screenshot failed"
  before=$(strip_checksum "$first")
  # Edit7 (the arrow's length) is the third stop: a new length.
  xdotool key --delay 40 Tab Tab
  xdotool type --delay 40 2
  length=$(probe strip)
  after=$(strip_checksum "$length")
  [ "$after" != "$before" ] || problem "a new arrow length left the strip as it was"
  band_says "$length"
  # Back to ComboBox1: another marker.
  xdotool key --delay 40 shift+Tab shift+Tab Down
  marker=$(probe strip)
  [ "$(strip_checksum "$marker")" != "$after" ] || problem "another marker left the strip as it was"
  band_says "$marker" "基準寸法の右に「1000」を追加"
  # CheckBox4 (寸法図形化) is the sixteenth stop from ComboBox1.
  xdotool key --delay 40 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
  figure=$(probe strip)
  [ "$(strip_checksum "$figure")" != "$(strip_checksum "$marker")" ] ||
    problem "checking 寸法図形化 left the strip as it was"
  band_says "$figure" "基準寸法の右に寸法図形「1000」を追加"
  xdotool key Escape
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
finish_case "the strip draws the dimension and follows a new length, marker and figure"

# A bad value: its refusal in the strip, the keyboard where it was, no box.
dir=$(new_case preview-refusal "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  xdotool key --delay 40 Tab Tab Tab Tab
  xdotool type --delay 40 abc
  sleep 0.3
  band_says "$(probe strip)" "端点倍率「abc」：0 より大きい数にして下さい"
  [ "$(focus_id)" = "$edit1_id" ] || problem "the keyboard left Edit1"
  expect_lines "$(probe boxes)" "message boxes 0"
  xdotool key Escape
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "Edit1 = abc shows its refusal in the strip, with no box and the keyboard kept"

# A point inside the last dimension: the refusal shows before OK; OK then refuses.
dir=$(new_case preview-inside "$work/inside.txt" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  sleep 0.3
  band_says "$(probe strip)" "直前作図した水平寸法線の内側を指定する事は出来ません。"
  xdotool key Return && confirm_message
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "a point inside the last dimension shows its refusal before OK"

# Characters Jw_cad cannot hold, typed or pasted into 接尾文字 (Edit3, the
# eighth stop): OK refuses with the keyboard on it, the strip names them,
# and Esc then leaves both files as they were.
for row in "type|é|e acute" "type|€|euro sign" "paste|\\u{1F600}|emoji" "paste|a\\tb|TAB"; do
  how=${row%%|*}
  rest=${row#*|}
  text=${rest%%|*}
  name=${rest#*|}
  dir=$(new_case "preview-${name// /-}" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  if find_dialog; then
    xdotool key --delay 40 Tab Tab Tab Tab Tab Tab Tab
    sleep 0.3
    if [ "$how" = type ]; then
      type_into Edit3 "$text"
    else
      probe paste "$text" >/dev/null
    fi
    sleep 0.3
    said=$(probe strip)
    grep -q '^strip says: 設定「接尾文字」に Jw_cad で使えない文字「' <<<"$said" ||
      problem "the strip does not name it: $said"
    xdotool key Return
    sleep 0.5
    kill -0 "$app_pid" 2>/dev/null || problem "OK closed the dialog"
    [ "$(focus_id)" = "$edit3_id" ] || problem "the keyboard is not on Edit3"
    expect_lines "$(probe boxes)" "message boxes 0"
    xdotool windowfocus --sync "$dialog" key Escape
  fi
  expect_exit 0
  same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
  finish_case "OK refuses a suffix holding the $name ($how), with the keyboard on it"
done

# The markers at their size: ■ at both ends weighs visibly more at 端点倍率 3
# than at 1 (dark pixels in the strip).
declare -A box_dark=()
for scale in 1 3; do
  replace_line "$examples/t407.dat" 3 5 | replace_line /dev/stdin 4 5 |
    replace_line /dev/stdin 8 "$scale" > "$work/boxes-$scale.dat"
  dir=$(new_case "preview-boxes-$scale" "$examples/JWC_TEMP.TXT" "$work/boxes-$scale.dat" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  if find_dialog; then
    sleep 0.3
    boxes=$(probe strip)
    box_dark[$scale]=$(strip_dark "$boxes")
    band_says "$boxes" "基準寸法の右に「1000」を追加"
    xdotool key Escape
  fi
  expect_exit 0
done
echo "wine: dark pixels of ■ at 端点倍率 1 and 3: ${box_dark[1]:-?} and ${box_dark[3]:-?}"
[ "$(( ${box_dark[3]:-0} * 2 ))" -gt "$(( ${box_dark[1]:-0} * 3 ))" ] ||
  problem "■ at 端点倍率 3 (${box_dark[3]:-?} dark pixels) does not outweigh ■ at 1 (${box_dark[1]:-?})"
finish_case "■ at 端点倍率 3 outweighs ■ at 1 by half as much again in dark pixels"

# Screenshots of the markers turned outward and of a long dimension, drawn
# broken: the value whole between its two ends.
for row in "reversed|hp1 400 0|基準寸法の右に「400」を追加、端点は外向き" \
  "long|hp1 1234567 0|基準寸法の右に「1,234,567」を追加"; do
  name=${row%%|*}
  rest=${row#*|}
  pick=${rest%%|*}
  said=${rest#*|}
  sed "s/^hp1 1000 0/$pick/" "$examples/JWC_TEMP.TXT" > "$work/$name.txt"
  replace_line "$examples/t407.dat" 19 1 > "$work/$name.dat"
  dir=$(new_case "preview-$name" "$work/$name.txt" "$work/$name.dat" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  if find_dialog; then
    sleep 0.3
    band_says "$(probe strip)" "$said"
    import -window "$dialog" "$root/$win_build/t408-preview-$name.png" 2>/dev/null ||
      problem "screenshot failed"
    xdotool key Escape
  fi
  expect_exit 0
  finish_case "the $name case: the band says \"$said\" (screenshot t408-preview-$name.png)"
done

# 50 keys into Edit7 at 20 a second (8 digits, 8 BackSpaces, three times,
# then 2 digits): 200 ms after the last one every key has been handled.
dir=$(new_case preview-typing "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  xdotool key --delay 40 Tab Tab BackSpace
  keys=()
  for _ in 1 2 3; do
    keys+=(1 2 3 4 5 6 7 8 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace)
  done
  keys+=(4 2)
  xdotool key --delay 50 "${keys[@]}"
  sleep 0.2
  typed=$(probe state | sed -n 's/^Edit7 [0-9]* "\(.*\)"$/\1/p')
  [ "$typed" = 42 ] || problem "Edit7 holds \"$typed\" 200 ms after the last key, not \"42\""
  xdotool key Escape
fi
expect_exit 0
finish_case "50 keys at 20 a second are all handled 200 ms after the last"

# No web browser in the process: the loader's log names every DLL t408.exe
# loads, and none of a browser engine is among them.
dir=$(new_case preview-dlls "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
(cd "$dir" && WINEDEBUG=+loaddll exec wine ./t408.exe) >/dev/null 2>"$work/loaddll.txt" &
app_pid=$!
find_dialog && sleep 0.5 && xdotool key Escape
expect_exit 0
loaded=$(sed -n 's/.*Loaded L"\([^"]*\)".*/\1/p' "$work/loaddll.txt" | sed 's/.*\\//' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$loaded" ] || problem "the loader's log names no DLL"
for dll in atl.dll mshtml.dll ieframe.dll urlmon.dll wininet.dll actxprxy.dll; do
  grep -qx "$dll" <<<"$loaded" && problem "t408.exe loaded $dll"
done
echo "wine: DLLs t408.exe loads: $(tr '\n' ' ' <<<"$loaded")"
finish_case "t408.exe loads no web-browser DLL"
