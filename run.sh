#!/usr/bin/env bash
# Installs what is missing, builds, and starts Varn SE. Without a display it
# runs the headless demo instead.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
varn_install_packages
varn_build
bin=${VARN_BUILD_DIR:-build}/bin
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/varn" "$@"
fi
exec tools/demo.sh "$bin/varn-cli"
