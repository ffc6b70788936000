# Sourced by scripts/test and scripts/run-demo: a private Xvfb display (unless
# one is given) and a Wine prefix of our own, prepared once and kept warm by a
# persistent wineserver. Call wine_session_end before leaving: it ends every
# session started.
WINE_SESSION_XVFBS=()
WINE_SESSION_PREFIXES=()

wine_session_start() { # $1: prefix folder, $2: "own" to force a private display
  export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "${DISPLAY:-}" ] || [ "${2:-}" = own ]; then
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    WINE_SESSION_XVFBS+=($!)
    local i
    for i in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$fdfile")"
    rm -f "$fdfile"
  fi
  if [ ! -f "$WINEPREFIX/.prepared" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wine wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # No window manager: let Wine manage and decorate windows itself, and
    # skip its two-second wait for each window that closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1
    # A crashing program ends at once instead of waiting on a crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    # What drive C: holds as made, for tests that put it back so (tests/e2e/lib.sh).
    (cd "$WINEPREFIX/drive_c" && ls -A && ls -A "Program Files" | sed 's|^|Program Files/|') \
      >"$WINEPREFIX/.drive-c" || true
    touch "$WINEPREFIX/.prepared"
  fi
  # Wine draws caption buttons (the viewer's close box) with its Marlett
  # font, which it reads from the prefix's Fonts folder only: without it the
  # close box shows the letter "r". The font comes with fonts-wine.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  wineserver -p
  WINE_SESSION_PREFIXES+=("$WINEPREFIX")
  # Start the prefix's system processes now, detached from any caller's pipes.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

wine_session_end() {
  local prefix pid
  for prefix in "${WINE_SESSION_PREFIXES[@]}"; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  done
  for pid in "${WINE_SESSION_XVFBS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  WINE_SESSION_XVFBS=() WINE_SESSION_PREFIXES=()
}

# The tests' two sessions, each on a display of its own: the end-to-end
# tests drive the real pointer and keyboard, read the screen and add drives,
# so they get a prefix no unit test's window, focus or drive reaches
# (exported as INSTALLER_E2E_PREFIX and INSTALLER_E2E_DISPLAY, which
# tests/e2e/lib.sh switches to); the unit tests get the other, current one.
wine_test_sessions_start() { # $1: build folder
  wine_session_start "$1/wineprefix-e2e" own
  export INSTALLER_E2E_PREFIX=$WINEPREFIX INSTALLER_E2E_DISPLAY=$DISPLAY
  wine_session_start "$1/wineprefix" own
}
