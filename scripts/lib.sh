# shellcheck shell=bash
# Shared by the scripts: the packages a fresh machine needs, their
# installation, the build into build/ and a private X display. Sourced, not run.

MENUGERAL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck disable=SC2034 # used by the scripts that source this file
MENUGERAL_BUILD="$MENUGERAL_ROOT/build"

# Every Debian package that building, testing and running the menu need. This
# is the only list; add new needs here.
MENUGERAL_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libxcb1-dev libgl-dev
    googletest libgtest-dev libgmock-dev
    xvfb xauth xdotool x11-utils openbox e2fsprogs
    # The desktop tests run under a second window manager too; it reads its
    # settings over a private D-Bus session.
    xfwm4 dbus-daemon
    weston qt6-wayland
    # Qt's own texts (its standard dialogs) in Brazilian Portuguese.
    qt6-translations-l10n
    fonts-liberation2 fonts-open-sans fonts-lato fonts-dejavu-core fonts-dejavu-extra
    # scripts/package and scripts/test-package: build flags, shlibdeps, checks.
    dpkg-dev lintian desktop-file-utils
    # The latency benchmarks click and type through XTest.
    libxcb-xtest0-dev
)
# What the fuzz leg (scripts/test-fuzz) needs besides: clang and its libFuzzer.
# shellcheck disable=SC2034 # used by the scripts that source this file
MENUGERAL_FUZZ_PACKAGES=(clang libfuzzer-14-dev)

# What the Windows leg needs besides: the cross compiler, the host's Qt tools
# (moc, rcc, uic and their CMake files) and Qt's Portuguese texts, GoogleTest's
# sources, Wine with its fonts, NSIS, wixl (msitools) for the MSI,
# osslsigncode and openssl for signing, the tools that read the programs' icons and those
# that look at the screen.
# shellcheck disable=SC2034 # used by the scripts that source this file
MENUGERAL_WINDOWS_PACKAGES=(
    cmake ninja-build g++-mingw-w64-x86-64-posix
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n googletest
    wine wine64 fonts-wine nsis wixl msitools osslsigncode openssl icoutils
    xvfb xauth xdotool imagemagick
    fonts-liberation2 fonts-open-sans fonts-lato fonts-dejavu-core fonts-dejavu-extra
)
# shellcheck disable=SC2034 # used by the scripts that source this file
MENUGERAL_WINDOWS_BUILD="$MENUGERAL_ROOT/build-windows"
MENUGERAL_QT_TARBALL=qt6.4.2-mingw64.tar.xz

menugeral_say() {
    printf '%s\n' "$*" >&2
}

menugeral_is_installed() {
    dpkg -s "$1" 2>/dev/null | grep -q '^Status: install ok installed'
}

# Installs what is missing through apt-get (as root, or through sudo): the
# packages given, or MENUGERAL_PACKAGES. A ready machine installs nothing and
# asks for nothing.
# shellcheck disable=SC2120 # the packages are optional
menugeral_install_packages() {
    local wanted=("$@")
    [ "${#wanted[@]}" -eq 0 ] && wanted=("${MENUGERAL_PACKAGES[@]}")
    if ! command -v dpkg >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        menugeral_say "This is not a Debian-based system, so nothing is installed automatically."
        menugeral_say "Install the equivalents of these Debian packages yourself:"
        menugeral_say "    ${wanted[*]}"
        menugeral_say "Trying to build with what is there."
        return 0
    fi

    local missing=() package
    for package in "${wanted[@]}"; do
        menugeral_is_installed "$package" || missing+=("$package")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0

    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            menugeral_say "Missing packages: ${missing[*]}"
            menugeral_say "Install them as root (apt-get install ${missing[*]}) and run this again."
            return 1
        fi
        as_root=(sudo)
    fi
    menugeral_say "Installing: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (once a fresh clone, quickly afterwards) and builds everything.
menugeral_build() {
    (
        cd "$MENUGERAL_ROOT" || exit 1
        cmake --preset default
        cmake --build --preset default --parallel 2
    )
}

# Without MENUGERAL_QT_WINDOWS, looks for shared/sdk/<tarball> beside the
# repository or beside one of the folders above it (a clone made deeper
# than the working tree), and names the one found in MENUGERAL_QT_WINDOWS.
menugeral_locate_windows_sdk() {
    [ -n "${MENUGERAL_QT_WINDOWS:-}" ] && return 0
    local folder
    folder="$(cd "$MENUGERAL_ROOT/.." && pwd)"
    while :; do
        if [ -f "$folder/shared/sdk/$MENUGERAL_QT_TARBALL" ]; then
            export MENUGERAL_QT_WINDOWS="$folder/shared/sdk/$MENUGERAL_QT_TARBALL"
            return 0
        fi
        [ "$folder" = / ] && return 0
        folder="$(dirname "$folder")"
    done
}

# Says why Qt for Windows cannot be found, and what to do; nothing when it can.
# The build looks in the same places (cmake/WindowsQt.cmake, through
# MENUGERAL_QT_WINDOWS once menugeral_locate_windows_sdk has run).
menugeral_windows_sdk_problem() {
    if [ -n "${MENUGERAL_QT_WINDOWS:-}" ]; then
        [ -e "$MENUGERAL_QT_WINDOWS" ] && return 0
        printf 'MENUGERAL_QT_WINDOWS names %s, which does not exist.\n' "$MENUGERAL_QT_WINDOWS"
        return 0
    fi
    [ -e "$MENUGERAL_ROOT/../shared/sdk/$MENUGERAL_QT_TARBALL" ] && return 0
    [ -f "$MENUGERAL_WINDOWS_BUILD/qt-windows/qt6-mingw64/lib/cmake/Qt6/Qt6Config.cmake" ] && return 0
    printf 'There is no Qt for Windows: no shared/sdk/%s beside %s or a folder above it, and no MENUGERAL_QT_WINDOWS.\n' \
        "$MENUGERAL_QT_TARBALL" "$MENUGERAL_ROOT"
    printf 'Put the SDK tarball there, or set MENUGERAL_QT_WINDOWS to the tarball, to the folder that\n'
    printf 'holds it, or to an unpacked qt6-mingw64 folder. shared/sdk/build-qt-windows.sh rebuilds the\n'
    printf 'tarball from Debian'"'"'s Qt source in about an hour.\n'
}

# Cross-builds everything for Windows into build-windows/ (Qt beside the programs).
menugeral_build_windows() {
    (
        cd "$MENUGERAL_ROOT" || exit 1
        cmake --preset windows
        cmake --build --preset windows --parallel 2
    )
}

# Starts a private Xvfb and exports DISPLAY once it accepts clients: on the
# display MENUGERAL_XVFB_DISPLAY names ("41" or ":41") on a shared machine, or
# on a free one. Its messages go to the file given; its pid is left in
# MENUGERAL_XVFB_PID for the caller to stop on exit.
menugeral_start_xvfb() { # menugeral_start_xvfb <log file>
    local number tries=200
    number="$(mktemp)"
    Xvfb ${MENUGERAL_XVFB_DISPLAY:+":${MENUGERAL_XVFB_DISPLAY#:}"} -displayfd 3 -screen 0 1280x1024x24 \
        -nolisten tcp 3>"$number" 2>"$1" &
    MENUGERAL_XVFB_PID=$!
    until [ -s "$number" ] || [ "$tries" -eq 0 ] || ! kill -0 "$MENUGERAL_XVFB_PID" 2>/dev/null; do
        tries=$((tries - 1))
        sleep 0.1
    done
    DISPLAY=":$(head -n 1 "$number")"
    rm -f "$number"
    if [ "$DISPLAY" = : ]; then
        kill "$MENUGERAL_XVFB_PID" 2>/dev/null || true
        menugeral_say "Xvfb did not start:"
        cat "$1" >&2
        return 1
    fi
    export DISPLAY
}
