#!/usr/bin/env bash
# Pictures of the windows for the README: the windows run on a virtual X display (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target kviro_screenshots -j"$(nproc)"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" ./build/dev/kviro_screenshots docs/screenshots
