#include "Connection.h"

#include <sqlext.h>

namespace
{
    const char szUnknownQuote[] = "`";
}

BOOL OpenConnection(SessionConnection& connection, const CString& strDataSource, BOOL bReconnect)
{
    if (connection.m_db.IsOpen())
        return TRUE;

    CString strConnect;
    if (bReconnect)
        strConnect = connection.m_strConnect;
    else
        strConnect.Format("DSN=%s", (LPCSTR)strDataSource);

    // The driver completes the string and prompts only for what it lacks; a
    // CDBException* leaves before the session's string is touched.
    BOOL bOpened = connection.m_db.OpenEx(strConnect, CDatabase::openReadOnly);

    // Every later connection of the session reuses what the driver completed,
    // so the user is not asked again.
    connection.m_strConnect = WithoutOdbcPrefix(connection.m_db.GetConnect());
    if (bOpened)
        connection.m_strIdentifierQuote = ReadIdentifierQuote(connection.m_db);
    return bOpened;
}

void ReopenConnection(SessionConnection& connection)
{
    OpenConnection(connection, CString(), TRUE);
}

CString ReadIdentifierQuote(const CDatabase& db)
{
    char szQuote[8] = "";
    SQLSMALLINT nLength = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(db.m_hdbc, SQL_IDENTIFIER_QUOTE_CHAR, szQuote, sizeof szQuote, &nLength))
        || szQuote[0] == '\0')
        return szUnknownQuote;
    // ODBC's answer for a driver that quotes no names.
    if (CString(szQuote) == " ")
        return "";
    return szQuote;
}

CString CurrentCatalog(const CDatabase& db)
{
    char szCatalog[1024] = "";
    SQLINTEGER nLength = 0;
    // A name cut to the buffer would name another catalog, or none.
    if (!SQL_SUCCEEDED(::SQLGetConnectAttr(db.m_hdbc, SQL_ATTR_CURRENT_CATALOG, szCatalog, sizeof szCatalog,
                                           &nLength))
        || nLength >= (SQLINTEGER)sizeof szCatalog)
        return "";
    return szCatalog;
}
