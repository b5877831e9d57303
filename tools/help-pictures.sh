#!/usr/bin/env bash
# Takes the user manual's pictures again from the program as it is now. The HelpPictures tests build
# the program's windows (main window, selectors, mixer, pages) with the sample session
# "01 Pop Song - Open Road", drive them through the program's own mouse, key and menu handlers on a
# fake clock and save what the windows show (BUILD/ui-screens/help-*.png). Each picture the manual
# references (data/Help/QuoVelanta.html, src="images/NAME.png") is then written as a small palette PNG
# to data/Help/images/NAME.png. The same program gives the same files, byte for byte.
# Usage: tools/help-pictures.sh [BUILD-DIR]   (default build-release, as ./test.sh builds it)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-release}
MANUAL=data/Help/QuoVelanta.html
IMAGES=data/Help/images

fail() {
    echo "help-pictures: $*" >&2
    exit 1
}
[ -x "$BUILD/test_app" ] || fail "$BUILD/test_app does not exist (./test.sh builds it)"
command -v convert >/dev/null || fail "ImageMagick's convert is missing (tools/setup.sh installs it)"

mapfile -t NAMES < <(grep -o 'src="images/[^"]*\.png"' "$MANUAL" | sed 's|src="images/||; s|\.png"$||' | sort -u)
[ "${#NAMES[@]}" -gt 0 ] || fail "$MANUAL references no pictures"

rm -f "$BUILD"/ui-screens/help-*.png
QT_QPA_PLATFORM=offscreen "$BUILD/test_app" --gtest_filter='HelpPictures.*' --gtest_brief=1 ||
    fail "the HelpPictures tests failed; no picture was changed"

for name in "${NAMES[@]}"; do
    [ -s "$BUILD/ui-screens/help-$name.png" ] || fail "no picture $name was taken (add it to tests/app/helppictures_test.cpp)"
done
for name in "${NAMES[@]}"; do
    # 256 colours without dithering keep the flat areas flat; no time stamps, so reruns match.
    convert "$BUILD/ui-screens/help-$name.png" -strip -dither None -colors 256 \
        -define png:exclude-chunks=date,time,tIME "PNG8:$IMAGES/$name.png.tmp"
    mv "$IMAGES/$name.png.tmp" "$IMAGES/$name.png"
    echo "help-pictures: $IMAGES/$name.png ($(identify -format '%wx%h' "$IMAGES/$name.png"), $(stat -c %s "$IMAGES/$name.png") bytes)"
done
for f in "$IMAGES"/*.png; do
    n=$(basename "$f" .png)
    printf '%s\n' "${NAMES[@]}" | grep -qx "$n" || echo "help-pictures: $f is not used by the manual"
done
