#!/usr/bin/env bash
# Times the whole quick pass (t408q) on generated drawings of 1x, 2x and 4x a
# base entity count, beside `wc -l` and `cat` on the same file, and a pass on a
# small file beside starting /bin/true. Prints the median wall time and the
# median peak resident memory of several runs of each.
#
#   bash bench/quick_pass_scaling.sh [--baseline old-build] [--cpus list] [--row-only]
#                                    [build-dir] [base-entities] [runs]
#
# --baseline: a second build (of an older commit) whose t408q runs on the same
#   files. After every run of either, the files the pass left are compared
#   with those of the new build's first run on that file: a difference stops
#   the script.
# The runs of t408q go in rounds, each round one run of each build on each of
# the three drawings, so that a change in the machine's load falls on every
# figure alike, the 4x/1x time included.
# --cpus: every timed command runs under `taskset -c list` (e.g. 1 for one
#   core, 0,1 for two).
# Last, the whole row (t408q /a): a selection of base-entities straight lines
# whose ends lie on 1,000 places, the plain pass and the row pass on the same
# file, taking turns; the row's time as a multiple of the plain pass's, and
# its peak memory as a multiple of the file. --row-only: only this.
#
# The pass rewrites JWC_TEMP.TXT and t407.dat, so both are restored before
# every run, outside the timed part, and written out to the disk before the
# run starts. A first round is not counted.
set -euo pipefail
cd "$(dirname "$0")/.."
baseline=
cpus=
row_only=
while [ $# -gt 0 ]; do
  case $1 in
    --baseline) baseline=$2; shift 2 ;;
    --cpus) cpus=$2; shift 2 ;;
    --row-only) row_only=1; shift ;;
    *) break ;;
  esac
done
build=${1:-build}
base=${2:-1000000}
runs=${3:-5}

if [ ! -x /usr/bin/time ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time
fi
for exe in "$build/tool/t408q" "$build/bench/make_exchange_file" ${baseline:+"$baseline/tool/t408q"}; do
  [ -x "$exe" ] || { echo "missing $exe: build t408q and make_exchange_file first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/t408-scaling-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/new" "$work/old" "$work/expected"
cp "$build/tool/t408q" "$work/new/t408q"
[ -n "$baseline" ] && cp "$baseline/tool/t408q" "$work/old/t408q"
cp examples/t407.dat "$work/t407.dat.orig"
pin=()
[ -n "$cpus" ] && pin=(taskset -c "$cpus")

# median of the numbers on stdin
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# run_once <folder> <runs file> <input file> <command...>: one timed run in
# <folder> after restoring the pass's files there; appends "wall cpu peak-KiB"
# to <runs file>.
run_once() {
  local folder=$1 runs_file=$2 input=$3
  shift 3
  cp "$input" "$folder/JWC_TEMP.TXT"
  cp "$work/t407.dat.orig" "$folder/t407.dat"
  # The copies are written out now, not by the kernel during the timed run.
  sync
  local start=$EPOCHREALTIME
  /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "${pin[@]}" "$@" >/dev/null 2>"$work/stderr.txt" ||
    { echo "$* failed: $(cat "$work/stderr.txt")" >&2; exit 1; }
  local stop=$EPOCHREALTIME
  read -r _ u s m <"$work/time.txt"
  awk -v a="$start" -v b="$stop" -v u="$u" -v s="$s" -v m="$m" \
    'BEGIN { printf "%.4f %.2f %d\n", b - a, u + s, m }' >>"$runs_file"
}

# same_output <folder> <expected folder>: the pass left in <folder> what the
# new build's first run on the same file left.
same_output() {
  local file
  for file in JWC_TEMP.TXT t407.dat; do
    cmp -s "$1/$file" "$2/$file" ||
      { echo "$file differs between the builds (or between runs)" >&2; exit 1; }
  done
}

# report <label> <runs file> <bytes>: the medians of <runs file>; prints one
# line and leaves the median wall time in <runs file>.median.
report() {
  local label=$1 runs_file=$2 bytes=$3 tm cm rm
  tm=$(cut -d' ' -f1 "$runs_file" | median)
  cm=$(cut -d' ' -f2 "$runs_file" | median)
  rm=$(cut -d' ' -f3 "$runs_file" | median)
  echo "$tm" >"$runs_file.median"
  awk -v l="$label" -v t="$tm" -v c="$cm" -v m="$rm" -v b="$bytes" 'BEGIN {
    mb = b / 1e6
    rate = (b >= 1e6 && t > 0) ? sprintf("%8.0f", mb / t) : "       -"
    ratio = (b >= 1e6) ? sprintf("(%.2fx file)", m * 1024 / b) : ""
    printf "%-30s %7.1f MB %8.4f s wall %s MB/s %6.2f s cpu %7.1f MB peak %s\n",
      l, mb, t, rate, c, m / 1024, ratio }'
}

# passes <rounds> <name>...: the t408q of the new build (and of the baseline)
# on the files $work/<name>.txt, each build and each file taking turns in
# every round, so that a change in the machine's load falls on all figures
# alike. One round first is not counted: the files are then in the page cache
# and the programs in memory alike for every counted run. What every run
# leaves is checked against the new build's first run on that file.
passes() {
  local rounds=$1 i name
  shift
  for name in "$@"; do rm -rf "$work/expected/$name" "$work"/{new,old}/runs-"$name"; done
  for ((i = -1; i < rounds; i++)); do
    for name in "$@"; do
      local input="$work/$name.txt" counted=/dev/null
      [ "$i" -ge 0 ] && counted="$work/new/runs-$name"
      run_once "$work/new" "$counted" "$input" "$work/new/t408q"
      if [ ! -d "$work/expected/$name" ]; then
        mkdir -p "$work/expected/$name"
        cp "$work/new/JWC_TEMP.TXT" "$work/new/t407.dat" "$work/expected/$name/"
        grep -q '^cs ' "$work/expected/$name/JWC_TEMP.TXT" ||
          { echo "the pass on $name added no dimension" >&2; exit 1; }
      fi
      same_output "$work/new" "$work/expected/$name"
      if [ -n "$baseline" ]; then
        [ "$i" -ge 0 ] && counted="$work/old/runs-$name"
        run_once "$work/old" "$counted" "$input" "$work/old/t408q"
        same_output "$work/old" "$work/expected/$name"
      fi
    done
  done
}

# report_pass <label> <name> <bytes>: the figures of both builds on one file.
report_pass() {
  report "$1${baseline:+ new}" "$work/new/runs-$2" "$3"
  [ -n "$baseline" ] && report "$1 old" "$work/old/runs-$2" "$3"
  return 0
}

# measure <label> <input file> <bytes> <command...>: any other command.
measure() {
  local label=$1 input=$2 bytes=$3 i
  shift 3
  rm -f "$work/other/runs"
  mkdir -p "$work/other"
  for ((i = 0; i < runs; i++)); do run_once "$work/other" "$work/other/runs" "$input" "$@"; done
  report "$label" "$work/other/runs" "$bytes"
}

echo "runs per figure: $runs (medians); wall: the shell's clock around /usr/bin/time (which adds"
echo "its own start-up to every figure alike); cpu = user + system time, 10 ms resolution;"
echo "cpus: ${cpus:-any}; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
[ -n "$baseline" ] && echo "new: $build, old: $baseline (runs taking turns, outputs compared)"
if [ -z "$row_only" ]; then
  declare -A bytes
  for factor in 1 2 4; do
    file="$work/drawing-$factor.txt"
    "$build/bench/make_exchange_file" "$((base * factor))" 408 "$file"
    # A picked point far outside the reference of examples/t407.dat, so that
    # every pass adds a dimension; the last "hp1" line wins.
    printf 'hp1 99999 0\r\n' >>"$file"
    bytes[$factor]=$(stat -c %s "$file")
  done
  passes "$runs" drawing-1 drawing-2 drawing-4
  for factor in 1 2 4; do
    file="$work/drawing-$factor.txt"
    report_pass "t408q ${factor}x ($((base * factor)))" "drawing-$factor" "${bytes[$factor]}"
    measure "wc -l ${factor}x" "$file" "${bytes[$factor]}" wc -l "$file"
    measure "cat ${factor}x" "$file" "${bytes[$factor]}" cat "$file"
    rm -f "$file"
  done

  printf 'hq\r\nhs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 1000 0\r\n' >"$work/small.txt"
  passes "$((runs * 4))" small
  report_pass "t408q small file" small "$(stat -c %s "$work/small.txt")"
  small_runs=$runs
  runs=$((runs * 4))
  measure "/bin/true" "$work/small.txt" 0 /bin/true
  runs=$small_runs

  for build_name in new old; do
    [ -f "$work/$build_name/runs-drawing-1.median" ] || continue
    awk -v n="$build_name" -v a="$(cat "$work/$build_name/runs-drawing-1.median")" \
      -v b="$(cat "$work/$build_name/runs-drawing-2.median")" \
      -v c="$(cat "$work/$build_name/runs-drawing-4.median")" \
      'BEGIN { printf "%s: 2x/1x time %.2f, 4x/1x time %.2f\n", n, b / a, c / a }'
  done
fi

# The whole row: `runs` rounds of the plain pass and the row pass in turns on
# one selection; the row must add one dimension fewer than it has places.
places=1000
selection="$work/selection.txt"
"$build/bench/make_exchange_file" "$base" 408 "$selection" "$places"
printf 'hp1 99999 0\r\n' >>"$selection"
selection_bytes=$(stat -c %s "$selection")
rm -f "$work/new/runs-plain" "$work/new/runs-row"
for ((i = -1; i < runs; i++)); do
  plain_runs=/dev/null row_runs=/dev/null
  [ "$i" -ge 0 ] && plain_runs="$work/new/runs-plain" row_runs="$work/new/runs-row"
  run_once "$work/new" "$plain_runs" "$selection" "$work/new/t408q"
  run_once "$work/new" "$row_runs" "$selection" "$work/new/t408q" /a
  dimensions=$(grep -c '^cs ' "$work/new/JWC_TEMP.TXT" || true)
  [ "$dimensions" -eq $((places - 1)) ] ||
    { echo "the row on $places places added $dimensions dimensions" >&2; exit 1; }
done
report "t408q, selection ($base lines)" "$work/new/runs-plain" "$selection_bytes"
report "t408q /a, selection ($places places)" "$work/new/runs-row" "$selection_bytes"
awk -v a="$(cat "$work/new/runs-plain.median")" -v b="$(cat "$work/new/runs-row.median")" \
  'BEGIN { printf "whole row: %.2fx the plain pass'"'"'s time on the same file\n", b / a }'
