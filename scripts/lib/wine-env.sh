# Plover's own Wine environment: a prefix of its own for each build (32-bit or
# 64-bit Wine) with Japanese locale, IPA fonts standing in for the Japanese system
# faces, a virtual desktop (so windows get frames and activation works without a
# window manager) and an X display, Xvfb when there is none.  The calling scripts
# (run, test, bench, screenshots) prepare all of it once, before they run Wine;
# scripts/wine only checks, and makes what is still missing under a lock.

# use_wine_arch win32|win64: the Wine loader and prefix of that build.  Debian's
# /usr/bin/wine takes the 32-bit loader whenever it is installed, so the loader is
# named outright; a prefix is made for one width and never used by the other.
use_wine_arch() {
  case $1 in
    win32) PLOVER_WINE_LOADER=/usr/lib/wine/wine ;;
    win64) PLOVER_WINE_LOADER=/usr/lib/wine/wine64 ;;
    *) die "no such build: $1" ;;
  esac
  [ -x "$PLOVER_WINE_LOADER" ] || die "$PLOVER_WINE_LOADER is missing (run scripts/test once to install it)"
  export WINEARCH=$1 WINELOADER=$PLOVER_WINE_LOADER
  case $1 in
    win32) : "${PLOVER_WINEPREFIX:=$PLOVER_OUT/wine}" ;;
    win64) : "${PLOVER_WINEPREFIX:=$PLOVER_OUT/wine64}" ;;
  esac
  export WINEPREFIX=$PLOVER_WINEPREFIX
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

wine() { "$PLOVER_WINE_LOADER" "$@"; }

# Wine takes its ANSI code page and system fonts from the locale: ja_JP gives a
# Japanese system (code page 932).  PLOVER_LOCALE=en_US, say, shows Plover on a
# system of another language.  The set-up step made both; a locale asked for only
# now is made under the set-up lock.
use_locale() {
  local name=${PLOVER_LOCALE:-ja_JP}
  name=${name%.UTF-8}
  ensure_locale "$name"
  export LANG=$name.UTF-8 LC_ALL=$name.UTF-8
}

# use_display [WIDTHxHEIGHT]: a display for Wine.  A DISPLAY already set (the
# user's, or one a calling script started) is used as it is and never stopped.
# Otherwise an Xvfb of this script's own, on a display number Xvfb itself finds
# free, stopped by stop_display when the script ends, also on failure.
# PLOVER_XVFB_DISPLAY=N pins the number instead.
use_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local screen=${1:-1024x768} numfile
  mkdir -p "$PLOVER_BUILD"
  numfile=$(mktemp "$PLOVER_BUILD/xvfb.XXXXXX")
  if [ -n "${PLOVER_XVFB_DISPLAY:-}" ]; then
    if xdpyinfo -display ":$PLOVER_XVFB_DISPLAY" >/dev/null 2>&1; then
      export DISPLAY=":$PLOVER_XVFB_DISPLAY"
      rm -f "$numfile"
      return 0
    fi
    setsid Xvfb ":$PLOVER_XVFB_DISPLAY" -screen 0 "${screen}x24" -nolisten tcp \
      >/dev/null 2>&1 </dev/null &
    echo "$PLOVER_XVFB_DISPLAY" >"$numfile"
  else
    # -displayfd: Xvfb takes the first number whose lock and socket it can make
    # and writes it, so two scripts started together never share a server.
    setsid Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp \
      3>"$numfile" >/dev/null 2>&1 </dev/null &
  fi
  PLOVER_XVFB_PID=$!
  local i n=""
  for i in $(seq 100); do
    n=$(head -n 1 "$numfile" 2>/dev/null || true)
    if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      rm -f "$numfile"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$PLOVER_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  stop_display
  die "Xvfb did not start${n:+ on :$n}"
}

# Stops the Xvfb use_display started, after the Wine processes of PREFIX... end
# (their desktop would otherwise outlive its display).  A display this script did
# not start is left alone, and so are the programs on it.
stop_display() {
  [ -n "${PLOVER_XVFB_PID:-}" ] || return 0
  local prefix
  for prefix in "$@"; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
  if [ -n "${PLOVER_XVFB_PID:-}" ]; then
    kill "$PLOVER_XVFB_PID" 2>/dev/null || true
    wait "$PLOVER_XVFB_PID" 2>/dev/null || true
    PLOVER_XVFB_PID=""
  fi
}

# The .reg file must be UTF-16LE with a BOM, or regedit garbles the Japanese names.
write_prefix_settings() {
  local reg=$WINEPREFIX/plover-settings.reg
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
    printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n'
    printf '"MS Gothic"="IPAGothic"\r\n"MS PGothic"="IPAPGothic"\r\n"MS Mincho"="IPAMincho"\r\n'
    printf '"MS UI Gothic"="IPAPGothic"\r\n"MS Shell Dlg"="IPAPGothic"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n'
    if [ "${PLOVER_SILENT:-0}" = 1 ]; then
      printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Audio"=""\r\n'
    fi
    printf '\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
}

# Wine draws the caption buttons with Marlett; Debian's Wine finds it only in the
# prefix's own font folder, without it the buttons read "0 1 r".
ensure_caption_font() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [ -f "$fonts/marlett.ttf" ] || [ ! -f /usr/share/wine/fonts/marlett.ttf ] ||
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

ensure_prefix() {
  local stamp=$WINEPREFIX/.plover-ready
  if [ -f "$stamp" ]; then
    ensure_caption_font
    return 0
  fi
  mkdir -p "$WINEPREFIX"
  # Several Wine processes may start at once (Plover and a driver): one prepares.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$stamp" ]; then
    say "preparing the Wine environment in $WINEPREFIX (once)"
    wine wineboot -i >/dev/null 2>&1 || die "wineboot failed ($WINEARCH, $PLOVER_WINE_LOADER)"
    wineserver -w
    write_prefix_settings
    ensure_caption_font
    touch "$stamp"
  fi
  flock -u 9
  exec 9>&-
}

# prepare_wine ARCH PREFIX: the locale, and the prefix made and set up, before
# anything runs in it; a subshell, so the caller's environment stays its own.
prepare_wine() {
  (
    PLOVER_WINEPREFIX=$2
    use_wine_arch "$1"
    use_locale
    ensure_prefix
  )
}
