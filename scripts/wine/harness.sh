# shellcheck shell=bash
# The harness scripts/test-wine gives every part: counting cases, making case
# folders as Jw_cad would leave them, the native quick pass's expectations,
# and driving the Windows programs. Sourced by scripts/test-wine after
# scripts/wine/lib.sh, with root, work, native_q, exe_dir and win_build set.

# ---- Counting cases

passed=0
failed=0
problems=()
problem() { problems+=("$*"); }
finish_case() {
  if [ ${#problems[@]} -eq 0 ]; then
    passed=$((passed + 1))
    echo "  ok    $1"
  else
    failed=$((failed + 1))
    echo "  FAIL  $1"
    printf '          %s\n' "${problems[@]}"
  fi
  problems=()
}

# ---- Inputs and expectations

examples=$root/examples
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# Copies of the example files with one line replaced (CR LF kept).
replace_line() {  # file line-number new-text(Shift-JIS) > out
  awk -v n="$2" -v t="$3" 'NR == n { printf "%s\r\n", t; next } { print }' "$1"
}

# A case folder: the program and the input files, as Jw_cad would leave them.
new_case() {  # name exchange-file settings-file|- program...
  local dir=$work/$1
  mkdir -p "$dir"
  cp "$2" "$dir/JWC_TEMP.TXT"
  [ "$3" != - ] && cp "$3" "$dir/t407.dat"
  shift 3
  local program
  for program in "$@"; do cp "$program" "$dir/"; done
  echo "$dir"
}

# What the native quick pass leaves for the same inputs, given the argument
# if one follows (/a: the whole row).
expect() {  # name exchange-file settings-file|- [argument]  -> folder with the expected files
  local dir
  dir=$(new_case "expected-$1" "$2" "$3" "$native_q")
  (cd "$dir" && ./t408q "${@:4}" >/dev/null 2>&1)
  echo "$dir"
}

same_file() {  # actual expected label
  if [ ! -e "$1" ]; then problem "$3: missing"; return; fi
  if ! cmp -s "$1" "$2"; then
    problem "$3 differs from $(basename "$2") expected:"
    problem "$(diff <(iconv -f CP932 -t UTF-8 "$2" | cat -A) <(iconv -f CP932 -t UTF-8 "$1" | cat -A) | head -n 12)"
  fi
}

# ---- Driving the programs

app_pid=
launch() {  # folder exe [argument]
  (cd "$1" && exec wine "./$2" "${@:3}") >/dev/null 2>&1 &
  app_pid=$!
}

# Waits for the program to end; sets exit_status to its exit status, or to
# "timeout" after killing it. (Not in a subshell: only this shell can wait.)
exit_status=
wait_exit() {
  for _ in $(seq 1 "${1:-150}"); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
    exit_status=timeout
    return
  fi
  exit_status=0
  wait "$app_pid" || exit_status=$?
  app_pid=
}

dialog=
find_dialog() {
  dialog=$(wine_find_dialog 30) && return 0
  [ -n "$dialog" ] || problem "the dialog never appeared"
  return 1
}

# Confirms the message box (caption 確認) with Return.
confirm_message() {
  local box
  box=$(wine_find_window '^確認$' 30)
  [ -n "$box" ] || { problem "no message box captioned 確認 appeared"; return 1; }
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
}

expect_exit() {  # expected status
  wait_exit
  [ "$exit_status" = "$1" ] || problem "exit status $exit_status, expected $1"
}

hq=$work/hq.txt
printf 'hq\r\n' > "$hq"

# What only Windows can tell, asked from outside (tests/wine/dialog_probe.cpp).
cmake --build "$win_build" --target dialog_probe >/dev/null 2>&1 || echo "wine: no dialog_probe" >&2
probe() { wine "$exe_dir/dialog_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
windows_path() { echo "Z:${1//\//\\}"; }

# Types TEXT into the edit that has the keyboard, named NAME in the probe's
# state (Edit2, Edit3, ...). A character typed through a remapped key is lost
# when it arrives before Wine has read the new key map (more often on a busy
# machine): the edit is read back, and the text typed again over it, at most
# three times, until the edit holds exactly TEXT.
type_into() {  # name text
  local held=
  for _ in 1 2 3; do
    xdotool type --delay 150 "$2"
    sleep 0.3
    held=$(probe state | sed -n "s/^$1 [0-9]* \"\(.*\)\"$/\1/p")
    [ "$held" = "$2" ] && return 0
    xdotool key End shift+Home Delete
  done
  problem "$1 holds \"$held\" after three tries, not \"$2\""
}
expect_lines() {  # probe-output line... : each line must be one the probe printed
  local output=$1 line
  for line in "${@:2}"; do
    grep -qxF -- "$line" <<<"$output" || problem "no \"$line\" from the probe: ${output//$'\n'/; }"
  done
}
# What Cancel leaves.
mkdir -p "$work/cancelled" && cp "$hq" "$work/cancelled/JWC_TEMP.TXT" && cp "$examples/t407.dat" "$work/cancelled/"

