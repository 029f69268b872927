#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suites.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
varn_install_packages
varn_build "$@"
cd "${VARN_BUILD_DIR:-build}"
ctest --output-on-failure -j"$(nproc)"
