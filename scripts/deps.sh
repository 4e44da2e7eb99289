# Sourced by the scripts: installs the Debian packages a fresh machine lacks.

# ensure_packages PACKAGE... : installs those of the named packages that are missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
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
