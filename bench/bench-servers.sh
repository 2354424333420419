#!/bin/sh
# Starts (start DIR) or stops (stop DIR) the database servers of the
# benchmark: MariaDB and PostgreSQL as the test run starts them
# (tests/engines), their data under DIR, each with tables of 100,000 and
# 1,000,000 rows shaped as the SQLite benchmark's (database rdm_bench), and
# the data sources rdm_bench_rows_mariadb and rdm_bench_rows_postgresql in
# the ODBC configuration chosen by rdm_use_odbc. The data stays in DIR for
# later runs: the servers resume on it, and only a missing table is loaded.
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")/.." && pwd)
engines=$here/tests/engines
sizes="100000 1000000"

if [ "$action" = stop ]; then
    "$engines/mariadb-server.sh" stop "$dir/mariadb"
    "$engines/postgresql-server.sh" stop "$dir/postgresql"
    exit 0
fi

# The port a server script reports: "<engine> on 127.0.0.1:<port>".
port_of() {
    sed -n 's/.* on 127\.0\.0\.1:\([0-9]*\)$/\1/p'
}

mariadb_port=$("$engines/mariadb-server.sh" resume "$dir/mariadb" | port_of)
mariadb_sql() {
    mariadb --no-defaults --socket="$dir/mariadb/mariadb.sock" -N "$@"
}
mariadb_sql -e "CREATE DATABASE IF NOT EXISTS rdm_bench"
for n in $sizes; do
    [ "$(mariadb_sql -e "SELECT COUNT(*) FROM information_schema.tables
                         WHERE table_schema = 'rdm_bench' AND table_name = 'rows_$n'")" = 0 ] || continue
    mariadb_sql rdm_bench <<SQL
CREATE TABLE rows_$n (id INTEGER, name TEXT, amount DOUBLE, born VARCHAR(19));
INSERT INTO rows_$n
SELECT seq, CONCAT('Name ', seq * 7919 % 100003), (seq % 10000) / 7.0,
       CONCAT(1950 + seq % 60, '-', LPAD(1 + seq % 12, 2, '0'), '-', LPAD(1 + seq % 28, 2, '0'), ' 00:00:00')
FROM seq_1_to_$n;
SQL
done

postgresql_port=$("$engines/postgresql-server.sh" resume "$dir/postgresql" | port_of)
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
postgresql_sql() {
    "$bin/psql" -X -q -t -A -v ON_ERROR_STOP=1 -h "$dir/postgresql" -p "$postgresql_port" -U postgres "$@"
}
[ -n "$(postgresql_sql -d postgres -c "SELECT 1 FROM pg_database WHERE datname = 'rdm_bench'")" ] ||
    postgresql_sql -d postgres -c "CREATE DATABASE rdm_bench"
for n in $sizes; do
    [ "$(postgresql_sql -d rdm_bench -c "SELECT to_regclass('rows_$n') IS NULL")" = t ] || continue
    postgresql_sql -d rdm_bench <<SQL
CREATE TABLE rows_$n (id INTEGER, name TEXT, amount DOUBLE PRECISION, born VARCHAR(19));
INSERT INTO rows_$n
SELECT i, 'Name ' || (i::bigint * 7919 % 100003), (i % 10000) / 7.0,
       format('%s-%s-%s 00:00:00', 1950 + i % 60, lpad((1 + i % 12)::text, 2, '0'), lpad((1 + i % 28)::text, 2, '0'))
FROM generate_series(1, $n) AS i;
SQL
done

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
