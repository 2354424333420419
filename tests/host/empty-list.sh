#!/bin/sh
# A host of one bitness reaches only the driver manager and the data
# sources of that bitness. With no driver manager (Wine's odbc32 told to load
# one that is not there), and with no user data source, the line under the
# data-source step's empty list says which is missing, naming the host's
# bitness. The variables are the Unix process's, which is why this runs the
# host from a script: a Windows program cannot hand them to its child.
# Usage: empty-list.sh HOSTDIR WORKDIR BITS
set -eu
host=$1
work=$2
bits=$3
mkdir -p "$work"
: >"$work/no-data-sources.ini"
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
failed=0
check() {
    name=$1 line=$2
    shift 2
    printf 'dialog IDD_DATASOURCE\n  wait-text IDC_DESCRIPTION "%s"\n  click IDCANCEL\n' "$line" >"$work/$name.script"
    status=0
    env "$@" wine "$host/rdmhost.exe" --script "$(windows "$work/$name.script")" --timeout 10 \
        2>"$work/$name.err" </dev/null || status=$?
    if [ $status != 1 ] || grep -q '^robot:' "$work/$name.err"; then
        echo "FAILED $name (exit $status):"
        cat "$work/$name.err"
        failed=1
    else
        echo "passed $name"
    fi
}
check no-driver-manager \
    "No ODBC driver manager answers this $bits-bit program. Install the $bits-bit ODBC driver manager and drivers." \
    LIB_ODBC_DRIVER_MANAGER=/nonexistent/libodbc.so.2
check no-data-sources \
    "No data sources of this kind for this $bits-bit program: it can use those whose drivers are $bits-bit." \
    ODBCINI="$work/no-data-sources.ini"
exit $failed
