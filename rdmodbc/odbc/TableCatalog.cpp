#include "TableCatalog.h"

#include "CatalogFields.h"
#include "CatalogRows.h"
#include "framework/DriverWait.h"

#include <cstring>

BOOL ReadTableCatalog(const CDatabase& db, BOOL bIncludeViews, BOOL bIncludeSystemTables, std::vector<TableRow>& rows)
{
    rows.clear();
    CStatementHandle hstmt;
    // Without a connection no handle comes back, and SQLTables fails on it.
    hstmt.Allocate(db.m_hdbc);
    // A server of many schemas may take long to list them.
    SQLRETURN nRetCode = CCatalogArgument(db).Call([&hstmt](SQLCHAR* pszCatalog, SQLSMALLINT nLength) {
        return WaitForStatement(DriverWork::readingTables, hstmt, [&hstmt, pszCatalog, nLength] {
            return ::SQLTables(hstmt, pszCatalog, nLength, nullptr, 0, nullptr, 0, nullptr, 0);
        });
    });
    if (!SQL_SUCCEEDED(nRetCode))
        return FALSE;

    return FetchTableRows(hstmt, NameFieldBytes(db, SQL_MAX_TABLE_NAME_LEN), bIncludeViews, bIncludeSystemTables,
                          rows);
}

BOOL FetchTableRows(SQLHSTMT hstmt, int nFieldSize, BOOL bIncludeViews, BOOL bIncludeSystemTables,
                    std::vector<TableRow>& rows)
{
    CBoundText schema(nFieldSize), name(nFieldSize), type(nFieldSize), remarks(nFieldSize);
    CCatalogRows catalogRows(hstmt);
    // Without its type a view would pass for a table; without its name a
    // table would be listed as "", without its schema as another table.
    if (!catalogRows.Bind({{&schema, TABLES_TABLE_SCHEM}, {&name, TABLES_TABLE_NAME}, {&type, TABLES_TABLE_TYPE},
                           {&remarks, TABLES_REMARKS}}))
        return FALSE;
    while (catalogRows.Fetch())
    {
        if (!name.IsWhole() || !schema.IsWhole())
            continue;
        if (!bIncludeSystemTables && std::strcmp(type.Text(), "SYSTEM TABLE") == 0)
            continue;
        if (!bIncludeViews && std::strcmp(type.Text(), "VIEW") == 0)
            continue;
        rows.push_back(TableRow{CString(name.Text(), name.Length()), remarks.Text(),
                                CString(schema.Text(), schema.Length())});
    }
    return TRUE;
}
