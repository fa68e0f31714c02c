#!/usr/bin/env bash
# Times the whole quick pass (t408q) on generated drawings of 1x, 2x and 4x a
# base entity count, beside `wc -l` and `cat` on the same file, and a pass on a
# small file beside starting /bin/true. Prints the median wall time and the
# median peak resident memory of several runs of each.
#
#   bash bench/quick_pass_scaling.sh [--baseline old-build] [--cpus list]
#                                    [build-dir] [base-entities] [runs]
#
# --baseline: a second build (of an older commit) whose t408q runs on the same
#   files, its runs taking turns with the new build's so that a change in the
#   machine's load falls on both alike. After every run of either, the files
#   the pass left are compared with those of the first run of the new build:
#   a difference stops the script.
# --cpus: every timed command runs under `taskset -c list` (e.g. 1 for one
#   core, 0,1 for two).
#
# The pass rewrites JWC_TEMP.TXT and t407.dat, so both are restored before
# every run, outside the timed part, and written out to the disk before the
# run starts. Each build runs once on each file before the counted runs.
set -euo pipefail
cd "$(dirname "$0")/.."
baseline=
cpus=
while [ $# -gt 0 ]; do
  case $1 in
    --baseline) baseline=$2; shift 2 ;;
    --cpus) cpus=$2; shift 2 ;;
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

# run_once <folder> <input file> <command...>: one timed run in <folder> after
# restoring the pass's files there; appends "wall cpu peak-KiB" to <folder>/runs.
run_once() {
  local folder=$1 input=$2
  shift 2
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
    'BEGIN { printf "%.4f %.2f %d\n", b - a, u + s, m }' >>"$folder/runs"
}

# same_output <folder>: the pass left in <folder> what the new build's first
# run left.
same_output() {
  local file
  for file in JWC_TEMP.TXT t407.dat; do
    cmp -s "$1/$file" "$work/expected/$file" ||
      { echo "$file differs between the builds (or between runs)" >&2; exit 1; }
  done
}

# report <label> <folder> <bytes>: the medians of <folder>/runs; prints one line
# and leaves "wall" in <folder>/median.
report() {
  local label=$1 folder=$2 bytes=$3 tm cm rm
  tm=$(cut -d' ' -f1 "$folder/runs" | median)
  cm=$(cut -d' ' -f2 "$folder/runs" | median)
  rm=$(cut -d' ' -f3 "$folder/runs" | median)
  echo "$tm" >"$folder/median"
  awk -v l="$label" -v t="$tm" -v c="$cm" -v m="$rm" -v b="$bytes" 'BEGIN {
    mb = b / 1e6
    rate = (b >= 1e6 && t > 0) ? sprintf("%8.0f", mb / t) : "       -"
    ratio = (b >= 1e6) ? sprintf("(%.2fx file)", m * 1024 / b) : ""
    printf "%-30s %7.1f MB %8.4f s wall %s MB/s %6.2f s cpu %7.1f MB peak %s\n",
      l, mb, t, rate, c, m / 1024, ratio }'
}

# pass <label> <input file> <bytes>: the new build's t408q (and the baseline's,
# taking turns), checking what each run left.
pass() {
  local label=$1 input=$2 bytes=$3 i
  # One run of each build first, not counted: the file is then in the page
  # cache and the programs in memory alike for every counted run.
  run_once "$work/new" "$input" "$work/new/t408q"
  [ -n "$baseline" ] && run_once "$work/old" "$input" "$work/old/t408q"
  rm -f "$work/new/runs" "$work/old/runs"
  for ((i = 0; i < runs; i++)); do
    run_once "$work/new" "$input" "$work/new/t408q"
    if [ "$i" -eq 0 ]; then
      cp "$work/new/JWC_TEMP.TXT" "$work/new/t407.dat" "$work/expected/"
    else
      same_output "$work/new"
    fi
    if [ -n "$baseline" ]; then
      run_once "$work/old" "$input" "$work/old/t408q"
      same_output "$work/old"
    fi
  done
  report "$label${baseline:+ new}" "$work/new" "$bytes"
  [ -n "$baseline" ] && report "$label old" "$work/old" "$bytes"
  return 0
}

# measure <label> <input file> <bytes> <command...>: any other command.
measure() {
  local label=$1 input=$2 bytes=$3 i
  shift 3
  rm -f "$work/other/runs"
  mkdir -p "$work/other"
  for ((i = 0; i < runs; i++)); do run_once "$work/other" "$input" "$@"; done
  report "$label" "$work/other" "$bytes"
}

echo "runs per figure: $runs (medians); wall: the shell's clock around /usr/bin/time (which adds"
echo "its own start-up to every figure alike); cpu = user + system time, 10 ms resolution;"
echo "cpus: ${cpus:-any}; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
[ -n "$baseline" ] && echo "new: $build, old: $baseline (runs taking turns, outputs compared)"
declare -A wall
for factor in 1 2 4; do
  entities=$((base * factor))
  file="$work/drawing-$factor.txt"
  "$build/bench/make_exchange_file" "$entities" 408 "$file"
  # A picked point far outside the reference of examples/t407.dat, so that
  # every pass adds a dimension; the last "hp1" line wins.
  printf 'hp1 99999 0\r\n' >>"$file"
  bytes=$(stat -c %s "$file")
  pass "t408q ${factor}x ($entities)" "$file" "$bytes"
  grep -q '^cs ' "$work/expected/JWC_TEMP.TXT" || { echo "the pass added no dimension" >&2; exit 1; }
  wall[new$factor]=$(cat "$work/new/median")
  [ -n "$baseline" ] && wall[old$factor]=$(cat "$work/old/median")
  measure "wc -l ${factor}x" "$file" "$bytes" wc -l "$file"
  measure "cat ${factor}x" "$file" "$bytes" cat "$file"
  rm -f "$file"
done

small="$work/small.txt"
printf 'hq\r\nhs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 1000 0\r\n' >"$small"
small_runs=$runs
runs=$((runs * 4))
pass "t408q small file" "$small" "$(stat -c %s "$small")"
grep -q '^cs ' "$work/expected/JWC_TEMP.TXT" || { echo "the small pass added no dimension" >&2; exit 1; }
measure "/bin/true" "$small" 0 /bin/true
runs=$small_runs

for build_name in new old; do
  [ -n "${wall[${build_name}1]:-}" ] || continue
  awk -v n="$build_name" -v a="${wall[${build_name}1]}" -v b="${wall[${build_name}2]}" \
    -v c="${wall[${build_name}4]}" \
    'BEGIN { printf "%s: 2x/1x time %.2f, 4x/1x time %.2f\n", n, b / a, c / a }'
done
