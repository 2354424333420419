#include "OdbcEnvironment.h"

#include <sqlext.h>

namespace
{
    // Both texts of a data source arrive in buffers of this size, cut to one
    // byte less by the driver manager.
    const SQLSMALLINT DSN_TEXT_SIZE = 128;
}

COdbcEnvironment::COdbcEnvironment()
{
    m_nRetCode = ::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv);
    if (m_nRetCode != SQL_SUCCESS)
    {
        m_strError = "SQLAllocHandle failed";
        return;
    }
    m_nRetCode = ::SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    if (m_nRetCode != SQL_SUCCESS)
        m_strError = "SQLSetEnvAttr failed to set ODBC version";
}

COdbcEnvironment::~COdbcEnvironment()
{
    // A handle that was never allocated makes the driver manager answer
    // "invalid handle", which changes nothing here.
    m_nRetCode = ::SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
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
        SQLCHAR szState[SQL_SQLSTATE_SIZE + 1] = "";
        SQLINTEGER nNativeError = 0;
        SQLCHAR szMessage[DSN_TEXT_SIZE] = "";
        SQLSMALLINT nMessageLength = 0;
        // Without a diagnostic record both fields stay empty.
        ::SQLGetDiagRec(SQL_HANDLE_ENV, m_henv, 1, szState, &nNativeError, szMessage, DSN_TEXT_SIZE,
                        &nMessageLength);
        m_strError.Format("SQL_ERROR: %s:%s", (const char*)szState, (const char*)szMessage);
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
