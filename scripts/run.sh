#!/usr/bin/env bash
# Builds Quorell (only what changed) and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
build_dir=${QUORELL_RUN_BUILD_DIR:-build-run}
if [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
  # The configuration the test command builds and tests, so the program run is the program tested.
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORELL_BUILD_TESTS=OFF
fi
cmake --build "$build_dir" -j "$(nproc)" --target quorell
exec "$build_dir/src/gui/qt/quorell" "$@"
