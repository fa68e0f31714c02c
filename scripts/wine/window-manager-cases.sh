# shellcheck shell=bash
# The dialog on a Linux desktop: under a window manager (openbox) on an X
# server of its own, with Wine's X11 driver managed for these cases only. A
# task bar lists exactly one entry while the dialog is open, titled
# t408_水平寸法線＋, whose window shows nothing, and the dialog opens with the
# keyboard; minimising the entry, or the dialog, hides the dialog, and
# activating the entry, as a click on it does, brings the dialog back; Esc and
# Enter still work. Sourced by scripts/test-wine after the dialog cases (it
# uses their worked example).
#
# Not checked: that the dialog has the keyboard again after coming back. Wine
# 8 hands the window manager's focus to the dialog before the window manager
# has shown it again, and loses it when the two race (seen about once in a
# dozen restores on a busy machine); a click on the dialog gives it back.

wm_shared_display=$DISPLAY
wine_start_xvfb 130
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  echo "wine: openbox did not start" >&2
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1

# What a task bar lists: the window manager's clients, less those marked to
# be skipped and those of a kind task bars leave out. One line per entry:
# its id (decimal, as xdotool gives it) and its title.
taskbar_entries() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/.*# //p' | tr -d ','); do
    xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR && continue
    xprop -id "$id" _NET_WM_WINDOW_TYPE |
      grep -Eq '_NET_WM_WINDOW_TYPE_(DESKTOP|DOCK|TOOLBAR|MENU|UTILITY|SPLASH)' && continue
    printf '%d %s\n' "$id" \
      "$(xprop -id "$id" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')"
  done
}
# (xwininfo with no id waits for a click: never call it without one.)
wm_state() { [ -n "$1" ] && xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
map_state() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | sed -n 's/.*Map State: //p'; }
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# //p')"; }
within_5s() {  # command...: true once the command is, trying for up to 5 s
  for _ in $(seq 1 50); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
entries=
one_entry() {
  entries=$(taskbar_entries)
  [ "$(grep -c . <<<"$entries")" = 1 ]
}
dialog_active() { [ "$(active_window)" = "$dialog" ]; }
dialog_hidden() { [ "$(wm_state "$entry")" = Iconic ] && [ "$(map_state "$dialog")" = IsUnMapped ]; }
dialog_back() { [ "$(wm_state "$entry")" = Normal ] && [ "$(map_state "$dialog")" = IsViewable ]; }
seen() {
  echo "entry $(wm_state "$entry"), dialog $(map_state "$dialog"), active $(active_window) (dialog $dialog)"
}

dir=$(new_case "window manager" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
dialog=$(wine_find_window '^水平寸法線＋$' 30)
entry=
if [ -n "$dialog" ]; then
  within_5s one_entry || problem "task-bar entries: ${entries//$'\n'/; }"
  [ "$(cut -d' ' -f2- <<<"$entries")" = t408_水平寸法線＋ ] || problem "entry titled \"$(cut -d' ' -f2- <<<"$entries")\""
  entry=$(head -n 1 <<<"$entries" | cut -d' ' -f1)
  # An empty shape: not one pixel of the entry's window is on the screen.
  if [ -n "$entry" ]; then
    shape=$(xwininfo -shape -id "$entry" 2>&1 | grep -i shape)
    grep -q 'Window shape extents: *0x0+' <<<"$shape" ||
      problem "the entry's window shows: ${shape//$'\n'/; }"
  fi
  within_5s dialog_active || problem "the dialog is not active: $(seen)"
else
  problem "the dialog never appeared"
fi
finish_case "under a window manager, one task-bar entry, t408_水平寸法線＋, whose window shows nothing; the dialog has the keyboard"

if [ -n "$entry" ]; then
  # What a task bar sends: a request to iconify, and one to activate.
  xdotool windowminimize "$entry"
  within_5s dialog_hidden || problem "after minimising the entry: $(seen)"
  xdotool windowactivate "$entry" 2>/dev/null
  within_5s dialog_back || problem "after activating the entry: $(seen)"
  # The dialog's own minimise button, on the frame the window manager draws.
  xdotool windowminimize "$dialog"
  within_5s dialog_hidden || problem "after minimising the dialog: $(seen)"
  xdotool windowactivate "$entry" 2>/dev/null
  within_5s dialog_back || problem "after activating the entry again: $(seen)"
  xdotool windowfocus --sync "$dialog" key Escape
fi
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "minimising the entry or the dialog hides the dialog, the entry brings it back; Esc then cancels"

dir=$(new_case "window manager, Enter" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
launch "$dir" t408.exe
dialog=$(wine_find_window '^水平寸法線＋$' 30)
[ -n "$dialog" ] && within_5s dialog_active && xdotool key Return
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
finish_case "under a window manager, Enter adds the worked example's dimension"

wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
kill "$wm_pid" 2>/dev/null
wait "$wm_pid" 2>/dev/null
export DISPLAY=$wm_shared_display
