#!/bin/sh
# Builds the Debian package of a built tree into a scratch folder and fails on any lintian error
# or warning. Where lintian is not installed it exits 77, which CTest reports as skipped.
#
# usage: check-package.sh CPACK BUILD_DIR CONFIG LINTIAN
# CONFIG may be empty.
set -eu

if [ "$#" -ne 4 ]; then
    echo "usage: $0 CPACK BUILD_DIR CONFIG LINTIAN" >&2
    exit 2
fi
cpack=$1
build_dir=$2
config=$3
lintian=$4

if ! command -v "$lintian" >/dev/null 2>&1; then
    echo "SKIP: lintian is not installed, so the package is not checked; install lintian to check it"
    exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/prismora-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' HUP INT TERM

set -- -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out"
if [ -n "$config" ]; then
    set -- "$@" -C "$config"
fi
if ! "$cpack" "$@" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
set -- "$work"/out/*.deb
if [ "$#" -ne 1 ] || ! [ -f "$1" ]; then
    echo "FAIL: cpack made no single .deb in $work/out" >&2
    exit 1
fi
deb=$1
echo "built $(basename "$deb")"

failures=0
# lintian does not compare the two: a changelog left behind at an older release would pass.
version=$(dpkg-deb --field "$deb" Version)
latest=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/prismora/changelog.gz | gzip -dc | head -n 1)
case $latest in
    "prismora ($version) "*) ;;
    *)
        echo "FAIL: the changelog's latest entry is '$latest', not version $version" >&2
        failures=$((failures + 1))
        ;;
esac

# Information tags are advice; errors and warnings are faults.
if ! "$lintian" --fail-on error,warning "$deb"; then
    echo "FAIL: lintian reported errors or warnings" >&2
    failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "package OK: lintian reports no error and no warning"
