# Shared by ./run and ./test: package installation and the build.

# Debian packages the build and the tests need.
SARW_PACKAGES=(cmake python3 ninja-build g++ libgtest-dev libgmock-dev clang libclang-rt-14-dev libcli11-dev
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core xvfb xauth poppler-utils
    libxlsxwriter-dev pkg-config)

# Installs the missing packages when run as root; otherwise prints the command to run.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        return 1
    fi
}

# Configures and builds one build directory: build_tree DIR [cmake options...]
build_tree() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}
