#!/usr/bin/env bash
# Builds Lantern Vale (installing what is missing) and runs every test.
source "$(dirname "$0")/tools/bootstrap.sh"
lv_install_missing "${LV_GAME_PACKAGES[@]}" "${LV_TEST_PACKAGES[@]}"
lv_configure ON
lv_build
cd "$LV_BUILD"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 4)"
