# Shared by scripts/run.sh and scripts/test.sh: installs what the project needs on a Debian 12
# machine and builds it. Source it from the repository's top folder.

source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

pressvale_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# pressvale_install_packages PACKAGE...: installs those of the packages that are missing.
pressvale_install_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    pressvale_as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
    pressvale_as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# pressvale_build BUILD_DIR [cmake options...] [-- targets...]: configures and builds
# everything, or only the targets named after "--"; a warning in the project's own code fails it.
pressvale_build() {
    local dir=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    targets=("$@")
    cmake -S . -B "$dir" -G Ninja -DPRESSVALE_WARNINGS_AS_ERRORS=ON "${options[@]}" >/dev/null
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
    else
        cmake --build "$dir" -j "$(nproc)"
    fi
}
