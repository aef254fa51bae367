# Shared by scripts/test and scripts/run: installs the Debian packages that the
# build, the tests and the demo need, but only those that are missing.
tallywick_packages=(
    cmake g++ make ninja-build pkg-config ccache dpkg-dev file
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl1-mesa-dev
    libsqlite3-dev sqlite3
    libgtest-dev googletest
    tinyproxy python3 python3-xlrd libxml2-utils
    xvfb xauth
    python3-pyatspi at-spi2-core dbus-daemon dbus-bin
)
# scripts/package --check validates the package and its files; rsvg-convert
# redraws the committed icon sizes (assets/linux/icons/README.md).
tallywick_package_packages=(lintian desktop-file-utils appstream man-db librsvg2-bin)
# scripts/fuzz builds with clang and its libFuzzer and sanitizer runtimes.
tallywick_fuzz_packages=(clang libclang-rt-14-dev)
# scripts/check-style.
tallywick_style_packages=(clang-format clang-tidy)

# Installs the missing ones of the given packages (default: tallywick_packages).
tallywick_install_missing() {
    local missing=()
    local pkg
    local wanted=("$@")
    if [ ${#wanted[@]} -eq 0 ]; then
        wanted=("${tallywick_packages[@]}")
    fi
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
