#include "TableCatalog.h"

#include "CatalogRows.h"
#include "framework/OdbcHandle.h"
#include "session/ImportSession.h"

namespace
{
    const char szODBC[] = "ODBC;";

    int DriverFieldSize(SQLHDBC hdbc)
    {
        SQLUSMALLINT nMaxLength = 0;
        if (!SQL_SUCCEEDED(::SQLGetInfo(hdbc, SQL_MAX_TABLE_NAME_LEN, &nMaxLength, sizeof nMaxLength, nullptr)))
            nMaxLength = 0;
        return CatalogFieldSize(nMaxLength);
    }
}

BOOL OpenConnection(const CString& strDataSource, BOOL bReconnect)
{
    if (theSession.m_db.IsOpen())
        return TRUE;

    CString strConnect;
    if (bReconnect)
        strConnect = theSession.m_strConnect;
    else
        strConnect.Format("DSN=%s", (LPCSTR)strDataSource);

    // The driver completes the string and prompts only for what it lacks; a
    // CDBException* leaves before the session's string is touched.
    BOOL bOpened = theSession.m_db.OpenEx(strConnect, CDatabase::openReadOnly);

    // Every later connection of the session reuses what the driver completed,
    // so the user is not asked again.
    theSession.m_strConnect = theSession.m_db.GetConnect();
    if (theSession.m_strConnect.Find(szODBC) == 0)
        theSession.m_strConnect.Delete(0, sizeof szODBC - 1);
    return bOpened;
}

BOOL ReadTableCatalog(BOOL bIncludeViews, BOOL bIncludeSystemTables, std::vector<TableRow>& rows)
{
    rows.clear();
    CStatementHandle hstmt;
    // Without a connection no handle comes back, and SQLTables fails on it.
    hstmt.Allocate(theSession.m_db.m_hdbc);
    SQLRETURN nRetCode = ::SQLTables(hstmt, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0);
    if (!SQL_SUCCEEDED(nRetCode))
        return FALSE;

    FetchTableRows(hstmt, DriverFieldSize(theSession.m_db.m_hdbc), bIncludeViews, bIncludeSystemTables, rows);
    return TRUE;
}
