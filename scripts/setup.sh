# Sourced by test.sh and run.sh: installs the Debian packages the build and the tests need.
# One "apt-get update" first, and only when something is missing, so a second run is fast.
zel_packages=(
    cmake make pkg-config g++ clang lld libgtest-dev googletest libbenchmark-dev zlib1g-dev libpcre2-dev libonig-dev libre2-dev libboost-regex-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
    wine wine64 xvfb xauth x11-utils xdotool xclip imagemagick python3 python3-pytest
    fonts-ipafont-gothic
    util-linux
)

zel_install_packages() {
    local missing=()
    for p in "${zel_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
