#!/usr/bin/env bash
# Starts a private PostgreSQL server for the tests on the loopback address and
# prints the connection for SELVAR_TEST_POSTGRES (host:port). Idempotent: a
# server already running on that folder and port is reused.
#   eval "$(scripts/start-postgres.sh)"     exports SELVAR_TEST_POSTGRES
#   scripts/start-postgres.sh --restart     restarts it (fault tests use this)
#   scripts/start-postgres.sh --stop
# PostgreSQL refuses to run as root, so the server runs as the postgres user
# (or the calling user when that is not root). SELVAR_PG_PORT and SELVAR_PG_DIR
# choose the port and the data folder.
set -euo pipefail

port="${SELVAR_PG_PORT:-55432}"
data="${SELVAR_PG_DIR:-/tmp/selvar-pg-$port}"
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ]; then
  echo "PostgreSQL server binaries not found (scripts/install-deps.sh installs them)" >&2
  exit 1
fi

cd /tmp # the server's user may not enter the caller's folder

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# The server outlives this script: it must not inherit the caller's open
# descriptors (a lock held by the caller would stay held while it runs).
ctl() { as_owner "$bin/pg_ctl" -D "$data" -l "$data/server.log" -w -t 60 "$@" >/dev/null 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-; }

case "${1:-}" in
  --stop) ctl stop -m fast || true; exit 0 ;;
  --restart)
    ctl restart -m immediate && exit 0
    # A postmaster that was killed leaves its pid file behind, and its
    # children hold the shared memory until they notice: start again once
    # they are gone.
    for _ in $(seq 50); do
      ctl start && exit 0
      sleep 0.2
    done
    exit 1 ;;
esac

if [ ! -f "$data/PG_VERSION" ]; then
  mkdir -p "$data"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$data"
  chmod 700 "$data"
  as_owner "$bin/initdb" -D "$data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
  # A test server: surviving a machine crash is not needed, speed is. Commits
  # still reach the log before they are reported, so a restart keeps them.
  cat >> "$data/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$data'
fsync = off
full_page_writes = off
max_connections = 100
CONF
fi
if ! as_owner "$bin/pg_ctl" -D "$data" status >/dev/null 2>&1; then
  ctl start
fi
echo "export SELVAR_TEST_POSTGRES=127.0.0.1:$port"
