#!/bin/sh
# Starts (start DIR) or stops (stop DIR) a private MariaDB server for the
# tests: its data directory, socket and log under DIR, listening on a free
# port of 127.0.0.1 only, without grant tables. start loads the customers
# fixture into the database rdm_engine, and appends its data source
# rdm_engine_mariadb to the tests' user ODBC configuration ($ODBCINI, see
# scripts/lib/with-env). resume DIR starts the server on the data that an
# earlier start left in DIR, as start does where there is none.
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")/.." && pwd)

stop_server() {
    [ -f "$dir/mariadb.pid" ] || return 0
    pid=$(cat "$dir/mariadb.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$dir/mariadb.pid"
}

if [ "$action" = stop ]; then
    stop_server
    exit 0
fi

stop_server
fresh=1
if [ "$action" = resume ] && [ -d "$dir/data/mysql" ]; then
    fresh=0
else
    rm -rf "$dir"
    mkdir -p "$dir/data"
    mariadb-install-db --no-defaults --user="$(id -un)" --datadir="$dir/data" --auth-root-authentication-method=normal \
        --skip-test-db >"$dir/install.log" 2>&1
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# Its temporary tables go under DIR too: /tmp is shared with whatever else
# runs on the machine.
mkdir -p "$dir/tmp"
mariadbd --no-defaults --user="$(id -un)" --datadir="$dir/data" --socket="$dir/mariadb.sock" --tmpdir="$dir/tmp" \
    --port="$port" --bind-address=127.0.0.1 --skip-grant-tables --skip-name-resolve \
    --pid-file="$dir/mariadbd.pid" --log-error="$dir/mariadb.log" </dev/null >/dev/null 2>&1 &
echo $! >"$dir/mariadb.pid"
for _ in $(seq 1 300); do
    mariadb-admin --no-defaults --socket="$dir/mariadb.sock" ping >/dev/null 2>&1 && break
    sleep 0.1
done
mariadb-admin --no-defaults --socket="$dir/mariadb.sock" ping >/dev/null || { cat "$dir/mariadb.log" >&2; exit 1; }
[ "$fresh" = 0 ] || {
    echo "CREATE DATABASE rdm_engine; USE rdm_engine;"
    "$here/fixtures/customers/print-sql.sh" mariadb
} | mariadb --no-defaults --socket="$dir/mariadb.sock"

# A user data source for one database of this server.
add_data_source() {
    cat >>"$ODBCINI" <<INI
[$1]
Description=$3
Driver=MariaDB
Server=127.0.0.1
Port=$port
Database=$2
User=root
INI
}
add_data_source rdm_engine_mariadb rdm_engine "The customers on a MariaDB server"
echo "MariaDB on 127.0.0.1:$port"
