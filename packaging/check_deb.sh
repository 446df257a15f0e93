#!/bin/sh
# Checks a Debian package of Vantu:
#   - lintian: any error fails, warnings (and informational tags) are printed;
#   - the package is unpacked with dpkg-deb -x, and each desktop entry in it
#     is checked with desktop-file-validate, each AppStream file with
#     appstreamcli validate --no-net, and the unpacked tree as a whole with
#     appstreamcli validate-tree --no-net.
# Exits non-zero when any check fails.
# Needs: lintian, dpkg (dpkg-deb), desktop-file-utils, appstream.
#
#   packaging/check_deb.sh build/vantu_<version>-1_amd64.deb
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 <package.deb>" >&2
    exit 2
fi
deb=$1
if [ ! -f "$deb" ]; then
    echo "check_deb.sh: no such file: $deb" >&2
    exit 2
fi
missing=
for tool in lintian dpkg-deb desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "check_deb.sh: missing tools:$missing" >&2
    echo "install them with: apt-get install lintian dpkg desktop-file-utils appstream" >&2
    exit 2
fi

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

echo "== lintian $deb"
# Errors make lintian fail; warnings, informational tags (I:) and the tags
# the package overrides (O:) are only printed.
lintian --fail-on error --display-info --show-overrides "$deb" || fail "lintian"

work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
if ! dpkg-deb -x "$deb" "$work/root"; then
    echo "FAILED: dpkg-deb -x"
    exit 1
fi

count=0
for entry in "$work"/root/usr/share/applications/*.desktop; do
    [ -e "$entry" ] || continue
    count=$((count + 1))
    echo "== desktop-file-validate ${entry#"$work/root"}"
    desktop-file-validate "$entry" || fail "desktop-file-validate ${entry#"$work/root"}"
done
[ "$count" -gt 0 ] || fail "no desktop entry in /usr/share/applications"

count=0
for meta in "$work"/root/usr/share/metainfo/*.xml; do
    [ -e "$meta" ] || continue
    count=$((count + 1))
    echo "== appstreamcli validate --no-net ${meta#"$work/root"}"
    appstreamcli validate --no-net "$meta" || fail "appstreamcli validate ${meta#"$work/root"}"
done
[ "$count" -gt 0 ] || fail "no AppStream file in /usr/share/metainfo"

echo "== appstreamcli validate-tree --no-net (the unpacked package)"
appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli validate-tree"

if [ "$failed" -ne 0 ]; then
    echo "check_deb.sh: $deb has errors"
    exit 1
fi
echo "check_deb.sh: $deb passed"
