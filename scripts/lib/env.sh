# The private world in which the project runs its Windows programs: a Wine
# prefix and an ODBC configuration of its own, never the user's ~/.wine,
# /etc/odbc.ini or ~/.odbc.ini. Sourced by the scripts and by the test run;
# a variable, a setting of the prefix or an engine's driver is added here.

# Wine in the prefix PREFIX (made when missing): quiet, and never a Mono or
# Gecko installer that waits for a click.
rdm_use_wine() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX"
}

# unixODBC (behind Wine's odbc32) with the configuration in DIR: drivers and
# system data sources in DIR/odbcinst.ini and DIR/odbc.ini, user data sources
# in DIR/user/odbc.ini.
rdm_use_odbc() {
    export ODBCSYSINI="$1" ODBCINI="$1/user/odbc.ini"
}

# The full path of an ODBC driver library of a Debian package.
rdm_driver_library() {
    library=$(dpkg -L "$1" 2>/dev/null | grep "/$2\$" | head -n 1)
    [ -n "$library" ] || { echo "$1 is not installed (scripts/setup installs it)" >&2; return 1; }
    printf '%s\n' "$library"
}

# Writes the configuration chosen by rdm_use_odbc with each engine's driver
# by its full path and no data sources yet. The SQLite driver's library is
# its own setup library too. PostgreSQL's ANSI driver, as the module's calls
# are ANSI: its Unicode twin gives the same answers through unixODBC, after
# a round trip through UTF-16.
rdm_write_odbc_config() {
    mkdir -p "$ODBCSYSINI" "$(dirname "$ODBCINI")"
    sqlite=$(rdm_driver_library libsqliteodbc libsqlite3odbc.so)
    mariadb=$(rdm_driver_library odbc-mariadb libmaodbc.so)
    postgresql=$(rdm_driver_library odbc-postgresql psqlodbca.so)
    cat >"$ODBCSYSINI/odbcinst.ini" <<INI
[SQLite3]
Description=SQLite3 ODBC Driver
Driver=$sqlite
Setup=$sqlite
[MariaDB]
Description=MariaDB Connector/ODBC
Driver=$mariadb
[PostgreSQL ANSI]
Description=PostgreSQL ODBC driver (ANSI version)
Driver=$postgresql
INI
    : >"$ODBCSYSINI/odbc.ini"
    : >"$ODBCINI"
}

# Boots the prefix chosen by rdm_use_wine (made the first time) and keeps
# Wine's windows unmanaged: under Xvfb there is no window manager, so Wine
# draws their title bars (screenshots show them) and does not wait, at every
# window that closes, for a manager that never answers. Run it under the X
# server the programs will use. Wine's own processes start here, away from
# the programs' output, which a caller would otherwise wait on for as long as
# they live.
rdm_boot_wine() {
    if [ -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot >/dev/null 2>&1 </dev/null
    else
        wine wineboot --init >/dev/null 2>&1 </dev/null
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}
