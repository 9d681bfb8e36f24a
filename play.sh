#!/usr/bin/env bash
# Builds Lantern Vale (installing what is missing) and starts it.
source "$(dirname "$0")/tools/bootstrap.sh"
lv_install_missing
lv_build
exec "$LV_BUILD/bin/lantern-vale"
