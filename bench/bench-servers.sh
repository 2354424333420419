#!/bin/sh
# Starts (start DIR) or stops (stop DIR) the database servers of the
# benchmark: MariaDB and PostgreSQL as the test run starts them
# (tests/engines), their data under DIR, each with a table of 100,000 rows
# shaped as the SQLite benchmark's (database rdm_bench), and the data
# sources rdm_bench_rows_mariadb and rdm_bench_rows_postgresql in the ODBC
# configuration chosen by rdm_use_odbc.
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")/.." && pwd)
engines=$here/tests/engines

if [ "$action" = stop ]; then
    "$engines/mariadb-server.sh" stop "$dir/mariadb"
    "$engines/postgresql-server.sh" stop "$dir/postgresql"
    exit 0
fi

# The port a server script reports: "<engine> on 127.0.0.1:<port>".
port_of() {
    sed -n 's/.* on 127\.0\.0\.1:\([0-9]*\)$/\1/p'
}

mariadb_port=$("$engines/mariadb-server.sh" start "$dir/mariadb" | port_of)
mariadb --no-defaults --socket="$dir/mariadb/mariadb.sock" <<'SQL'
CREATE DATABASE rdm_bench;
USE rdm_bench;
CREATE TABLE rows_100000 (id INTEGER, name TEXT, amount DOUBLE, born VARCHAR(19));
INSERT INTO rows_100000
SELECT seq, CONCAT('Name ', seq * 7919 % 100003), (seq % 10000) / 7.0,
       CONCAT(1950 + seq % 60, '-', LPAD(1 + seq % 12, 2, '0'), '-', LPAD(1 + seq % 28, 2, '0'), ' 00:00:00')
FROM seq_1_to_100000;
SQL

postgresql_port=$("$engines/postgresql-server.sh" start "$dir/postgresql" | port_of)
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
"$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir/postgresql" -p "$postgresql_port" -U postgres -d postgres \
    -c "CREATE DATABASE rdm_bench"
"$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir/postgresql" -p "$postgresql_port" -U postgres -d rdm_bench <<'SQL'
CREATE TABLE rows_100000 (id INTEGER, name TEXT, amount DOUBLE PRECISION, born VARCHAR(19));
INSERT INTO rows_100000
SELECT i, 'Name ' || (i::bigint * 7919 % 100003), (i % 10000) / 7.0,
       format('%s-%s-%s 00:00:00', 1950 + i % 60, lpad((1 + i % 12)::text, 2, '0'), lpad((1 + i % 28)::text, 2, '0'))
FROM generate_series(1, 100000) AS i;
SQL

cat >>"$ODBCINI" <<INI
[rdm_bench_rows_mariadb]
Driver=MariaDB
Server=127.0.0.1
Port=$mariadb_port
Database=rdm_bench
User=root
[rdm_bench_rows_postgresql]
Driver=PostgreSQL ANSI
Servername=127.0.0.1
Port=$postgresql_port
Database=rdm_bench
Username=postgres
INI
echo "benchmark servers: MariaDB on $mariadb_port, PostgreSQL on $postgresql_port"
