#!/usr/bin/env bash
# Checks KVIRO 13 as an installed desktop program, with Debian's own tools: builds the Debian
# package from a built build folder, runs lintian on it, validates the desktop entry and the
# AppStream metadata it ships, unpacks it into a temporary root and starts the program from
# there on a virtual X display, where it must end through "Izlazak" with exit code 0 and without
# touching anything in the source or build folders.
# Usage: scripts/package-check.sh [BUILD_DIR]   (default build/dev; the folder must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
SRC=$(pwd -P)
BUILD=$(cd "${1:-build/dev}" && pwd -P)
ID=$(basename packaging/*.desktop .desktop)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "package-check: $*" >&2; exit 1; }

echo "-- Debian package"
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/out" >/dev/null
DEB=$(ls "$WORK"/out/kviro13_*_amd64.deb)
dpkg-deb --field "$DEB" Package Version Depends
lintian --fail-on error,warning --display-info "$DEB"

echo "-- what the package installs"
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
desktop-file-validate "$ROOT/usr/share/applications/$ID.desktop"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$ID.metainfo.xml"
grep -qx "Icon=$ID" "$ROOT/usr/share/applications/$ID.desktop" || fail "desktop entry names another icon"
grep -q "<id>$ID</id>" "$ROOT/usr/share/metainfo/$ID.metainfo.xml" || fail "metadata has another id"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" \
  "$ROOT/usr/share/metainfo/$ID.metainfo.xml" || fail "metadata launches another desktop entry"
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
  file -b "$ROOT/usr/share/icons/hicolor/$size/apps/$ID.png" | grep -q "PNG image data, ${size/x/ x }" ||
    fail "icon $size missing or of another size"
done
[ -s "$ROOT/usr/share/icons/hicolor/scalable/apps/$ID.svg" ] || fail "scalable icon missing"

PROG=$ROOT/usr/bin/kviro13
if readelf -d "$PROG" | grep -qE 'R(UN)?PATH'; then fail "the program carries a library search path"; fi
if ldd "$PROG" | grep -E "not found|$SRC|$BUILD"; then fail "libraries not found or from the build"; fi

echo "-- the unpacked program on a virtual display, ended with Izlazak"
# The first start shows the settings store's read error (nothing stored yet): Enter closes it,
# as a new user would. The main menu must carry the icon (16 px among its sizes); then its
# "Izlazak" (right end of the bottom strip) ends the program.
mkdir -p "$WORK/home"
cat >"$WORK/session.sh" <<'EOF'
set -u
cd "$WORK/home"
env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH -u QT_QPA_PLATFORM_PLUGIN_PATH \
  HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" QT_QPA_PLATFORM=xcb \
  strace -f -qq -e trace=%file -o "$WORK/files.log" "$PROG" &
pid=$!
timeout 30 xdotool search --sync --onlyvisible --name KVIRO >/dev/null || exit 90
sleep 1
for box in $(xdotool search --onlyvisible --name '^KVIRO 13$'); do
  xdotool mousemove --window "$box" 10 10 key Return
done
sleep 0.5
menu=$(xdotool search --onlyvisible --name KVIRO)
[ "$(wc -w <<<"$menu")" -eq 1 ] || exit 91
kill -0 "$pid" || exit 92
xprop -id "$menu" _NET_WM_ICON | grep -q 'Icon (16 x 16)' || exit 93
xdotool mousemove --window "$menu" 352 137 click 1
wait "$pid"
EOF
rc=0
WORK=$WORK PROG=$PROG timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$WORK/session.sh" || rc=$?
# 90: no window; 91: other windows than the main menu; 92: the program died; 93: no icon;
# 124: it did not end; anything else: the program's own exit code.
[ "$rc" -eq 0 ] || fail "the program did not end cleanly (code $rc)"
grep -q "$ROOT/usr/bin/kviro13" "$WORK/files.log" || fail "no file trace of the program"
if grep -E "\"($SRC|$BUILD)(/|\")" "$WORK/files.log"; then fail "the program looked into the source or build folder"; fi
echo "package-check: $(basename "$DEB") passes; the unpacked program ended with exit code 0"
