#!/usr/bin/env bash
# A private PostgreSQL server for the SQL tests, in a fresh directory of its own.
#   pg-server.sh start STATE_FILE PORT   initdb and start; STATE_FILE receives the directory, whose
#                                        unix socket (no TCP) serves PORT; user postgres, no password
#   pg-server.sh stop STATE_FILE         stop that server and delete its directory
# As root, the server runs as the postgres user (initdb refuses root). A server that a killed run
# left behind is stopped before a new one starts.
set -euo pipefail
action=${1:?start or stop}
state=${2:?state file}
port=${3:-5499}
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)

as_owner() {
    if [[ $(id -u) -eq 0 ]]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop_server() {
    [[ -f $state ]] || return 0
    local dir
    dir=$(cat "$state")
    if [[ -n $dir && -d $dir/data ]]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    [[ -n $dir && $dir == */quirel-pg.* ]] && rm -rf "$dir"
    rm -f "$state"
}

case $action in
start)
    stop_server
    dir=$(mktemp -d "${TMPDIR:-/tmp}/quirel-pg.XXXXXX")
    echo "$dir" >"$state"
    trap 'stop_server' ERR
    [[ $(id -u) -ne 0 ]] || chown postgres: "$dir"
    if ! as_owner "$bin/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C --no-sync \
        >"$dir/initdb.log" 2>&1; then
        cat "$dir/initdb.log" >&2
        false
    fi
    if ! as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-k $dir -p $port -c listen_addresses='' -c fsync=off" start >/dev/null; then
        cat "$dir/server.log" >&2
        false
    fi
    echo "PostgreSQL $("$bin/postgres" --version | awk '{print $3}') in $dir, socket port $port"
    ;;
stop)
    stop_server
    ;;
*)
    echo "pg-server.sh: unknown action $action" >&2
    exit 2
    ;;
esac
