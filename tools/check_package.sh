#!/usr/bin/env bash
# Checks the Debian package that tools/package.sh made, as a Debian 12 user
# and Debian's own tools would: lintian (no error, no warning), the software
# centres' data (appstreamcli validate --pedantic) and the desktop entry
# (desktop-file-validate, no hint); then installs it with apt on this
# machine, runs both programs, their manual pages and completion from the
# installed package, removes it, and checks that nothing of it is left under
# /usr, /etc and dpkg's records. Installing needs root: run it on
# a machine (or a throw-away root) where installing vantrel is fine.
#
# Usage: tools/check_package.sh [build/vantrel_<version>_amd64.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
vantrel_ensure_packages $VANTREL_PACKAGE_PACKAGES

deb=${1:-$(ls -t build/vantrel_*_amd64.deb 2>/dev/null | head -n 1)}
[ -n "$deb" ] && [ -f "$deb" ] || { echo "check_package: no package; run tools/package.sh first" >&2; exit 1; }
deb=$(realpath "$deb")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

echo "== lintian"
lintian --display-info --fail-on error,warning "$deb"

echo "== software-centre data and desktop entry"
dpkg-deb -x "$deb" "$work/root"
appstreamcli validate --pedantic --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --pedantic --no-net "$work/root"
hints=$(desktop-file-validate "$work/root/usr/share/applications/vantrel.desktop" 2>&1) \
    || fail "desktop-file-validate: $hints"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"

# Installing: nothing of ours may be there before, and everything under /usr
# and /etc is listed to compare with what is left after the removal.
listing() { find /usr /etc -xdev 2>/dev/null | LC_ALL=C sort; }
# (The second letter of dpkg's state is "n" for a package not installed.)
known() { dpkg-query -W -f='${db:Status-Abbrev}' vantrel 2>/dev/null | grep -q '^.[^n]'; }
if known; then
    echo "vantrel was installed before the check: purging it first"
    dpkg --purge vantrel >/dev/null
fi
listing >"$work/before"
export DEBIAN_FRONTEND=noninteractive
echo "== apt install $(basename "$deb")"
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "$deb" >/dev/null

echo "== the installed programs"
export QT_QPA_PLATFORM=offscreen
out="$work/out"
mkdir -p "$out"
[ "$(vantrel --version)" = "Vantrel $(dpkg-deb -f "$deb" Version)" ] || fail "vantrel --version: $(vantrel --version)"
vantrel-gen templates >"$work/templates"
[ -s "$work/templates" ] || fail "vantrel-gen templates listed nothing"
vantrel-gen save --template 0 "$out/page.htm"
for f in page.htm page.qdx Glidebar.class glidebar.js; do
    [ -f "$out/$f" ] || fail "vantrel-gen save --template 0: $f is missing"
done
vantrel-gen png --template 0 "$out/menu.png"
[ "$(head -c 4 "$out/menu.png" | od -An -c | tr -d ' ')" = "211PNG" ] || fail "vantrel-gen png wrote no picture"
# The wizard starts, and starts with the saved page, as a file manager
# opens it (it closes itself once it has drawn its window).
VANTREL_QUIT_ON_FIRST_PAINT=1 timeout 120 vantrel || fail "vantrel did not start"
VANTREL_QUIT_ON_FIRST_PAINT=1 timeout 120 vantrel "$out/page.htm" || fail "vantrel page.htm did not start"
[ ! -e /usr/lib/vantrel/tmp ] || fail "the wizard wrote into its program folder"

echo "== manual pages, completion, file type"
for page in vantrel vantrel-gen; do
    man -w "$page" >/dev/null || fail "man $page: no manual page"
    MANWIDTH=80 man "$page" 2>&1 | grep -q "EXIT STATUS" || fail "man $page does not read"
done
completion=$(cd "$out" && bash -c '. /usr/share/bash-completion/completions/vantrel-gen
    COMP_WORDS=(vantrel-gen save --template ""); COMP_CWORD=3; _vantrel_gen; echo "${COMPREPLY[*]}"
    COMP_WORDS=(vantrel-gen html ""); COMP_CWORD=2; _vantrel_gen; echo "${COMPREPLY[*]}"')
[ "$completion" = "$(cut -d ' ' -f 1 "$work/templates" | tr '\n' ' ' | sed 's/ $//')
page.qdx" ] || fail "completion of vantrel-gen gave: $completion"
grep -q '^[0-9]*:application/x-vantrel-project:\*\.qdx$' /usr/share/mime/globs2 \
    || fail "the MIME database does not know *.qdx"
grep -q 'application/x-vantrel-project=vantrel.desktop' /usr/share/applications/mimeinfo.cache \
    || fail "the desktop database does not give project files to vantrel"

echo "== apt remove"
apt-get remove -y -qq -o DPkg::Lock::Timeout=600 vantrel >/dev/null
# The package has no configuration files: removing it leaves nothing for a
# purge to take.
known && fail "apt remove left vantrel in dpkg's state '$(dpkg-query -W -f='${db:Status-Abbrev}' vantrel)'"
listing >"$work/after"
# What was not there before: allowed only where an installed package owns
# it (a dependency apt brought along), never anything of ours.
left=""
while IFS= read -r path; do
    case "$path" in
        *[Vv]antrel*) left+="$path"$'\n' ;;
        */__pycache__ | */__pycache__/*) ;;
        *) dpkg -S "$path" >/dev/null 2>&1 || left+="$path"$'\n' ;;
    esac
done < <(LC_ALL=C comm -13 "$work/before" "$work/after")
[ -z "$left" ] || fail "left behind after the removal:"$'\n'"$left"
if grep -rlI -i vantrel /usr/share/mime /usr/share/applications /etc 2>/dev/null | grep -q .; then
    fail "still named after the removal: $(grep -rlI -i vantrel /usr/share/mime /usr/share/applications /etc)"
fi
ls /var/lib/dpkg/info/vantrel.* >/dev/null 2>&1 && fail "dpkg still keeps records of vantrel"
echo "package checked: $(basename "$deb")"
