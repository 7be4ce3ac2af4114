#!/usr/bin/env bash
# Installs a build into a scratch prefix and packs it as a Debian package,
# checks the desktop files, the design archives' file type and the package
# (lintian), and starts both installed programs headless on their shipped
# Default design: each must play the same scripted game.
#   install_test.sh <build folder>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in games/snapstorm lib/games/snapstorm/libsnapstorm-sdl.so 'share/snapstorm/design/Default/!design.ini' \
    share/snapstorm/design/Neon share/snapstorm/design/Retro share/snapstorm/design/Reef share/snapstorm/english.lng share/snapstorm/snapstorm-en.html \
    share/snapstorm/polski.lng share/snapstorm/snapstorm-pt-BR.html share/snapstorm/snapstorm-help.css \
    share/applications/org.example.snapstorm.desktop share/metainfo/org.example.snapstorm.metainfo.xml \
    share/icons/hicolor/64x64/apps/snapstorm.png share/icons/hicolor/64x64/mimetypes/application-x-snapstorm-design.png \
    share/mime/packages/snapstorm.xml share/man/man6/snapstorm.6.gz share/doc/snapstorm/copyright; do
    [ -e "$prefix/$file" ] || { echo "the install lacks $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/org.example.snapstorm.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.snapstorm.metainfo.xml"

# A design archive (its key list first, as the game exports it) is a design
# to the desktop; a ZIP file that holds a key list further in stays a ZIP.
update-mime-database "$prefix/share/mime" >/dev/null
mkdir "$scratch/zips"
(cd "$scratch/zips" && printf 'Author=Ann\r\n' >'!design.ini' && printf 'x' >a.txt &&
    zip -q Sea.zip '!design.ini' a.txt && zip -q Other.zip a.txt '!design.ini')
mime() { XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$1"; }
[ "$(mime "$scratch/zips/Sea.zip")" = application/x-snapstorm-design ] || { echo "a design archive is not known as one"; exit 1; }
[ "$(mime "$scratch/zips/Other.zip")" = application/zip ] || { echo "another ZIP file was claimed"; exit 1; }
# Every search path of an installed program or module is fixed by its own
# place: an empty entry would be the folder the game is started from.
runpaths() { # runpaths <folder>
    find "$1" -type f \( -perm -u+x -o -name '*.so' \) -exec sh -c \
        'readelf -dW "$1" 2>/dev/null | sed -n "s/.*(R[UN]*PATH).*\[\(.*\)\]/\1/p"' _ {} \; | tr ':' '\n'
}
paths=$(runpaths "$prefix")
if [ -n "$paths" ] && grep -qv '^\(/\|\$ORIGIN\)' <<<"$paths"; then
    echo "an installed file searches libraries in a loose folder:"; echo "$paths"; exit 1
fi

printf 'seed 42\nnew\ntick 20 Right Space\nstop\n' >"$scratch/game.script"
play() { # play <program> <trace>
    "$1" --replay "$scratch/game.script" --trace "$2"
    [ "$(grep -c '"tick"' "$2")" -eq 20 ] || { echo "$1 did not play the script"; exit 1; }
}
play "$prefix/games/snapstorm" "$scratch/prefix.trace"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/snapstorm_*_amd64.deb)
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "the package names no Qt dependency"; exit 1; }
# Every complaint counts, warnings included; overrides carry their reason.
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
dpkg -x "$deb" "$scratch/root"
play "$scratch/root/usr/games/snapstorm" "$scratch/deb.trace"
cmp "$scratch/prefix.trace" "$scratch/deb.trace"
echo "installed and packaged: $(basename "$deb")"
