# Runs Plover headless from outside: start it, wait until its window has painted,
# take a screenshot, close it normally.  Sourced after common.sh; PLOVER_ARCH names
# the build and PLOVER_WINEPREFIX, when set, its prefix.  The caller has prepared
# the display and the prefix (use_display, prepare_wine).

source "$PLOVER_ROOT/scripts/lib/wine-env.sh"

# What Wine and the driver print, for the message when something fails.
PLOVER_RUN_LOG=$PLOVER_BUILD/plover-run.log

plover_ctl() {
  "$PLOVER_ROOT/scripts/wine" "$PLOVER_BUILD/$PLOVER_ARCH/tools/ctl/plover_ctl.exe" "$@"
}

# plover_start FOLDER: starts FOLDER/Plover.exe with FOLDER as its current folder.
# Sets PLOVER_PID, and PLOVER_GEOMETRY to "LEFT TOP WIDTH HEIGHT" of its window.
# On failure it says so once, with the log, and returns 1: the caller adds nothing.
plover_start() {
  # Plover and its driver must share one display: each scripts/wine started
  # without one would run on an Xvfb of its own.
  [ -n "${DISPLAY:-}" ] || die "plover_start needs a display: call use_display first"
  mkdir -p "$PLOVER_BUILD"
  (cd "$1" && exec "$PLOVER_ROOT/scripts/wine" Plover.exe) >>"$PLOVER_RUN_LOG" 2>&1 &
  PLOVER_PID=$!
  if ! PLOVER_GEOMETRY=$(plover_ctl wait 60 2>>"$PLOVER_RUN_LOG"); then
    kill "$PLOVER_PID" 2>/dev/null || true
    say "Plover ($1/Plover.exe) did not open its window within 60 s (log: $PLOVER_RUN_LOG)"
    return 1
  fi
}

# plover_close: a normal close (WM_CLOSE), so Plover writes its files.
plover_close() {
  plover_ctl close 60 2>>"$PLOVER_RUN_LOG" ||
    say "Plover did not close within 60 s (log: $PLOVER_RUN_LOG)"
  wait "$PLOVER_PID" || true
}

# plover_screenshot FILE [DESKTOP_FILE]: the started window, cut out of the screen.
plover_screenshot() {
  local shot=$1 desktop=${2:-$1.desktop.png} left top width height
  read -r left top width height <<<"$PLOVER_GEOMETRY"
  import -display "$DISPLAY" -window root "$desktop"
  convert "$desktop" -crop "${width}x${height}+${left}+${top}" +repage "$shot"
}
