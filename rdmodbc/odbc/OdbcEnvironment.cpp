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
    m_henv.AllocateOdbc3();
}

SQLRETURN COdbcEnvironment::FetchDataSource(CString& strName, SQLUSMALLINT nDirection)
{
    m_strDescription = "";

    SQLCHAR szName[DSN_TEXT_SIZE] = "";
    SQLCHAR szDescription[DSN_TEXT_SIZE] = "";
    SQLSMALLINT nNameLength = 0;
    SQLSMALLINT nDescriptionLength = 0;
    m_nRetCode = ::SQLDataSources(m_henv, nDirection, szName, DSN_TEXT_SIZE, &nNameLength, szDescription,
                                  DSN_TEXT_SIZE, &nDescriptionLength);
    // A text longer than the buffer comes back cut, and the cut text is used.
    if (SQL_SUCCEEDED(m_nRetCode))
    {
        strName = (const char*)szName;
        m_strDescription = (const char*)szDescription;
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
    }
    return strName;
}

CString COdbcEnvironment::GetNextDataSource()
{
    CString strName;
    FetchDataSource(strName, SQL_FETCH_NEXT);
    return strName;
}
