#!/usr/bin/env bash
# Builds everything and runs every test, on SQLite and on a throwaway PostgreSQL server that
# this script starts on 127.0.0.1 and stops again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh
bash scripts/build.sh
pgdir=$(mktemp -d /tmp/qz-pg-XXXXXX)
port=$((56000 + RANDOM % 2000))
trap 'bash "$root/scripts/pg_test_server.sh" stop "$pgdir" || true' EXIT
bash scripts/pg_test_server.sh start "$pgdir" "$port"
export QZ_TEST_PG="host=127.0.0.1 port=$port user=postgres dbname=postgres"
export QT_QPA_PLATFORM=offscreen
(cd build && ctest -j"$(nproc)" --output-on-failure --timeout 600)
bash scripts/test-sanitized.sh
