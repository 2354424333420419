#pragma once
// The session's connection to the chosen data source and the list of its
// tables, read from the driver's catalog.
#include "framework/CString.h"

#include <vector>

// One listed table: the bare table name and the driver's remarks ("" when
// it gives none).
struct TableRow
{
    CString strName;
    CString strRemarks;
};

// Opens the session's connection: the first time with "DSN=" and the name,
// with bReconnect the session's completed connect string. Does nothing when
// the connection is open. FALSE when the user cancelled the driver's prompt;
// any other connection failure throws CDBException*.
BOOL OpenConnection(const CString& strDataSource, BOOL bReconnect);

// Reads every table of the open session connection in the order the driver
// gives them; views and system tables only on request. FALSE, and no rows,
// when the catalog cannot be read.
BOOL ReadTableCatalog(BOOL bIncludeViews, BOOL bIncludeSystemTables, std::vector<TableRow>& rows);
