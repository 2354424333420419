# The private world in which the project runs its Windows programs: a Wine
# prefix and an ODBC configuration of its own, never the user's ~/.wine,
# /etc/odbc.ini or ~/.odbc.ini. Sourced by the scripts and by the test run
# (RDM_ROOT is the checkout; the scripts that start there need not set it);
# a variable, a setting of the prefix or an engine's driver is added here.
export RDM_ROOT="${RDM_ROOT:-$PWD}"

# The folder of Debian's ODBC drivers of each bitness, and the one where
# scripts/setup --x86 unpacks the 32-bit MariaDB driver: Debian's
# odbc-mariadb is not multi-arch, and installing its i386 package would
# remove the 64-bit one.
rdm_driver_dir_x64=/usr/lib/x86_64-linux-gnu/odbc
rdm_driver_dir_x86=/usr/lib/i386-linux-gnu/odbc
rdm_unpacked_driver_dir_x86="$RDM_ROOT/build/odbc-i386/usr/lib/i386-linux-gnu/odbc"

# Wine in the prefix PREFIX (made when missing): quiet, and never a Mono or
# Gecko installer that waits for a click. ARCH (x64, the default, or x86)
# is what the prefix must run; rdm_boot_wine renews a prefix that cannot.
rdm_use_wine() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" RDM_ARCH="${2:-x64}"
    mkdir -p "$WINEPREFIX"
}

# unixODBC (behind Wine's odbc32) with the configuration in DIR: drivers and
# system data sources in DIR/odbcinst.ini and DIR/odbc.ini, user data sources
# in DIR/user/odbc.ini. The drivers are named without their folder, so that
# the 64-bit and the 32-bit driver manager each load the library of their
# own bitness: each looks in its own driver folder, then on the library
# path. The unpacked 32-bit MariaDB driver comes first there: the 32-bit
# driver manager gives up at a library of the other bitness, and the 64-bit
# one finds its own in its folder first. The driver folders of both
# bitnesses follow, for a library loaded by name (the fault driver's real
# driver): the system's loader passes over a library of the other bitness.
rdm_use_odbc() {
    export ODBCSYSINI="$1" ODBCINI="$1/user/odbc.ini"
    export LD_LIBRARY_PATH="$rdm_unpacked_driver_dir_x86:$rdm_driver_dir_x64:$rdm_driver_dir_x86${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
}

# Fails, saying which package brings it, when the ODBC driver library NAME
# of PACKAGE is not where the driver manager of the bitness RDM_ARCH looks:
# asked by its path rather than of dpkg, which cannot tell a package's two
# architectures apart by its name alone.
rdm_require_driver() {
    package=$1 name=$2
    case ${RDM_ARCH:-x64} in
        x86) [ -f "$rdm_driver_dir_x86/$name" ] || [ -f "$rdm_unpacked_driver_dir_x86/$name" ] && return 0
             hint="$package:i386 (scripts/setup --x86 installs it)" ;;
        *) [ -f "$rdm_driver_dir_x64/$name" ] && return 0
           hint="$package (scripts/setup installs it)" ;;
    esac
    echo "the ${RDM_ARCH:-x64} ODBC driver $name is not installed: $hint" >&2
    return 1
}

# Writes the configuration chosen by rdm_use_odbc with each engine's driver
# and no data sources yet, after checking that the drivers of the bitness
# RDM_ARCH are there. The SQLite driver's library is its own setup library
# too. PostgreSQL's ANSI driver, as the module's calls are ANSI: its Unicode
# twin gives the same answers through unixODBC, after a round trip through
# UTF-16.
rdm_write_odbc_config() {
    mkdir -p "$ODBCSYSINI" "$(dirname "$ODBCINI")"
    rdm_require_driver libsqliteodbc libsqlite3odbc.so
    rdm_require_driver odbc-mariadb libmaodbc.so
    rdm_require_driver odbc-postgresql psqlodbca.so
    cat >"$ODBCSYSINI/odbcinst.ini" <<INI
[SQLite3]
Description=SQLite3 ODBC Driver
Driver=libsqlite3odbc.so
Setup=libsqlite3odbc.so
[MariaDB]
Description=MariaDB Connector/ODBC
Driver=libmaodbc.so
[PostgreSQL ANSI]
Description=PostgreSQL ODBC driver (ANSI version)
Driver=psqlodbca.so
INI
    : >"$ODBCSYSINI/odbc.ini"
    : >"$ODBCINI"
}

# Starts a program of the bitness RDM_ARCH in the prefix: a 64-bit prefix
# made before 32-bit Wine was installed has no 32-bit system and starts no
# 32-bit program ("could not load kernel32.dll").
rdm_prefix_runs() {
    case ${RDM_ARCH:-x64} in
        x86) wine 'C:\windows\syswow64\cmd.exe' /c exit 0 >/dev/null 2>&1 </dev/null ;;
        *) wine cmd /c exit 0 >/dev/null 2>&1 </dev/null ;;
    esac
}

# Boots the prefix chosen by rdm_use_wine (made the first time, and made
# anew when it cannot run programs of the bitness it is for) and keeps
# Wine's windows unmanaged: under Xvfb there is no window manager, so Wine
# draws their title bars (screenshots show them) and does not wait, at every
# window that closes, for a manager that never answers. Run it under the X
# server the programs will use. Wine's own processes start here, away from
# the programs' output, which a caller would otherwise wait on for as long as
# they live.
rdm_boot_wine() {
    if [ -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot >/dev/null 2>&1 </dev/null || true
        if ! rdm_prefix_runs; then
            echo "the Wine prefix $WINEPREFIX cannot run $RDM_ARCH programs: making it anew" >&2
            wineserver -k >/dev/null 2>&1 || true
            rm -rf "$WINEPREFIX"
            mkdir -p "$WINEPREFIX"
            wineserver -p
        fi
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot --init >/dev/null 2>&1 </dev/null
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}
