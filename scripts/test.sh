#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite.
#   scripts/test.sh              normal build
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build_dir="$root/build"
if [ "${1:-}" = "--sanitize" ]; then
  build_dir="$root/build-asan"
  # Qt and fontconfig keep process-lifetime caches that the leak checker reports.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

"$root/scripts/build.sh" "$@"
# The database suites run a second time on a PostgreSQL server of their own.
postgres_env=$("$root/scripts/start-postgres.sh")
eval "$postgres_env"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
