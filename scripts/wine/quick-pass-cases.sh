# shellcheck shell=bash
# t408q.exe, the quick pass with no window: the worked example, the refusal
# without t407.dat, taking a reference with /k and the whole row with /a.
# Sourced by scripts/test-wine after the dialog cases (it uses their worked
# example).

# t408q.exe: the same pass with no window.
dir=$(new_case quick "$examples/JWC_TEMP.TXT" "$examples/t407.dat" "$exe_dir/t408q.exe")
launch "$dir" t408q.exe
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$worked/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$worked/t407.dat" t407.dat
finish_case "t408q.exe on the worked example"

# t408q.exe refuses without t407.dat with an "he" line and exit status 1.
refused=$(expect quick-refused "$examples/JWC_TEMP.TXT" -)
dir=$(new_case quick-refused "$examples/JWC_TEMP.TXT" - "$exe_dir/t408q.exe")
launch "$dir" t408q.exe
expect_exit 1
same_file "$dir/JWC_TEMP.TXT" "$refused/JWC_TEMP.TXT" JWC_TEMP.TXT
head -c 2 "$dir/JWC_TEMP.TXT" | grep -q '^he' || problem "no he line"
finish_case "t408q.exe without t407.dat writes the reason for Jw_cad"

# ---- t408q.exe /k: taking a reference (t408k.bat)

# Picked points 1 to 3 of the example, no t407.dat yet: t408q.exe /k must
# leave the notice and the new t407.dat exactly as the native t408q /k does.
awk '/^hp1 / { printf "hp1 0 0\r\nhp2 1000 0\r\nhp3 300 -600\r\n"; next } { print }' \
  "$examples/JWC_TEMP.TXT" > "$work/reference.txt"
referenced=$(new_case expected-reference "$work/reference.txt" - "$native_q")
(cd "$referenced" && ./t408q /k >/dev/null 2>&1)
dir=$(new_case reference "$work/reference.txt" - "$exe_dir/t408q.exe")
(cd "$dir" && exec wine ./t408q.exe /k) >/dev/null 2>&1 &
app_pid=$!
expect_exit 0
same_file "$dir/JWC_TEMP.TXT" "$referenced/JWC_TEMP.TXT" JWC_TEMP.TXT
same_file "$dir/t407.dat" "$referenced/t407.dat" t407.dat
head -c 2 "$dir/JWC_TEMP.TXT" | grep -q '^h#' || problem "no h# notice"
finish_case "t408q.exe /k takes the picked reference into a new t407.dat"

# ---- t408q.exe /a: the whole row without the dialog (t408a.bat's mode)

# examples/row/, and the same without picked point 1, which is refused with
# an "he" line.
awk '!/^hp1 /' "$examples/row/JWC_TEMP.TXT" > "$work/no-line-point.txt"
for row in "row|$examples/row/JWC_TEMP.TXT|0" "row-refused|$work/no-line-point.txt|1"; do
  IFS='|' read -r name input status <<<"$row"
  expected=$(expect "quick-$name" "$input" "$examples/row/t407.dat" /a)
  dir=$(new_case "quick-$name" "$input" "$examples/row/t407.dat" "$exe_dir/t408q.exe")
  launch "$dir" t408q.exe /a
  expect_exit "$status"
  same_file "$dir/JWC_TEMP.TXT" "$expected/JWC_TEMP.TXT" JWC_TEMP.TXT
  same_file "$dir/t407.dat" "$expected/t407.dat" t407.dat
  [ "$name" = row ] && same_file "$dir/JWC_TEMP.TXT" "$examples/expected/row/JWC_TEMP.TXT" "the golden row"
  [ "$name" = row ] || head -c 2 "$dir/JWC_TEMP.TXT" | grep -q "^he" || problem "no he line"
  finish_case "t408q.exe /a ($name) leaves what t408q /a leaves, exit status $status"
done
