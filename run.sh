#!/usr/bin/env bash
# Installs what is missing, builds, and starts Varn SE. Without a display it
# runs the headless demo instead.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
varn_install_packages
varn_build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/varn "$@"
fi
exec tools/demo.sh build/bin/varn-cli
