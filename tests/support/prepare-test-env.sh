#!/bin/sh
# Writes the tests' private ODBC configuration (ODBCSYSINI, ODBCINI) and their
# SQLite databases under the directory given, and creates the Wine prefix. The
# second argument is the fault-injecting driver that the configuration puts in
# front of the SQLite driver for the fault-injection tests.
set -eu
testenv=$1
faultdriver=$2
here=$(cd "$(dirname "$0")/.." && pwd)

driver=$(dpkg -L libsqliteodbc | grep '/libsqlite3odbc\.so$' | head -n 1)
[ -n "$driver" ] || { echo "libsqliteodbc is not installed" >&2; exit 1; }

rm -rf "$testenv"
mkdir -p "$testenv/odbc/user" "$testenv/data"

for sql in "$here"/fixtures/*.sql "$here"/../samples/*.sql; do
    sqlite3 "$testenv/data/$(basename "$sql" .sql).db" < "$sql"
done

substitute() {
    sed -e "s|@DRIVER@|$driver|g" -e "s|@FAULTDRIVER@|$faultdriver|g" -e "s|@DATA@|$testenv/data|g" "$1"
}
substitute "$here/fixtures/odbcinst.ini" > "$testenv/odbc/odbcinst.ini"
substitute "$here/fixtures/odbc-system.ini" > "$testenv/odbc/odbc.ini"
substitute "$here/fixtures/odbc-user.ini" > "$testenv/odbc/user/odbc.ini"

# Wine's own processes start here, away from the test programs' output, which
# ctest would otherwise wait on for as long as they live.
if [ -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot >/dev/null 2>&1 </dev/null
else
    wine wineboot --init >/dev/null 2>&1 </dev/null
fi
# Under Xvfb there is no window manager. Wine's windows are its own then: it
# draws their title bars (screenshots show them) and does not wait, at every
# window that closes, for a window manager that never answers.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
echo "test environment ready in $testenv"
