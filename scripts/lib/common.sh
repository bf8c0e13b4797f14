# Shared by the scripts: packages, builds, and a private Wine prefix with its own X display.
# Source it; it never touches another prefix or display.

TARVIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TARVIX_NATIVE_BUILD=$TARVIX_ROOT/build/native
TARVIX_SANITIZE_BUILD=$TARVIX_ROOT/build/native-sanitize
TARVIX_WIN_BUILD=$TARVIX_ROOT/build/win
export LANG=C.UTF-8 # keeps Wine's ANSI code page at 1252

# The posix-thread compilers build the tests, the win32-thread ones the shipped DLLs; python3,
# openssl and osslsigncode pack and sign Tarvix.msix.
TARVIX_PACKAGES="cmake make g++ g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
  gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 xvfb xauth x11-utils googletest nsis python3 openssl"

# osslsigncode signs MSIX packages from version 2.6 on; Debian 12 has it in its backports.
tarvix_install_osslsigncode() {
  local version sudo=
  version=$(dpkg-query -W -f='${Version}' osslsigncode 2>/dev/null)
  if [ -n "$version" ] && dpkg --compare-versions "$version" ge 2.6; then return 0; fi
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq >/dev/null
  local candidate release=()
  candidate=$(apt-cache policy osslsigncode | sed -nE 's/^ *Candidate: *//p')
  if ! dpkg --compare-versions "${candidate:-0}" ge 2.6; then
    local codename
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "== adding $codename-backports to apt's sources, for osslsigncode 2.6 or later"
    echo "deb http://deb.debian.org/debian $codename-backports main" |
      $sudo tee "/etc/apt/sources.list.d/$codename-backports.list" >/dev/null
    $sudo apt-get update -qq >/dev/null
    release=(-t "$codename-backports")
  fi
  echo "== installing: osslsigncode"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${release[@]}" osslsigncode >/dev/null
}

tarvix_install() {
  tarvix_install_osslsigncode || return 1
  local missing=()
  for package in $TARVIX_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

tarvix_build_native() { # [sanitize]
  local dir=$TARVIX_NATIVE_BUILD flags=()
  if [ "${1:-}" = sanitize ]; then dir=$TARVIX_SANITIZE_BUILD; flags=(-DTARVIX_SANITIZE=ON); fi
  cmake -S "$TARVIX_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "${flags[@]}" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

tarvix_build_win() {
  cmake -S "$TARVIX_ROOT" -B "$TARVIX_WIN_BUILD" -DCMAKE_BUILD_TYPE=Release \
    --toolchain "$TARVIX_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$TARVIX_WIN_BUILD" -j"$(nproc)"
}

# scripts/run's build of its own, of the DLL, the shell host and the package (whose manifest
# the host's first menu reads) only. With ON the files are
# compiled in batches ("unity" build): the Windows headers, read once a batch instead of once a
# file, are most of the compile time.
TARVIX_RUN_BUILD=$TARVIX_ROOT/build/run
tarvix_build_run() { # ON | OFF
  cmake -S "$TARVIX_ROOT" -B "$TARVIX_RUN_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_UNITY_BUILD="$1" --toolchain "$TARVIX_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null &&
    cmake --build "$TARVIX_RUN_BUILD" -j"$(nproc)" --target Tarvix ShellHost TarvixPackage
}

# Creates the private Wine prefix if it is missing (10-16 s), without a display, and returns
# once its Wine server has ended: a script can run it in the background while it builds, and
# wait for it before tarvix_wine_start.
tarvix_wine_prefix() {
  local prefix=${TARVIX_WINEPREFIX:-$TARVIX_WIN_BUILD/wineprefix}
  [ -d "$prefix" ] && return 0
  mkdir -p "$prefix"
  (
    export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
    tarvix_wine_unmanaged
    /usr/lib/wine/wineserver -w </dev/null >/dev/null 2>&1
  )
}

# Without a window manager every closing window costs Wine about two seconds.
tarvix_wine_unmanaged() {
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
    </dev/null >/dev/null 2>&1
}

# A private Wine prefix and X display; tarvix_wine_stop ends exactly what this started.
# With the argument "user-display" an existing DISPLAY is used instead of a private one.
tarvix_wine_start() {
  export WINEPREFIX=${TARVIX_WINEPREFIX:-$TARVIX_WIN_BUILD/wineprefix}
  # Two scripts on one prefix would share its Wine server, and the first to stop would end
  # the other's programs: the second waits for the first.
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec {TARVIX_PREFIX_LOCK}>"$WINEPREFIX.lock"
  # Going on without the lock would let the other script's stop end this one's programs.
  if ! flock -w 900 "$TARVIX_PREFIX_LOCK"; then
    echo "== the Wine prefix $WINEPREFIX stayed busy for 15 minutes" >&2
    return 1
  fi
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${1:-}" != user-display ] || [ -z "${DISPLAY:-}" ]; then
    # Xvfb takes the first free display number itself and writes it out: two scripts starting
    # at once cannot pick the same one.
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    TARVIX_XVFB_PID=$!
    local waited=0
    while [ ! -s "$numberFile" ] && [ $waited -lt 200 ]; do
      sleep 0.1; waited=$((waited + 1))
    done
    export DISPLAY=":$(head -n 1 "$numberFile")"
    rm -f "$numberFile"
    if [ "$DISPLAY" = ":" ]; then
      echo "== Xvfb did not start" >&2
      return 1
    fi
  fi
  local fresh=0
  [ -d "$WINEPREFIX" ] || fresh=1
  # Wine started before its display answers never shows a window.
  tarvix_wait_for_display 30 || echo "== the X display $DISPLAY does not answer" >&2
  mkdir -p "$WINEPREFIX"
  # Every Wine start is redirected: its background processes would otherwise hold the
  # caller's output pipe open forever.
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
  if [ $fresh -eq 1 ]; then tarvix_wine_unmanaged; fi
  tarvix_second_volume
  trap tarvix_wine_stop EXIT
}

# Drive S: on a file system apart from the one of C: and Z: (/dev/shm is a tmpfs), so that a move
# between them really crosses volumes.
tarvix_second_volume() {
  TARVIX_SECOND_VOLUME=/dev/shm/tarvix-$(printf '%s' "$WINEPREFIX" | md5sum | cut -c1-12)
  mkdir -p "$TARVIX_SECOND_VOLUME"
  ln -sfn "$TARVIX_SECOND_VOLUME" "$WINEPREFIX/dosdevices/s:"
}

tarvix_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1
  [ -n "${TARVIX_XVFB_PID:-}" ] && kill "$TARVIX_XVFB_PID" 2>/dev/null
  [ -n "${TARVIX_SECOND_VOLUME:-}" ] && rm -rf "$TARVIX_SECOND_VOLUME"
  TARVIX_SECOND_VOLUME=
  TARVIX_XVFB_PID=
  if [ -n "${TARVIX_PREFIX_LOCK:-}" ]; then exec {TARVIX_PREFIX_LOCK}>&-; fi
  TARVIX_PREFIX_LOCK=
  return 0
}

# Waits until the X display $DISPLAY answers, at most $1 seconds; false when it never does.
tarvix_wait_for_display() {
  local deadline=$((SECONDS + $1))
  until xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

# Waits until a window whose title holds $1 is on $DISPLAY, at most $2 seconds, and no longer
# than the process $3 runs; false when the window was not seen.
tarvix_wait_for_window() {
  local deadline=$((SECONDS + $2))
  until xwininfo -display "$DISPLAY" -root -tree 2>/dev/null | grep -qF "$1"; do
    [ $SECONDS -ge $deadline ] && return 1
    kill -0 "$3" 2>/dev/null || return 1
    sleep 0.5
  done
}

# The DOS path Wine gives a Unix path.
tarvix_dos_path() { /usr/lib/wine/wine64 winepath -w "$1" 2>/dev/null | tr -d '\r'; }
