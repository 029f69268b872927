#!/usr/bin/env bash
# Builds the Debian package varn-se_<version>_<arch>.deb from this tree's own
# build (configured and built first where needed; only what the package
# holds is built) and leaves it in the tree's root:
#   ./package.sh && sudo apt install ./varn-se_*.deb
set -euo pipefail
cd "$(dirname "$0")"
build_dir=${VARN_BUILD_DIR:-build}

for tool in dpkg-deb dpkg-shlibdeps cpack; do
    command -v "$tool" >/dev/null || {
        echo "package.sh: $tool is missing (Debian: apt install dpkg-dev cmake)" >&2
        exit 1
    }
done

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
if [ ! -f "$build_dir/CPackConfig.cmake" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)" \
    --target varn varn-cli varn_appdb varn_man_pages varn_changelog

rm -f "$build_dir"/varn-se_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
package=$(cd "$build_dir" && ls varn-se_*.deb)
rm -f varn-se_*.deb
mv "$build_dir/$package" .
echo "$PWD/$package"
