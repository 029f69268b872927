#!/usr/bin/env bash
# Installs what is missing, builds, and runs the test suites.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
varn_install_packages
varn_build "$@"
(cd "${VARN_BUILD_DIR:-build}" && ctest --output-on-failure -j"$(nproc)")

# The fault-injection suite once more under AddressSanitizer and UBSan, in a
# build of its own holding only that suite and varn-cli. VARN_SANITIZE_RUN=0
# skips it.
if [ "${VARN_SANITIZE_RUN:-1}" != 0 ]; then
    varn_sanitizer_run
fi
