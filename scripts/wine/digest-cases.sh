# shellcheck shell=bash
# One answer on every platform: the Shift-JIS edge under a Western code page,
# and the trigonometry digest of the Windows build against the native one.
# Sourced by scripts/test-wine.

# The Shift-JIS edge converts with code page 932 even when the system's is a
# Western one (1252 under the C locale).
if cmake --build "$win_build" --target sjis_edge_check >/dev/null 2>&1; then
  output=$(LANG=C.UTF-8 LC_ALL=C.UTF-8 wine "$exe_dir/sjis_edge_check.exe" 2>/dev/null | tr -d '\r')
  status=$?
  [ "$status" -eq 0 ] || problem "exit status $status"
  grep -q 'system code page 1252, 0 failure' <<<"$output" || problem "$output"
else
  problem "sjis_edge_check did not build"
fi
finish_case "Shift-JIS edge under a Western system code page"

# The trigonometry gives the same bits on Windows as natively, on three
# million arguments: the two builds of one program print one digest.
if cmake --build "$win_build" --target trigonometry_digest >/dev/null 2>&1 &&
  cmake --build "$native_build" --target trigonometry_digest >/dev/null 2>&1; then
  native_digest=$("$root/$native_build/tests/trigonometry_digest")
  windows_digest=$(wine "$exe_dir/trigonometry_digest.exe" 2>/dev/null | tr -d '\r')
  [ -n "$native_digest" ] && [ "$native_digest" = "$windows_digest" ] ||
    problem "native: $native_digest; Windows: $windows_digest"
else
  problem "trigonometry_digest did not build"
fi
finish_case "sine, cosine and atan2 give the same bits on Windows as natively"

