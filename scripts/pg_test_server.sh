#!/usr/bin/env bash
# A throwaway PostgreSQL server on 127.0.0.1 for the tests: "start DIR PORT" or "stop DIR".
# It never touches a system service; everything lives in DIR and dies with "stop".
set -euo pipefail
cmd=$1 dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n1)
as_pg() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
  start)
    port=$3
    rm -rf "$dir"; mkdir -p "$dir"
    [ "$(id -u)" = 0 ] && chown postgres:postgres "$dir"
    as_pg "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    as_pg "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null
    ;;
  stop)
    [ -d "$dir/data" ] && as_pg "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
esac
