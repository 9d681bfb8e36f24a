# Shared set-up for play.sh and test.sh: install what is missing, configure, build.
# Sourced, not run.
set -euo pipefail

LV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LV_BUILD="${LV_BUILD:-$LV_ROOT/build}"
LV_PACKAGES=(cmake g++ make pkg-config libsdl2-dev libpng-dev libjpeg-dev libfreetype-dev
  libvorbis-dev libogg-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev libcairo2-dev
  fonts-comic-neue xvfb xauth xdotool openbox desktop-file-utils appstream)

lv_install_missing() {
  local missing=()
  for p in "${LV_PACKAGES[@]}"; do
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

# Configures, then builds the given targets, or everything when none is given.
lv_build() {
  local jobs t targets=()
  jobs="$(nproc 2>/dev/null || echo 4)"
  cmake -S "$LV_ROOT" -B "$LV_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$LV_BUILD" -j "$jobs" "${targets[@]}"
}
