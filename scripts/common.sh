# Shared by scripts/run and scripts/test: installing what the builds need,
# building, and a private X display with a window manager for Wine.
# shellcheck shell=bash

VORN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export VORN_ROOT
JOBS=${JOBS:-2}

say() { printf '\n== %s\n' "$*"; }

# Debian packages the builds and lanes use, installed when any is missing.
VORN_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool openbox x11-utils imagemagick procps python3 binutils-mingw-w64-x86-64
)

install_packages() {
  local missing=()
  for package in "${VORN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

configure_and_build() {  # build folder, extra cmake arguments...
  local dir=$1
  shift
  cmake -S "$VORN_ROOT" -B "$VORN_ROOT/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$VORN_ROOT/$dir" -j"$JOBS"
}

# The Windows build: everything, or only the targets named (Vorn: Vorn.exe
# alone, without the tests that take most of a first build's time).
build_windows() {  # [target...]
  local dir=$VORN_ROOT/build/windows
  if [ $# -eq 0 ]; then
    configure_and_build build/windows -DCMAKE_TOOLCHAIN_FILE="$VORN_ROOT/cmake/mingw-w64.cmake"
    return
  fi
  cmake -S "$VORN_ROOT" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$VORN_ROOT/cmake/mingw-w64.cmake" >/dev/null
  cmake --build "$dir" -j"$JOBS" --target "$@"
}

# --- Wine ----------------------------------------------------------------------

export WINEPREFIX=${WINEPREFIX:-$VORN_ROOT/build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Wine draws the caption buttons with Marlett, which a new prefix does not
  # find by itself: without it they show as the letters "0 1 r".
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  if [ ! -f "$fonts/marlett.ttf" ]; then
    for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf /opt/wine*/share/wine/fonts/marlett.ttf; do
      if [ -f "$font" ]; then
        mkdir -p "$fonts"
        cp "$font" "$fonts/"
        break
      fi
    done
  fi
}

# --- a private X display -----------------------------------------------------------

VORN_STARTED_PIDS=()

stop_started() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    # The next start must not meet this server on its way out.
    timeout 20 wineserver -w >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${VORN_STARTED_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${VORN_STARTED_PIDS[@]}"; do
    wait "$pid" >/dev/null 2>&1 || true
  done
  VORN_STARTED_PIDS=()
}

# Starts Xvfb (1920 x 1080) on a free display with openbox, and exports DISPLAY.
start_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  VORN_STARTED_PIDS+=($!)
  export DISPLAY=":$n"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  VORN_STARTED_PIDS+=($!)
  # openbox announces itself by setting _NET_SUPPORTING_WM_CHECK on the root.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && break
    sleep 0.1
  done
}
