# shellcheck shell=bash
# Generated cases: t408q.exe against the native t408q on every kind of case
# tests/wine/make_quick_pass_cases.cpp writes, each with the argument its
# folder's file `arguments` holds (the whole row's /a), if any. Sourced by
# scripts/test-wine.

# Both programs must leave the same bytes and exit status on the same inputs,
# whatever the platform's run-time library. The generator writes cases of
# every kind (axis angles, scales, end markers, text types, value formats,
# chains, refusals); each kind counts as one case here.
generated=$work/generated
generated_count=${T408_WINE_CASES:-350}

# A fresh copy of a case folder with the program beside its files (hard-linked:
# hundreds of copies of the exe would cost hundreds of megabytes).
copy_case() {  # case-folder copy-folder program
  rm -rf "$2"
  mkdir -p "$2"
  cp "$1"/* "$2"/
  ln "$3" "$2/" 2>/dev/null || cp "$3" "$2/"
}

# The case's argument for t408q, or nothing.
case_arguments() {  # case-folder
  cat "$1/arguments" 2>/dev/null || true
}

# Runs t408q.exe on one case; the exit status goes to <copy>.status. A run
# that Wine cut short (a client error, about one in 1,500 here) is repeated
# once on a fresh copy, and that is said: a real difference shows twice.
run_generated_wine() {  # case-folder copy-folder
  local status=0
  local arguments
  arguments=$(case_arguments "$1")
  copy_case "$1" "$2" "$generated/t408q.exe"
  # shellcheck disable=SC2086  # no argument, or one
  (cd "$2" && exec wine ./t408q.exe $arguments) >/dev/null 2>"$2.stderr" || status=$?
  # Every run that reaches its end rewrites JWC_TEMP.TXT; a failed one that
  # left it as Jw_cad wrote it never got that far (also seen once without
  # the client error on standard error).
  if [ "$status" -ne 0 ] && { grep -q 'wine client error' "$2.stderr" ||
    cmp -s "$1/JWC_TEMP.TXT" "$2/JWC_TEMP.TXT"; }; then
    echo "  note  $(basename "$2"): cut short, exit status $status" \
      "($(head -n 1 "$2.stderr")), run repeated"
    status=0
    copy_case "$1" "$2" "$generated/t408q.exe"
    # shellcheck disable=SC2086
    (cd "$2" && exec wine ./t408q.exe $arguments) >/dev/null 2>"$2.stderr" || status=$?
  fi
  echo "$status" >"$2.status"
}

# Problem lines saying how the two runs of one case differ: the case, its
# exit statuses, and the first differing lines of each file.
describe_difference() {  # name
  local name=$1 file
  local native=$generated/native/$name windows=$generated/wine/$name
  problem "$name: $(awk -F '\t' -v n="$name" '$1 == n { print $2 }' "$generated/cases/cases.txt")"
  if [ "$(cat "$native.status")" != "$(cat "$windows.status")" ]; then
    problem "    exit status: t408q $(cat "$native.status"), t408q.exe $(cat "$windows.status")"
  fi
  for file in JWC_TEMP.TXT t407.dat; do
    if [ ! -e "$native/$file" ] && [ ! -e "$windows/$file" ]; then continue; fi
    if [ ! -e "$native/$file" ] || [ ! -e "$windows/$file" ]; then
      problem "    $file left by only one of them"
    elif ! cmp -s "$native/$file" "$windows/$file"; then
      local line
      while IFS= read -r line; do problem "$line"; done < <(
        # The first two places that differ, two lines of each side at most.
        diff <(iconv -f CP932 -t UTF-8 "$native/$file" | tr -d '\r') \
          <(iconv -f CP932 -t UTF-8 "$windows/$file" | tr -d '\r') |
          awk -v file="$file" '
            /^[0-9]/ { if (++places > 2) exit; sub(/[acd].*/, ""); print "    " file " line " $0 ":"; left = right = 0; next }
            /^< / { if (++left <= 2) print "      t408q     " substr($0, 3); next }
            /^> / { if (++right <= 2) print "      t408q.exe " substr($0, 3) }')
    fi
  done
}

same_run() {  # name
  local native=$generated/native/$1 windows=$generated/wine/$1 file
  [ "$(cat "$native.status")" = "$(cat "$windows.status")" ] || return 1
  for file in JWC_TEMP.TXT t407.dat; do
    [ -e "$native/$file" ] || [ -e "$windows/$file" ] || continue
    cmp -s "$native/$file" "$windows/$file" || return 1
  done
}

echo "wine: $generated_count generated cases, t408q.exe against t408q"
if cmake --build "$native_build" -j"$(nproc)" --target make_quick_pass_cases >/dev/null 2>&1 &&
  "$root/$native_build/tests/make_quick_pass_cases" "$generated_count" 408 "$generated/cases"; then
  cp "$native_q" "$exe_dir/t408q.exe" "$generated/"
  mkdir -p "$generated/native" "$generated/wine"
  case_names=$(cut -f 1 "$generated/cases/cases.txt")
  native_started=$(date +%s%N)
  for name in $case_names; do
    copy_case "$generated/cases/$name" "$generated/native/$name" "$generated/t408q"
    status=0
    arguments=$(case_arguments "$generated/cases/$name")
    # shellcheck disable=SC2086  # no argument, or one
    (cd "$generated/native/$name" && exec ./t408q $arguments) >/dev/null 2>&1 || status=$?
    echo "$status" >"$generated/native/$name.status"
  done
  wine_started=$(date +%s%N)
  for name in $case_names; do
    run_generated_wine "$generated/cases/$name" "$generated/wine/$name"
  done
  wine_ended=$(date +%s%N)

  differing_total=0
  per_kind=()
  for kind in $(sed 's/-[0-9]*$//' <<<"$case_names" | awk '!seen[$0]++'); do
    total=0
    differing=()
    for name in $(grep "^$kind-" <<<"$case_names"); do
      total=$((total + 1))
      same_run "$name" || differing+=("$name")
    done
    if [ ${#differing[@]} -gt 0 ]; then
      problem "${#differing[@]} of $total differ: ${differing[*]}"
      for name in "${differing[@]:0:3}"; do describe_difference "$name"; done
    fi
    differing_total=$((differing_total + ${#differing[@]}))
    per_kind+=("$kind ${#differing[@]}/$total")
    finish_case "generated $kind cases: t408q.exe leaves what t408q leaves ($total cases)"
  done
  launches=$(wc -w <<<"$case_names")
  echo "wine: generated cases differing: $differing_total/$launches (${per_kind[*]})"
  echo "wine: $launches launches of t408q.exe in $(( (wine_ended - wine_started) / 1000000 )) ms" \
    "($(( (wine_ended - wine_started) / 1000000 / launches )) ms each; native t408q" \
    "$(( (wine_started - native_started) / 1000000 )) ms in all)"
else
  problem "the case generator did not build or run"
  finish_case "generated cases: t408q.exe leaves what t408q leaves"
fi
