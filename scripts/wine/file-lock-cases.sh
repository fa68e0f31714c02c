# shellcheck shell=bash
# Files another program holds, as Windows itself refuses them: a t407.dat held
# open without delete sharing (a virus scanner, a backup program) for a moment
# is waited for, one held for long refuses the run and leaves both files as
# they were; so does a JWC_TEMP.TXT held for long, after t407.dat has taken its
# new content (which is then put back); a t407.dat marked read-only refuses
# the run too. Sourced by scripts/test-wine after the dialog cases (it uses
# their worked example).

cmake --build "$win_build" --target hold_file >/dev/null 2>&1 || problem "hold_file did not build"
in_use=$(sjis "t407.dat を保存出来ませんでした（他のプログラムが使用中です）。寸法は追加していません。")
read_only=$(sjis "t407.dat を保存出来ませんでした（読み取り専用になっています）。寸法は追加していません。")

# Holds <folder>/<file> (t407.dat unless named) for <ms> in the background and
# returns once it is held.
hold_pid=
hold_settings() {  # folder ms [file]
  rm -f "$1/held"
  (cd "$1" && exec wine "$exe_dir/hold_file.exe" "${3:-t407.dat}" "$2" held) >/dev/null 2>&1 &
  hold_pid=$!
  for _ in $(seq 1 200); do
    [ -e "$1/held" ] && return 0
    sleep 0.05
  done
  problem "${3:-t407.dat} was never held"
}
release_settings() {
  [ -n "$hold_pid" ] && wait "$hold_pid" 2>/dev/null
  hold_pid=
  rm -f "$1/held"
}

# Held for 300 ms: both programs wait it out and write what the native pass writes.
for program in t408q.exe t408.exe; do
  dir=$(new_case "held-briefly-$program" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/$program")
  hold_settings "$dir" 300
  launch "$dir" "$program"
  if [ "$program" = t408.exe ] && find_dialog; then xdotool key Return; fi
  expect_exit 0
  release_settings "$dir"
  same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
  finish_case "$program waits out a t407.dat held for 300 ms and adds the dimension"
done

# Held for 5 s: refused with the reason, t407.dat as it was, nothing drawn.
printf 'he%s\r\n' "$in_use" > "$work/in-use.txt"
dir=$(new_case held-long-t408q "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408q.exe")
hold_settings "$dir" 5000
launch "$dir" t408q.exe
expect_exit 1
release_settings "$dir"
same_file "$dir/JWC_TEMP.TXT" "$work/in-use.txt" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "t408q.exe refuses a t407.dat held for 5 s: he names it in use, t407.dat unchanged"

dir=$(new_case held-long-t408 "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408.exe")
hold_settings "$dir" 5000
launch "$dir" t408.exe
find_dialog && xdotool key Return && confirm_message
expect_exit 0
release_settings "$dir"
same_file "$dir/JWC_TEMP.TXT" "$hq" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "t408.exe says so in a box when t407.dat is held for 5 s, then hq, t407.dat unchanged"

# JWC_TEMP.TXT held for 5 s: t407.dat takes its new content first, then goes
# back to what it held when JWC_TEMP.TXT cannot follow; Jw_cad's own file stays.
dir=$(new_case held-exchange "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408q.exe")
hold_settings "$dir" 5000 JWC_TEMP.TXT
launch "$dir" t408q.exe
expect_exit 1
release_settings "$dir"
same_file "$dir/JWC_TEMP.TXT" "$examples/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
leftovers=$(cd "$dir" && ls | grep -v -x -e t408q.exe -e JWC_TEMP.TXT -e t407.dat || true)
[ -z "$leftovers" ] || problem "left behind: $leftovers"
finish_case "t408q.exe with JWC_TEMP.TXT held for 5 s puts t407.dat back and leaves Jw_cad's file"

# Marked read-only (attrib +r): refused with that reason, never waited for.
printf 'he%s\r\n' "$read_only" > "$work/read-only.txt"
dir=$(new_case read-only-settings "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408q.exe")
(cd "$dir" && wine cmd /c attrib +r t407.dat) >/dev/null 2>&1
launch "$dir" t408q.exe
expect_exit 1
same_file "$dir/JWC_TEMP.TXT" "$work/read-only.txt" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$examples/t407.dat" t407.dat
finish_case "t408q.exe refuses a t407.dat marked read-only and says so"
