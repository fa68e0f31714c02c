#!/usr/bin/env bash
# Runs the native t408q of two builds on the same inputs and compares what
# each run leaves: JWC_TEMP.TXT, t407.dat, the exit status and the message on
# standard error. A change that is meant to leave the program's behaviour as
# it was shows here as "0 differ".
#
#   bash bench/compare_quick_pass.sh <new-build> <old-build> [cases] [drawings]
#
# Inputs: <cases> folders from tests/wine/make_quick_pass_cases (the generated
# cases of the Wine tests, default 3000), and <drawings> generated drawings
# from bench/make_exchange_file (default 12, from 1 to 200,000 entities, each
# with a few picked points). Every input runs with no argument, with /r and
# with /k.
set -euo pipefail
cd "$(dirname "$0")/.."
new=${1:?new build folder}
old=${2:?old build folder}
cases=${3:-3000}
drawings=${4:-12}
for exe in "$new/tool/t408q" "$old/tool/t408q" "$new/tests/make_quick_pass_cases" \
  "$new/bench/make_exchange_file"; do
  [ -x "$exe" ] || { echo "missing $exe" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/t408-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$new/tests/make_quick_pass_cases" "$cases" 408 "$work/inputs" >/dev/null
for ((i = 0; i < drawings; i++)); do
  entities=$(((i * i * i * 1987 + 1) % 200001))
  folder="$work/inputs/drawing-$i"
  mkdir -p "$folder"
  "$new/bench/make_exchange_file" "$entities" "$((408 + i))" "$folder/JWC_TEMP.TXT"
  # Picked points 1 to 3 for /k, the last "hp1" far outside the reference.
  printf 'hp2 %d 5\r\nhp3 %d 900\r\nhp1 99999 %d\r\n' "$i" "$((i * 7))" "$i" \
    >>"$folder/JWC_TEMP.TXT"
  cp examples/t407.dat "$folder/"
done

# run <build> <input folder> <copy folder> [argument]
run() {
  local build=$1 input=$2 copy=$3 status=0
  shift 3
  rm -rf "$copy"
  mkdir -p "$copy"
  cp "$input"/* "$copy"/
  cp "$build/tool/t408q" "$copy/"
  (cd "$copy" && exec ./t408q "$@") >/dev/null 2>"$copy.stderr" || status=$?
  echo "$status" >"$copy.status"
  rm "$copy/t408q"
}

compared=0
differ=0
for input in "$work"/inputs/*/; do
  name=$(basename "$input")
  for argument in "" /r /k; do
    run "$new" "$input" "$work/new" $argument
    run "$old" "$input" "$work/old" $argument
    compared=$((compared + 1))
    if ! diff -r "$work/new" "$work/old" >/dev/null ||
      ! cmp -s "$work/new.status" "$work/old.status" ||
      ! cmp -s "$work/new.stderr" "$work/old.stderr"; then
      differ=$((differ + 1))
      echo "differs: $name ${argument:-(no argument)}"
    fi
  done
done
echo "runs compared: $compared ($cases generated cases and $drawings drawings, three ways each); $differ differ"
[ "$differ" -eq 0 ]
