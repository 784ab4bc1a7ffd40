# Shared by scripts/run, scripts/test and scripts/wine: where things live, what
# the machine must have, and how Plover is built.  Sourced, never run.

PLOVER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PLOVER_BUILD=$PLOVER_ROOT/build
PLOVER_OUT=$PLOVER_ROOT/out

say() { printf 'plover: %s\n' "$*" >&2; }
die() { say "$*"; exit 1; }

# Debian packages the build, the tests and the Wine environment need.
PLOVER_PACKAGES=(
  cmake ninja-build clang libclang-rt-14-dev libpng-dev googletest procps
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine xvfb xauth x11-utils
  fonts-ipafont-gothic fonts-ipafont-mincho imagemagick
)

ensure_packages() {
  local missing=() p
  for p in "${PLOVER_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null || die "apt-get install failed"
}

# Two builds: the platform-free part, the asset generator and the native tests with
# the host's clang (sanitizers, fuzzers); then Plover.exe and the Wine-side tests
# with MinGW-w64, using the assets the first build drew.
build_all() {
  local jobs log
  jobs=$(nproc)
  mkdir -p "$PLOVER_BUILD"
  log=$PLOVER_BUILD/build.log
  : > "$log"
  say "building (log: $log)"
  run_logged "$log" cmake -S "$PLOVER_ROOT" -B "$PLOVER_BUILD/native" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOVER_SANITIZE=ON
  run_logged "$log" cmake --build "$PLOVER_BUILD/native" -j "$jobs"
  run_logged "$log" cmake -S "$PLOVER_ROOT" -B "$PLOVER_BUILD/win32" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$PLOVER_ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DPLOVER_ASSET_DIR="$PLOVER_BUILD/native/assets"
  run_logged "$log" cmake --build "$PLOVER_BUILD/win32" -j "$jobs"
}

# Runs a build step with its output in the log; on failure shows the end of it.
run_logged() {
  local log=$1; shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    die "failed: $*"
  fi
}
