#pragma once
// How long the statements of an import and of its preview may run.
#include <windows.h>

// Ten minutes: more than any import of a reachable table takes.
const DWORD DEFAULT_QUERY_TIMEOUT = 600;

// The seconds of the REG_DWORD value "QueryTimeout" under
// HKEY_CURRENT_USER\SOFTWARE\KAVEX\RDMODBC, where the user or the host's
// administrator sets it (0: no limit); DEFAULT_QUERY_TIMEOUT without it.
DWORD ImportQueryTimeout();
