# Plover's own Wine environment: a prefix of its own for each build (32-bit or
# 64-bit Wine) with Japanese locale, IPA fonts standing in for the Japanese system
# faces, a virtual desktop (so windows get frames and activation works without a
# window manager) and an X display, Xvfb when there is none.  Sourced by scripts/wine.

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

# ensure_locale NAME: the locale NAME.UTF-8 exists (generated once when it does not).
ensure_locale() {
  local name=$1
  locale -a 2>/dev/null | grep -qix "$name.utf8" && return 0
  local sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q 'ok installed'; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq locales >/dev/null
  fi
  grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null ||
    echo "$name.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}

# Wine takes its ANSI code page and system fonts from the locale: ja_JP gives a
# Japanese system (code page 932).  PLOVER_LOCALE=en_US, say, shows Plover on a
# system of another language.
use_locale() {
  local name=${PLOVER_LOCALE:-ja_JP}
  name=${name%.UTF-8}
  ensure_locale "$name"
  export LANG=$name.UTF-8 LC_ALL=$name.UTF-8
}

ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=${PLOVER_XVFB_DISPLAY:-91}
  export DISPLAY=":$n"
  xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
  rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
  setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
  local i
  for i in $(seq 50); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  die "Xvfb did not start on $DISPLAY"
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
