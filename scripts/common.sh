# Shared by ./run and ./test: install what is missing, then build incrementally.

BUILD_DIR="${BUILD_DIR:-build}"

# Debian packages the build, the tests and the program need.
REQUIRED_PACKAGES=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n zlib1g-dev libzip-dev
    fonts-liberation2
    poppler-utils
    # the checks of the installed tree: desktop entry, metadata, MIME type, manual page
    desktop-file-utils appstream shared-mime-info groff-base
)

# Wanted by one test only (the rendering of the word-processor document);
# where they cannot be installed, that test says so and is skipped.
OPTIONAL_PACKAGES=(
    libreoffice-writer-nogui
)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || echo "$pkg"
    done
}

ensure_packages() {
    ensure_packages_from "${REQUIRED_PACKAGES[@]}" "$@"
}

ensure_packages_from() {
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0

    if ! command -v apt-get >/dev/null 2>&1; then
        echo "Missing Debian packages (and no apt-get to install them):" $missing >&2
        return 1
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Missing Debian packages; run as root or install sudo:" $missing >&2
            return 1
        fi
    fi
    echo "Installing missing packages:" $missing
    # shellcheck disable=SC2086
    if ! { "${sudo[@]}" apt-get update -qq &&
           DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing; }; then
        echo "Could not install:" $(missing_packages $missing) >&2
        return 1
    fi
}

ensure_optional_packages() {
    ensure_packages_from "${OPTIONAL_PACKAGES[@]}" ||
        echo "Optional packages missing; the tests that need them are skipped." >&2
}

build_project() {
    local generator=()
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
        cmake -S . -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
    fi
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
