#!/bin/sh
# Starts (start DIR) or stops (stop DIR) a private PostgreSQL server for the
# tests: its cluster, socket and log under DIR, listening on a free port of
# 127.0.0.1 only, trusting its connections but for one user who gives a
# password. The server refuses to run as root; run by root, it runs as the
# system user postgres that Debian's package creates, and DIR is that
# user's. Nothing outside DIR is touched (not Debian's own cluster). start
# loads the customers fixture into the database rdm_engine and appends the
# data sources rdm_engine_postgresql, rdm_engine_postgresql_secret (the user
# with a password) and rdm_fault_postgresql through the fault driver
# (tests/faults) to the tests' user ODBC configuration ($ODBCINI, see
# scripts/lib/with-env), and rdm_engine_postgresql_silent: a server that
# takes the connection and says nothing for five seconds, then drops it (a
# VPN that went away). resume DIR starts the server on the cluster that an
# earlier start left in DIR, as start does where there is none; restart DIR
# starts a stopped one again on its data and port (for a test of a server
# that goes away).
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")/.." && pwd)
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)

as_server_user() {
    if [ "$(id -u)" = 0 ]; then
        (cd "$dir" && runuser -u postgres -- "$@")
    else
        "$@"
    fi
}

# A server left from a run that did not end (its pid file outlived it, say,
# after a reboot) is no reason to stop.
stop_server() {
    [ -f "$dir/data/postmaster.pid" ] || return 0
    as_server_user "$bin/pg_ctl" -D "$dir/data" -m fast -w -t 30 stop >/dev/null 2>&1 || true
}

start_server() {
    as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/postgresql.log" -w -t 30 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k '$dir' -c fsync=off" start >/dev/null \
        || { cat "$dir/postgresql.log" >&2; exit 1; }
}

# The server that says nothing, on the port in DIR/silent-port.
start_silent() {
    python3 -c '
import socket, sys, threading, time
listener = socket.socket()
listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
listener.bind(("127.0.0.1", int(sys.argv[1])))
listener.listen(16)
def hold(connection):
    time.sleep(5)
    connection.close()
while True:
    threading.Thread(target=hold, args=(listener.accept()[0],), daemon=True).start()
' "$(cat "$dir/silent-port")" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/silent.pid"
}

stop_silent() {
    [ -f "$dir/silent.pid" ] || return 0
    kill "$(cat "$dir/silent.pid")" 2>/dev/null || true
    rm -f "$dir/silent.pid"
}

if [ "$action" = stop ]; then
    stop_server
    stop_silent
    exit 0
fi
if [ "$action" = restart ]; then
    port=$(cat "$dir/port")
    start_server
    stop_silent
    start_silent
    exit 0
fi

stop_server
stop_silent
fresh=1
if [ "$action" = resume ] && [ -f "$dir/data/PG_VERSION" ]; then
    fresh=0
else
    rm -rf "$dir"
    mkdir -p "$dir"
    [ "$(id -u)" != 0 ] || chown postgres: "$dir"
    as_server_user "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync \
        >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    # One user must give a password, as a data source's driver asks for it.
    as_server_user sed -i '1i host all rdm_secret 127.0.0.1/32 scram-sha-256' "$dir/data/pg_hba.conf"
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo "$port" >"$dir/port"
start_server
psql() {
    "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres "$@"
}
if [ "$fresh" = 1 ]; then
    psql -d postgres -c "CREATE DATABASE rdm_engine"
    "$here/fixtures/customers/print-sql.sh" postgresql | psql -d rdm_engine
    psql -d rdm_engine -c "CREATE ROLE rdm_secret LOGIN PASSWORD 'Pa55-w0rd!'" \
        -c "GRANT SELECT ON ALL TABLES IN SCHEMA public TO rdm_secret"
fi

# The driver's own defaults, as a user who sets up the data source has them:
# BoolsAsChar=1 reports a boolean as VARCHAR(5) holding 1 or 0 (with 0, as
# BIT), TextAsLongVarchar=1 a TEXT as LONGVARCHAR, UseDeclareFetch=0 reads a
# whole result at execution, and ReadOnly=0 lets any statement through.
silent_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo "$silent_port" >"$dir/silent-port"
start_silent

cat >>"$ODBCINI" <<INI
[rdm_engine_postgresql_silent]
Description=A PostgreSQL server that does not answer
Driver=PostgreSQL ANSI
Servername=127.0.0.1
Port=$silent_port
Database=rdm_engine
Username=postgres
[rdm_engine_postgresql]
Description=The customers on a PostgreSQL server
Driver=PostgreSQL ANSI
Servername=127.0.0.1
Port=$port
Database=rdm_engine
Username=postgres
[rdm_engine_postgresql_secret]
Description=The customers on a PostgreSQL server, for a user with a password
Driver=PostgreSQL ANSI
Servername=127.0.0.1
Port=$port
Database=rdm_engine
Username=rdm_secret
Password=Pa55-w0rd!
[rdm_fault_postgresql]
Description=The customers on a PostgreSQL server, through the fault driver (tests/faults)
Driver=rdm_fault driver postgresql
Servername=127.0.0.1
Port=$port
Database=rdm_engine
Username=postgres
INI
echo "PostgreSQL on 127.0.0.1:$port"
