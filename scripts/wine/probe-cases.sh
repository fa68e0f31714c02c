# shellcheck shell=bash
# What only Windows can tell, asked from outside with the dialog probe
# (tests/wine/dialog_probe.cpp): the default button through a Tab round, the
# task-bar button, the strip, and texts kept as loaded. Sourced by
# scripts/test-wine after the dialog cases (it uses their worked example).

# One run for the default button through a full Tab round (Cancel is the 21st
# stop after ComboBox1: the strip below is no stop), the task-bar button, and
# what the strip says; Enter then still adds the dimension.
dir=$(new_case "windows view #1" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  xdotool key --delay 40 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
  expect_lines "$(probe report)" "default: Cancel"
  xdotool windowfocus --sync "$dialog" key Tab
  report=$(probe report)
  expect_lines "$report" "default: OK"
fi
finish_case "Cancel is drawn as the default while it has the keyboard, OK again after it"

[ "$(grep -c '^task-bar button' <<<"${report:-}")" = 1 ] || problem "not one task-bar button"
expect_lines "${report:-}" "task-bar button: t408_水平寸法線＋"
[ -n "$dialog" ] && expect_lines "$(probe minimise)" "minimise from the button: button minimised, dialog hidden" \
  "restore from the button: button normal, dialog shown" "minimise from the dialog: button minimised, dialog hidden"
finish_case "one task-bar button, t408_水平寸法線＋; minimising it hides the dialog, restoring shows it"

# A screen reader hears what would be added.
expect_lines "${report:-}" "strip: 基準寸法の右に「1000」を追加"
[ -n "$dialog" ] && xdotool windowfocus --sync "$dialog" key Return
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
finish_case "the strip says what OK would add; Enter then still adds the dimension"

# The notes run longer than Memo1 is high: its scroll bar reaches the last
# of them. 21 lines, 15 in view, so the end shows from line 6 (counting
# from 0).
dir=$(new_case memo "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  memo=$(probe memo)
  expect_lines "$memo" "memo lines 21, scroll bar" "memo scrolled to the end shows from line 6"
  xdotool key Escape
fi
expect_exit 0
finish_case "Memo1 has a scroll bar, and scrolled to the end it shows its last notes"

# Texts nobody edited keep the bytes they were loaded with, as in t408q: NEC
# and IBM duplicates and a backslash sign in the prefix, a NUL and a lone lead
# byte in the suffix.
{ head -n 8 "$examples/t407.dat"
  printf '\x41\x87\x90\x42\xFA\x40\x43\xED\x40\x44\x81\x5F\r\n\x78\x00\x78\x82\r\n'
  tail -n +11 "$examples/t407.dat"; } > "$work/kept.dat"
kept=$(expect kept "$examples/JWC_TEMP.TXT" "$work/kept.dat")
dir=$(new_case kept "$examples/JWC_TEMP.TXT" "$work/kept.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
find_dialog && xdotool key Return
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$kept/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$kept/t407.dat" t407.dat
cmp -s <(sed -n 9,10p "$work/kept.dat") <(sed -n 9,10p "$dir/t407.dat") || problem "lines 9 and 10 changed"
finish_case "texts not edited keep their Shift-JIS bytes, as t408q keeps them"
