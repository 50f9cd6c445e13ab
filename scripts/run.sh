#!/usr/bin/env bash
# Installs what is missing, builds KVIRO 13 and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kviro13 -j"$(nproc)"
exec ./build/release/kviro13 "$@"
