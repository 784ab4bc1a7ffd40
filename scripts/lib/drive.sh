# Runs Plover headless from outside: start it, wait until its window has painted,
# take a screenshot, close it normally.  Sourced after common.sh; PLOVER_ARCH names
# the build and PLOVER_WINEPREFIX, when set, its prefix.

plover_ctl() {
  "$PLOVER_ROOT/scripts/wine" "$PLOVER_BUILD/$PLOVER_ARCH/tools/ctl/plover_ctl.exe" "$@"
}

# plover_start FOLDER: starts FOLDER/Plover.exe with FOLDER as its current folder.
# Sets PLOVER_PID, and PLOVER_GEOMETRY to "LEFT TOP WIDTH HEIGHT" of its window.
plover_start() {
  (cd "$1" && exec "$PLOVER_ROOT/scripts/wine" Plover.exe) &
  PLOVER_PID=$!
  if ! PLOVER_GEOMETRY=$(plover_ctl wait 60); then
    kill "$PLOVER_PID" 2>/dev/null || true
    say "Plover did not open its window"
    return 1
  fi
}

# plover_close: a normal close (WM_CLOSE), so Plover writes its files.
plover_close() {
  plover_ctl close 60 || say "Plover did not close in time"
  wait "$PLOVER_PID" || true
}

# plover_screenshot FILE [DESKTOP_FILE]: the started window, cut out of the screen.
plover_screenshot() {
  local shot=$1 desktop=${2:-$1.desktop.png} left top width height
  # Without a display of its own, scripts/wine started Plover on its Xvfb.
  local display=${DISPLAY:-":${PLOVER_XVFB_DISPLAY:-91}"}
  read -r left top width height <<<"$PLOVER_GEOMETRY"
  import -display "$display" -window root "$desktop"
  convert "$desktop" -crop "${width}x${height}+${left}+${top}" +repage "$shot"
}
