#!/usr/bin/env bash
# Configures and builds the client into a build folder.
#   scripts/build.sh [--sanitize] [target...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build_dir="$root/build"
cmake_args=()
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build_dir="$root/build-asan"
  cmake_args+=(-DSELVAR_SANITIZE=ON -DSELVAR_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
else
  cmake_args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

"$root/scripts/install-deps.sh"
# Configure every time: new source files are picked up before the build starts,
# so the generated moc list never lags behind the sources.
cmake -S "$root" -B "$build_dir" -G Ninja "${cmake_args[@]}" >/dev/null
jobs=$(nproc)
if [ $# -gt 0 ]; then
  cmake --build "$build_dir" -j "$jobs" --target "$@"
else
  cmake --build "$build_dir" -j "$jobs"
fi
