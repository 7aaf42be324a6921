#!/usr/bin/env bash
# Installs what is missing, builds Vellum and starts it, on a file when one is named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
cmake -S "$root" -B "$root/build" -G Ninja -DVELLUM_TESTS=OFF >/dev/null
cmake --build "$root/build"
exec "$root/build/vellum" "$@"
