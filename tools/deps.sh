# Shared by ./run and ./test: makes sure the Debian packages the build needs
# are present, installing them with apt-get when we are allowed to.

VANTREL_PACKAGES="cmake ninja-build g++ qt6-base-dev libgl-dev libbenchmark-dev libinih-dev fonts-dejavu-core"
# Only the tests need these: they drive saved pages in Chromium, Firefox ESR
# and WebKitGTK (the last under a private Xvfb); man-db reads the manual
# pages as Debian's checks do (tst_manpage).
VANTREL_TEST_PACKAGES="chromium chromium-driver python3-selenium python3-numpy firefox-esr webkit2gtk-driver python3-websocket xvfb xauth man-db"
# Building the Debian package and checking it (tools/package.sh,
# tools/check_package.sh): dpkg-shlibdeps and file for CPack's dependencies,
# and the checkers of the package, its software-centre data, desktop entry
# and manual pages.
VANTREL_PACKAGE_PACKAGES="dpkg-dev file lintian appstream desktop-file-utils man-db"

vantrel_missing_packages() {
    local missing="" pkg
    for pkg in $VANTREL_PACKAGES "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $pkg"
        fi
    done
    echo "${missing# }"
}

vantrel_ensure_packages() {
    local missing
    missing=$(vantrel_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: $missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends $missing
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        echo "Installing missing packages: $missing"
        sudo apt-get update -qq
        # shellcheck disable=SC2086
        sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Vantrel needs these Debian packages, and this user may not install them:" >&2
        echo "    sudo apt-get install $missing" >&2
        echo "Run that line, then run this command again." >&2
        exit 1
    fi
}
