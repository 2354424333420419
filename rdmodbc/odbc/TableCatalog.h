#pragma once
// The list of a data source's tables, read from the driver's catalog.
#include "framework/CDatabase.h"

#include <vector>

// One listed table: the bare table name, the driver's remarks ("" when it
// gives none) and its schema ("" for none).
struct TableRow
{
    CString strName;
    CString strRemarks;
    CString strSchema;
};

// Reads every table of the database the open connection works in, in the
// order the driver gives them; views and system tables only on request. FALSE, and no rows, when
// the catalog cannot be read.
BOOL ReadTableCatalog(const CDatabase& db, BOOL bIncludeViews, BOOL bIncludeSystemTables, std::vector<TableRow>& rows);

// Fetches the catalog result of hstmt (TABLE_SCHEM, TABLE_NAME, TABLE_TYPE
// and REMARKS) with fields of nFieldSize bytes, longer texts cut, and
// appends the rows to keep; a table whose name or schema arrives cut names
// no table and is left out. Views and system tables are recognised only by the exact
// types "VIEW" and "SYSTEM TABLE". FALSE, and no rows, when the fields cannot
// be bound.
BOOL FetchTableRows(SQLHSTMT hstmt, int nFieldSize, BOOL bIncludeViews, BOOL bIncludeSystemTables,
                    std::vector<TableRow>& rows);
