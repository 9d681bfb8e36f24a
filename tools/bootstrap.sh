# Shared set-up for play.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.
set -euo pipefail

LV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LV_BUILD="${LV_BUILD:-$LV_ROOT/build}"
# What the game needs to build (the asset generator included: cairo and the font).
LV_GAME_PACKAGES=(cmake g++ make pkg-config libsdl2-dev libpng-dev libjpeg-dev libfreetype-dev
  libvorbis-dev libogg-dev zlib1g-dev libcairo2-dev fonts-comic-neue)
# What only the tests and benchmarks need: their libraries, the X server and window manager
# of the real-window tests, the checkers of the installed desktop files.
LV_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool openbox
  desktop-file-utils appstream)

# Installs those of the given packages that are missing.
lv_install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Some packages are missing. Run this once, then try again:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
}

# Configures the build tree: with ON the tests and benchmarks too, with OFF the game alone.
lv_configure() {
  cmake -S "$LV_ROOT" -B "$LV_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLV_BUILD_TESTS="$1" -DLV_BUILD_BENCH="$1" >/dev/null
}

# Builds the given targets, or everything configured when none is given.
lv_build() {
  local jobs t targets=()
  jobs="$(nproc 2>/dev/null || echo 4)"
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$LV_BUILD" -j "$jobs" "${targets[@]}"
}
