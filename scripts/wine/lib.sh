# shellcheck shell=bash
# Shared by scripts/test-wine and scripts/run-demo: a fresh Wine prefix, a
# virtual X server when needed, and driving the dialog with xdotool.
# Source it; every function leaves no process behind once wine_cleanup ran.

wine_env() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No .NET or Gecko prompts, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# Makes a fresh prefix: boots it, installs the fonts Debian's Wine does not
# load by itself, and imports the settings in one go (each reg call is slow).
# An optional second argument is the display's resolution in dots per inch
# (96 is 100 % scaling, 144 is 150 %); without it the prefix keeps Wine's 96.
wine_make_prefix() {
  local dpi=${2:-}
  wine_env "$1"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  local reg="$WINEPREFIX/t408-settings.reg"
  # Managed=N: without a window manager Wine would otherwise wait 2 s at every
  # close and draw no frame. The dialog's font falls back to IPA Gothic.
  local settings=(
    'Windows Registry Editor Version 5.00' ''
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' ''
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
    '"ＭＳ ゴシック"="IPAGothic"' '"MS Gothic"="IPAGothic"' '')
  if [ -n "$dpi" ]; then
    settings+=('[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '')
  fi
  printf '%s\r\n' "${settings[@]}" |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
}

# Starts a virtual X server on the first free display from $1 (default 99),
# with a screen of $2 (default 1024x768); sets DISPLAY and WINE_XVFB_PID.
# wine_cleanup ends every one started.
WINE_XVFB_PID=
WINE_XVFB_PIDS=()
wine_start_xvfb() {
  local n=${1:-99}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${2:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
  WINE_XVFB_PID=$!
  WINE_XVFB_PIDS+=("$!")
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# Keeps one wineserver for all runs in the current prefix; wine_cleanup ends
# the server of every prefix it was started for.
WINE_SERVER_STARTED=
WINE_SERVER_PREFIXES=()
wine_start_server() {
  wineserver -p
  WINE_SERVER_STARTED=1
  WINE_SERVER_PREFIXES+=("$WINEPREFIX")
}

# Ends the server of the current prefix only (another part goes on in another).
wine_stop_server() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

wine_cleanup() {
  local prefix pid
  if [ -n "$WINE_SERVER_STARTED" ]; then
    for prefix in "${WINE_SERVER_PREFIXES[@]}"; do
      WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
      WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    done
    WINE_SERVER_STARTED=
    WINE_SERVER_PREFIXES=()
  fi
  for pid in "${WINE_XVFB_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  WINE_XVFB_PIDS=()
  WINE_XVFB_PID=
}

# Prints the id of the visible window whose title matches the regex, waiting
# for it up to $2 seconds (default 30).
wine_find_window() {
  timeout "${2:-30}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Prints the id of t408.exe's dialog once it is on screen and gives it the
# keyboard, waiting up to $1 seconds (default 30). Fails when the dialog never
# appeared (printing nothing) or could not take the keyboard.
wine_find_dialog() {
  local id
  id=$(wine_find_window '^水平寸法線＋$' "${1:-30}")
  [ -n "$id" ] || return 1
  echo "$id"
  xdotool windowfocus --sync "$id" >/dev/null 2>&1
}
