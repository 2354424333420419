#pragma once
// The two steps of a catalog read that depend on what the driver reports:
// the size of the fetch buffers and the rows the user wants to see.
#include "TableCatalog.h"

#include <windows.h>
#include <sql.h>

// Characters each catalog field may hold, from the driver's maximum length of
// a table name: no usable answer (0, or 32768 and more) gives 256, anything
// else is capped at 2048.
int CatalogFieldSize(SQLUSMALLINT nMaxTableNameLength);

// Fetches the catalog result of hstmt (TABLE_NAME, TABLE_TYPE and REMARKS in
// columns 3 to 5) with fields of nFieldSize characters, longer texts cut, and
// appends the rows to keep. Views and system tables are recognised only by the
// exact types "VIEW" and "SYSTEM TABLE".
void FetchTableRows(SQLHSTMT hstmt, int nFieldSize, BOOL bIncludeViews, BOOL bIncludeSystemTables,
                    std::vector<TableRow>& rows);
