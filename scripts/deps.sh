# shellcheck shell=bash
# Sourced by the scripts: installs the Debian packages a fresh machine lacks, and holds the
# plumbing they share.

# as_root COMMAND... : runs COMMAND as root, through sudo unless we are root already.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# package_installed PACKAGE : whether dpkg has PACKAGE installed and configured.
package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# ensure_packages PACKAGE... : installs those of the named packages that are missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        package_installed "$pkg" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    as_root apt-get update -qq
    # Through env, since sudo would drop the variable.
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# ensure_tool COMMAND PACKAGE : installs PACKAGE unless COMMAND is already on the PATH.
ensure_tool() {
    command -v "$1" >/dev/null 2>&1 || ensure_packages "$2"
}

ensure_build_tools() {
    ensure_tool cmake cmake
    ensure_tool g++ g++
    ensure_tool make make
    ensure_tool python3 python3
}

# werror_option : the CMake option that WAVSLICE_WERROR=ON (as in CI) turns on.
werror_option() {
    echo "-DWAVSLICE_WARNINGS_AS_ERRORS=${WAVSLICE_WERROR:-OFF}"
}

# wine64_loader : prints the path of the 64-bit Wine loader that the wine64 package ships;
# Debian keeps it off the PATH.
wine64_loader() {
    local f
    while IFS= read -r f; do
        if [ "${f##*/}" = wine64 ] && [ -f "$f" ] && [ -x "$f" ]; then
            echo "$f"
            return 0
        fi
    done < <(dpkg -L wine64)
    echo "no wine64 loader in the wine64 package" >&2
    return 1
}
