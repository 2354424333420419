#!/bin/sh
# Writes the benchmark's SQLite databases under the directory given, and its
# data sources into the private ODBC configuration that the caller chose
# (rdm_use_odbc in scripts/lib/env.sh): tables of 10,000, 100,000 and
# 1,000,000 rows, a catalog of 20,000 tables and a table of 1,000 columns
# (with 1,000 rows of long texts).
# They are made here, not kept in the repository: together they take about
# 100 MB.
set -eu
benchenv=$1
. "$(dirname "$0")/../scripts/lib/env.sh"
mkdir -p "$benchenv/data"

rows_db=$benchenv/data/rows.db
if [ ! -f "$rows_db" ]; then
    for n in 10000 100000 1000000; do
        cat <<SQL
CREATE TABLE rows_$n (id INTEGER, name TEXT, amount REAL, born TEXT);
WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < $n)
INSERT INTO rows_$n SELECT i, 'Name ' || (i * 7919 % 100003), (i % 10000) / 7.0,
    printf('%04d-%02d-%02d 00:00:00', 1950 + i % 60, 1 + i % 12, 1 + i % 28) FROM k;
SQL
    done | sqlite3 "$rows_db.tmp"
    mv "$rows_db.tmp" "$rows_db"
fi

catalog_db=$benchenv/data/catalog.db
if [ ! -f "$catalog_db" ]; then
    {
        echo "BEGIN;"
        awk 'BEGIN { for (i = 1; i < 20000; ++i) printf "CREATE TABLE table_%05d (id INTEGER);\n", i }'
        awk 'BEGIN { printf "CREATE TABLE wide (c0001 INTEGER"
                     for (i = 2; i <= 1000; ++i) printf ", c%04d %s", i, (i % 3 ? "TEXT" : "REAL")
                     print ");" }'
        echo "COMMIT;"
    } | sqlite3 "$catalog_db.tmp"
    mv "$catalog_db.tmp" "$catalog_db"
fi
# The wide table's rows, for the preview: long texts that it cuts for display.
if [ "$(sqlite3 "$catalog_db" 'SELECT COUNT(*) FROM wide')" = 0 ]; then
    sqlite3 "$catalog_db" "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 1000)
        INSERT INTO wide (c0001, c0002, c1000) SELECT i, printf('%.*c', 300 + i % 700, 'x'), i / 3.0 FROM k;"
fi

rdm_write_odbc_config
# User data sources: the data-source dialog opens on those.
cat > "$ODBCINI" <<INI
[rdm_bench_rows]
Driver=SQLite3
Database=$rows_db
StepAPI=1
[rdm_bench_catalog]
Driver=SQLite3
Database=$catalog_db
INI
