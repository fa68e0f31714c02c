# shellcheck shell=bash
# Display scaling. At 96 DPI, in the shared prefix, the dialog stands exactly
# as the form table has it. Then, in a prefix of its own at 144 DPI (150 %)
# on a 1920 x 1080 screen: the scaled client area and controls, the icons, a
# move to a monitor of 96 DPI and back that keeps the keyboard, the selection
# and the typed text, the worked example's bytes, the saved position
# converted both ways, and a position on a monitor that is no longer there.
# Sourced by scripts/test-wine after the dialog cases (it uses their worked
# example).

# The sizes of the icons Wine gave the dialog's X window, e.g. "24 48".
icon_sizes() {
  xprop -id "$1" _NET_WM_ICON 2>/dev/null | sed -n 's/.*Icon (\([0-9]*\) x [0-9]*).*/\1/p' |
    sort -n | tr '\n' ' ' | sed 's/ $//'
}
seen_at() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([-0-9,]*\).*/\1/p'; }
expect_icons() {  # window sizes
  local sizes
  sizes=$(icon_sizes "$1")
  [ "$sizes" = "$2" ] || problem "icons of ${sizes:-no size}, expected $2"
}
# t407.dat of the worked example with the window at $1,$2.
placed_at() {
  awk -v x="$1" -v y="$2" 'NR == 1 { $0 = x "\r" } NR == 2 { $0 = y "\r" } { print }' "$examples/t407.dat"
}

# ---- 96 DPI

dir=$(new_case layout-96 "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  layout_96=$(probe layout 96)
  expect_lines "$layout_96" "client 492x436" "layout at 96: ok"
  expect_icons "$dialog" "16 32"
  xdotool key Escape
fi
expect_exit 0
finish_case "at 96 DPI every control stands where the form table puts it, with 16 and 32 px icons"

# Saved where no monitor is: the dialog opens on the screen, and OK saves the
# place it had (what the quick pass leaves for a t407.dat saying 0,0).
placed_at -2000 -2000 > "$work/gone.dat"
placed_at 0 0 > "$work/origin.dat"
origin=$(expect origin "$examples/JWC_TEMP.TXT" "$work/origin.dat")
dir=$(new_case gone-96 "$examples/JWC_TEMP.TXT" "$work/gone.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  [ "$(seen_at "$dialog")" = 0,0 ] || problem "seen at $(seen_at "$dialog"), not 0,0"
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$origin/t407.dat" t407.dat
finish_case "saved at -2000,-2000, where no monitor is: the dialog opens at 0,0; OK saves 0,0"

# Saved partly above the screen, where a window dragged to the very top
# stays: it opens there, and OK saves it there.
placed_at -20 -5 > "$work/top.dat"
top=$(expect top "$examples/JWC_TEMP.TXT" "$work/top.dat")
dir=$(new_case top-96 "$examples/JWC_TEMP.TXT" "$work/top.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  [ "$(seen_at "$dialog")" = -20,-5 ] || problem "seen at $(seen_at "$dialog"), not -20,-5"
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$top/t407.dat" t407.dat
finish_case "saved at -20,-5, partly above the screen: the dialog opens there; OK saves -20,-5"

# ---- 144 DPI, in a prefix and on a screen of its own

shared_prefix=$WINEPREFIX
shared_display=$DISPLAY
echo "wine: a prefix at 144 DPI"
wine_start_xvfb 110 1920x1080
wine_make_prefix "$work/prefix-144dpi" 144
wine_start_server

dir=$(new_case enter-144 "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  sleep 0.5
  import -window "$dialog" "$root/$win_build/t408-dialog-144dpi.png" 2>/dev/null ||
    problem "screenshot failed"
  layout=$(probe layout 144)
  expect_lines "$layout" "client 738x654" "layout at 144: ok"
  # At 96 DPI IPA Gothic makes the drop-down lists a pixel taller than the
  # form's 21; scaled, they are filled to their places exactly.
  grep -q "taller" <<<"$layout" && problem "${layout//$'\n'/; }"
  expect_icons "$dialog" "24 48"
  # Saved at 100,100 by a program that sees 96 DPI: 150,150 on this screen.
  [ "$(seen_at "$dialog")" = 150,150 ] || problem "seen at $(seen_at "$dialog"), not 150,150"
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
finish_case "at 144 DPI: client 738 x 654, every control at its scaled place, 24 and 48 px icons; Enter writes what it writes at 96 DPI"
client_144=$(sed -n 's/^client //p' <<<"${layout:-}")

# The strip at 144 DPI, smoothed and to scale like at 96: the worked example,
# the markers turned outward and the long dimension drawn broken, each in a
# screenshot (the long and the reversed one with 3-digit commas, as at 96).
for row in "worked|$examples/JWC_TEMP.TXT|$examples/t407.dat|基準寸法の右に「1000」を追加" \
  "reversed|$work/reversed.txt|$work/reversed.dat|基準寸法の右に「400」を追加、端点は外向き" \
  "long|$work/long.txt|$work/long.dat|基準寸法の右に「1,234,567」を追加"; do
  IFS='|' read -r name exchange settings said <<<"$row"
  dir=$(new_case "preview-$name-144" "$exchange" "$settings" "$exe_dir/t408.exe")
  launch "$dir" t408.exe
  if find_dialog; then
    sleep 0.5
    strip=$(probe strip)
    band_says "$strip" "$said"
    grep -q '^strip 738x97, ' <<<"$strip" || problem "not a 738 x 97 strip: $strip"
    [ "$(strip_greys "$strip")" -ge 12 ] 2>/dev/null || problem "the strip is not smoothed: $strip"
    import -window "$dialog" "$root/$win_build/t408-preview-$name-144dpi.png" 2>/dev/null ||
      problem "screenshot failed"
    xdotool key Escape
  fi
  expect_exit 0
  finish_case "at 144 DPI the $name case fills a 738 x 97 strip, smoothed (t408-preview-$name-144dpi.png)"
done

# Moving to a monitor of 100 % and back, with "ab" typed into Edit2 (the
# prefix) and its "b" selected: the keyboard, the caret, the selection and
# the text stay, and Enter then writes the prefix.
replace_line "$examples/t407.dat" 9 ab > "$work/prefix-ab.dat"
prefix_ab=$(expect prefix-ab "$examples/JWC_TEMP.TXT" "$work/prefix-ab.dat")
dir=$(new_case moved-144 "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  xdotool key --delay 40 Tab Tab Tab Tab Tab Tab
  xdotool type --delay 60 ab
  xdotool key shift+Left
  before=$(probe state)
  expect_lines "$before" "focus 106, selection 1-2, caret in it" 'Edit2 106 "ab"'
  # The size the dialog asks for; Wine keeps its caption bar at 144 DPI, so
  # the window then grows by the difference to keep the client exact.
  expect_lines "$(probe dpi-change 96)" "size asked for at 96: 498x461"
  # Laid out as a dialog started at 96 DPI is, to the pixel.
  layout=$(probe layout 96)
  expect_lines "$layout" "client 492x436" "layout at 96: ok"
  [ "$layout" = "${layout_96:-}" ] || problem "at 96 DPI after the move: ${layout//$'\n'/; }"
  expect_icons "$dialog" "16 32"
  [ "$(probe state)" = "$before" ] || problem "after the move to 96 DPI: $(probe state | tr '\n' ';')"
  expect_lines "$(probe dpi-change 144)" "size asked for at 144: 744x688" "window 150,150 744x688"
  layout=$(probe layout 144)
  expect_lines "$layout" "client 738x654" "layout at 144: ok"
  grep -q "taller" <<<"$layout" && problem "${layout//$'\n'/; }"
  expect_icons "$dialog" "24 48"
  [ "$(probe state)" = "$before" ] || problem "after the move back: $(probe state | tr '\n' ';')"
  xdotool windowfocus --sync "$dialog" key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$prefix_ab/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$prefix_ab/t407.dat" t407.dat
finish_case "to a monitor of 96 DPI and back: laid out anew, keyboard, caret, selection and text kept"

# Partly off the left edge stays where it was saved: -100,300 is -150,450 on
# this screen, and OK saves -100,300 again.
placed_at -100 300 > "$work/left.dat"
left=$(expect left "$examples/JWC_TEMP.TXT" "$work/left.dat")
dir=$(new_case left-144 "$examples/JWC_TEMP.TXT" "$work/left.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  [ "$(seen_at "$dialog")" = -150,450 ] || problem "seen at $(seen_at "$dialog"), not -150,450"
  xdotool key Return
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$left/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$left/t407.dat" t407.dat
finish_case "at 144 DPI, saved at -100,300: seen at -150,450, partly off the edge; OK saves -100,300"

dir=$(new_case gone-144 "$examples/JWC_TEMP.TXT" "$work/gone.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
if find_dialog; then
  [ "$(seen_at "$dialog")" = 0,0 ] || problem "seen at $(seen_at "$dialog"), not 0,0"
  xdotool key Escape
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$work/gone.dat" t407.dat
finish_case "at 144 DPI, saved at -2000,-2000: the dialog opens at 0,0 and Esc reaches it"

echo "wine: screenshot at 144 DPI: $win_build/t408-dialog-144dpi.png (client ${client_144:-not measured})"
wine_stop_server
wine_env "$shared_prefix"
export DISPLAY=$shared_display
