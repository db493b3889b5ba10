#!/usr/bin/env bash
# Checks a built jadeleaf .deb as a distribution would: lintian, then the desktop file, the
# AppStream metadata and the manual pages as the package installs them. Any error or warning of
# the validators, or an error of lintian, ends it with status 1.
#   tools/check-package.sh build-package/jadeleaf_1.1.6_amd64.deb
set -euo pipefail

deb=$(realpath "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
failed=0

# Runs a checker and fails the check when it fails or says anything at all.
quiet() {
    local said
    if ! said=$("$@" 2>&1) || [ -n "$said" ]; then
        printf '%s\n' "$said"
        failed=1
    fi
}

echo "== lintian"
# Errors fail; warnings are shown for the packager to mend or to explain.
lintian --fail-on error "$deb" || failed=1

echo "== desktop-file-validate"
quiet desktop-file-validate "$root/usr/share/applications/jadeleaf.desktop"

# appstreamcli fails on warnings as well as errors; its infos are only shown.
echo "== appstreamcli validate --no-net"
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$metainfo" || failed=1
done
appstreamcli validate-tree --no-net "$root" || failed=1

echo "== man --warnings -l"
for page in "$root"/usr/share/man/man6/*.6.gz; do
    # Only the warnings are wanted, not the page.
    quiet sh -c 'LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >/dev/null' sh "$page"
    quiet sh -c 'zcat "$1" | groff -ww -man -Tutf8 -z' sh "$page"
done

[ "$failed" -eq 0 ] && echo "All checks passed: $(basename "$deb")"
exit "$failed"
