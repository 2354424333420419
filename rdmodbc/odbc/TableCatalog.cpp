#include "TableCatalog.h"

#include "CatalogFields.h"
#include "framework/CBoundText.h"

#include <cstring>

BOOL ReadTableCatalog(const CDatabase& db, BOOL bIncludeViews, BOOL bIncludeSystemTables, std::vector<TableRow>& rows)
{
    rows.clear();
    CStatementHandle hstmt;
    // Without a connection no handle comes back, and SQLTables fails on it.
    hstmt.Allocate(db.m_hdbc);
    SQLRETURN nRetCode = CCatalogArgument(db).Call([&hstmt](SQLCHAR* pszCatalog, SQLSMALLINT nLength) {
        return ::SQLTables(hstmt, pszCatalog, nLength, nullptr, 0, nullptr, 0, nullptr, 0);
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
    // Without its type a view would pass for a table; without its name a
    // table would be listed as "", without its schema as another table.
    if (!SQL_SUCCEEDED(schema.Bind(hstmt, TABLES_TABLE_SCHEM)) || !SQL_SUCCEEDED(name.Bind(hstmt, TABLES_TABLE_NAME))
        || !SQL_SUCCEEDED(type.Bind(hstmt, TABLES_TABLE_TYPE)) || !SQL_SUCCEEDED(remarks.Bind(hstmt, TABLES_REMARKS)))
    {
        ::SQLFreeStmt(hstmt, SQL_UNBIND);
        return FALSE;
    }
    for (;;)
    {
        schema.Clear();
        name.Clear();
        type.Clear();
        remarks.Clear();
        if (!SQL_SUCCEEDED(::SQLFetch(hstmt)))
            break;
        if (!name.IsWhole() || !schema.IsWhole())
            continue;
        if (!bIncludeSystemTables && std::strcmp(type.Text(), "SYSTEM TABLE") == 0)
            continue;
        if (!bIncludeViews && std::strcmp(type.Text(), "VIEW") == 0)
            continue;
        rows.push_back(TableRow{CString(name.Text(), name.Length()), remarks.Text(),
                                CString(schema.Text(), schema.Length())});
    }
    // The buffers go with this frame: no column may stay bound to them.
    ::SQLFreeStmt(hstmt, SQL_UNBIND);
    return TRUE;
}
