#!/usr/bin/env bash
# Builds Lantern Vale (installing what is missing) and starts it: only what the game needs is
# installed and configured; ./test.sh adds the tests and benchmarks.
source "$(dirname "$0")/tools/bootstrap.sh"
lv_install_missing "${LV_GAME_PACKAGES[@]}"
lv_configure OFF
lv_build lantern-vale assets
exec "$LV_BUILD/bin/lantern-vale"
