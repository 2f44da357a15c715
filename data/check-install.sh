#!/bin/sh
# Installs a built tree into a scratch DESTDIR under the prefix /usr, as a distribution package
# would, and checks that exactly the expected files land where desktops look for them and that the
# desktop entry and the AppStream metainfo validate, and that the newest release the metainfo and
# the changelog name is the project's version.
#
# usage: check-install.sh CMAKE BUILD_DIR CONFIG BINDIR DATADIR MANDIR APP_ID DESKTOP_FILE_VALIDATE
#        APPSTREAMCLI VERSION
# CONFIG may be empty; BINDIR, DATADIR and MANDIR are relative to the prefix unless absolute.
set -eu

if [ "$#" -ne 10 ]; then
    echo "usage: $0 CMAKE BUILD_DIR CONFIG BINDIR DATADIR MANDIR APP_ID DESKTOP_FILE_VALIDATE APPSTREAMCLI VERSION" >&2
    exit 2
fi
cmake=$1
build_dir=$2
config=$3
bindir=$4
datadir=$5
mandir=$6
app_id=$7
desktop_file_validate=$8
appstreamcli=$9
version=${10}

prefix=/usr
case $bindir in /*) ;; *) bindir=$prefix/$bindir ;; esac
case $datadir in /*) ;; *) datadir=$prefix/$datadir ;; esac
case $mandir in /*) ;; *) mandir=$prefix/$mandir ;; esac

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in "$desktop_file_validate" "$appstreamcli"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool not found; install desktop-file-utils and appstream (scripts/install-deps)" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/prismora-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' HUP INT TERM
dest=$work/root

set -- --install "$build_dir" --prefix "$prefix"
if [ -n "$config" ]; then
    set -- "$@" --config "$config"
fi
if ! DESTDIR=$dest "$cmake" "$@" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install failed" >&2
    exit 1
fi

binary=$bindir/prismora
desktop=$datadir/applications/prismora.desktop
icon=$datadir/icons/hicolor/scalable/apps/prismora.svg
metainfo=$datadir/metainfo/$app_id.metainfo.xml
manual=$mandir/man1/prismora.1.gz
copyright=$datadir/doc/prismora/copyright
changelog=$datadir/doc/prismora/changelog.gz
translations=$datadir/prismora/translations
english=$translations/prismora_en.qm
russian=$translations/prismora_ru.qm

# Anything beyond these (headers, static libraries, test programs) does not belong in a package.
printf '%s\n' "$binary" "$desktop" "$icon" "$metainfo" "$manual" "$copyright" "$changelog" \
    "$english" "$russian" |
    LC_ALL=C sort >"$work/expected"
(cd "$dest" && find . ! -type d | sed 's/^\.//') | LC_ALL=C sort >"$work/installed"
if ! diff -u "$work/expected" "$work/installed" >"$work/layout.diff"; then
    cat "$work/layout.diff" >&2
    fail "installed files differ from the expected layout (- expected, + installed)"
fi

if ! [ -f "$dest$binary" ] || ! [ -x "$dest$binary" ]; then
    fail "$binary is missing or not executable"
fi
for file in "$desktop" "$icon" "$metainfo" "$manual" "$copyright" "$changelog" "$english" "$russian"; do
    if ! [ -f "$dest$file" ] || ! [ -s "$dest$file" ]; then
        fail "$file is missing or empty"
    elif [ -x "$dest$file" ]; then
        fail "$file is executable"
    fi
done

# The entry must name what was actually installed, or the menu shows a broken launcher.
if [ -f "$dest$desktop" ]; then
    entry_value() {
        sed -n "s/^$1=//p" "$dest$desktop" | head -n 1
    }
    exec_value=$(entry_value Exec)
    [ "${exec_value%% *}" = prismora ] || fail "Exec=$exec_value does not start the installed prismora"
    icon_value=$(entry_value Icon)
    [ "$icon_value" = prismora ] || fail "Icon=$icon_value does not name the installed icon prismora"

    # Hints are advice only; errors and warnings are real faults.
    "$desktop_file_validate" "$dest$desktop" >"$work/desktop.log" 2>&1 || fail "desktop-file-validate rejected $desktop"
    if grep -v ': hint: ' "$work/desktop.log" | grep -q .; then
        fail "desktop-file-validate reported problems with $desktop"
    fi
    cat "$work/desktop.log"
fi

if [ -f "$dest$metainfo" ]; then
    grep -q "<id>$app_id</id>" "$dest$metainfo" || fail "$metainfo does not declare the id $app_id"
    "$appstreamcli" validate --no-net --strict "$dest$metainfo" || fail "appstreamcli rejected $metainfo"
    # Cross-checks the metainfo against the rest of the tree, e.g. that its launchable exists.
    "$appstreamcli" validate-tree --no-net --strict "$dest$prefix" || fail "appstreamcli rejected the installed tree"
    # The release history lists the newest release first.
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$dest$metainfo" | head -n 1)
    [ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not version $version"
fi

# The package takes its version from the project, so the changelog must start with it.
if [ -f "$dest$changelog" ]; then
    latest=$(gzip -dc "$dest$changelog" | head -n 1)
    case $latest in
        "prismora ($version) "*) ;;
        *) fail "the changelog's latest entry is '$latest', not version $version" ;;
    esac
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) with the installed layout" >&2
    exit 1
fi
echo "install layout OK"
