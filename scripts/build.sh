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
# When the set of source files changed (a merge, a new class), drop the
# generated moc lists: an existing build folder otherwise kept an outdated one
# and failed to link ("undefined reference to vtable").
sources_stamp="$build_dir/.source-list"
current=$(cd "$root" && find . -path ./build -prune -o -path './build-*' -prune -o \
            \( -name '*.h' -o -name '*.cpp' \) -print | sort | md5sum)
if [ -d "$build_dir" ] && { [ ! -f "$sources_stamp" ] || [ "$(cat "$sources_stamp")" != "$current" ]; }; then
  find "$build_dir" -type d -name '*_autogen' -prune -exec rm -rf {} +
  find "$build_dir" -name ParseCache.txt -delete
fi
cmake -S "$root" -B "$build_dir" -G Ninja "${cmake_args[@]}" >/dev/null
echo "$current" > "$sources_stamp"
jobs=$(nproc)
if [ $# -gt 0 ]; then
  cmake --build "$build_dir" -j "$jobs" --target "$@"
else
  cmake --build "$build_dir" -j "$jobs"
fi
