# Sourced by run.sh and test.sh: installs what a fresh Debian 12 machine lacks,
# then configures and builds into build/.
set -euo pipefail

VARN_PACKAGES=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc libqt6printsupport6 libqt6svg6
    qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
    unixodbc unixodbc-dev odbcinst libsqliteodbc libsqlite3-dev
    libzip-dev
    fonts-dejavu-core
    openjdk-17-jdk-headless
    postgresql libqt6sql6-psql odbc-postgresql
    dpkg-dev file lintian appstream desktop-file-utils bash-completion man-db
)

varn_install_packages() {
    local missing=()
    for package in "${VARN_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

varn_build() {
    local build_dir=${VARN_BUILD_DIR:-build}
    # Let every checkout of the project share one compiler cache.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${VARN_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
}

varn_sanitizer_run() {
    local build_dir=${VARN_SANITIZE_BUILD_DIR:-build-sanitize}
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARN_SANITIZE=ON \
        -DVARN_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build_dir" -j"$(nproc)" --target tst_faultinjection varn-cli
    # Qt keeps some allocations to the end of the process; leaks are not what
    # this run looks for.
    (cd "$build_dir" && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -R '^tst_faultinjection$')
}
