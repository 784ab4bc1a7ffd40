# Shared by the scripts: where things live, which builds this machine can run,
# what it must have, and how Plover is built.  Sourced, never run.

PLOVER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# PLOVER_BUILD may name another build tree (a second checkout's work alongside).
PLOVER_BUILD=${PLOVER_BUILD:-$PLOVER_ROOT/build}
PLOVER_OUT=$PLOVER_ROOT/out

say() { printf 'plover: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# ---------------------------------------------------------------------------
# The two builds of Plover.exe: win32 (i686, the one we ship) and win64 (x86-64).
# Some machines boot with the kernel's 32-bit emulation off: no 32-bit program
# starts there, 32-bit Wine included, and only the 64-bit build can be run.

# Whether this machine runs 32-bit x86 programs.  The probe is a 93-byte i386 ELF
# program that only exits with status 42; where 32-bit emulation is off the kernel
# refuses it ("Exec format error").  It needs no package, so it can decide what to
# install.
can_run_32bit() {
  # ELF header, one loadable segment, then the program:
  # xor ebx,ebx; mov bl,42; xor eax,eax; inc eax; int 0x80 (exit 42).
  local elf=7f454c46010101000000000000000000020003000100000054800408340000000000000000000000
  elf+=34002000010000000000000001000000000000000080040800800408
  elf+=5d0000005d000000050000000010000031dbb32a31c040cd80
  local probe status=0
  # In the build folder: /tmp may be mounted without exec.
  mkdir -p "$PLOVER_BUILD"
  probe=$(mktemp "$PLOVER_BUILD/probe32.XXXXXX") || return 1
  printf "$(sed 's/../\\x&/g' <<<"$elf")" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

# Sets PLOVER_ARCHES (the builds whose tests run here, the default first) and
# PLOVER_DEFAULT_ARCH (the build scripts/run and scripts/wine use), and says why.
# PLOVER_ARCH=win32 or win64 forces that one build.
choose_arches() {
  local reason
  case "${PLOVER_ARCH:-}" in
    win32)
      can_run_32bit ||
        die "PLOVER_ARCH=win32, but this machine runs no 32-bit programs (try PLOVER_ARCH=win64)"
      PLOVER_ARCHES=(win32) reason="forced by PLOVER_ARCH" ;;
    win64)
      PLOVER_ARCHES=(win64) reason="forced by PLOVER_ARCH" ;;
    "")
      if can_run_32bit; then
        PLOVER_ARCHES=(win32 win64) reason="this machine runs 32-bit and 64-bit programs"
      else
        PLOVER_ARCHES=(win64) reason="this machine runs no 32-bit programs"
      fi ;;
    *) die "PLOVER_ARCH must be win32 or win64, not '$PLOVER_ARCH'" ;;
  esac
  PLOVER_DEFAULT_ARCH=${PLOVER_ARCHES[0]}
  PLOVER_ARCH_REASON=$reason
}

# What a build is called where people read it.
arch_title() {
  case $1 in
    win32) echo "the 32-bit build (i686) under 32-bit Wine" ;;
    win64) echo "the 64-bit build (x86-64) under wine64" ;;
  esac
}

# The runnable program folder of a build.
program_dir() {
  case $1 in
    win32) echo "$PLOVER_OUT/Plover" ;;
    win64) echo "$PLOVER_OUT/Plover-x64" ;;
  esac
}

# ---------------------------------------------------------------------------
# The set-up step: every package any script needs and the locales Wine runs in,
# made once by the calling script before anything builds or starts Wine.  Nothing
# that may run twice at once (scripts/wine, the window driver, the tests) installs
# anything; the one lazy path left (a locale asked for later, see use_locale) takes
# the same machine-wide lock, and apt waits for dpkg's own lock instead of failing.

# Debian packages the build, the tests, the Wine environment and the maintainers'
# fresh-machine check need.  Both cross compilers always (both builds are
# compiled everywhere); 32-bit Wine only where it can run.
plover_packages() {
  PLOVER_PACKAGES=(
    cmake ninja-build clang libclang-rt-14-dev libpng-dev googletest procps
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine xvfb xauth x11-utils locales
    fonts-ipafont-gothic fonts-ipafont-mincho imagemagick debootstrap nsis
    python3-icalendar tzdata
  )
  if can_run_32bit; then
    PLOVER_PACKAGES+=(wine32:i386)
  fi
}

# The locales Wine runs in: Japanese always, and the one PLOVER_LOCALE asks for.
plover_locales() {
  local asked=${PLOVER_LOCALE:-ja_JP}
  printf '%s\n' ja_JP "${asked%.UTF-8}" | sort -u
}

# Where /etc/locale.gen is (a test stands in its own).
PLOVER_LOCALE_GEN=${PLOVER_LOCALE_GEN:-/etc/locale.gen}
# One machine-wide lock for installing and generating, shared by every checkout.
PLOVER_SETUP_LOCK=${PLOVER_SETUP_LOCK:-/tmp/plover-setup.lock}
# How long apt waits for another apt or dpkg (an unattended upgrade, say), in seconds.
PLOVER_DPKG_WAIT=${PLOVER_DPKG_WAIT:-600}

# plover_setup: the set-up step every calling script runs first.
plover_setup() {
  with_setup_lock setup_unlocked
}

setup_unlocked() {
  ensure_packages
  local name
  for name in $(plover_locales); do
    ensure_locale "$name"
  done
}

# with_setup_lock COMMAND...: COMMAND under the set-up lock (taken once, so the
# set-up functions may call each other).
with_setup_lock() {
  if [ "${PLOVER_SETUP_LOCKED:-0}" = 1 ]; then
    "$@"
    return
  fi
  local fd status=0
  exec {fd}>>"$PLOVER_SETUP_LOCK"
  flock "$fd"
  PLOVER_SETUP_LOCKED=1 "$@" || status=$?
  exec {fd}>&-
  return $status
}

missing_packages() {
  local p
  for p in "${PLOVER_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || echo "$p"
  done
}

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  plover_packages
  local missing
  mapfile -t missing < <(missing_packages)
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]} (log: $PLOVER_BUILD/apt.log)"
  if [[ " ${missing[*]} " == *":i386 "* ]] &&
     ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index ("File has unexpected size"); the
  # others are still fresh, so go on and let the install show whether it matters.
  apt_get update -qq || say "apt-get update failed for some index; trying the install anyway"
  if ! apt_install "${missing[@]}"; then
    # Packages from the updates suite may need versions whose index failed;
    # preferring the release's own suite resolves them from what did arrive.
    local release
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$release" ] || die "apt-get install failed, and /etc/os-release names no release"
    say "apt-get install failed; trying again preferring the release's own suite ($release)"
    apt_install -t "$release" "${missing[@]}" ||
      die "apt-get install failed twice (also with -t $release). Missing: ${missing[*]}." \
          "If a mirror is mid-sync, wait a few minutes and run this again;" \
          "or install them by hand with apt-get (log: $PLOVER_BUILD/apt.log)."
  fi
  # Never a half install taken for a whole one.
  mapfile -t missing < <(missing_packages)
  [ ${#missing[@]} -eq 0 ] || die "apt-get reported success, but still missing: ${missing[*]}"
}

# apt-get that waits for dpkg's lock rather than failing at once, its output in the log.
apt_get() {
  mkdir -p "$PLOVER_BUILD"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo DEBIAN_FRONTEND=noninteractive)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" \
    apt-get -o DPkg::Lock::Timeout="$PLOVER_DPKG_WAIT" "$@" >>"$PLOVER_BUILD/apt.log" 2>&1
}

apt_install() {
  apt_get install -y -qq --no-install-recommends "$@" ||
    { tail -n 15 "$PLOVER_BUILD/apt.log" >&2; return 1; }
}

# ensure_locale NAME: the locale NAME.UTF-8 exists, generated under the set-up lock
# when it does not.
ensure_locale() {
  has_locale "$1" || with_setup_lock generate_locale "$1"
}

# grep reads to the end: with -q it may stop early, and pipefail would then take
# locale's broken pipe for a missing locale.
has_locale() {
  locale -a 2>/dev/null | grep -ix "$1.utf-\?8" >/dev/null
}

generate_locale() {
  local name=$1
  has_locale "$name" && return 0
  if ! dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q 'ok installed'; then
    apt_install locales || die "could not install the locales package (log: $PLOVER_BUILD/apt.log)"
  fi
  grep -q "^$name.UTF-8 UTF-8" "$PLOVER_LOCALE_GEN" 2>/dev/null ||
    echo "$name.UTF-8 UTF-8" | sudo_if_needed tee -a "$PLOVER_LOCALE_GEN" >/dev/null
  sudo_if_needed locale-gen >>"$PLOVER_BUILD/apt.log" 2>&1 ||
    die "locale-gen failed for $name.UTF-8 (log: $PLOVER_BUILD/apt.log)"
  has_locale "$name" || die "locale-gen did not make $name.UTF-8 (log: $PLOVER_BUILD/apt.log)"
}

# ---------------------------------------------------------------------------
# The builds: first the platform-free part, the asset generator and the native
# tests with the host's clang (sanitizers, fuzzers); then Plover.exe and its
# Wine-side tests with MinGW-w64 for each ARCH given, using the assets the first
# build drew.  Both hold Plover's own code to no warnings.
build_all() {
  local jobs log arch
  jobs=$(nproc)
  mkdir -p "$PLOVER_BUILD"
  log=$PLOVER_BUILD/build.log
  : > "$log"
  say "building $* (log: $log)"
  run_logged "$log" cmake -S "$PLOVER_ROOT" -B "$PLOVER_BUILD/native" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOVER_SANITIZE=ON -DPLOVER_WERROR=ON
  run_logged "$log" cmake --build "$PLOVER_BUILD/native" -j "$jobs"
  for arch in "$@"; do
    run_logged "$log" cmake -S "$PLOVER_ROOT" -B "$PLOVER_BUILD/$arch" -G Ninja \
          -DCMAKE_TOOLCHAIN_FILE="$PLOVER_ROOT/cmake/$(toolchain_of "$arch")" \
          -DCMAKE_BUILD_TYPE=Release -DPLOVER_WERROR=ON \
          -DPLOVER_ASSET_DIR="$PLOVER_BUILD/native/assets"
    run_logged "$log" cmake --build "$PLOVER_BUILD/$arch" -j "$jobs"
  done
}

toolchain_of() {
  case $1 in
    win32) echo mingw-i686.cmake ;;
    win64) echo mingw-x86_64.cmake ;;
  esac
}

# Runs a build step with its output in the log; on failure shows the end of it.
run_logged() {
  local log=$1; shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    die "failed: $*"
  fi
}
