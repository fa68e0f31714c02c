# shellcheck shell=bash
# The five batch files as Jw_cad runs them: through cmd, in a folder that
# holds the exchange file. A stand-in under each program's name
# (tests/wine/record_run.cpp) records what each one started; then, with the
# real programs, each leaves what the native quick pass leaves. Last, the
# checks of scripts/make-dist pass on dist/ and refuse each fault they are
# there for. Sourced by scripts/test-wine after the dialog cases (it uses
# their worked example).

cmake --build "$win_build" --target record_run >/dev/null 2>&1 || echo "wine: no record_run" >&2

# Its program, once, with its argument, and nothing else; cmd ends with the
# program's status (7, the stand-in's), so the program was its last command;
# and the console stays empty: cmd echoes every line it runs unless echo is off.
while read -r bat expected; do
  dir=$(new_case "batch $bat" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$root/dist/$bat")
  cp "$exe_dir/record_run.exe" "$dir/t408.exe"
  cp "$exe_dir/record_run.exe" "$dir/t408q.exe"
  status=0
  (cd "$dir" && exec wine cmd /c "$bat") > "$dir/console.txt" 2>/dev/null || status=$?
  ran=$(tr -d '\r' < "$dir/ran.txt" 2>/dev/null)
  [ "$ran" = "$expected" ] || problem "ran \"${ran//$'\n'/; }\", expected \"$expected\""
  [ "$status" = 7 ] || problem "cmd /c ended with status $status, not the program's 7"
  [ -z "$(tr -d '\r\n' < "$dir/console.txt")" ] ||
    problem "the console showed: $(iconv -f CP932 -t UTF-8 "$dir/console.txt" | tr -d '\r' | head -n 4)"
  finish_case "$bat through cmd runs \"$expected\" and nothing else, with nothing on the console"
done <<'EOF'
t408.bat t408.exe
t408q.bat t408q.exe
t408k.bat t408q.exe /k
t408r.bat t408q.exe /r
t408a.bat t408.exe /a
EOF

# The real quick pass through each batch file against the native t408q given
# the same argument: the same files and the same exit status. t408k.bat gets
# three picked points and no t407.dat yet.
awk '/^hp1 / { printf "hp1 0 0\r\nhp2 1000 0\r\nhp3 300 -600\r\n"; next } { print }' \
  "$examples/JWC_TEMP.TXT" > "$work/three-points.txt"
while read -r bat input settings arguments; do
  expected=$(new_case "expected $bat" "$input" "$settings" "$native_q")
  expected_status=0
  # shellcheck disable=SC2086  # no argument, or one
  (cd "$expected" && exec ./t408q $arguments) >/dev/null 2>&1 || expected_status=$?
  dir=$(new_case "real $bat" "$input" "$settings" "$root/dist/$bat" "$exe_dir/t408q.exe")
  status=0
  (cd "$dir" && exec wine cmd /c "$bat") >/dev/null 2>&1 || status=$?
  [ "$status" = "$expected_status" ] || problem "status $status, the native t408q's $expected_status"
  same_file "$dir/JWC_TEMP.TXT" "$expected/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$expected/t407.dat" t407.dat
  finish_case "$bat through cmd with t408q.exe leaves what t408q ${arguments:-with no argument} leaves"
done <<EOF
t408q.bat $examples/JWC_TEMP.TXT $examples/t407.dat
t408r.bat $examples/JWC_TEMP.TXT $examples/t407.dat /r
t408k.bat $work/three-points.txt - /k
EOF

# A batch file through cmd opens the dialog; Enter adds what the quick pass adds.
enter_through_batch_file() {  # case-name exchange settings batch-file expected-folder
  local dir
  dir=$(new_case "$1" "$2" "$3" "$root/dist/$4" "$exe_dir/t408.exe")
  (cd "$dir" && exec wine cmd /c "$4") >/dev/null 2>&1 &
  app_pid=$!
  find_dialog && xdotool key Return
  expect_exit 0
  same_file "$dir/JWC_TEMP.TXT" "$5/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$5/t407.dat" t407.dat
}

# t408a.bat opens the dialog in its whole-row mode: the row t408q /a adds.
row_expected=$(expect "batch-row" "$examples/row/JWC_TEMP.TXT" "$examples/row/t407.dat" /a)
enter_through_batch_file "real t408a.bat" "$examples/row/JWC_TEMP.TXT" "$examples/row/t407.dat" \
  t408a.bat "$row_expected"
finish_case "t408a.bat through cmd opens the row's dialog; Enter adds what t408q /a adds"

# t408.bat: the worked example's dimension.
enter_through_batch_file "real t408.bat" "$examples/JWC_TEMP.TXT" "$examples/t407.dat" t408.bat \
  "$worked"
finish_case "t408.bat through cmd opens the dialog; Enter adds the worked example's dimension"

# scripts/make-dist --check accepts dist/ as it is and refuses a copy with
# any one of these faults, naming the file (sed works on the Shift-JIS bytes).
bash "$root/scripts/make-dist" --check "$root/dist" >/dev/null 2>&1 ||
  problem "make-dist --check refuses dist/: $(bash "$root/scripts/make-dist" --check "$root/dist" 2>&1)"
faults=0
while IFS='|' read -r file fault what; do
  faults=$((faults + 1))
  faulty=$work/dist-fault
  rm -rf "$faulty" && cp -r "$root/dist" "$faulty"
  LC_ALL=C sed -i "$fault" "$faulty/$file"
  cmp -s "$faulty/$file" "$root/dist/$file" && { problem "the fault \"$what\" changed nothing"; continue; }
  message=$(bash "$root/scripts/make-dist" --check "$faulty" 2>&1) &&
    problem "make-dist --check accepts $file with $what"
  [[ $message == "make-dist: $file: "* ]] || problem "for $what: \"$message\" does not name $file"
done <<'EOF'
t408.bat|1s/^@REM /REM /|a title cmd echoes
t408.bat|/^@echo off/d|no @echo off
t408q.bat|/^goto run/d|no goto past the directives
t408q.bat|s/^goto run/goto start/|a goto to a label that is not there
t408k.bat|s/^\(REM #2.*\) (L)free (R)Read/\1/|a prompt without (L)free (R)Read
t408r.bat|s/^REM #zz/REM      #zz/|a # at byte 10
t408r.bat|s:^t408q\.exe /r:t408q.exe /k:|the wrong argument
t408k.bat|/^REM #3/d|a point prompt missing
t408.bat|s/\r$//|LF line ends
t408.txt|1s/Ver\.[0-9.]*/Ver.0.0.1/|a version other than VERSION's
t408.txt|s/^Ver\.[0-9.]* (/Ver.0.0.1 (/|a change history not starting with this version
t408a.bat|s/^REM #h1/REM #h0/|a selection of no figures
t408a.bat|/^REM #hc/d|no prompt while selecting
EOF
finish_case "make-dist --check accepts dist/ and refuses each of $faults faults in a copy"
