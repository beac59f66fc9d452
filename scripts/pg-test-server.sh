#!/usr/bin/env bash
# Starts a throwaway PostgreSQL cluster on loopback for the tests.
# Usage: source scripts/pg-test-server.sh   (exports DEDIZO_TEST_PG; stop with pg_test_stop)
PG_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
PG_PORT=${PG_PORT:-54329}
PG_DIR=$(mktemp -d /tmp/dedizo-pg.XXXXXX)
chmod 755 "$PG_DIR"
as_pg() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
[ "$(id -u)" = 0 ] && chown postgres "$PG_DIR"
as_pg "$PG_BIN/initdb" -D "$PG_DIR/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log" 2>&1 \
  || { cat "$PG_DIR/initdb.log"; return 1 2>/dev/null || exit 1; }
as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w \
  -o "-k $PG_DIR -h 127.0.0.1 -p $PG_PORT -c fsync=off -c synchronous_commit=off -c full_page_writes=off" start >/dev/null \
  || { cat "$PG_DIR/server.log"; return 1 2>/dev/null || exit 1; }
export DEDIZO_TEST_PG="host=127.0.0.1;port=$PG_PORT;user=postgres"
pg_test_stop() { as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast stop >/dev/null 2>&1 || true; rm -rf "$PG_DIR"; }
echo "PostgreSQL test server on 127.0.0.1:$PG_PORT"
