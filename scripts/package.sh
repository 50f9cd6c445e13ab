#!/usr/bin/env bash
# Installs what is missing, builds KVIRO 13 for release and its Debian package, and puts the
# package (kviro13_<version>_amd64.deb) into the top folder of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --workflow --preset package
deb=kviro13_$(grep -oP 'set\(CPACK_PACKAGE_VERSION "\K[^"]+' build/release/CPackConfig.cmake)_amd64.deb
cp "build/release/$deb" .
echo "Package: ./$deb (install it with: sudo apt install ./$deb)"
