#!/usr/bin/env bash
# Times the whole quick pass (t408q) on generated drawings of 1x, 2x and 4x a
# base entity count, beside `wc -l` and `cat` on the same file, and a pass on a
# small file beside starting /bin/true. Prints the median wall time and the
# median peak resident memory of several runs of each.
#
#   bash bench/quick_pass_scaling.sh [build-dir] [base-entities] [runs]
#
# The pass rewrites JWC_TEMP.TXT and t407.dat, so both are restored before
# every run, outside the timed part.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
base=${2:-1000000}
runs=${3:-5}

if [ ! -x /usr/bin/time ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time
fi
for exe in "$build/tool/t408q" "$build/bench/make_exchange_file"; do
  [ -x "$exe" ] || { echo "missing $exe: build t408q and make_exchange_file first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/t408-scaling-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$build/tool/t408q" "$work/t408q"
cp examples/t407.dat "$work/t407.dat.orig"

# median of the numbers on stdin
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# measure <label> <input file> <bytes> <command...>: wall seconds and peak KiB
# per run, restoring the pass's files before each.
measure() {
  local label=$1 input=$2 bytes=$3
  shift 3
  local times=() cpus=() rss=()
  for ((i = 0; i < runs; i++)); do
    cp "$input" "$work/JWC_TEMP.TXT"
    cp "$work/t407.dat.orig" "$work/t407.dat"
    local start=$EPOCHREALTIME
    /usr/bin/time -f "%e %U %S %M" -o "$work/time.txt" "$@" >/dev/null 2>"$work/stderr.txt" ||
      { echo "$label failed: $(cat "$work/stderr.txt")" >&2; exit 1; }
    local stop=$EPOCHREALTIME
    read -r _ u s m <"$work/time.txt"
    times+=("$(awk -v a="$start" -v b="$stop" 'BEGIN { printf "%.4f", b - a }')")
    cpus+=("$(awk -v u="$u" -v s="$s" 'BEGIN { print u + s }')")
    rss+=("$m")
  done
  local tm cm rm
  tm=$(printf '%s\n' "${times[@]}" | median)
  cm=$(printf '%s\n' "${cpus[@]}" | median)
  rm=$(printf '%s\n' "${rss[@]}" | median)
  awk -v l="$label" -v t="$tm" -v c="$cm" -v m="$rm" -v b="$bytes" 'BEGIN {
    mb = b / 1e6
    rate = (b >= 1e6 && t > 0) ? sprintf("%8.0f", mb / t) : "       -"
    ratio = (b >= 1e6) ? sprintf("(%.2fx file)", m * 1024 / b) : ""
    printf "%-26s %7.1f MB %8.4f s wall %s MB/s %6.2f s cpu %7.1f MB peak %s\n",
      l, mb, t, rate, c, m / 1024, ratio }'
}

echo "runs per figure: $runs (medians); wall: the shell's clock around /usr/bin/time (which adds"
echo "its own start-up to every figure alike); cpu = user + system time, 10 ms resolution;"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
for factor in 1 2 4; do
  entities=$((base * factor))
  file="$work/drawing-$factor.txt"
  "$build/bench/make_exchange_file" "$entities" 408 "$file"
  # A picked point far outside the reference of examples/t407.dat, so that
  # every pass adds a dimension; the last "hp1" line wins.
  printf 'hp1 99999 0\r\n' >>"$file"
  bytes=$(stat -c %s "$file")
  measure "t408q ${factor}x ($entities)" "$file" "$bytes" "$work/t408q"
  grep -q '^cs ' "$work/JWC_TEMP.TXT" || { echo "the pass added no dimension" >&2; exit 1; }
  measure "wc -l ${factor}x" "$file" "$bytes" wc -l "$file"
  measure "cat ${factor}x" "$file" "$bytes" cat "$file"
  rm -f "$file"
done

small="$work/small.txt"
printf 'hq\r\nhs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 1000 0\r\n' >"$small"
small_runs=$runs
runs=$((runs * 4))
measure "t408q small file" "$small" "$(stat -c %s "$small")" "$work/t408q"
grep -q '^cs ' "$work/JWC_TEMP.TXT" || { echo "the small pass added no dimension" >&2; exit 1; }
measure "/bin/true" "$small" 0 /bin/true
runs=$small_runs
