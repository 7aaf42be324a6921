#!/usr/bin/env bash
# Installs what is missing, builds Vellum and its tests with warnings as errors, runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" test
cmake -S "$root" -B "$root/build-test" -G Ninja -DVELLUM_WERROR=ON -DVELLUM_TESTS=ON >/dev/null
cmake --build "$root/build-test"
cd "$root/build-test"
ctest --output-on-failure --parallel 2 "$@"
