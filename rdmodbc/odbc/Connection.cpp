#include "Connection.h"

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
    return bOpened;
}

void ReopenConnection(SessionConnection& connection)
{
    if (!connection.m_db.IsOpen())
        connection.m_db.OpenEx(connection.m_strConnect, CDatabase::openReadOnly);
}
