#!/bin/sh
# Writes the tests' private ODBC configuration (the one scripts/lib/with-env
# chose: ODBCSYSINI, ODBCINI) with their SQLite databases under the directory
# given, and boots the Wine prefix. The second and third arguments are the
# fault-injecting drivers that the configuration puts in front of the SQLite
# driver and of PostgreSQL's for the fault-injection tests.
set -eu
testenv=$1
faultdriver=$2
faultdriver_postgresql=$3
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/../scripts/lib/env.sh"

rm -rf "$testenv"
mkdir -p "$testenv/data"
rdm_write_odbc_config

for sql in "$here"/fixtures/*.sql "$here"/../samples/*.sql; do
    sqlite3 "$testenv/data/$(basename "$sql" .sql).db" < "$sql"
done
"$here/fixtures/customers/print-sql.sh" sqlite | sqlite3 "$testenv/data/customers.db"

# The engines' drivers by name, as rdm_write_odbc_config names them; the
# fault drivers, built for this run's bitness, by their path.
substitute() {
    sed -e "s|@DRIVER@|libsqlite3odbc.so|g" -e "s|@FAULTDRIVER@|$faultdriver|g" \
        -e "s|@POSTGRESQLDRIVER@|psqlodbca.so|g" -e "s|@FAULTDRIVERPOSTGRESQL@|$faultdriver_postgresql|g" \
        -e "s|@DATA@|$testenv/data|g" "$1"
}
substitute "$here/fixtures/odbcinst.ini" >> "$ODBCSYSINI/odbcinst.ini"
substitute "$here/fixtures/odbc-system.ini" > "$ODBCSYSINI/odbc.ini"
substitute "$here/fixtures/odbc-user.ini" > "$ODBCINI"

rdm_boot_wine
echo "test environment ready in $testenv"
