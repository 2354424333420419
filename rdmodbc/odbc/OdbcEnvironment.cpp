#include "OdbcEnvironment.h"

#include "framework/OdbcDiagnostic.h"

#include <sqlext.h>

namespace
{
    // Both texts of a data source arrive in buffers of this size, cut to one
    // byte less by the driver manager.
    const SQLSMALLINT DSN_TEXT_SIZE = 128;
}

COdbcEnvironment::COdbcEnvironment()
{
    SQLRETURN nVersionRetCode = SQL_SUCCESS;
    m_nRetCode = m_henv.AllocateOdbc3(&nVersionRetCode);
    if (m_nRetCode != SQL_SUCCESS)
    {
        m_strError = "SQLAllocHandle failed";
        return;
    }
    m_nRetCode = nVersionRetCode;
    if (m_nRetCode != SQL_SUCCESS)
        m_strError = "SQLSetEnvAttr failed to set ODBC version";
}

SQLRETURN COdbcEnvironment::FetchDataSource(CString& strName, SQLUSMALLINT nDirection)
{
    m_strDescription = "";

    SQLCHAR szName[DSN_TEXT_SIZE] = "";
    SQLCHAR szDescription[DSN_TEXT_SIZE] = "";
    SQLSMALLINT nNameLength = 0;
    SQLSMALLINT nDescriptionLength = 0;
    m_nRetCode = ::SQLDataSources(m_henv, nDirection, szName, DSN_TEXT_SIZE, &nNameLength,
                                  szDescription, DSN_TEXT_SIZE, &nDescriptionLength);
    switch (m_nRetCode)
    {
    case SQL_SUCCESS:
    case SQL_SUCCESS_WITH_INFO:
        // A text longer than the buffer comes back cut, and the cut text is used.
        strName = (const char*)szName;
        m_strDescription = (const char*)szDescription;
        break;
    case SQL_NO_DATA:
        m_strError = "No more DSNs to enumerate";
        break;
    case SQL_INVALID_HANDLE:
        m_strError = "Invalid Handle";
        break;
    case SQL_ERROR:
    {
        // Without a diagnostic record both fields stay empty.
        OdbcDiagnostic diagnostic;
        ReadDiagnostic(SQL_HANDLE_ENV, m_henv, 1, diagnostic);
        m_strError.Format("SQL_ERROR: %s:%s", (LPCSTR)diagnostic.strState,
                          (LPCSTR)diagnostic.strMessage.Left(DSN_TEXT_SIZE - 1));
        break;
    }
    default:
        m_strError = "Unknown ERROR";
        break;
    }
    return m_nRetCode;
}

CString COdbcEnvironment::GetFirstDataSource(DsnType type)
{
    CString strName;
    switch (type)
    {
    case dsnSystem:
        FetchDataSource(strName, SQL_FETCH_FIRST_SYSTEM);
        break;
    case dsnUser:
        FetchDataSource(strName, SQL_FETCH_FIRST_USER);
        break;
    case dsnAll:
        FetchDataSource(strName, SQL_FETCH_FIRST);
        break;
    default:
        m_strError = "Unknown DSN type";
        m_nRetCode = -1;
        break;
    }
    return strName;
}

CString COdbcEnvironment::GetNextDataSource()
{
    CString strName;
    FetchDataSource(strName, SQL_FETCH_NEXT);
    return strName;
}
