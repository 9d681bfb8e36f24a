#!/usr/bin/env bash
# Builds Lantern Vale (installing what is missing) and starts it: only the game and its
# data folder are built; ./test.sh builds the tests and benchmarks too.
source "$(dirname "$0")/tools/bootstrap.sh"
lv_install_missing
lv_build lantern-vale assets
exec "$LV_BUILD/bin/lantern-vale"
