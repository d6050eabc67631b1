# Sourced by scripts/test and scripts/demo: a display, the build tree's
# wine64 prefix and a primed persistent wineserver. Call wine_env_start with
# the build tree; wine_env_stop ends what it started.

WINE64=/usr/lib/wine/wine64

wine_env_start() {
  local tree="$1"
  export QM_PREFIX_ROOT="$tree/wine"
  export WINEPREFIX="$QM_PREFIX_ROOT/win64"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Gecko or Mono prompts while the prefix is made.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  # The display must exist before any wineserver starts.
  if [ -z "${QM_XVFB_PID:-}" ]; then
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    QM_XVFB_PID=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
  fi

  mkdir -p "$QM_PREFIX_ROOT"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the wine64 prefix $WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 </dev/null || true
    wineserver -w
  fi
  unset WINEDLLOVERRIDES

  # Wine's background processes inherit the caller's pipes; one persistent,
  # primed server keeps every later program fast. A server left from an
  # earlier run would keep its old display.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
  # Without a window manager, ending a visible dialog otherwise takes seconds.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "${QM_XVFB_PID:-}" ]; then
    kill "$QM_XVFB_PID" 2>/dev/null || true
    wait "$QM_XVFB_PID" 2>/dev/null || true
    unset QM_XVFB_PID
  fi
}
