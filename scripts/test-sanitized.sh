#!/usr/bin/env bash
# The data and domain tests again under AddressSanitizer and UndefinedBehaviorSanitizer, on the
# engines the caller configured (QZ_TEST_PG for PostgreSQL): the failure paths they drive are
# where a use after free or a leak would hide. The screens are left to the main run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQZ_SANITIZE=ON -DQZ_BUILD_GUI=OFF \
      -DQZ_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$(nproc)" --target qz_data_tests qz_domain_tests qz_test_tools
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1
# The other test programs are not built here; ctest lists them as not built. The domain's rules
# run on SQLite only here (the main run has them on both engines); the data layer, where the
# engines' own failure paths are, runs on PostgreSQL too.
ctest -j"$(nproc)" --output-on-failure --timeout 900 -E "_NOT_BUILT|/PostgreSQL"
if [ -n "${QZ_TEST_PG:-}" ]; then
  ./tests/qz_data_tests --gtest_filter='*/PostgreSQL*:*PostgreSQL*' --gtest_brief=1
fi
