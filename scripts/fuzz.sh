#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz and runs each for a bounded time
# on a copy of its seed corpus in tests/fuzz/corpus/.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [target...]   (default 60 s, every target)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_xlsx fuzz_xls fuzz_csv fuzz_password fuzz_statement fuzz_ini fuzz_connection)

"$root/scripts/install-deps.sh" --fuzz
build_dir="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSELVAR_FUZZ=ON -DSELVAR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  work="$build_dir/corpus/$name"
  mkdir -p "$work" "$build_dir/findings/$name"
  cp -n "$root/tests/fuzz/corpus/$name/"* "$work/" 2>/dev/null || true
  echo "== $target: $seconds s"
  if ! "$build_dir/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=20 \
       -max_len=200000 -print_final_stats=1 -artifact_prefix="$build_dir/findings/$name/" \
       "$work" 2>&1 | tail -n 12; then
    status=1
  fi
done
exit $status
