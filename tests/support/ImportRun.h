#pragma once
// Runs the last phase of an import against a data source and collects what
// the host receives, row by row, through the exported functions.
#include "session/ImportSession.h"

#include <array>
#include <string>
#include <vector>

using DeliveredRow = std::array<std::string, 4>;

struct ImportChoice
{
    std::string connect;
    std::string table;
    std::array<std::string, 4> columns;          // output fields 1 to 4; "" = none
    std::array<OutputField, 4> options;
    std::vector<const char*> filters;
    bool useConditions = true;
    std::array<SortKey, SORT_KEYS> sortKeys;
    std::string schema;                          // "" for the table a bare name means
};

// How the engine of the data source reads SQL text, and how its driver
// quotes names, as the session learns them when it connects.
SqlDialect DriverDialect(const std::string& connect);
CString DriverQuote(const std::string& connect);
// Forgets the user's last import (HKEY_CURRENT_USER\SOFTWARE\KAVEX\RDMODBC),
// so that the next Open starts afresh whatever the tests before it opened.
void ForgetLastImport();
// Opens the record set as RDMODBCOpen does after its dialogs.
int OpenImport(const ImportChoice& choice);
// Calls RDMODBCMoveNext until it returns 0 (at most maxRows + 1 times).
std::vector<DeliveredRow> ReadAllRows(int limit = 255, size_t maxRows = 100000);
