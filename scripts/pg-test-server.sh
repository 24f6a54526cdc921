#!/usr/bin/env bash
# pg-test-server.sh start DIR | stop DIR — a throw-away PostgreSQL server for the tests.
#
# start: a new cluster in DIR (which must not exist), listening only on a Unix socket in DIR,
# with one database "tlx4r"; prints the name the tests open it by, with PGHOST=DIR set (the
# socket's folder stays out of the name, which holds database names the way a path holds files).
# Run as root, the server runs as the unprivileged user "postgres" (PostgreSQL refuses to run
# as root).
# stop: stops the server and removes DIR.
set -euo pipefail
action=${1:?usage: pg-test-server.sh start|stop DIR}
dir=${2:?usage: pg-test-server.sh start|stop DIR}

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bin" ] || [ ! -x "$bin/pg_ctl" ]; then
  echo "pg-test-server: PostgreSQL's server programs are missing (scripts/setup.sh installs them)" >&2
  exit 1
fi

as_owner=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  as_owner=(runuser -u postgres --)
fi

case "$action" in
  start)
    if [ -e "$dir" ]; then echo "pg-test-server: $dir already exists" >&2; exit 1; fi
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U "$owner" --auth=trust --encoding=UTF8 \
      --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    # No TCP port: nothing outside this machine's file system reaches it, and parallel runs of
    # the tests never compete for a port.
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c max_connections=60" \
      start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    "${as_owner[@]}" "$bin/createdb" -h "$dir" -U "$owner" tlx4r
    echo "postgresql://$owner@/tlx4r"
    ;;
  stop)
    if [ -d "$dir/data" ]; then
      "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  *)
    echo "usage: pg-test-server.sh start|stop DIR" >&2
    exit 2
    ;;
esac
